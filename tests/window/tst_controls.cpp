#include "fakevolumes.h"

#include "platform/namecodec.h"
#include "window/driveselector.h"
#include "window/filelistadapter.h"
#include "window/filelistbox.h"
#include "window/foldertree.h"
#include "window/messagebox.h"
#include "window/qtprompter.h"
#include "window/wrappingcheckbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using namespace namlex;

namespace {

// Reading the volumes can hang on a dead network mount, so the reads count.
struct CountingVolumes : test::FakeVolumes
{
    mutable int reads = 0;
    QList<platform::Volume> volumes() const override { return ++reads, list; }
};

// How the folder tree is given a folder: its path set from code, or one of
// its entries opened by the user.
enum class Open { SetPath, DoubleClick, EnterOnGoneFolder };

} // namespace

Q_DECLARE_METATYPE(Open)

// The window's own tests drive these controls through the real window; here
// are the cases it cannot reach.
class TestControls : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> temp;
    QString root() const { return temp->path(); }
    // "~" in test data stands for the temporary folder.
    QString at(QString path) const { return path.replace(u'~', root()); }

private Q_SLOTS:
    void init()
    {
        temp.emplace();
        for (const QString &name : {u"a.mp3"_s, u"b.mp3"_s, u"c.wma"_s, u"d.txt"_s})
            QVERIFY(QFile(at(u"~/"_s + name)).open(QIODevice::WriteOnly));
    }

    void folderTree_data()
    {
        QTest::addColumn<QString>("input"); // a path to set, or the entry to open
        QTest::addColumn<Open>("open");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("expected"); // "~": nothing changed or reported
        const QString undecodable = platform::decodeName("caf\xe9"_ba);
        QTest::addRow("trailing separator") << u"~/a/"_s << Open::SetPath << true << u"~/a"_s;
        QTest::addRow("doubled separators and dots")
            << u"~//a/./b/../b"_s << Open::SetPath << true << u"~/a/b"_s;
        QTest::addRow("same folder spelled differently")
            << u"~/a/.."_s << Open::SetPath << true << u"~"_s;
        QTest::addRow("dot-dot above the root") << u"/../.."_s << Open::SetPath << true << u"/"_s;
        QTest::addRow("relative path") << u"a"_s << Open::SetPath << false << u"~"_s;
        QTest::addRow("missing folder") << u"~/none"_s << Open::SetPath << false << u"~"_s;
        QTest::addRow("file instead of folder") << u"~/a.mp3"_s << Open::SetPath << false << u"~"_s;
        QTest::addRow("double-click on a name that is not UTF-8")
            << undecodable << Open::DoubleClick << true << u"~/"_s + undecodable;
        QTest::addRow("Enter on a folder gone meanwhile")
            << u"a"_s << Open::EnterOnGoneFolder << false << u"~"_s;
    }
    void folderTree()
    {
        QFETCH(QString, input);
        QFETCH(Open, open);
        QFETCH(bool, accepted);
        QFETCH(QString, expected);
        QVERIFY(QDir(root()).mkpath(u"a/b"_s));
#ifdef Q_OS_UNIX
        const QByteArray undecodable = QFile::encodeName(root()) + "/caf\xe9";
        QVERIFY(::mkdir(undecodable, 0755) == 0);
        // QTemporaryDir cannot remove a name that is not UTF-8.
        const auto removeUndecodable = qScopeGuard([&] { ::rmdir(undecodable); });
#else
        if (open == Open::DoubleClick)
            QSKIP("Names that are not UTF-8 exist only on POSIX systems");
#endif
        FolderTree tree;
        QVERIFY(tree.setPath(root()));
        QCOMPARE(tree.item(0)->text(), u"/"_s);
        QSignalSpy changed(&tree, &FolderTree::changed);
        QSignalSpy failed(&tree, &FolderTree::openFailed);
        if (open == Open::SetPath) {
            QCOMPARE(tree.setPath(at(input)), accepted);
        } else {
            const QList<QListWidgetItem *> entries
                = tree.findItems(platform::displayName(input), Qt::MatchExactly);
            QCOMPARE(entries.size(), 1);
            tree.show();
            QVERIFY(QTest::qWaitForWindowExposed(&tree));
            tree.setCurrentItem(entries.first());
            const QPoint centre = tree.visualItemRect(entries.first()).center();
            if (open == Open::DoubleClick) {
                QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, centre);
                QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, centre);
            } else {
                QVERIFY(QDir(at(u"~/a"_s)).removeRecursively());
                QTest::keyPress(&tree, Qt::Key_Return);
                // The window acts on the release of Enter, so the tree must let it pass.
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(&tree, &release);
                QVERIFY(!release.isAccepted());
            }
        }
        QCOMPARE(tree.path(), at(expected));
        QCOMPARE(changed.size(), expected == u"~" ? 0 : 1);
        QCOMPARE(failed.size(), open == Open::SetPath || accepted ? 0 : 1);
    }

    void fileListReread_data()
    {
        QTest::addColumn<QString>("added"); // a file added meanwhile; "-": the folder goes
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("index");
        const QStringList before {u"a.mp3"_s, u"b.mp3"_s, u"c.wma"_s};
        QTest::addRow("file outside the pattern added") << u"e.txt"_s << before << 1;
        QTest::addRow("matching file added")
            << u"0.wma"_s << QStringList {u"0.wma"_s} + before << -1;
        QTest::addRow("folder removed") << u"-"_s << QStringList() << -1;
    }
    void fileListReread()
    {
        QFETCH(QString, added);
        QFETCH(QStringList, names);
        QFETCH(int, index);
        FileListBox box;
        QVERIFY(box.setPath(root()));
        QVERIFY(box.setListIndex(1));
        QSignalSpy resets(box.model(), &QAbstractItemModel::modelReset);
        QSignalSpy clicks(&box, &FileListBox::fileClicked);

        QVERIFY(added == u"-" ? temp->remove()
                              : QFile(at(u"~/"_s + added)).open(QIODevice::WriteOnly));
        QCOMPARE(box.reread(), added != u"-");
        QCOMPARE(box.names(), names);
        // Unchanged names keep the selection and the view; new names drop
        // both, without reporting a click.
        QCOMPARE(box.listIndex(), index);
        QCOMPARE(resets.size(), index == -1 ? 1 : 0);
        QCOMPARE(clicks.size(), 0);
    }

    void fileListSelection_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("index"); // afterwards; refused when it is not "to"
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
        FileListBox box;
        FileListAdapter list(box); // as the commands see it
        QVERIFY(box.setPath(root()));
        list.setSelectedIndex(from);
        QSignalSpy clicks(&box, &FileListBox::fileClicked);

        QCOMPARE(box.setListIndex(to), index == to);
        QCOMPARE(list.selectedIndex(), index);
        QCOMPARE(list.selectedName(),
                 QStringList({u"a.mp3"_s, u"b.mp3"_s, u"c.wma"_s}).value(index));
        QCOMPARE(clicks.size(), index == from ? 0 : 1);
    }

    // An entry the list cuts off shows its whole name as a tool tip; over
    // any other the list's own tool tip shows.
    void fileListEntryToolTip_data()
    {
        QTest::addColumn<QString>("name"); // a file added to the folder, pointed at
        QTest::addColumn<QString>("tip"); // empty: the list's own
        const QString longName = u"e - "_s + QString(40, u'x') + u".mp3"_s;
        QTest::addRow("name that fits") << u"b.mp3"_s << QString();
        // The list sizes every entry as its last one.
        QTest::addRow("long name cut short") << u"0"_s + longName << u"0"_s + longName;
        QTest::addRow("long last name past the list's edge") << longName << longName;
        QTest::addRow("long name that looks like markup")
            << u"<i>"_s + longName
            << u"<p>&lt;i&gt;"_s + QString(longName).replace(u' ', QChar::Nbsp) + u"</p>"_s;
    }
    void fileListEntryToolTip()
    {
        QFETCH(QString, name);
        QFETCH(QString, tip);
        QVERIFY(QFile(at(u"~/"_s + name)).open(QIODevice::WriteOnly));
        FileListBox box;
        box.resize(120, 100);
        QVERIFY(box.setPath(root()));
        box.setToolTip(u"Liste"_s);
        box.QWidget::show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QModelIndex entry = box.model()->index(int(box.names().indexOf(name)), 0);
        const QPoint at = box.visualRect(entry).intersected(box.viewport()->rect()).center();
        QHelpEvent event(QEvent::ToolTip, at, box.viewport()->mapToGlobal(at));
        QApplication::sendEvent(box.viewport(), &event);
        QCOMPARE(QToolTip::text(), tip.isEmpty() ? box.toolTip() : tip);
    }

    // A drive is chosen by its entry's text or by a path on its volume; the
    // volumes are read again only when the list opens.
    void driveSelector_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("drive"); // empty: refused
        QTest::addRow("text with a label") << u"~/A [Alpha]"_s << u"~/A [Alpha]"_s;
        QTest::addRow("path on a volume") << u"~/B/x/y"_s << u"~/B"_s;
        QTest::addRow("path on no volume") << u"~/AB"_s << QString();
    }
    void driveSelector()
    {
        QFETCH(QString, input);
        QFETCH(QString, drive);
        CountingVolumes source; // the second volume has no medium
        source.list = {{at(u"~/A"_s), u"Alpha"_s}, {at(u"~/B"_s), QString()}};
        source.notReady = {at(u"~/B"_s)};
        DriveSelector selector(source);
        QCOMPARE(selector.drive(), QString());
        QCOMPARE(selector.setDrive(at(input)), !drive.isEmpty());
        QCOMPARE(selector.drive(), at(drive));
        QCOMPARE(source.reads, 1);

        for (const QString &folder : {u"~/A/1"_s, u"~/B/x"_s, u"~/A/2"_s}) {
            QVERIFY(QDir().mkpath(at(folder)));
            selector.rememberFolder(at(folder));
        }
        QCOMPARE(selector.folderOf(at(u"~/A [Alpha]"_s)).value_or(QString()), at(u"~/A/2"_s));
        // A remembered folder that has gone leaves the drive at its root.
        QVERIFY(QDir(at(u"~/A/2"_s)).removeRecursively());
        QCOMPARE(selector.folderOf(at(u"~/A [Alpha]"_s)).value_or(QString()), at(u"~/A"_s));
        QVERIFY(!selector.folderOf(at(u"~/A"_s))); // a root alone is no entry's text

        // A refill keeps the selection and reports no change.
        QSignalSpy changed(&selector, &DriveSelector::changed);
        source.list.prepend({at(u"~/C"_s), QString()});
        selector.showPopup();
        QCOMPARE(source.reads, 2);
        QCOMPARE(selector.count(), 3);
        QCOMPARE(selector.drive(), at(drive));
        QCOMPARE(changed.size(), 0);
    }

    void wrappingCheckBox()
    {
        WrappingCheckBox box(u"Nur Dateien mit einer Null am Anfang bearbeiten"_s);
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
        // The whole rectangle reacts to the mouse.
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(127, 39));
        QVERIFY(box.isChecked());
    }

    void prompter_data()
    {
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<QMessageBox::Icon>("shownIcon");
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<QString>("press"); // a button's caption; empty: Escape
        QTest::addColumn<Answer>("answer");
        QTest::addRow("question answered Ja") << MessageIcon::Question << QMessageBox::Question
                                              << Buttons::YesNo << u"Ja"_s << Answer::Yes;
        QTest::addRow("warning answered Nein") << MessageIcon::Warning << QMessageBox::Warning
                                               << Buttons::YesNo << u"Nein"_s << Answer::No;
        QTest::addRow("Escape answers Nein") << MessageIcon::None << QMessageBox::NoIcon
                                             << Buttons::YesNo << QString() << Answer::No;
        QTest::addRow("error confirmed")
            << MessageIcon::Error << QMessageBox::Critical << Buttons::Ok << u"OK"_s << Answer::Ok;
    }
    void prompter()
    {
        QFETCH(MessageIcon, icon);
        QFETCH(QMessageBox::Icon, shownIcon);
        QFETCH(Buttons, buttons);
        QFETCH(QString, press);
        QFETCH(Answer, answer);
        const bool yesNo = buttons == Buttons::YesNo;
        QWidget parent;
        QStringList seen; // modality, title, icon, text, default caption, captions
        QTimer::singleShot(0, &parent, [&] {
            auto *box = parent.findChild<QMessageBox *>();
            seen << QString::number(QApplication::activeModalWidget() == box) << box->windowTitle()
                 << QString::number(box->icon()) << box->text() << box->defaultButton()->text();
            for (QAbstractButton *button : box->buttons()) {
                seen << button->text();
                if (button->text() == press)
                    button->click();
            }
            if (press.isEmpty())
                QTest::keyClick(box, Qt::Key_Escape);
        });

        QCOMPARE(QtPrompter(&parent).ask({u"Soll <b>x</b>\rweg?"_s, u"T"_s, buttons, icon}), answer);
        QCOMPARE(seen,
                 QStringList({u"1"_s, u"T"_s, QString::number(shownIcon), u"Soll <b>x</b>\nweg?"_s})
                     + (yesNo ? QStringList {u"Ja"_s, u"Ja"_s, u"Nein"_s}
                              : QStringList {u"OK"_s, u"OK"_s}));
    }

    // A check box of a message shows unticked, and the answer says whether
    // the user ticked it.
    void prompterCheckBox_data()
    {
        QTest::addColumn<bool>("tick");
        QTest::addRow("left unticked") << false;
        QTest::addRow("ticked") << true;
    }
    void prompterCheckBox()
    {
        QFETCH(bool, tick);
        QWidget parent;
        Message message {u"Wirklich?"_s, u"T"_s, Buttons::YesNo, MessageIcon::Question};
        message.checkBox = {{u"Auch die 2 inzwischen veränderten Dateien umbenennen"_s}};
        QStringList seen; // the check box's text and whether it was ticked when shown
        QTimer::singleShot(0, &parent, [&] {
            auto *box = parent.findChild<QMessageBox *>();
            seen << box->checkBox()->text() << QString::number(box->checkBox()->isChecked());
            box->checkBox()->setChecked(tick);
            box->button(QMessageBox::Yes)->click();
        });
        QCOMPARE(QtPrompter(&parent).ask(message), Answer::Yes);
        QCOMPARE(seen, (QStringList {message.checkBox->text, u"0"_s}));
        QCOMPARE(*message.checkBox->ticked, tick);
    }

    // A plan of many files shows as a table below the question: fifteen
    // rows at least once opened, or as many as the screen has room for,
    // also below a long text; failures marked, the box resizable, and
    // Ctrl+C copies every row.
    void tableInTheDetails_data()
    {
        QTest::addColumn<QString>("informative");
        QTest::addRow("one line") << u"1 Datei"_s;
        // So tall that fifteen rows fit below it only when the table's own
        // size hint is not taken for part of the box.
        QTest::addRow("long text") << QString(u"Zeile\n"_s).repeated(20) + u"1 Datei"_s;
    }

    void tableInTheDetails()
    {
        QFETCH(QString, informative);
        class Rows : public DetailTable
        {
        public:
            QStringList headers() const override { return {u"Was"_s, u"Name"_s}; }
            int rowCount() const override { return 30000; }
            QString cell(int row, int column) const override
            {
                return column == 0 ? QString::number(row)
                                   : QString(80, u'x') + QString::number(row);
            }
            bool marked(int row) const override { return row == 0; }
            QString text() const override { return u"alle 30000 Zeilen"_s; }
        };
        QWidget parent;
        MessageBox box({u"Wirklich?"_s, u"T"_s, Buttons::YesNo, MessageIcon::Question, informative,
                        QString(), std::make_shared<Rows>()},
                       &parent);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY(!box.table());
        QAbstractButton *details = nullptr;
        for (QAbstractButton *button : box.buttons()) {
            if (box.buttonRole(button) == QMessageBox::ActionRole)
                details = button;
        }
        QVERIFY(details);
        // Opened with the mouse, the details button has the focus.
        details->setFocus(Qt::MouseFocusReason);
        details->click();
        QTRY_VERIFY(box.table() && box.table()->isVisible()
                    && box.maximumWidth() > box.minimumWidth());
        QTableView *table = box.table();
        const int free = box.screen()->availableGeometry().height() - box.frameGeometry().height();
        QVERIFY2(
            table->viewport()->height() >= 15 * table->rowHeight(0) || free < table->rowHeight(0),
            qPrintable(u"%1 px of rows, %2 px of the screen left"_s.arg(table->viewport()->height())
                           .arg(free)));
        const QModelIndex first = table->model()->index(0, 1);
        QVERIFY(table->model()->data(first, Qt::BackgroundRole).isValid());
        QVERIFY(!table->model()->data(first.siblingAtRow(1), Qt::BackgroundRole).isValid());
        QCOMPARE(table->model()->data(first, Qt::ToolTipRole).toString(), Rows().cell(0, 1));
        QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QApplication::clipboard()->text().endsWith(u"1 Datei\n\nalle 30000 Zeilen"_s));
        // Enter still answers with the default button, and the box with its
        // table lies inside the screen.
        QVERIFY(box.screen()->availableGeometry().contains(box.geometry()));
        QVERIFY(box.rect().contains(
            table->geometry().translated(table->parentWidget()->mapTo(&box, QPoint()))));
        QCOMPARE(box.defaultButton(), box.button(QMessageBox::Yes));
        QTest::keyClick(details, Qt::Key_Return);
        QCOMPARE(box.clickedButton(), box.button(QMessageBox::Yes));
    }

    void windowIcon()
    {
        const QImage icon(u":/namlex/namlex.png"_s);
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(icon.pixelColor(0, 0), QColor(0xFF, 0xFF, 0x00));
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
