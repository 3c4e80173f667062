#include "commands/plantable.h"
#include "commands/runplan.h"
#include "platform/namecodec.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace namlex;
using platform::NameRules;

namespace {

// A folder of names, each a file but "Ordner", with the rules a test gives;
// a file whose name begins with "fremd" is another user's, in a folder with
// the sticky bit.
class FakeFolder : public Folder
{
public:
    QStringList names;
    NameRules rules;
    std::optional<QStringList> entryNames() const override { return names; }
    NameRules nameRules(const QStringList &) const override { return rules; }
    std::optional<platform::FileIdentity> identityOf(const QString &name) const override
    {
        if (!names.contains(name))
            return std::nullopt;
        return platform::FileIdentity {1, names.indexOf(name) + 1, 0,
                                       name == u"Ordner" ? platform::EntryKind::Folder
                                                         : platform::EntryKind::File};
    }
    std::optional<platform::EntryState> stateOf(const QString &name) const override
    {
        const std::optional<platform::FileIdentity> identity = identityOf(name);
        if (!identity)
            return std::nullopt;
        return platform::EntryState {*identity, name.startsWith(u"fremd")
                                                    ? platform::Cause::OwnedByOther
                                                    : platform::Cause::None};
    }
    platform::Problem rename(const QString &, const QString &) override { return {}; }
    platform::Problem deleteFile(const QString &, const platform::FileIdentity &) override
    {
        return {};
    }
};

// One line per entry whose name changes: "old>new", and ": what" where it
// fails or may fail.
QStringList outline(const RunPlan &plan)
{
    using platform::Cause;
    using Kind = Reason::Kind;
    const QHash<Cause, QString> causes {{Cause::NameTaken, u"taken"_s},
                                        {Cause::ImpossibleName, u"impossible"_s},
                                        {Cause::NameTooLong, u"too long"_s},
                                        {Cause::FileGone, u"gone"_s},
                                        {Cause::NotAFile, u"not a file"_s},
                                        {Cause::NoPermission, u"no permission"_s},
                                        {Cause::OwnedByOther, u"another user's"_s}};
    const QHash<Kind, QString> kinds {{Kind::SameNewName, u"same as "_s},
                                      {Kind::NameTooLongToEdit, u"too long to edit"_s},
                                      {Kind::CaseMayClash, u"unsure, like "_s},
                                      {Kind::LengthMayNotFit, u"unsure, long"_s},
                                      {Kind::RoomMayRunOut, u"unsure, room"_s}};
    const auto said = [&](const Reason &reason) {
        return reason.kind == Kind::System
                   ? causes.value(reason.system.cause) + reason.system.otherName
                   : kinds.value(reason.kind) + reason.otherName;
    };
    QStringList lines;
    for (const PlannedEntry &entry : plan.entries) {
        if (entry.step == PlannedEntry::Step::Keep)
            continue;
        QString line = entry.file.oldName.left(12) + u'>' + entry.file.newName.left(12);
        if (!entry.problem.ok())
            line += u": "_s + said(entry.problem);
        lines.append(line);
    }
    return lines;
}

NameRules rules(NameRules::LetterCase letterCase, NameRules::Unit unit, int max = 255,
                platform::Cause unchangeable = platform::Cause::None)
{
    return {letterCase, unit, max, unchangeable};
}

} // namespace

Q_DECLARE_METATYPE(NameRules)

class TestRunPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The run is simulated entry by entry, in list order, with the folder's
    // own rules for names.
    void simulatesTheRun_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QStringList>("newNames"); // an empty one cannot be computed
        QTest::addColumn<QStringList>("others"); // further entries of the folder
        QTest::addColumn<NameRules>("rules");
        QTest::addColumn<QStringList>("outline");
        using Case = NameRules::LetterCase;
        using Unit = NameRules::Unit;
        const NameRules ext4 = rules(Case::Sensitive, Unit::Bytes);
        const NameRules fat = rules(Case::Folded, Unit::Utf16);
        const NameRules fuse = rules(Case::Unknown, Unit::Unknown);
        const QString long255(255, u'x');
        QTest::newRow("a name an earlier entry frees counts as free")
            << QStringList {u"a"_s, u"c"_s} << QStringList {u"b"_s, u"a"_s} << QStringList() << ext4
            << QStringList {u"a>b"_s, u"c>a"_s};
        QTest::newRow("a name an earlier entry takes counts as taken")
            << QStringList {u"a"_s, u"c"_s} << QStringList {u"b"_s, u"b"_s} << QStringList() << ext4
            << QStringList {u"a>b"_s, u"c>b: same as a"_s};
        QTest::newRow("a name a later entry still holds is taken")
            << QStringList {u"a"_s, u"b"_s} << QStringList {u"b"_s, u"c"_s} << QStringList() << ext4
            << QStringList {u"a>b: taken"_s, u"b>c"_s};
        QTest::newRow("an entry outside the list holds the name")
            << QStringList {u"a"_s} << QStringList {u"x"_s} << QStringList {u"x"_s} << ext4
            << QStringList {u"a>x: taken"_s};
        QTest::newRow("names that cannot exist")
            << QStringList {u"a"_s, u"b"_s, u"c"_s, u"d"_s}
            << QStringList {u"/"_s, u".."_s, u"x/y"_s, QString()} << QStringList() << ext4
            << QStringList {u"a>/: impossible"_s, u"b>..: impossible"_s, u"c>x/y: impossible"_s,
                            u"d>: too long to edit"_s};
        QTest::newRow("too long for ext4, counted in bytes")
            << QStringList {u"a"_s, u"b"_s} << QStringList {long255, long255.left(254) + u'ä'}
            << QStringList() << ext4
            << QStringList {u"a>xxxxxxxxxxxx"_s, u"b>xxxxxxxxxxxx: too long"_s};
        QTest::newRow("exFAT counts UTF-16 units: 149 characters in 289 bytes fit")
            << QStringList {u"a"_s, u"b"_s}
            << QStringList {QString(140, u'ä') + u"_123.mp3"_s, QString(256, u'x')} << QStringList()
            << fat << QStringList {u"a>ääääääääääää"_s, u"b>xxxxxxxxxxxx: too long"_s};
        QTest::newRow("a file system that does not say how it counts")
            << QStringList {u"a"_s, u"b"_s} << QStringList {QString(200, u'ä'), QString(300, u'x')}
            << QStringList() << fuse
            << QStringList {u"a>ääääääääääää: unsure, long"_s, u"b>xxxxxxxxxxxx: too long"_s};
        QTest::newRow("FAT folds case: a name in other letters is taken")
            << QStringList {u"01 - Titel.mp3"_s} << QStringList {u"Titel.mp3"_s}
            << QStringList {u"TITEL.MP3"_s} << fat
            << QStringList {u"01 - Titel.m>Titel.mp3: takenTITEL.MP3"_s};
        QTest::newRow("ext4 does not fold case")
            << QStringList {u"01 - Titel.mp3"_s} << QStringList {u"Titel.mp3"_s}
            << QStringList {u"TITEL.MP3"_s} << ext4 << QStringList {u"01 - Titel.m>Titel.mp3"_s};
        QTest::newRow("FAT folds every ASCII letter, Z too")
            << QStringList {u"1_Z"_s} << QStringList {u"Z"_s} << QStringList {u"z"_s} << fat
            << QStringList {u"1_Z>Z: takenz"_s};
        QTest::newRow("two new names in other letters on FAT")
            << QStringList {u"1_a"_s, u"2_A"_s} << QStringList {u"a"_s, u"A"_s} << QStringList()
            << fat << QStringList {u"1_a>a"_s, u"2_A>A: same as 1_a"_s};
        QTest::newRow("folding beyond ASCII depends on the file system")
            << QStringList {u"1_ä"_s} << QStringList {u"ä"_s} << QStringList {u"Ä"_s} << fat
            << QStringList {u"1_ä>ä: unsure, like Ä"_s};
        QTest::newRow("a file system that does not say whether it folds case")
            << QStringList {u"1_a"_s} << QStringList {u"a"_s} << QStringList {u"A"_s} << fuse
            << QStringList {u"1_a>a: unsure, like A"_s};
        QTest::newRow("a listed entry gone or a folder")
            << QStringList {u"weg"_s, u"Ordner"_s} << QStringList {u"w"_s, u"O"_s}
            << QStringList {u"-weg"_s} << ext4
            << QStringList {u"weg>w: gone"_s, u"Ordner>O: not a file"_s};
        QTest::newRow("a folder the user may not write to")
            << QStringList {u"1_a"_s, u"2_b"_s, u"c"_s} << QStringList {u"a"_s, u"b"_s, u"c"_s}
            << QStringList()
            << rules(Case::Sensitive, Unit::Bytes, 255, platform::Cause::NoPermission)
            << QStringList {u"1_a>a: no permission"_s, u"2_b>b: no permission"_s};
        NameRules fullFat = fat;
        fullFat.entriesMayRunOut = true;
        QTest::newRow("a FAT folder that may have no entries left for a longer name")
            << QStringList {u"A.MP3"_s, u"01 - Long name.mp3"_s, u"B_C.MP3"_s}
            << QStringList {u"A longer name.mp3"_s, u"Long name.mp3"_s, u"B C.MP3"_s}
            << QStringList() << fullFat
            << QStringList {u"A.MP3>A longer nam: unsure, room"_s, u"01 - Long na>Long name.mp"_s,
                            u"B_C.MP3>B C.MP3: unsure, room"_s};
        QTest::newRow("another user's file in a folder with the sticky bit")
            << QStringList {u"fremd_a"_s, u"2_a"_s} << QStringList {u"a"_s, u"a"_s} << QStringList()
            << ext4 << QStringList {u"fremd_a>a: another user's"_s, u"2_a>a"_s};
    }

    void simulatesTheRun()
    {
        QFETCH(QStringList, list);
        QFETCH(QStringList, newNames);
        QFETCH(QStringList, others);
        QFETCH(NameRules, rules);
        QFETCH(QStringList, outline);
        FakeFolder folder;
        folder.rules = rules;
        // "-name" stands for an entry of the list that is gone from the folder.
        for (const QString &name : list + others) {
            if (!others.contains(u'-' + name) && !name.startsWith(u'-'))
                folder.names.append(name);
        }
        const RunPlan plan = planRun(
            list,
            [&](const QString &name, bool) {
                const QString next = newNames.at(list.indexOf(name));
                return NewName {next, false, false, false, next.isEmpty()};
            },
            true, folder);
        QCOMPARE(::outline(plan), outline);
    }

    // The question's table lists the failures first, the numbering that
    // cannot be read among them; names show as the list shows them, with
    // what would break a line or reorder the text made visible.
    void tableOfThePlan()
    {
        const QStringList list {platform::decodeName("01_Lied \xe4.mp3"), u"02_b.mp3"_s, u"b.mp3"_s,
                                u"1E999_x.mp3"_s, u"03_Zeile\n2\u202E.mp3"_s};
        FakeFolder folder;
        folder.names = list;
        const auto newName = [](const QString &name, bool) {
            if (name.startsWith(u"1E999"))
                return NewName {name, false, false, true};
            return NewName {name.contains(u'_') ? name.section(u'_', 1) : name};
        };
        const PlanTable table(std::make_shared<RunPlan>(planRun(list, newName, true, folder)));
        QCOMPARE(table.counts(), u"2 Dateien werden umbenannt, 1 Datei bleibt unverändert, "
                                 u"2 Dateien können nicht umbenannt werden."_s);
        QCOMPARE(table.rowCount(), 4);
        QVERIFY(table.marked(0) && table.marked(1) && !table.marked(2));
        // Told as the error box of the run tells it.
        QCOMPARE(table.cell(0, 3), u"Der Name ist schon an eine Datei vergeben."_s);
        QCOMPARE(table.cell(1, 1), u"1E999_x.mp3"_s);
        QCOMPARE(table.cell(2, 2), u"Lied [ä].mp3"_s);
        QCOMPARE(table.cell(3, 2), u"Zeile[U+000A]2[U+202E].mp3"_s);
        // A line per row; the counts are the box's own line.
        QCOMPARE(table.text().split(u'\n', Qt::SkipEmptyParts).size(), table.rowCount());
    }
};

QTEST_MAIN(TestRunPlan)
#include "tst_runplan.moc"
