#include "commandbench.h"

#include "commands/deletecommand.h"
#include "platform/namecodec.h"

#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace namlex;
using namespace namlex::test;

class TestDeleteCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void deletesTheSelectedFile_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<QByteArray>("selected"); // empty: nothing selected
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<Change>("whileAsking");
        QTest::addColumn<QList<QByteArray>>("remaining");
        QTest::addColumn<int>("selectedAfter");
        QTest::addColumn<QStringList>("titles");
        const QList<QByteArray> abc {"a.mp3", "b.mp3", "c.mp3"};
        const QStringList ask {u"Aufpassen!"_s};
        const QStringList refused {u"Aufpassen!"_s, u"Geht nicht!"_s};
        const Change nothing = [](Bench &) {};
        QTest::newRow("yes deletes and moves up")
            << abc << "b.mp3"_ba << Answer::Yes << nothing << QList<QByteArray> {"a.mp3", "c.mp3"}
            << 0 << ask;
        QTest::newRow("no keeps everything")
            << abc << "b.mp3"_ba << Answer::No << nothing << abc << 1 << ask;
        QTest::newRow("top entry leaves nothing selected")
            << abc << "a.mp3"_ba << Answer::Yes << nothing << QList<QByteArray> {"b.mp3", "c.mp3"}
            << -1 << ask;
        QTest::newRow("nothing selected deletes nothing")
            << abc << QByteArray() << Answer::Yes << nothing << abc << -1 << refused;
        QTest::newRow("file gone while asking")
            << abc << "b.mp3"_ba << Answer::Yes
            << Change([](Bench &bench) { ::unlink(bench.raw() + "/b.mp3"); })
            << QList<QByteArray> {"a.mp3", "c.mp3"} << 1 << refused;
        QTest::newRow("another file took the name while asking")
            << abc << "b.mp3"_ba << Answer::Yes << Change([](Bench &bench) {
                   writeRawFile(bench.raw(), "new", "new");
                   ::rename(bench.raw() + "/new", bench.raw() + "/b.mp3");
               })
            << abc << 1 << refused;
        QTest::newRow("a byte order mark makes a name of its own")
            << QList<QByteArray> {"x.mp3", "\xef\xbb\xbfx.mp3"} << "\xef\xbb\xbfx.mp3"_ba
            << Answer::Yes << nothing << QList<QByteArray> {"x.mp3"} << 0 << ask;
    }

    void deletesTheSelectedFile()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QByteArray, selected);
        QFETCH(Answer, answer);
        QFETCH(Change, whileAsking);
        QFETCH(QList<QByteArray>, remaining);
        QFETCH(int, selectedAfter);
        QFETCH(QStringList, titles);
        Bench bench(false, files);
        const QString name = platform::decodeName(selected);
        bench.list.setSelectedIndex(int(bench.list.listed.indexOf(name)));
        bench.prompter.answers = {answer};
        bench.prompter.onAsk = [&](const Message &) {
            bench.prompter.onAsk = nullptr;
            whileAsking(bench);
        };

        bench.run({runDeleteCommand});
        QCOMPARE(bench.prompter.titles(), titles);
        QCOMPARE(bench.prompter.shown.first().text,
                 u"Soll "_s + platform::displayName(name) + u" wirklich gelöscht werden?"_s);
        QCOMPARE(bench.names(), remaining);
        QCOMPARE(bench.list.selectedIndex(), selectedAfter);
        // The list is not re-read.
        QCOMPARE(bench.list.count(), files.size());
    }
};

QTEST_MAIN(TestDeleteCommand)
#include "tst_deletecommand.moc"
