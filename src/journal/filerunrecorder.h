#pragma once

#include "journal/journal.h"
#include "journal/journalformat.h"

#include "platform/plainfile.h"

#include <future>
#include <memory>
#include <set>

namespace namlex {

class RecordFolder;

// Records one run in its own file, line by line, each line with a checksum:
//   NAMLEX-UNDO 3                               the format's version
//   R <started ms> <folder> <command>           the run
//   V <volume> <inodes kept> <path inside>      where the folder lies, if known
//   P <index> <old> <new> <identity>            one line per planned rename
//   B <count>                                   the plan is complete
//   L <lost>                                    1: the run went on after
//                                               the record could take no
//                                               more; it ends early
//   P <index> <old> <new> <identity>            an entry planned anew
//   D <first> <last>                            the planned entries from first
//                                               to last were renamed
//   M <index> <size> <time>                     the rename left the file
//                                               with this size and time of
//                                               change
//   F <index>                                   failed
//   E                                           the run is over
//   S <index>                                   an undo settled the entry
// Names are hexadecimal bytes. The plan is written and reaches the disk on a
// worker thread while the user reads the question, and the first rename
// waits for it; what happens is appended as the run goes, and flushed at
// its end. After a crash the record simply stops, maybe within a line.
// What cannot be written, on a full disk say, waits for the next write, so
// that the record never has a gap; when it still cannot be written at the
// end, the "L" line, written with the plan, is overwritten in place, which
// takes no more room.
// The identity is device, inode, time of birth, kind, size and time of
// change. While the question is open the record waits under a name of its
// own, so that no other window takes the question for a run.
class FileRunRecorder : public RunRecorder
{
public:
    // Writes the plan into `record`, a new file this program holds; with
    // `problem` set, the run is not recorded.
    FileRunRecorder(std::unique_ptr<platform::PlainFile> record, platform::Problem problem,
                    const RecordFolder &folder, const QString &runFolder,
                    const std::optional<platform::VolumePlace> &volume, const QString &command,
                    const QList<JournalEntry> &planned);
    ~FileRunRecorder() override;
    FileRunRecorder(const FileRunRecorder &) = delete;
    FileRunRecorder &operator=(const FileRunRecorder &) = delete;

    platform::Problem problem() const override { return problem_; }
    bool begin() override;
    platform::Problem end() override;
    void replanned(const QList<JournalEntry> &entries) override;
    void renamed(int index) override;
    void renamedAs(int index, const platform::FileIdentity &now) override;
    void failed(int index) override;

private:
    // Waits for the worker that writes the plan; false, with the record
    // given up, when the plan is not on disk.
    bool planOnDisk();
    // Ends the range of renamed entries that renamed() gathers.
    void closeRange();
    // Appends the outcomes gathered so far, and those that waited; false
    // when they wait on.
    bool write();
    // Says in the record that it ends before the run did.
    void markIncomplete();
    // Closes the record and removes it.
    void removeRecord();

    std::unique_ptr<platform::PlainFile> record_; // null: the run is not recorded
    platform::Problem problem_;
    const RecordFolder *folder_ = nullptr;
    QString path_; // where the record is now
    std::future<platform::Problem> onDisk_;
    journalformat::LineWriter outcomes_;
    std::set<int> planned_; // every entry a plan line names, planned anew or not
    int rangeFirst_ = -1;
    int rangeLast_ = -1;
    int renamedCount_ = 0;
    QByteArray waiting_; // lines that could not be written yet
    qint64 written_ = 0; // the size of the record's whole lines
    qint64 markAt_ = 0; // where the "L" line starts
    platform::Problem lost_; // why lines wait
    bool ended_ = false;
};

} // namespace namlex
