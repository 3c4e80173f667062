#include "window/auswahlfenstercontrols.h"

#include "window/colourfacedbutton.h"
#include "window/driveselector.h"
#include "window/filelistbox.h"
#include "window/foldertree.h"
#include "window/wrappingcheckbox.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

const QColor windowColour(0xC2, 0xBF, 0x81);
const QColor listColour(0xE8, 0xE7, 0xD0);
const QColor driveColour(0xDA, 0xD8, 0xB4);
const QColor darkText(0x40, 0x00, 0x40);
const QColor plainText(Qt::black);

// The layout is measured in twips, 15 to a logical pixel.
QRect twips(int left, int top, int width, int height)
{
    const auto px = [](int value) { return qRound(value / 15.0); };
    return {px(left), px(top), px(width), px(height)};
}

template<typename Control>
Control *place(Control *control, const QString &name, const QRect &geometry,
               const QString &toolTip = QString())
{
    control->setObjectName(name);
    control->setGeometry(geometry);
    control->setToolTip(toolTip);
    return control;
}

QLabel *label(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry,
              const QString &toolTip = QString())
{
    return place(new QLabel(caption, parent), name, geometry, toolTip);
}

template<typename Button = QPushButton>
QPushButton *button(QWidget *parent, const QString &name, const QString &caption,
                    const QRect &geometry, const QString &toolTip)
{
    auto *control = place(new Button(caption, parent), name, geometry, toolTip);
    control->setAutoDefault(false);
    return control;
}

void colour(QWidget *control, QPalette::ColorRole role, const QColor &value)
{
    QPalette palette = control->palette();
    palette.setColor(role, value);
    control->setPalette(palette);
}

// The face of a coloured button and the raised frame around it.
void paintFace(QPushButton *control, const QColor &face)
{
    colour(control, QPalette::Button, face);
    colour(control, QPalette::Light, face.lighter(150));
    colour(control, QPalette::Dark, face.darker(170));
    colour(control, QPalette::Shadow, face.darker(400));
    colour(control, QPalette::ButtonText, plainText);
}

void colourList(QWidget *control, const QColor &background)
{
    colour(control, QPalette::Base, background);
    colour(control, QPalette::Button, background);
    colour(control, QPalette::Text, darkText);
    colour(control, QPalette::ButtonText, darkText);
    // The selection shows the list's own colours the other way round.
    colour(control, QPalette::Highlight, darkText);
    colour(control, QPalette::HighlightedText, background);
}

// The layout was drawn for MS Sans Serif 8.25 pt. Where that family is
// missing, a font with the same metrics keeps every caption inside its box.
QFont designFont()
{
    QFont::insertSubstitutions(u"MS Sans Serif"_s,
                               {u"Microsoft Sans Serif"_s, u"Liberation Sans"_s, u"Arimo"_s});
    QFont font(u"MS Sans Serif"_s);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

} // namespace

