#include "window/messagebox.h"

#include "window/detailtablemodel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <QTableView>
#include <QTextEdit>

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
    if (message.table)
        showTable(message.table);
    else
        setDetailedText(message.details);
}

// QMessageBox shows its details in a small text field of fixed height; a
// table of tens of thousands of files takes its place, made only as far as
// it is looked at.
void MessageBox::showTable(const std::shared_ptr<const DetailTable> &table)
{
    // A one-line text makes the box add its details button and area.
    setDetailedText(u" "_s);
    auto *text = findChild<QTextEdit *>();
    QWidget *area = text ? text->parentWidget() : nullptr;
    if (!area || !area->layout())
        return;
    text->hide();
    table_ = new QTableView(area);
    table_->setObjectName(u"DetailTable"_s);
    table_->setModel(new DetailTableModel(table, table_));
    table_->setTextElideMode(Qt::ElideMiddle);
    table_->setWordWrap(false);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    // Uniform rows keep tens of thousands of them cheap.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height()
                             + shownRows * table_->verticalHeader()->defaultSectionSize()
                             + 2 * table_->frameWidth());
    area->layout()->addWidget(table_);
    setSizeGripEnabled(true);
    for (QAbstractButton *button : buttons()) {
        if (buttonRole(button) == QMessageBox::ActionRole)
            connect(button, &QAbstractButton::clicked, this,
                    [this] { fitTable(table_->isVisible()); });
    }
}

// QMessageBox fixes its size whenever it lays itself out; with the table
// open, the box becomes resizable and wide enough for names.
void MessageBox::fitTable(bool shown)
{
    if (!shown)
        return;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect();
    const int width = std::max(this->width(), std::min(760, screen.width() * 9 / 10));
    table_->setColumnWidth(0, table_->fontMetrics().horizontalAdvance(u"zurückbenennen  "_s));
    table_->setColumnWidth(1, (width - table_->columnWidth(0)) * 2 / 7);
    table_->setColumnWidth(2, (width - table_->columnWidth(0)) * 2 / 7);
    resize(width, std::max(height(), sizeHint().height()));
}

void MessageBox::keyPressEvent(QKeyEvent *event)
{
    if (table_ && event == QKeySequence::Copy) {
        QString copied = message_.title + u"\n\n"_s + shown(message_.text) + u'\n';
        if (!message_.informative.isEmpty())
            copied += shown(message_.informative) + u'\n';
        QApplication::clipboard()->setText(copied + u'\n' + message_.table->text());
        return;
    }
    QMessageBox::keyPressEvent(event);
}

} // namespace namlex
