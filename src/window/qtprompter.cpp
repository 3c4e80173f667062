#include "window/qtprompter.h"

#include <QAbstractButton>
#include <QMessageBox>

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

} // namespace

QtPrompter::QtPrompter(QWidget *parent)
    : parent_(parent)
{ }

Answer QtPrompter::ask(const Message &message)
{
    QMessageBox box(parent_);
    box.setWindowTitle(message.title);
    // File names may look like markup; they are shown as they are.
    box.setTextFormat(Qt::PlainText);
    // Whether a lone "\r" breaks the line depends on the style; "\n" always does.
    box.setText(QString(message.text).replace(u'\r', u'\n'));
    box.setIcon(boxIcon(message.icon));
    box.setDetailedText(message.details);

    if (message.buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(u"Ja"_s);
        box.button(QMessageBox::No)->setText(u"Nein"_s);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(u"OK"_s);
    }
    box.setDefaultButton(message.defaultButton() == Answer::Yes ? QMessageBox::Yes
                                                                : QMessageBox::Ok);
    box.exec();

    if (message.buttons == Buttons::Ok)
        return Answer::Ok;
    // Closing the box without a button counts as No, like Escape.
    return box.clickedButton() == box.button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
}

} // namespace namlex
