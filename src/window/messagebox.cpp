#include "window/messagebox.h"

#include "window/detailtablemodel.h"
#include "window/shownnamedelegate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// Whether "\r" breaks a line depends on the style; "\n" always does.
QString shown(const QString &text)
{
    return QString(text).replace(u'\r', u'\n');
}

// So many rows of the table show at least once the details are open, where
// the screen has the room.
constexpr int shownRows = 15;
// Fewer rows than this would not be a table worth reading.
constexpr int fewestRows = 4;
// So many rows are measured for the widths the columns want.
constexpr int measuredRows = 1000;

} // namespace

MessageBox::MessageBox(const Message &message, QWidget *parent)
    : QMessageBox(parent)
    , message_(message)
{
    setWindowTitle(message.title);
    // File names may look like markup; they are shown as they are.
    setTextFormat(Qt::PlainText);
    setText(shown(message.text));
    setInformativeText(shown(message.informative));
    setIcon(boxIcon(message.icon));
    if (message.buttons == Buttons::YesNo) {
        setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        button(QMessageBox::Yes)->setText(u"Ja"_s);
        button(QMessageBox::No)->setText(u"Nein"_s);
        setEscapeButton(QMessageBox::No);
        setDefaultButton(QMessageBox::Yes);
    } else {
        setStandardButtons(QMessageBox::Ok);
        button(QMessageBox::Ok)->setText(u"OK"_s);
        setDefaultButton(QMessageBox::Ok);
    }
    if (message.checkBox)
        setCheckBox(new QCheckBox(message.checkBox->text, this));
    if (message.table)
        showTable();
    else
        setDetailedText(message.details);
    // A click on the details button gives it the focus, and a focused button
    // of a dialog would become its default: Enter would then close the
    // details instead of answering. It stays a plain button, and the box
    // keeps its place over the window as it grows and shrinks.
    if (QAbstractButton *details = detailsButton()) {
        if (auto *push = qobject_cast<QPushButton *>(details))
            push->setAutoDefault(false);
        connect(details, &QAbstractButton::clicked, this,
                [this] { QTimer::singleShot(0, this, &MessageBox::fitTable); });
    }
}

QAbstractButton *MessageBox::detailsButton() const
{
    if (auto *buttonBox = findChild<QDialogButtonBox *>()) {
        for (QAbstractButton *button : buttonBox->buttons()) {
            if (buttonBox->buttonRole(button) == QDialogButtonBox::ActionRole)
                return button;
        }
    }
    return nullptr;
}

// QMessageBox shows its details in a small text field of fixed height; a
// table of tens of thousands of files takes its place, made when the details
// are first opened and filled only as far as it is looked at.
void MessageBox::showTable()
{
    // A one-line text makes the box add its details button and area.
    setDetailedText(u" "_s);
    auto *text = findChild<QTextEdit *>();
    details_ = text ? text->parentWidget() : nullptr;
    if (!details_ || !details_->layout())
        return;
    text->hide();
    setSizeGripEnabled(true);
}

void MessageBox::makeTable()
{
    const std::shared_ptr<const DetailTable> &table = message_.table;
    table_ = new QTableView(details_);
    table_->setObjectName(u"DetailTable"_s);
    table_->setModel(new DetailTableModel(table, table_));
    // A name keeps its start and its extension when it is shortened; a
    // reason reads from its start.
    table_->setItemDelegate(new ShownNameDelegate(table_, Qt::ElideMiddle));
    table_->setItemDelegateForColumn(int(table->headers().size()) - 1,
                                     new ShownNameDelegate(table_, Qt::ElideRight));
    table_->setWordWrap(false);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    // Uniform rows keep tens of thousands of them cheap.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().lineSpacing() + 6);
    // The columns share the box's width, so that whole rows show.
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    details_->layout()->addWidget(table_);
    // Made after the box was shown, it is not shown with it.
    table_->show();
}

bool MessageBox::tableShown() const
{
    return table_ && table_->isVisibleTo(this);
}

