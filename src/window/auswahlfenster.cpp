#include "window/auswahlfenster.h"

#include "texts/messages.h"
#include "commands/renamecommands.h"
#include "commands/undocommand.h"
#include "platform/namecodec.h"
#include "platform/paths.h"
#include "window/driveselector.h"
#include "window/filelistbox.h"
#include "window/foldertree.h"
#include "window/plaintooltip.h"
#include "window/qtprompter.h"
#include "window/settingsstore.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace namlex {

AuswahlFenster::AuswahlFenster(const WindowServices &windowServices, QWidget *parent)
    : QWidget(parent)
    , services(windowServices)
    , workingFolder(platform::workingFolder())
    , ownPrompter(services.prompter ? nullptr : std::make_unique<QtPrompter>(this))
    , prompter(services.prompter ? *services.prompter : *ownPrompter)
{
    setObjectName(u"AuswahlFenster"_s);
    setWindowTitle(u"Namlex"_s);
    setWindowIcon(QIcon(u":/namlex/namlex.png"_s));
    setFixedSize(585, 396);
    ui.setUp(this, services.volumes);

    // Until load() shows the first folder, the selector stands on the drive
    // the program was started from. Nothing is listed yet: that folder is
    // seldom the one the window opens on.
    ui.Drive1->setDrive(workingFolder);

    connect(ui.Drive1, &DriveSelector::changed, this, &AuswahlFenster::onDrive1Change);
    connect(ui.Dir1, &FolderTree::changed, this, &AuswahlFenster::onDir1Change);
    connect(ui.File1, &FileListBox::fileClicked, this, &AuswahlFenster::onFile1Click);
    connect(ui.File1, &FileListBox::menuRequested, this, &AuswahlFenster::onFile1Menu);
    connect(ui.AppPath, &QAbstractButton::clicked, this, &AuswahlFenster::onAppPathClick);
    connect(ui.Option1, &QAbstractButton::clicked, this,
            [this] { onFilterChosen(u"*.mp3;*.wma"_s); });
    connect(ui.Option2, &QAbstractButton::clicked, this, [this] { onFilterChosen(u"*.*"_s); });
    connect(ui.ZahlenLöschen, &QAbstractButton::clicked, this,
            [this] { runCommand(runNumbersCommand); });
    connect(ui.USLöschen, &QAbstractButton::clicked, this,
            [this] { runCommand(runUnderscoresCommand); });
    connect(ui.BeidesLöschen, &QAbstractButton::clicked, this,
            [this] { runCommand(runBothCommand); });
    connect(ui.Dir1, &FolderTree::openFailed, this, [this](const QString &folder) {
        prompter.ask(messages::folderCannotBeOpened(folder));
    });
    connect(ui.Timer1, &QTimer::timeout, this, &AuswahlFenster::onTimer1Tick);
    // Ctrl+Z anywhere in the window undoes the last rename run.
    auto *undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, [this] { runCommand(runUndoCommand); });
    connect(ui.File1, &FileListBox::backgroundListed, this, &AuswahlFenster::onBackgroundListing);

    // Key preview: the window sees every key before the control with the focus.
    QApplication::instance()->installEventFilter(this);
    ui.Timer1->start();
    ui.ZahlenLöschen->setFocus();
}

void AuswahlFenster::load(const std::optional<StartPath> &start)
{
    ui.Hilfe->setToolTip(messages::helpToolTip());
    // The first tool tips name the folder the program was started in.
    const QString folderTip = plainToolTip(platform::displayName(workingFolder));
    ui.Dir1->setToolTip(folderTip);
    ui.PfadAnz->setToolTip(folderTip);
    ui.Drive1->setToolTip(ui.Drive1->drive());
    setWindowTitle(windowTitle() + u' ' + services.version);

    // A folder named on the command line comes before the stored one. A
    // missing, empty or unusable setting, or a stored folder on a drive that
    // is not ready, falls back without a word.
    QStringList candidates;
    if (start)
        candidates.append(start->folder);
    else if (const std::optional<QString> stored = services.settings.readFolder())
        candidates.append(*stored);
    candidates += services.fallbackFolders;
    candidates.append(services.programFolder);
    for (const QString &folder : std::as_const(candidates)) {
        if (ui.Drive1->isReadyFor(folder) && ui.Dir1->setPath(folder)) {
            showFolder(folder);
            break;
        }
    }
    // A file named on the command line is selected, if the filter lists it.
    if (start && !start->file.isEmpty()) {
        const int index = int(ui.File1->names().indexOf(start->file));
        if (index >= 0)
            ui.File1->setListIndex(index);
    }
}

// The path label takes the folder as it was given; the selector takes its drive.
void AuswahlFenster::showFolder(const QString &folder)
{
    ui.PfadAnz->setText(platform::displayName(folder));
    ui.Drive1->setDrive(folder);
    FileInfoAktualisieren();
}

void AuswahlFenster::closeEvent(QCloseEvent *event)
{
    services.settings.writeFolder(ui.Dir1->path());
    event->accept();
}

QString AuswahlFenster::folderPath() const
{
    return ui.Dir1->path();
}

bool AuswahlFenster::allFilesSelected() const
{
    return ui.Option2->isChecked();
}

bool AuswahlFenster::musicOnlySelected() const
{
    return ui.Option1->isChecked();
}

bool AuswahlFenster::onlyWithLeadingZero() const
{
    return ui.NurMitNull->checkState() == Qt::Checked;
}

} // namespace namlex
