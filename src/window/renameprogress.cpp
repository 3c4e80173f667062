#include "window/renameprogress.h"

#include "texts/messages.h"

#include <QCoreApplication>
#include <QProgressDialog>

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

// Events are handled this often while the dialog is shown: often enough for
// a smooth bar and a prompt "Abbrechen", rarely enough to cost nothing
// against the renames themselves.
constexpr qint64 updateIntervalMs = 25;

} // namespace

RenameProgress::RenameProgress(QWidget *window, std::chrono::milliseconds delay)
    : window(window)
    , delay(delay)
{ }

void RenameProgress::begin(int entries)
{
    total = entries;
    renamingBefore = 0;
    sinceResume.start();
}

bool RenameProgress::advance(int visited)
{
    if (!dialog) {
        // Shown once the run has taken its delay, and only if about as long
        // again is left: a dialog that would close at once only slows the
        // end of the run down.
        const qint64 renaming = renamingBefore + sinceResume.elapsed();
        if (renaming < delay.count() || renaming * (total - visited) < delay.count() * visited)
            return true;
        showDialog(visited);
    } else if (sinceUpdate.elapsed() >= updateIntervalMs) {
        dialog->setValue(visited);
        sinceUpdate.start();
        QCoreApplication::processEvents();
    }
    return !(dialog && dialog->wasCanceled());
}

void RenameProgress::end()
{
    delete dialog;
}

void RenameProgress::pause()
{
    renamingBefore += sinceResume.elapsed();
}

void RenameProgress::resume()
{
    sinceResume.start();
}

void RenameProgress::showDialog(int visited)
{
    dialog = new QProgressDialog(messages::progressLabel(), messages::progressCancel(), 0, total,
                                 window);
    dialog->setObjectName(u"RenameProgress"_s);
    // A caption of its own, so that the dialog is not taken for the window.
    dialog->setWindowTitle(messages::progressTitle());
    dialog->setWindowModality(Qt::WindowModal);
    // Shown and closed here alone, never on the dialog's own timing.
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(0);
    // Escape or the window manager's close button stop the run as "Abbrechen" does.
    QObject::connect(dialog, &QDialog::rejected, dialog, &QProgressDialog::cancel);
    dialog->setValue(visited);
    dialog->show();
    sinceUpdate.start();
    QCoreApplication::processEvents();
}

} // namespace namlex
