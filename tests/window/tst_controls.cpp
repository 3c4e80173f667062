#include "testregistry.h"

#include "platform/namecodec.h"
#include "platform/paths.h"
#include "window/driveselector.h"
#include "window/filelistbox.h"
#include "window/foldertree.h"
#include "window/qtprompter.h"
#include "window/volumesource.h"
#include "window/wrappingcheckbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using namespace namlex;

namespace {

struct FakeVolumes : VolumeSource
{
    QList<platform::Volume> list;
    QString unreadyRoot;
    mutable int reads = 0;
    QList<platform::Volume> volumes() const override { return ++reads, list; }
    bool isReady(const platform::Volume &v) const override { return v.rootPath != unreadyRoot; }
};

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestControls : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> temp;
    QString root() const { return temp->path(); }
    // "~" in test data stands for the temporary folder.
    QString at(QString path) const { return path.replace(u'~', root()); }
    // Two volumes on temporary folders; the second has no medium.
    FakeVolumes twoVolumes() const
    {
        FakeVolumes source;
        source.list = {{at(u"~/A"_s), u"Alpha"_s}, {at(u"~/B"_s), QString()}};
        source.unreadyRoot = at(u"~/B"_s);
        return source;
    }

private Q_SLOTS:
    void init() { temp.emplace(); }

    void folderTreeSetPath_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("expected");
        QTest::addRow("sub-folder") << u"~/a"_s << true << u"~/a"_s;
        QTest::addRow("trailing separator") << u"~/a/"_s << true << u"~/a"_s;
        QTest::addRow("doubled separators and dots") << u"~//a/./b/../b"_s << true << u"~/a/b"_s;
        QTest::addRow("same folder spelled differently") << u"~/a/.."_s << true << u"~"_s;
        QTest::addRow("dot-dot above the root") << u"/../.."_s << true << u"/"_s;
        QTest::addRow("relative path") << u"a"_s << false << u"~"_s;
        QTest::addRow("missing folder") << u"~/none"_s << false << u"~"_s;
        QTest::addRow("file instead of folder") << u"~/f"_s << false << u"~"_s;
    }
    void folderTreeSetPath()
    {
        QFETCH(QString, input);
        QFETCH(bool, accepted);
        QFETCH(QString, expected);
        QVERIFY(QDir(root()).mkpath(u"a/b"_s));
        touch(at(u"~/f"_s));
        FolderTree tree;
        QVERIFY(tree.setPath(root()));
        QStringList seen; // the path as the change handler sees it
        connect(&tree, &FolderTree::changed, &tree, [&] { seen << tree.path(); });

        QCOMPARE(tree.setPath(at(input)), accepted);
        QCOMPARE(tree.path(), at(expected));
        QCOMPARE(seen, expected == u"~" ? QStringList() : QStringList {at(expected)});
        QCOMPARE(tree.currentItem()->data(FolderTree::PathRole).toString(), at(expected));
        QCOMPARE(tree.item(0)->text(), u"/"_s);
    }

    void folderTreeOpen_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("vanishes"); // opened with Enter after it was removed
        QTest::addRow("double-click on a name that is not UTF-8") << "caf\xe9"_ba << false;
        QTest::addRow("Enter on a folder gone meanwhile") << "weg"_ba << true;
    }
    void folderTreeOpen()
    {
#ifdef Q_OS_UNIX
        QFETCH(QByteArray, name);
        QFETCH(bool, vanishes);
        const QByteArray rawPath = QFile::encodeName(root()) + '/' + name;
        QVERIFY(::mkdir(rawPath.constData(), 0755) == 0);
        // QTemporaryDir cannot remove a name that is not UTF-8.
        const auto removeRaw = qScopeGuard([&] { ::rmdir(rawPath.constData()); });
        FolderTree tree;
        QVERIFY(tree.setPath(root()));
        QListWidgetItem *entry = tree.item(tree.count() - 1);
        const QString target = platform::joinPath(root(), platform::decodeName(name));
        QCOMPARE(entry->text(), platform::decodeName(name));
        QCOMPARE(entry->data(FolderTree::PathRole).toString(), target);
        if (vanishes)
            QVERIFY(::rmdir(rawPath.constData()) == 0);

        QSignalSpy changed(&tree, &FolderTree::changed);
        QSignalSpy failed(&tree, &FolderTree::openFailed);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        tree.setCurrentItem(entry);
        const QPoint centre = tree.visualItemRect(entry).center();
        if (!vanishes) {
            QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, centre);
        } else {
            QTest::keyPress(&tree, Qt::Key_Return);
            // The window acts on the release of Enter, so the tree must let it pass.
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(&tree, &release);
            QVERIFY(!release.isAccepted());
        }
        QCOMPARE(tree.path(), vanishes ? root() : target);
        QCOMPARE(changed.size(), vanishes ? 0 : 1);
        QCOMPARE(failed.size(), vanishes ? 1 : 0);
