#include "platform/filesystem.h"
#include "platform/folderlisting.h"
#include "platform/namecodec.h"
#include "platform/paths.h"
#include "platform/renamesteps.h"

#include "testregistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace namlex::platform;
using namespace Qt::StringLiterals;

namespace {

bool exists(const QByteArray &path)
{
    struct stat info = {};
    return ::lstat(path.constData(), &info) == 0;
}

// Creates an empty file under raw bytes, which QFile cannot address.
bool createRaw(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

// Empty when the file does not exist.
QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::NewOnly) && file.write(content) == content.size();
}

} // namespace

class TestFileSystem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void renameSteps_data()
    {
        // An errno replaces the real call with one that fails that way; 0
        // keeps the real call. unlink is refused for the source name only.
        QTest::addColumn<int>("renameError");
        QTest::addColumn<int>("linkError");
        QTest::addColumn<int>("unlinkError");
        QTest::addColumn<int>("lstatError");
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("renamed");
        QTest::addColumn<QString>("calls");
        QTest::newRow("renameat2") << 0 << 0 << 0 << 0 << false << true << u"renameat2"_s;
        QTest::newRow("renameat2-target-exists")
            << 0 << 0 << 0 << 0 << true << false << u"renameat2"_s;
        QTest::newRow("renameat2-eacces")
            << EACCES << 0 << 0 << 0 << false << false << u"renameat2"_s;
        QTest::newRow("einval-link")
            << EINVAL << 0 << 0 << 0 << false << true << u"renameat2 link unlink"_s;
        QTest::newRow("enosys-link")
            << ENOSYS << 0 << 0 << 0 << false << true << u"renameat2 link unlink"_s;
        QTest::newRow("link-target-exists")
            << EINVAL << 0 << 0 << 0 << true << false << u"renameat2 link"_s;
        QTest::newRow("link-eacces")
            << EINVAL << EACCES << 0 << 0 << false << false << u"renameat2 link"_s;
        QTest::newRow("unlink-fails-new-name-removed")
            << EINVAL << 0 << EACCES << 0 << false << false << u"renameat2 link unlink unlink"_s;
        QTest::newRow("eperm-check-and-rename")
            << EINVAL << EPERM << 0 << 0 << false << true << u"renameat2 link lstat rename"_s;
        QTest::newRow("exdev-check-and-rename")
            << EOPNOTSUPP << EXDEV << 0 << 0 << false << true << u"renameat2 link lstat rename"_s;
        QTest::newRow("check-target-exists")
            << EINVAL << EPERM << 0 << 0 << true << false << u"renameat2 link lstat"_s;
        QTest::newRow("check-eacces")
            << EINVAL << EPERM << 0 << EACCES << false << false << u"renameat2 link lstat"_s;
    }

    void renameSteps()
    {
        QFETCH(int, renameError);
        QFETCH(int, linkError);
        QFETCH(int, unlinkError);
        QFETCH(int, lstatError);
        QFETCH(bool, targetExists);
        QFETCH(bool, renamed);
        QFETCH(QString, calls);
        QTemporaryDir dir;
        const QString from = dir.filePath(u"from.mp3"_s);
        const QString to = dir.filePath(u"to.mp3"_s);
        QVERIFY(write(from, "source"));
        QVERIFY(!targetExists || write(to, "target"));

        const RenameCalls real = systemRenameCalls();
        QStringList made;
        const auto refusing = [&made](const QString &name, int error, auto call) {
            return [&made, name, error, call](auto... args) {
                made << name;
                return error != 0 ? error : call(args...);
            };
        };
        const QByteArray fromBytes = QFile::encodeName(from);
        const auto unlink = [&](const char *path) {
            return unlinkError != 0 && fromBytes == path ? unlinkError : real.unlink(path);
        };
        const RenameCalls fakes {
            refusing(u"renameat2"_s, renameError, real.renameNoReplace),
            refusing(u"link"_s, linkError, real.link), refusing(u"unlink"_s, 0, unlink),
            refusing(u"lstat"_s, lstatError, real.lstat), refusing(u"rename"_s, 0, real.rename)};
        QCOMPARE(renameInSteps(fromBytes.constData(), QFile::encodeName(to).constData(), fakes),
                 renamed);
        QCOMPARE(made.join(u' '), calls);
        // The file keeps exactly one name, and an existing target is never replaced.
        QCOMPARE(contentOf(from), renamed ? "" : "source");
        QCOMPARE(contentOf(to), renamed ? "source" : targetExists ? "target" : "");
    }

    void deleteFile_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("file") << QByteArray("file.mp3") << true;
        QTest::newRow("non-utf8-name") << QByteArray("Lied \xe4.mp3") << true;
        QTest::newRow("link-to-folder") << QByteArray("link") << true;
        QTest::newRow("folder") << QByteArray("folder") << false;
        QTest::newRow("missing") << QByteArray("missing.mp3") << false;
    }

    void deleteFile()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, deleted);
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()) + '/';
        QVERIFY(::mkdir(folder + "folder", 0755) == 0);
        QVERIFY(::symlink(folder + "folder", folder + "link") == 0);
        QVERIFY(createRaw(folder + "file.mp3") && createRaw(folder + "Lied \xe4.mp3"));
        QCOMPARE(namlex::platform::deleteFile(decodeName(folder + name)), deleted);
        QVERIFY(!deleted || !exists(folder + name));
        QVERIFY(exists(folder + "folder"));
        // QTemporaryDir cannot remove names that are not UTF-8.
        ::unlink(folder + "Lied \xe4.mp3");
    }

    // Names that are not valid UTF-8 are listed, renamed and deleted byte for
    // byte, in a folder whose own name is not UTF-8 either.
    void rawNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("newName");
        QTest::newRow("latin1-umlaut")
            << QByteArray("Lied \xe4.mp3") << QByteArray("Lied \xe4 2.mp3");
        QTest::newRow("bom-bytes") << QByteArray("\xff\xfe_x.mp3") << QByteArray("\xff\xfe x.mp3");
        QTest::newRow("lone-continuation") << QByteArray("\x80.mp3") << QByteArray("_\x80.mp3");
        QTest::newRow("emoji-low-half-in-escape-range")
            << QByteArray("\xf0\x9f\x92\x80.mp3") << QByteArray("\xf0\x9f\x92\x80\x80.mp3");
    }

    void rawNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, newName);
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()) + "/Ordner \xe4";
        const QString decoded = decodeName(folder);
        QVERIFY(::mkdir(folder, 0755) == 0);
        QVERIFY(createRaw(folder + '/' + name));
        QCOMPARE(listFiles(decoded, {u"*.mp3"_s}).value_or(QStringList()),
                 QStringList {decodeName(name)});

        QVERIFY(renameNoReplace(joinPath(decoded, decodeName(name)),
                                joinPath(decoded, decodeName(newName))));
        QVERIFY(!exists(folder + '/' + name) && exists(folder + '/' + newName));

        const QString previous = workingFolder();
        QVERIFY(::chdir(folder) == 0);
        QCOMPARE(workingFolder(), decoded);
        QVERIFY(::chdir(QFile::encodeName(previous)) == 0);

        QVERIFY(namlex::platform::deleteFile(joinPath(decoded, decodeName(newName))));
        QVERIFY(::rmdir(folder) == 0); // fails unless the folder is empty
    }
};

NAMLEX_REGISTER_TEST(TestFileSystem)

#include "tst_filesystem_posix.moc"
