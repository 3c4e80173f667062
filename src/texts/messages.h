#pragma once

#include "journal/journal.h"
#include "platform/problem.h"
#include "texts/prompter.h"
#include "texts/reason.h"

#include <QString>
#include <QStringList>

// Every text the program shows, in one place. Names in the texts are shown
// as the file list shows them.
namespace namlex::messages {

// The kinds of box the program shows.
Message question(const QString &text, const QString &title); // Yes/No, question icon
Message warningQuestion(const QString &text, const QString &title); // Yes/No, warning icon
Message report(const QString &text, const QString &title); // OK, no icon
Message errorReport(const QString &text, const QString &title); // OK, error icon

// Why something cannot be done to a file, or may not work, in a sentence.
QString causeText(const Reason &reason);

// The rename commands.
Message noFilesInFolder();
Message noFilesShown();
Message bothQuestion();
Message bothQuestionAllFiles();
Message numbersQuestion();
Message underscoresQuestion();
Message singleQuestionAllFiles();
Message numberingFailed(const QString &name);
// The details name the new name and the cause.
Message renameFailed(const QString &oldName, const QString &newName, const Reason &problem);

// The line below a run's question: how many files it renames, keeps and
// cannot rename.
QString planCounts(int renames, int kept, int failures, int uncertain);
// A second line, when the run cannot be recorded for undo.
QString notRecordedWarning(const platform::Problem &problem);
// The columns of a run's plan: what happens, the old and the new name, why.
QStringList planHeaders();
// The columns of an undo's table: what happens, the name now, the old name,
// why.
QStringList undoHeaders();
// Asked before the first rename when the record fails after the question.
Message goOnWithoutRecord(const platform::Problem &problem);
// What the tables call a step, in the infinitive: "umbenennen".
QString renameStep();
QString failStep();
QString uncertainStep();
QString renameBackStep();
QString changedStep();
QString keepStep();

// Counts of one finished run. "failed" entries are neither renamed nor
// unchanged: their files keep the old name.
struct Tally
{
    int visited = 0;
    int unchanged = 0;
    int failed = 0;
    int numberingRemoved = 0; // renamed entries whose numbering was removed
    int underscoresReplaced = 0; // renamed entries whose underscores were replaced

    int renamed() const { return visited - unchanged - failed; }
};

Message bothSummary(const Tally &tally);
Message singleSummary(const Tally &tally);
// The line under a summary: how the run can be undone, or why it cannot.
QString undoLine();
QString notRecorded(const platform::Problem &problem);
// A line below a summary, when the record lost part of the run.
QString recordIncomplete(const platform::Problem &problem);
// The columns of the table of files a run could not rename.
QStringList failureHeaders();

// Undoing the last run.
Message nothingToUndo();
Message runStillGoing(const RecordedRun &run);
Message runNotUndoable(const RecordedRun &run);
Message folderOfRunUnreachable(const RecordedRun &run);
struct UndoCounts
{
    int renames = 0; // the files that will get their old names back
    int left = 0; // those that will not; why is in the table
    // Those changed since, renamed back only when the user ticks the
    // question's check box.
    int changed = 0;
    bool questionOpenHere = false; // see UndoableRun::questionOpenHere()
};
Message undoQuestion(const RecordedRun &run, const UndoCounts &counts);

struct UndoTally
{
    struct Failure
    {
        JournalEntry file;
        Reason problem;
    };
    int restored = 0;
    QList<Failure> failures;
    int kept = 0; // failures that a later Ctrl+Z can try again
    int changedKept = 0; // files changed since, left under their new names as the user chose
    // Files back under their old names whose new names something else holds.
    QList<JournalEntry> leftBehind;
};
Message undoSummary(const UndoTally &tally);
// The file list's menu entry for Ctrl+Z: "Rückgängig: Beides tun, 12 Dateien",
// with the files the undo would rename back, or "Rückgängig" when there is no
// run to undo.
QString undoMenuEntry(const QString &command, int files);
// A recorded command as the menu and the undo question name it: "Beides tun".
QString commandName(const QString &command);
// Ctrl+Z when the newest run has no file to rename back: why. `renamedBefore`:
// an earlier undo gave its files their old names; `left`: files that cannot
// get their old names back, listed in the details.
Message nothingToRenameBack(const RecordedRun &run, bool renamedBefore, int left);
// A line added to the undo summary when the undo was stopped with files left.
QString undoStopped(int left);
QString undoMenuEntry();
QString deleteMenuEntry();

// Deleting a file.
Message deleteQuestion(const QString &name);
Message deleteFailed(const platform::Problem &problem);

// Browsing.
Message driveNotReady();
Message folderCannotBeOpened(const QString &folder);
QString helpToolTip();

// The summary label for the two filters.
QString musicFilesSummary(int count);
QString allFilesSummary(int count);

// The command line.
QString commandLineHelp();
QString noSuchPath(const QString &path);
QString cannotOpen(const QString &path);
QString tooManyArguments();
QString unknownOption(const QString &option);
QString missingValue(const QString &option); // "-platform" as the last argument
QString unexpectedValue(const QString &option); // "--help=1"
QString badCommandLine(const QString &reason);
QString emptyPath();
QString pathTooLong(const QString &path);
QString noPermission(const QString &path);
QString cannotRead(const QString &path, int systemError);

// The progress dialog of a long run.
QString progressTitle();
QString progressLabel();
QString progressCancel();

} // namespace namlex::messages
