#include "window/qtprompter.h"

#include "window/messagebox.h"

#include <QAbstractButton>
#include <QCheckBox>

namespace namlex {

QtPrompter::QtPrompter(QWidget *parent)
    : parent_(parent)
{ }

Answer QtPrompter::ask(const Message &message)
{
    MessageBox box(message, parent_);
    box.exec();
    if (message.checkBox)
        *message.checkBox->ticked = box.checkBox()->isChecked();
    if (message.buttons == Buttons::Ok)
        return Answer::Ok;
    // Closing the box without a button counts as No, like Escape.
    return box.clickedButton() == box.button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
}

} // namespace namlex
