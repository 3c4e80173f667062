#pragma once

#include "commands/folderaccess.h"
#include "journal/journal.h"
#include "texts/prompter.h"
#include "texts/reason.h"

#include <QList>

namespace namlex {

// What an undo will do with one entry of a recorded run.
struct UndoStep
{
    enum class What {
        RenameBack, // the file is under the run's new name
        // A file is under the run's new name that may be the run's, saved
        // anew since, as a tag editor does through a temporary file; it is
        // renamed back only if the user asks for it.
        Changed,
        AlreadyBack, // the file is under its old name: renamed back before
        NeverRenamed, // the run was cut short before it
        Fail,
    };
    JournalEntry file; // as the run recorded it
    What what = What::Fail;
    Reason problem = {}; // Fail: why
    // RenameBack and Changed: the file under the new name as it is now; only
    // while it is still there is it renamed.
    platform::FileIdentity found = {};
    // NeverRenamed: something else stands under the new name, such as the
    // empty placeholder a rename on FAT leaves when it is cut short. It is
    // not the run's file, and it stays.
    bool leftBehind = false;
};

// Whether an undo that failed this way may work later, so that the run
// stays to be undone: the run's file is still there, only its old name is
// taken, or the folder or the medium refused.
bool worthRetrying(const Reason &reason);

// How many of the steps are of the kind.
int countSteps(const QList<UndoStep> &steps, UndoStep::What what);

// How a file found now compares with the run's record of it.
enum class Likeness {
    Same, // provably, or recognisably, the file the run renamed
    Changed, // a file of the same kind, but not provably the same
    Other, // something of another kind
};
Likeness likeness(const RecordedRun &run, const platform::FileIdentity &recorded,
                  const platform::FileIdentity &now);

// The undo of a run worked out before its question: the run's entries
// newest first, each renamed back only when the file under its new name is
// the one the run renamed, simulated in that order so that a name a later
// entry frees counts as free. `withChanged`: the files changed since are
// renamed back too.
QList<UndoStep> planUndo(const RecordedRun &run, const Folder &folder, const QStringList &entries,
                         bool withChanged = false);

// The steps as the question shows them: those that cannot be undone first,
// marked, then every file renamed back.
class UndoTable : public DetailTable
{
public:
    explicit UndoTable(QList<UndoStep> steps);
    QStringList headers() const override;
    int rowCount() const override;
    QString cell(int row, int column) const override;
    bool marked(int row) const override;
    QString text() const override;

private:
    QList<UndoStep> rows_;
};

} // namespace namlex
