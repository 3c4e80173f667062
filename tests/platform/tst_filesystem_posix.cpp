#include "platform/caseprobe.h"
#include "platform/filesystem.h"
#include "platform/folderhandle.h"
#include "platform/folderlisting.h"
#include "platform/namecodec.h"
#include "platform/paths.h"
#include "platform/renamesteps.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <functional>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace namlex::platform;
using namespace Qt::StringLiterals;

namespace {

// Creates a file under raw bytes, which QFile cannot address.
bool createFile(const QByteArray &path, const QByteArray &content = {})
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    const bool written
        = fd >= 0 && ::write(fd, content.constData(), content.size()) == content.size();
    return fd >= 0 && ::close(fd) == 0 && written;
}

// A socket bound to a path leaves a socket entry in the folder.
bool bindSocket(const QByteArray &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (fd < 0 || size_t(path.size()) >= sizeof(address.sun_path))
        return false;
    std::copy(path.begin(), path.end(), address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound;
}

// Empty when the file does not exist.
QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Marks a file immutable or append-only, or neither, as chattr does; false
// where the file system cannot.
bool setFlags(const QByteArray &path, int flags)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    int now = 0;
    bool set = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &now) == 0;
    now = (now & ~(FS_IMMUTABLE_FL | FS_APPEND_FL)) | flags;
    set = set && ::ioctl(fd, FS_IOC_SETFLAGS, &now) == 0;
    return fd >= 0 && ::close(fd) == 0 && set;
}

// Makes an entry at the path; false when it cannot.
using Entry = std::function<bool(const QByteArray &path)>;
const Entry file = [](const QByteArray &path) { return createFile(path); };
// Whether the new name is free, taken from the start, or taken by another
// program just before the last call.
enum class Target { Free, Before, Rival };

} // namespace

Q_DECLARE_METATYPE(Entry)