void AuswahlFensterControls::setUp(QWidget *window, const VolumeSource &volumes)
{
    // Text on the window's fixed colours keeps the dark colour that those were
    // chosen for, whatever the desktop theme; Base and Text also reach the
    // boxes of the check box and the option buttons. The standard buttons,
    // whose faces follow the theme, keep its text colour, and so do the
    // message boxes, which are windows of their own.
    colour(window, QPalette::Window, windowColour);
    colour(window, QPalette::WindowText, plainText);
    colour(window, QPalette::Base, Qt::white);
    colour(window, QPalette::Text, plainText);
    window->setAutoFillBackground(true);
    const QFont regular = designFont();
    window->setFont(regular);
    QFont bold = regular;
    bold.setBold(true);

    ZahlenLöschen
        = button(window, u"ZahlenLöschen"_s, u"1. Zahlen löschen"_s, twips(6720, 4560, 1935, 375),
                 u"Löscht die Nummerierung am Anfang des Dateinamens"_s);
    File1 = place(new FileListBox(window), u"File1"_s, twips(4440, 480, 4215, 3930));
    colourList(File1, listColour);
    Label1 = label(window, u"Label1"_s, u"Gewählte Dateien:"_s, twips(4440, 240, 1695, 255),
                   u"Die in diesem Fenster aufgeführten Dateien können bearbeitet werden"_s);
    Dir1 = place(new FolderTree(window), u"Dir1"_s, twips(120, 480, 4215, 3915));
    colourList(Dir1, listColour);
    Label2 = label(window, u"Label2"_s, u"Aktueller Pfad:"_s, twips(120, 4440, 1695, 255),
                   u"Wie gesagt..."_s);
    PfadAnz = label(window, u"PfadAnz"_s, u"Pfad"_s, twips(120, 4680, 4095, 615));
    PfadAnz->setWordWrap(true);
    // Folder names are shown as they are, even when they look like markup.
    PfadAnz->setTextFormat(Qt::PlainText);
    PfadAnz->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label3 = label(window, u"Label3"_s, u"Ordnerwahl:"_s, twips(120, 240, 1095, 255),
                   u"Ordner auswählern, wie im Explorer"_s);
    AppPath = button<ColourFacedButton>(
        window, u"AppPath"_s, u"Zum Programmordner springen"_s, twips(1560, 200, 2415, 255),
        u"Wechseln zum Ordner, von dem aus das Programm gestartet wurde "_s);
    paintFace(AppPath, QColor(0x6A, 0xAD, 0x61));
    Drive1 = place(new DriveSelector(volumes, window), u"Drive1"_s, twips(120, 5520, 2055, 315));
    colourList(Drive1, driveColour);
    Label4 = label(window, u"Label4"_s, u"Laufwerk:"_s, twips(120, 5280, 1815, 255),
                   u"Laufwerk auswählen"_s);
    USLöschen = button(window, u"USLöschen"_s, u"2. Unterstriche entfernen"_s,
                       twips(6720, 5040, 1935, 375),
                       u"Ersetzt die hässlichen Unterstriche (_) durch Leerzeichen"_s);
    Label5 = label(window, u"Label5"_s, u"vom Quillo"_s, twips(8040, 0, 1215, 255),
                   u"Programmiert vom Quillo, nach einer Idee von Brem."_s);
    QFont small(u"Arial"_s);
    small.setPointSizeF(6.75);
    Label5->setFont(small);
    Label5->setAutoFillBackground(true);
    colour(Label5, QPalette::Window, windowColour);
    colour(Label5, QPalette::WindowText, darkText);
    FileInfo = label(window, u"FileInfo"_s, QString(), twips(6120, 240, 2295, 255));

    Frame1 = place(new QGroupBox(u"Filterauswahl:"_s, window), u"Frame1"_s,
                   twips(4440, 4440, 1815, 755));
    Frame1->setFont(bold);
    // The option buttons keep the regular font; only the frame's caption is bold.
    QFont optionFont = regular;
    optionFont.setBold(false);
    Option2 = place(new QRadioButton(u"Alle Dateien"_s, Frame1), u"Option2"_s,
                    twips(120, 480, 1575, 195),
                    u"Wählt alle in diesem Ordner Befindlichen Dateien aus"_s);
    Option1 = place(new QRadioButton(u"Nur mp3 und wma"_s, Frame1), u"Option1"_s,
                    twips(120, 240, 1665, 195), u"Wählt nur mp3 und wma Dateien aus"_s);
    for (QRadioButton *option : {Option1, Option2}) {
        option->setFont(optionFont);
        // Tab reaches only the selected option; the arrow keys switch between them.
        QObject::connect(option, &QAbstractButton::toggled, option, [option](bool checked) {
            option->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
        });
    }
    Option2->setFocusPolicy(Qt::ClickFocus);
    Option1->setChecked(true);

    BeidesLöschen = button<ColourFacedButton>(
        window, u"BeidesLöschen"_s, u"+ Beides tun +"_s, twips(6720, 5520, 1935, 375),
        u"Beide Funktionen ausführen, spart Zeit! Oder einfach [ENTER] drücken!"_s);
    paintFace(BeidesLöschen, QColor(0x80, 0xFF, 0x80));
    NurMitNull
        = place(new WrappingCheckBox(u"Nur Dateien mit einer Null am Anfang bearbeiten"_s, window),
                u"NurMitNull"_s, twips(4560, 5280, 1935, 615),
                u"Wenn keine Null am Anfang steht, wird die Zahl nicht entfernt, z.B. bei "
                u"\"89er's - Kingston Town\""_s);
    NurMitNull->setChecked(true);
    Hilfe = label(window, u"Hilfe"_s, u"> Hilfe <"_s, twips(8040, 200, 735, 255));
    for (QLabel *caption : {Label1, Label2, Label3, Label4, Hilfe})
        caption->setFont(bold);
    // Where the credits overlap the help label, the opaque credits stay on top.
    Label5->raise();

    Line1 = place(new QFrame(window), u"Line1"_s, twips(4365, 0, 30, 6000));
    Line1->setFrameShape(QFrame::VLine);
    Line1->setFrameShadow(QFrame::Sunken);

    Timer1 = new QTimer(window);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(1000);

    // Screen readers and UI tests find a control by its accessible name. The
    // captioned controls are named by their captions; the lists and the drive
    // selector have none, so they get a short description.
    Dir1->setAccessibleName(u"Ordnerliste"_s);
    File1->setAccessibleName(u"Dateiliste"_s);
    Drive1->setAccessibleName(u"Laufwerksauswahl"_s);
    Line1->setAccessibleName(u"Trennlinie"_s);
    // On Linux a drive selector is announced by its value, so screen readers
    // take its name from the caption above it.
    Label4->setBuddy(Drive1);

    QWidget *order[] = {ZahlenLöschen, File1,   Dir1,    AppPath,       Drive1,
                        USLöschen,     Option2, Option1, BeidesLöschen, NurMitNull};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace namlex
