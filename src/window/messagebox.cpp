#include "window/messagebox.h"

#include "window/detailtablemodel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <QStyledItemDelegate>
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

// So many rows of the table show at least once the details are open.
constexpr int shownRows = 15;

// A name keeps its start and its extension when it is shortened; a reason
// reads from its start.
class ReasonDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideRight;
    }
};

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
    // The box's own details button shows and hides the area; the box then
    // lays itself out anew, and the table is fitted once that is done.
    if (auto *buttonBox = findChild<QDialogButtonBox *>()) {
        for (QAbstractButton *button : buttonBox->buttons()) {
            if (buttonBox->buttonRole(button) == QDialogButtonBox::ActionRole)
                connect(button, &QAbstractButton::clicked, this,
                        [this] { QTimer::singleShot(0, this, &MessageBox::fitTable); });
        }
    }
}

void MessageBox::makeTable()
{
    const std::shared_ptr<const DetailTable> &table = message_.table;
    table_ = new QTableView(details_);
    table_->setObjectName(u"DetailTable"_s);
    table_->setModel(new DetailTableModel(table, table_));
    table_->setTextElideMode(Qt::ElideMiddle);
    table_->setItemDelegateForColumn(table->headers().size() - 1, new ReasonDelegate(table_));
    table_->setWordWrap(false);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    // Uniform rows keep tens of thousands of them cheap.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().lineSpacing() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height()
                             + shownRows * table_->verticalHeader()->defaultSectionSize()
                             + 2 * table_->frameWidth());
    details_->layout()->addWidget(table_);
    // Made after the box was shown, it is not shown with it.
    table_->show();
}

bool MessageBox::tableShown() const
{
    return table_ && table_->isVisibleTo(this);
}

// With the table open the box is wide enough for names, tall enough for
// fifteen rows and no larger than the screen, and stays on it.
void MessageBox::fitTable()
{
    if (!details_ || !details_->isVisibleTo(this))
        return;
    if (!table_)
        makeTable();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QRect screen = this->screen()->availableGeometry();
    const QSize wanted(std::min(800, screen.width() * 9 / 10),
                       std::min(sizeHint().height(), screen.height() * 9 / 10));
    table_->resizeColumnToContents(0);
    const int names = (wanted.width() - table_->columnWidth(0)) * 3 / 10;
    table_->setColumnWidth(1, names);
    table_->setColumnWidth(2, names);
    QRect frame(QPoint(), wanted.expandedTo(size()));
    frame.moveCenter(parentWidget() ? parentWidget()->window()->geometry().center()
                                    : screen.center());
    frame.moveTop(std::clamp(frame.top(), screen.top(), screen.bottom() - frame.height()));
    frame.moveLeft(std::clamp(frame.left(), screen.left(), screen.right() - frame.width()));
    setGeometry(frame);
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
