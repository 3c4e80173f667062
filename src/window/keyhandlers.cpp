// Keys, the periodic re-read and the commands that change files.
#include "window/auswahlfenster.h"

#include "commands/deletecommand.h"
#include "texts/messages.h"
#include "commands/renamecommands.h"
#include "commands/undocommand.h"
#include "window/filelistadapter.h"
#include "window/filelistbox.h"
#include "window/foldertree.h"
#include "window/renameprogress.h"

#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>

namespace namlex {

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

bool AuswahlFenster::eventFilter(QObject *watched, QEvent *event)
{
    // Keys held while the window loses the focus, e.g. to a message box,
    // are released elsewhere.
    if (watched == this && event->type() == QEvent::WindowDeactivate)
        pressedKeys.clear();
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    // A key event travels up from the focused control to its parents; take it
    // once, where it starts, and only inside this window.
    QWidget *target = focusWidget() ? focusWidget() : this;
    if (watched != target)
        return false;
    const auto *keyEvent = static_cast<QKeyEvent *>(event);
    if (keyEvent->isAutoRepeat())
        return false;
    const int key = keyEvent->key();
    if (event->type() == QEvent::KeyPress) {
        // In the folder tree, Enter opens the chosen folder; that key stroke
        // belongs to the tree alone.
        if (!(target == ui.Dir1 && isEnter(key)))
            pressedKeys.insert(key);
        return false;
    }
    // A release whose press went elsewhere, such as the Enter that closed a
    // message box, is not a key stroke in this window.
    if (!pressedKeys.remove(key))
        return false;
    const bool inFileList = target == ui.File1;
    onKeyUp(key);
    if (inFileList)
        onFile1KeyUp(key);
    return false;
}

void AuswahlFenster::onKeyUp(int key)
{
    if (isEnter(key))
        runCommand(runBothCommand);
}

void AuswahlFenster::onFile1KeyUp(int key)
{
    if (key == Qt::Key_Delete)
        runCommand(runDeleteCommand);
}

// The file list's menu offers what Ctrl+Z and Delete do, for those who look
// for them there, and does exactly that. The list holds still while the menu
// is open, so that "Löschen…" deletes the file it was opened on.
void AuswahlFenster::onFile1Menu(const QPoint &at)
{
    const QScopedValueRollback<int> scope(busy, busy + 1);
    const std::optional<UndoOffer> offer = undoOffer(services.journal, services.files);
    QMenu menu(this);
    QAction *undo = menu.addAction(offer ? messages::undoMenuEntry(offer->command, offer->files)
                                         : messages::undoMenuEntry());
    undo->setShortcut(QKeySequence::Undo);
    // With nothing to rename back, Ctrl+Z still says why.
    undo->setEnabled(offer && offer->files > 0);
    QAction *remove = menu.addAction(messages::deleteMenuEntry());
    remove->setShortcut(QKeySequence::Delete);
    remove->setEnabled(ui.File1->listIndex() >= 0);
    const QAction *chosen = menu.exec(at);
    if (chosen == undo)
        runCommand(runUndoCommand);
    else if (chosen == remove)
        runCommand(runDeleteCommand);
}

// The folder is listed on a worker thread; the tick goes on in
// onBackgroundListing() once the names are there.
void AuswahlFenster::onTimer1Tick()
{
    if (busy == 0)
        ui.File1->startBackgroundListing();
}

void AuswahlFenster::onBackgroundListing(bool changed)
{
    // A command or a deletion that began meanwhile re-reads the list itself.
    if (!changed || busy > 0)
        return;
    const int index = ui.File1->listIndex();
    ui.File1->showBackgroundListing();
    // A position the shorter list no longer has is simply not restored.
    ui.File1->setListIndex(index);
}

// Busy from the first box to the end; nothing re-reads the list meanwhile.
void AuswahlFenster::runCommand(void (*command)(const CommandContext &))
{
    const QScopedValueRollback<int> scope(busy, busy + 1);
    FileListAdapter list(*ui.File1);
    RenameProgress progress(this, services.progressDelay);
    command({list, *this, *this, services.files, services.journal, prompter, progress});
}

} // namespace namlex