// With the table open the box is wide enough for the reasons and the names
// and tall enough for fifteen rows, as far as the screen has room: the box
// lies inside the screen's free area, the table with its last row and its
// scroll bar inside the box. Closed, the box goes back to its own size. Either
// way it stays centred over the window.
void MessageBox::fitTable()
{
    if (!details_)
        return;
    if (!details_->isVisibleTo(this)) {
        placeOverWindow(size());
        return;
    }
    if (!table_)
        makeTable();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // The window manager's frame takes its share of the screen too.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize room = screen()->availableGeometry().size() - frame;

    // What the columns want, measured on the first rows, where the
    // failures and their reasons stand; no name column wants more than
    // forty characters.
    const QFontMetrics metrics = table_->fontMetrics();
    const int padding = 2 * metrics.horizontalAdvance(u'x');
    const int last = int(table_->model()->columnCount()) - 1;
    QList<int> wanted(last + 1, 0);
    for (int row = 0; row < std::min(message_.table->rowCount(), measuredRows); ++row) {
        for (int column = 0; column <= last; ++column)
            wanted[column] = std::max(wanted[column],
                                      metrics.horizontalAdvance(message_.table->cell(row, column)));
    }
    int names = 0;
    for (int column = 0; column <= last; ++column) {
        wanted[column] = std::max(wanted[column] + padding,
                                  table_->horizontalHeader()->sectionSizeHint(column));
        if (column < last) {
            wanted[column]
                = std::min(wanted[column], padding + 40 * metrics.horizontalAdvance(u'x'));
            names += wanted[column];
        }
    }
    const QMargins margins = layout()->contentsMargins();
    const int around = margins.left() + margins.right() + 2 * table_->frameWidth()
                       + table_->verticalScrollBar()->sizeHint().width();
    const int width
        = std::clamp(around + names + wanted[last], std::min(800, room.width()), room.width());
    // A reason is what the user must read; the names show their start and
    // their end, and whole in their tool tips.
    const int free = width - around;
    const int reason = std::min(wanted[last], free * 6 / 10);
    for (int column = 0; column < last; ++column)
        table_->setColumnWidth(
            column, std::min(wanted[column], int(qint64(free - reason) * wanted[column] / names)));

    // As many rows as the screen leaves room for, up to fifteen.
    const int rowHeight = table_->verticalHeader()->defaultSectionSize();
    const int tableFrame
        = table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth();
    const int others = wantedHeight(tableFrame) - tableFrame;
    const int rows
        = std::clamp((room.height() - others - tableFrame) / rowHeight, fewestRows, shownRows);
    placeOverWindow(
        QSize(width, std::min(room.height(), wantedHeight(tableFrame + rows * rowHeight))));
}

// The box's height with a table of this height; the table's own area and
// then the box are laid out anew for it. The table is held to that height
// while measuring: its own size hint, taller than a few rows, would
// otherwise count as part of what surrounds it, and leave fewer rows room
// on a small screen.
int MessageBox::wantedHeight(int tableHeight)
{
    table_->setFixedHeight(tableHeight);
    details_->layout()->invalidate();
    details_->layout()->activate();
    layout()->invalidate();
    const int height = layout()->totalSizeHint().height();
    table_->setMaximumHeight(QWIDGETSIZE_MAX);
    return height;
}

// Centred over the window, as the box first opened, and inside the
// screen's free area.
void MessageBox::placeOverWindow(const QSize &size)
{
    const QRect screen = this->screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    QRect placed(QPoint(), size);
    placed.moveCenter(parentWidget() ? parentWidget()->window()->geometry().center()
                                     : screen.center());
    placed.moveTop(
        std::clamp(placed.top(), screen.top() + frame.height(),
                   std::max(screen.top() + frame.height(), screen.bottom() + 1 - placed.height())));
    placed.moveLeft(
        std::clamp(placed.left(), screen.left(),
                   std::max(screen.left(), screen.right() + 1 - frame.width() - placed.width())));
    setGeometry(placed);
}

// QMessageBox fixes its size again whenever it lays itself out. While the
// table is open that is left out, and the box keeps the size fitTable() or
// the user gave it. Putting the size back afterwards would not do: under a
// window manager the size asked for arrives only later, so the box would be
// put back to the size it had before the table.
bool MessageBox::event(QEvent *event)
{
    if (tableShown() && event->type() == QEvent::LayoutRequest)
        return QDialog::event(event);
    return QMessageBox::event(event);
}

void MessageBox::keyPressEvent(QKeyEvent *event)
{
    if (message_.table && event == QKeySequence::Copy) {
        QString copied = message_.title + u"\n\n"_s + shown(message_.text) + u'\n';
        if (!message_.informative.isEmpty())
            copied += shown(message_.informative) + u'\n';
        QApplication::clipboard()->setText(copied + u'\n' + message_.table->text());
        return;
    }
    QMessageBox::keyPressEvent(event);
}

} // namespace namlex
