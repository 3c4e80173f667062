#pragma once

#include "commands/journal.h"
#include "commands/prompter.h"
#include "platform/filesystem.h"

#include <QList>
#include <QString>

#include <optional>

namespace namlex {
struct RunPlan;
}

// Every text the program shows, in one place. Names in the texts are shown
// as the file list shows them.
namespace namlex::messages {

// The kinds of box the program shows.
Message question(const QString &text, const QString &title); // Yes/No, question icon
Message warningQuestion(const QString &text, const QString &title); // Yes/No, warning icon
Message report(const QString &text, const QString &title); // OK, no icon
Message errorReport(const QString &text, const QString &title); // OK, error icon

// The rename commands.
Message noFilesInFolder();
Message noFilesShown();
Message bothQuestion();
Message bothQuestionAllFiles();
Message numbersQuestion();
Message underscoresQuestion();
Message singleQuestionAllFiles();
Message numberingFailed(const QString &name);
// The details name the cause; an empty result: no new name could be
// computed for a name this long.
Message renameFailed(const QString &oldName, const std::optional<platform::RenameResult> &result);
// Why a rename failed, in a sentence.
QString renameCause(const std::optional<platform::RenameResult> &result);

// The details of a run's confirmation: what it will do with every entry.
QString planDetails(const RunPlan &plan);
// The most entries the plan lists one by one; the box must open at once
// even for a folder of tens of thousands of files.
inline constexpr int planLines = 1000;

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
// A line of a summary's details: whether the run can be undone.
QString undoHint();
QString notRecorded();

// Undoing the last run.
Message nothingToUndo();
Message runNotUndoable(const RecordedRun &run);
Message undoQuestion(const RecordedRun &run);

enum class UndoProblem { FileGone, OtherFileThere, RenameFailed };
struct UndoTally
{
    struct Failure
    {
        JournalEntry file;
        UndoProblem problem;
        std::optional<platform::RenameResult> result; // RenameFailed
    };
    int restored = 0;
    QList<Failure> failures;
};
Message undoSummary(const UndoTally &tally);

// Deleting a file.
Message deleteQuestion(const QString &name);
Message deleteFailed();

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