class TestFileSystem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void renameSteps_data()
    {
        // The answers of the calls in the order they are made, as errno
        // values; 0, or no answer left, makes the real call.
        QTest::addColumn<QList<int>>("errors");
        QTest::addColumn<Target>("target");
        QTest::addColumn<int>("error"); // what the chain answers: 0, or the last step's errno
        QTest::addColumn<QString>("calls");
        const Target none = Target::Free, before = Target::Before;
        QTest::newRow("renameat2") << QList<int>() << none << 0 << u"renameat2"_s;
        QTest::newRow("renameat2-target-exists")
            << QList<int>() << before << EEXIST << u"renameat2"_s;
        QTest::newRow("renameat2-eacces") << QList {EACCES} << none << EACCES << u"renameat2"_s;
        QTest::newRow("einval-link") << QList {EINVAL} << none << 0 << u"renameat2 link unlink"_s;
        QTest::newRow("enosys-link") << QList {ENOSYS} << none << 0 << u"renameat2 link unlink"_s;
        QTest::newRow("link-target-exists")
            << QList {EINVAL} << before << EEXIST << u"renameat2 link"_s;
        QTest::newRow("link-eacces")
            << QList {EINVAL, EACCES} << none << EACCES << u"renameat2 link"_s;
        QTest::newRow("unlink-fails-new-name-removed")
            << QList {EINVAL, 0, EACCES} << none << EACCES << u"renameat2 link unlink unlink"_s;
        QTest::newRow("eperm-placeholder-and-rename")
            << QList {EINVAL, EPERM} << none << 0 << u"renameat2 link create rename"_s;
        QTest::newRow("exdev-placeholder-and-rename")
            << QList {EOPNOTSUPP, EXDEV} << none << 0 << u"renameat2 link create rename"_s;
        QTest::newRow("placeholder-target-exists")
            << QList {EINVAL, EPERM} << before << EEXIST << u"renameat2 link create"_s;
        QTest::newRow("placeholder-eacces")
            << QList {EINVAL, EPERM, EACCES} << none << EACCES << u"renameat2 link create"_s;
        QTest::newRow("rename-over-placeholder-fails-placeholder-removed")
            << QList {EINVAL, EPERM, 0, EIO} << none << EIO
            << u"renameat2 link create rename unlink"_s;
        QTest::newRow("file-created-meanwhile-is-never-replaced")
            << QList {EINVAL, EPERM} << Target::Rival << 0 << u"renameat2 link create rename"_s;
    }

    void renameSteps()
    {
        QFETCH(QList<int>, errors);
        QFETCH(Target, target);
        QFETCH(int, error);
        QFETCH(QString, calls);
        const bool renamed = error == 0;
        QTemporaryDir dir;
        const QByteArray from = QFile::encodeName(dir.filePath(u"from.mp3"_s));
        const QByteArray to = QFile::encodeName(dir.filePath(u"to.mp3"_s));
        QVERIFY(createFile(from, "source")
                && (target != Target::Before || createFile(to, "target")));

        QStringList made;
        bool rivalCreated = false;
        const auto fake = [&](const QString &name, auto call) {
            return [&, name, call](auto... args) {
                if (name == u"rename" && target == Target::Rival)
                    rivalCreated = createFile(to, "rival");
                const int error = errors.value(made.size());
                made << name;
                return error != 0 ? error : call(args...);
            };
        };
        const RenameCalls real = systemRenameCalls(AT_FDCWD);
        const RenameCalls fakes {fake(u"renameat2"_s, real.renameNoReplace),
                                 fake(u"link"_s, real.link), fake(u"unlink"_s, real.unlink),
                                 fake(u"create"_s, real.createExclusive),
                                 fake(u"rename"_s, real.rename)};
        const int result = renameInSteps(from.constData(), to.constData(), fakes);
        // What another program created is its own.
        if (rivalCreated)
            QCOMPARE(contentOf(QFile::decodeName(to)), "rival");
        QCOMPARE(result, error);
        QCOMPARE(made.join(u' '), calls);
        // The file keeps exactly one name, an existing target is never
        // replaced, and no placeholder is left behind.
        QCOMPARE(contentOf(QFile::decodeName(from)), renamed ? "" : "source");
        QCOMPARE(QFile::exists(QFile::decodeName(to)), renamed || target == Target::Before);
        QCOMPARE(contentOf(QFile::decodeName(to)), renamed                    ? "source"
                                                   : target == Target::Before ? "target"
                                                                              : "");
    }

    // A failed rename says why, and a name that is taken, by what.
    void renameNamesTheCause_data()
    {
        QTest::addColumn<Entry>("target"); // makes what stands under the new name
        QTest::addColumn<QString>("name"); // the new name
        QTest::addColumn<Cause>("cause");
        QTest::addColumn<int>("takenBy"); // an EntryKind, or -1
        const QString to = u"to.mp3"_s;
        const Entry nothing = [](const QByteArray &) { return true; };
        QTest::newRow("file of that name")
            << file << to << Cause::NameTaken << int(EntryKind::File);
        QTest::newRow("folder of that name")
            << Entry([](const QByteArray &path) { return ::mkdir(path, 0755) == 0; }) << to
            << Cause::NameTaken << int(EntryKind::Folder);
        QTest::newRow("link of that name")
            << Entry([](const QByteArray &path) { return ::symlink("nowhere", path) == 0; }) << to
            << Cause::NameTaken << int(EntryKind::Link);
        QTest::newRow("file gone") << Entry() << to << Cause::FileGone << -1;
        QTest::newRow("name too long") << nothing << QString(300, u'x') << Cause::NameTooLong << -1;
        QTest::newRow("name with a NUL") << nothing << u"a\u0000b"_s << Cause::ImpossibleName << -1;
        QTest::newRow("name with a separator")
            << nothing << u"../to.mp3"_s << Cause::ImpossibleName << -1;
    }

    void renameNamesTheCause()
    {
        QFETCH(Entry, target);
        QFETCH(QString, name);
        QFETCH(Cause, cause);
        QFETCH(int, takenBy);
        QTemporaryDir dir;
        const QByteArray from = QFile::encodeName(dir.filePath(u"from.mp3"_s));
        // No way to make the target: the file to rename is gone instead.
        QVERIFY(!target || createFile(from, "source"));
        QVERIFY(!target || target(QFile::encodeName(dir.filePath(u"to.mp3"_s))));

        const Problem result = FolderHandle::open(dir.path())->renameNoReplace(u"from.mp3"_s, name);
        QCOMPARE(result.cause, cause);
        QCOMPARE(result.kind ? int(*result.kind) : -1, takenBy);
        QCOMPARE(contentOf(QFile::decodeName(from)), target ? "source" : "");
    }

    // Only the regular file or link that was asked about is ever deleted,
    // never what a link points to.
    void deleteOnlyFilesAndLinks_data()
    {
        QTest::addColumn<Entry>("entry"); // makes what stands under the name
        QTest::addColumn<bool>("replaced"); // another file takes the name after the question
        QTest::addColumn<bool>("deleted");
        const auto mode = [](mode_t kind) {
            return Entry(
                [kind](const QByteArray &path) { return ::mknod(path, kind | 0644, 0) == 0; });
        };
        QTest::newRow("regular file") << file << false << true;
        QTest::newRow("link to a folder") << Entry([](const QByteArray &path) {
            return ::symlink(QFile::encodeName(QFileInfo(QFile::decodeName(path)).path()), path)
                   == 0;
        }) << false << true;
        QTest::newRow("empty folder")
            << Entry([](const QByteArray &path) { return ::mkdir(path, 0755) == 0; }) << false
            << false;
        QTest::newRow("named pipe") << mode(S_IFIFO) << false << false;
        QTest::newRow("socket") << Entry(bindSocket) << false << false;
        QTest::newRow("character device") << mode(S_IFCHR) << false << false;
        QTest::newRow("write-protected file") << Entry([](const QByteArray &path) {
            return createFile(path) && ::chmod(path, 0444) == 0;
        }) << false << false;
        QTest::newRow("missing file") << Entry() << false << false;
        QTest::newRow("another file took the name") << file << true << false;
    }

    void deleteOnlyFilesAndLinks()
    {
        QFETCH(Entry, entry);
        QFETCH(bool, replaced);
        QFETCH(bool, deleted);
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath(u"entry"_s));
        if (entry && !entry(path)) {
            if (::getuid() != 0)
                QSKIP("Making a device node needs root");
            QFAIL("The entry cannot be made");
        }

        const std::optional<FolderHandle> handle = FolderHandle::open(dir.path());
        const FileIdentity asked = handle->identityOf(u"entry"_s).value_or(FileIdentity {});
        if (replaced)
            QVERIFY(createFile(path + ".new") && ::rename(path + ".new", path) == 0);
        QCOMPARE(handle->deleteFile(u"entry"_s, asked).ok(), deleted);
        struct stat info = {};
        QCOMPARE(::lstat(path, &info) == 0, !deleted && entry);
        // A link's target stays.
        QVERIFY(::lstat(QFile::encodeName(dir.path()), &info) == 0 && S_ISDIR(info.st_mode));
    }

    // Some renames and deletions the system refuses for the file's own sake:
    // the plan foresees them, and the error says so, not that the folder is
    // closed to the user.
    void theFileItselfRefuses_data()
    {
        QTest::addColumn<int>("fileFlags"); // as chattr sets them
        QTest::addColumn<int>("folderFlags");
        QTest::addColumn<int>("owner"); // of the file in a folder with the sticky bit; -1: none
        QTest::addColumn<Cause>("foreseen");
        QTest::addColumn<Cause>("cause");
        const int nobody = 65534;
        QTest::newRow("immutable file")
            << FS_IMMUTABLE_FL << 0 << -1 << Cause::FileProtected << Cause::FileProtected;
        QTest::newRow("append-only file")
            << FS_APPEND_FL << 0 << -1 << Cause::FileProtected << Cause::FileProtected;
        QTest::newRow("a file in an immutable folder")
            << 0 << FS_IMMUTABLE_FL << -1 << Cause::None << Cause::NoPermission;
        QTest::newRow("another user's file, the folder with the sticky bit")
            << 0 << 0 << 0 << Cause::OwnedByOther << Cause::OwnedByOther;
        QTest::newRow("the user's own file, the folder with the sticky bit")
            << 0 << 0 << nobody << Cause::None << Cause::None;
    }

    void theFileItselfRefuses()
    {
        QFETCH(int, fileFlags);
        QFETCH(int, folderFlags);
        QFETCH(int, owner);
        QFETCH(Cause, foreseen);
        QFETCH(Cause, cause);
        if (::geteuid() != 0)
            QSKIP("Setting flags, owners and the user to check as needs root");
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.filePath(u"Ordner"_s));
        const QByteArray from = folder + "/from.mp3";
        QVERIFY(::chmod(QFile::encodeName(dir.path()), 0755) == 0
                && ::mkdir(folder, owner < 0 ? 0755 : 01777) == 0
                && ::chmod(folder, owner < 0 ? 0755 : 01777) == 0 && createFile(from));
        QVERIFY(owner < 0 || ::chown(from, uid_t(owner), gid_t(-1)) == 0);
        // Whatever the outcome, the user is root again and the flags are
        // cleared, so that the folder can be removed.
        const auto restore = qScopeGuard([&] {
            if (::seteuid(0) != 0)
                qFatal("Cannot become root again");
            setFlags(from, 0);
            setFlags(folder, 0);
        });
        if (!setFlags(from, fileFlags) || !setFlags(folder, folderFlags))
            QSKIP("This file system does not keep such flags");
        // The sticky bit holds for others than root.
        QVERIFY(owner < 0 || ::seteuid(65534) == 0);

        const std::optional<FolderHandle> handle = FolderHandle::open(QFile::decodeName(folder));
        const std::optional<EntryState> state = handle->stateOf(u"from.mp3"_s);
        QVERIFY(state);
        QCOMPARE(state->protection, foreseen);
        QCOMPARE(handle->renameNoReplace(u"from.mp3"_s, u"to.mp3"_s).cause, cause);
        if (cause != Cause::None)
            QCOMPARE(handle->deleteFile(u"from.mp3"_s, state->identity).cause, cause);
    }

    // Whether a folder folds letter case is learnt by looking an entry up in
    // the other case; a lookup that proves nothing leaves it unknown.
    void letterCaseIsLearntFromTheFolder_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("found"); // names a lookup finds
        QTest::addColumn<QStringList>("failing"); // names whose lookup fails; others are missing
        QTest::addColumn<int>("letterCase"); // a NameRules::LetterCase, or -1: not learnt
        using Case = NameRules::LetterCase;
        const QStringList titel {u"Titel.mp3"_s};
        QTest::newRow("found in the other case, as FUSE finds it under another node number")
            << titel << QStringList {u"Titel.mp3"_s, u"tITEL.MP3"_s} << QStringList()
            << int(Case::Folded);
        QTest::newRow("missing in the other case")
            << titel << titel << QStringList() << int(Case::Sensitive);
        QTest::newRow("the other case cannot be looked up")
            << titel << titel << QStringList {u"tITEL.MP3"_s} << -1;
        QTest::newRow("one lookup fails, the next entry proves it")
            << QStringList {u"a"_s, u"b"_s} << QStringList {u"a"_s, u"b"_s} << QStringList {u"A"_s}
            << int(Case::Sensitive);
        QTest::newRow("the entry is gone since the listing")
            << titel << QStringList() << QStringList() << -1;
        QTest::newRow("both cases are listed, or no letter at all")
            << QStringList {u"a"_s, u"A"_s, u"01"_s} << QStringList {u"a"_s, u"A"_s, u"01"_s}
            << QStringList() << -1;
    }

    void letterCaseIsLearntFromTheFolder()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, found);
        QFETCH(QStringList, failing);
        QFETCH(int, letterCase);
        const std::optional<NameRules::LetterCase> learnt
            = letterCaseOfFolder(entries, [&](const QString &name) {
                  return found.contains(name)     ? Lookup::Found
                         : failing.contains(name) ? Lookup::Failed
                                                  : Lookup::Missing;
              });
        QCOMPARE(learnt ? int(*learnt) : -1, letterCase);
    }

    // ext4 gives a freed inode number to the next new file: only the file
    // whose whole identity matches, birth time, device and kind too, is
    // deleted.
    void deleteWantsTheWholeIdentity()
    {
        QTemporaryDir dir;
        QVERIFY(createFile(QFile::encodeName(dir.filePath(u"entry"_s))));
        const std::optional<FolderHandle> handle = FolderHandle::open(dir.path());
        const FileIdentity asked = handle->identityOf(u"entry"_s).value_or(FileIdentity {});
        FileIdentity born = asked, device = asked, kind = asked;
        ++born.bornNs;
        ++device.device;
        kind.kind = EntryKind::Other;
        for (const FileIdentity &other : {born, device, kind})
            QCOMPARE(handle->deleteFile(u"entry"_s, other).cause, Cause::FileReplaced);
        QVERIFY(handle->deleteFile(u"entry"_s, asked).ok());
    }

    // Names that are not valid UTF-8 are listed, renamed and deleted byte for
    // byte, in a folder whose own name is not UTF-8 either.
    void rawNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("newName");
        QTest::newRow("latin1-umlaut") << "Lied \xe4.mp3"_ba
                                       << "Lied \xe4 2.mp3"_ba;
        QTest::newRow("bom-bytes") << "\xff\xfe_x.mp3"_ba
                                   << "\xff\xfe x.mp3"_ba;
        QTest::newRow("lone-continuation") << "\x80.mp3"_ba
                                           << "_\x80.mp3"_ba;
        QTest::newRow("emoji-low-half-in-escape-range") << "\xf0\x9f\x92\x80.mp3"_ba
                                                        << "\xf0\x9f\x92\x80\x80.mp3"_ba;
    }

    void rawNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, newName);
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()) + "/Ordner \xe4";
        const QString decoded = decodeName(folder);
        QVERIFY(::mkdir(folder, 0755) == 0 && createFile(folder + '/' + name));
        // A link to a folder is deleted as a file; the folder stays.
        QVERIFY(::symlink(folder, folder + "/link") == 0);
        QCOMPARE(listFiles(decoded, {u"*.mp3"_s}).value_or(QStringList()),
                 QStringList {decodeName(name)});

        const std::optional<FolderHandle> handle = FolderHandle::open(decoded);
        QVERIFY(handle->renameNoReplace(decodeName(name), decodeName(newName)).ok());
        QCOMPARE(listFiles(decoded, {u"*.mp3"_s}).value_or(QStringList()),
                 QStringList {decodeName(newName)});

        const QString previous = workingFolder();
        QVERIFY(::chdir(folder) == 0);
        QCOMPARE(workingFolder(), decoded);
        QVERIFY(::chdir(QFile::encodeName(previous)) == 0);

        const auto remove = [&](const QByteArray &entry) {
            const std::optional<FileIdentity> identity = handle->identityOf(decodeName(entry));
            return identity && handle->deleteFile(decodeName(entry), *identity).ok();
        };
        QVERIFY(!remove(name));
        QVERIFY(remove(newName));
        QVERIFY(remove("link"));
        QVERIFY(::rmdir(folder) == 0); // fails unless the folder is empty
    }
};

QTEST_MAIN(TestFileSystem)
#include "tst_filesystem_posix.moc"