#else
        QSKIP("Names that are not UTF-8 exist only on POSIX systems");
#endif
    }

    void fileListReread_data()
    {
        QTest::addColumn<QString>("added"); // a file added meanwhile; "-": the folder goes
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("index");
        const QStringList before {u"2 - b.MP3"_s, u"10 - a.mp3"_s};
        QTest::addRow("names unchanged") << QString() << before << 1;
        QTest::addRow("file outside the pattern added") << u"c.txt"_s << before << 1;
        QTest::addRow("matching file added")
            << u"0.wma"_s << QStringList {u"0.wma"_s} + before << -1;
        QTest::addRow("folder removed") << u"-"_s << QStringList() << -1;
    }
    void fileListReread()
    {
        QFETCH(QString, added);
        QFETCH(QStringList, names);
        QFETCH(int, index);
        for (const QString &name : {u"10 - a.mp3"_s, u"2 - b.MP3"_s, u"x.ogg"_s})
            touch(root() + u'/' + name);
        FileListBox box;
        QVERIFY(box.setPath(root()));
        QVERIFY(box.setListIndex(1));
        QSignalSpy resets(box.model(), &QAbstractItemModel::modelReset);
        QSignalSpy clicks(&box, &FileListBox::fileClicked);

        if (added == u"-")
            QVERIFY(temp->remove());
        else if (!added.isEmpty())
            touch(root() + u'/' + added);
        QCOMPARE(box.reread(), added != u"-");
        QCOMPARE(qobject_cast<QStringListModel *>(box.model())->stringList(), names);
        QCOMPARE(box.listIndex(), index);
        QCOMPARE(resets.size(), index == -1 ? 1 : 0);
        QCOMPARE(clicks.size(), 0);
    }

    void fileListSelection_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("index"); // afterwards; refused when it is not "to"
        QTest::addRow("select an entry") << -1 << 2 << 2;
        QTest::addRow("select another entry") << 0 << 1 << 1;
        QTest::addRow("clear the selection") << 1 << -1 << -1;
        QTest::addRow("same entry again") << 1 << 1 << 1;
        QTest::addRow("clear with nothing selected") << -1 << -1 << -1;
        QTest::addRow("below -1") << 1 << -2 << 1;
        QTest::addRow("past the last entry") << 1 << 3 << 1;
    }
    void fileListSelection()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, index);
        const QStringList names {u"a.mp3"_s, u"b.mp3"_s, u"c.wma"_s};
        for (const QString &name : names)
            touch(root() + u'/' + name);
        FileListBox box;
        FileList &list = box;
        box.setPattern(u"*.*"_s);
        QVERIFY(box.setPath(root()));
        list.setSelectedIndex(from);
        QSignalSpy spy(&box, &FileListBox::fileClicked);

        QCOMPARE(box.setListIndex(to), index == to);
        QCOMPARE(list.selectedIndex(), index);
        QCOMPARE(list.selectedName(), index < 0 ? QString() : names.at(index));
        QCOMPARE(spy.size(), index == from ? 0 : 1);
    }

    void driveSelectorSetDrive_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("drive"); // a change is reported when it is not "~/A [Alpha]"
        QTest::addRow("text of the other volume") << u"~/B"_s << true << u"~/B"_s;
        QTest::addRow("path on the other volume") << u"~/B/x/y"_s << true << u"~/B"_s;
        QTest::addRow("path on the selected volume") << u"~/A/x"_s << true << u"~/A [Alpha]"_s;
        QTest::addRow("text of the selected volume")
            << u"~/A [Alpha]"_s << true << u"~/A [Alpha]"_s;
        QTest::addRow("path on no volume") << u"~/AB"_s << false << u"~/A [Alpha]"_s;
    }
    void driveSelectorSetDrive()
    {
        QFETCH(QString, input);
        QFETCH(bool, accepted);
        QFETCH(QString, drive);
        FakeVolumes source = twoVolumes();
        DriveSelector selector(source);
        QCOMPARE(selector.drive(), QString());
        QVERIFY(selector.setDrive(at(u"~/A"_s)));
        QSignalSpy spy(&selector, &DriveSelector::changed);

        QCOMPARE(selector.setDrive(at(input)), accepted);
        QCOMPARE(selector.drive(), at(drive));
        QCOMPARE(spy.size(), drive == u"~/A [Alpha]" ? 0 : 1);
        QCOMPARE(source.reads, 1);
    }

    void driveSelectorFoldersAndRefill()
    {
        FakeVolumes source = twoVolumes();
        DriveSelector selector(source);
        const QString alpha = at(u"~/A [Alpha]"_s);
        QCOMPARE(selector.folderOf(alpha).value_or(QString()), at(u"~/A"_s));
        for (const QString &folder : {u"~/A/1"_s, u"~/B/x"_s, u"~/A/2"_s})
            selector.rememberFolder(at(folder));
        QCOMPARE(selector.folderOf(alpha).value_or(QString()), at(u"~/A/2"_s));
        QVERIFY(!selector.folderOf(at(u"~/B"_s))); // not ready
        QVERIFY(!selector.folderOf(at(u"~/A"_s))); // a root alone is no entry's text

        QVERIFY(selector.setDrive(alpha));
        QSignalSpy spy(&selector, &DriveSelector::changed);
        source.list.prepend({at(u"~/C"_s), QString()});
        QCOMPARE(source.reads, 1);
        selector.showPopup();
        QCOMPARE(source.reads, 2);
        QCOMPARE(selector.count(), 3);
        QCOMPARE(selector.drive(), alpha);
        QCOMPARE(spy.size(), 0);
    }

    void wrappingCheckBox()
    {
        const QString caption = u"Nur Dateien mit einer Null am Anfang bearbeiten"_s;
        WrappingCheckBox box(caption);
        box.setGeometry(0, 0, 129, 41);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        // Dark text pixels right of the indicator must span more than one line.
        const QImage image = box.grab().toImage();
        int top = image.height(), bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 20; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 100)
                    top = qMin(top, y), bottom = y;
            }
        }
        QVERIFY(bottom - top > box.fontMetrics().height() * 3 / 2);
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(127, 39));
        QVERIFY(box.isChecked());
        QCOMPARE(box.text(), caption);
    }

    void prompter_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("shownIcon");
        QTest::addColumn<QString>("press"); // a button caption, or "Esc"
        QTest::addColumn<int>("answer");
        QTest::addRow("question answered Ja")
            << int(MessageIcon::Question) << int(QMessageBox::Question) << u"Ja"_s
            << int(Answer::Yes);
        QTest::addRow("warning answered Nein")
            << int(MessageIcon::Warning) << int(QMessageBox::Warning) << u"Nein"_s
            << int(Answer::No);
        QTest::addRow("Escape answers Nein")
            << int(MessageIcon::None) << int(QMessageBox::NoIcon) << u"Esc"_s << int(Answer::No);
        QTest::addRow("error confirmed")
            << int(MessageIcon::Error) << int(QMessageBox::Critical) << u"OK"_s << int(Answer::Ok);
    }
    void prompter()
    {
        QFETCH(int, icon);
        QFETCH(int, shownIcon);
        QFETCH(QString, press);
        QFETCH(int, answer);
        const bool yesNo = press != u"OK";
        QWidget parent;
        QStringList seen; // modality, captions, default caption, icon, text
        QTimer::singleShot(0, &parent, [&] {
            auto *box = parent.findChild<QMessageBox *>();
            QStringList captions;
            for (QAbstractButton *button : box->buttons())
                captions << button->text();
            captions.sort();
            seen << QString::number(QApplication::activeModalWidget() == box) << captions.join(u'/')
                 << box->defaultButton()->text() << QString::number(box->icon()) << box->text();
            if (press == u"Esc")
                QTest::keyClick(box, Qt::Key_Escape);
            for (QAbstractButton *button : box->buttons())
                if (button->text() == press)
                    button->click();
        });

        const Answer given
            = QtPrompter(&parent).ask({u"Soll <b>x</b>\rweg?"_s, u"T"_s,
                                       yesNo ? Buttons::YesNo : Buttons::Ok, MessageIcon(icon)});
        QCOMPARE(int(given), answer);
        QCOMPARE(seen,
                 (QStringList {u"1"_s, yesNo ? u"Ja/Nein"_s : u"OK"_s, yesNo ? u"Ja"_s : u"OK"_s,
                               QString::number(shownIcon), u"Soll <b>x</b>\nweg?"_s}));
    }

    void windowIcon()
    {
        const QImage icon(u":/namlex/namlex.png"_s);
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(icon.pixelColor(0, 0), QColor(0xFF, 0xFF, 0x00));
    }
};

NAMLEX_REGISTER_TEST(TestControls)

#include "tst_controls.moc"
