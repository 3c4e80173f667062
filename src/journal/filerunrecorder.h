#pragma once

#include "journal/journal.h"
#include "journal/journalformat.h"

#include <QFile>

#include <future>
#include <memory>
#include <set>

namespace namlex {

class RecordFolder;

// Records one run in its own file, line by line, each line with a checksum:
//   NAMLEX-UNDO 2                               the format's version
//   R <started ms> <folder> <command>           the run
//   P <index> <old> <new> <identity>            one line per planned rename
//   B <count>                                   the plan is complete
//   P <index> <old> <new> <identity>            an entry planned anew
//   D <first> <last>                            the planned entries from first
//                                               to last were renamed
//   F <index>                                   failed
//   E                                           the run is over
//   S <index>                                   an undo settled the entry
// Names are hexadecimal bytes. The plan is written and reaches the disk on a
// worker thread while the user reads the question, and the first rename
// waits for it; what happens is appended as the run goes, and flushed at
// its end. After a crash the record simply stops, maybe within a line.
class FileRunRecorder : public RunRecorder
{
public:
    // Writes the plan into `record`, a new file this program holds; with
    // `problem` set, the run is not recorded.
    FileRunRecorder(std::unique_ptr<QFile> record, platform::Problem problem,
                    const RecordFolder &folder, const QString &runFolder, const QString &command,
                    const QList<JournalEntry> &planned);
    ~FileRunRecorder() override;
    FileRunRecorder(const FileRunRecorder &) = delete;
    FileRunRecorder &operator=(const FileRunRecorder &) = delete;

    platform::Problem problem() const override { return problem_; }
    bool begin() override;
    void replanned(const QList<JournalEntry> &entries) override;
    void renamed(int index) override;
    void failed(int index) override;

private:
    // Waits for the worker that writes the plan; false, with the record
    // given up, when the plan is not on disk.
    bool planOnDisk();
    // Ends the range of renamed entries that renamed() gathers.
    void closeRange();
    void write();

    std::unique_ptr<QFile> record_; // null: the run is not recorded
    platform::Problem problem_;
    std::future<bool> onDisk_;
    journalformat::LineWriter outcomes_;
    std::set<int> planned_; // every entry a plan line names, planned anew or not
    int rangeFirst_ = -1;
    int rangeLast_ = -1;
    int renamedCount_ = 0;
};

} // namespace namlex
