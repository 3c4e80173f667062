#pragma once

#include "commands/prompter.h"

#include <QString>

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
Message renameFailed(const QString &oldName);

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

// The progress dialog of a long run.
QString progressTitle();
QString progressLabel();
QString progressCancel();

} // namespace namlex::messages
