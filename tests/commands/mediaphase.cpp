// A run and its undo as separate processes, so that a test can unmount and
// mount the medium, or kill the run, in between. Every box is answered with
// its default button. The record lives in $XDG_DATA_HOME/Namlex, and the
// names the folder had before the run beside it.
// Usage: namlex-media-phase make FOLDER COUNT   files to rename, each holding its name
//        namlex-media-phase run FOLDER          the both command; every file must change
//        namlex-media-phase undo FOLDER         undo; every file must be back
#include "folderfilelist.h"
#include "rawfiles.h"
#include "scriptedprogress.h"
#include "scriptedprompter.h"

#include "commands/platformfiles.h"
#include "commands/renamecommands.h"
#include "commands/undocommand.h"
#include "journal/filejournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>

using namespace namlex;
using namespace namlex::test;

namespace {

QString dataFolder()
{
    return qEnvironmentVariable("XDG_DATA_HOME");
}

QString namesFile()
{
    return dataFolder() + QStringLiteral("/names-before-the-run");
}

void print(const QString &text)
{
    std::printf("%s\n", text.toLocal8Bit().constData());
}

int make(const QString &folder, int count)
{
    if (!QDir().mkpath(folder) || !QDir().mkpath(dataFolder()))
        return 1;
    QList<QByteArray> names;
    for (int i = 1; i <= count; ++i) {
        // Names beyond ASCII, as music has them, every third time.
        const QByteArray number = QByteArray::number(i).rightJustified(3, '0');
        names.append(number
                     + (i % 3 == 0 ? " - Gr\xc3\xb6\xc3\x9f"
                                     "e_\xc3\xa4_"
                                   : " - Lied_")
                     + number + ".mp3");
        writeRawFile(QFile::encodeName(folder), names.last(), names.last());
    }
    QFile file(namesFile());
    return file.open(QIODevice::WriteOnly) && file.write(names.join('\n')) > 0 ? 0 : 1;
}

int runOrUndo(const QString &folder, bool undo)
{
    QFile file(namesFile());
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    QList<QByteArray> before = file.readAll().split('\n');
    std::sort(before.begin(), before.end());

    FolderFileList list;
    list.folder = folder;
    list.patterns = {QStringLiteral("*.*")};
    list.refresh();
    FixedFolder source;
    source.path = folder;
    FixedChoices choices;
    choices.allFiles = true;
    PlatformFileSystem files;
    FileJournal journal(dataFolder() + QStringLiteral("/Namlex"));
    ScriptedPrompter prompter;
    ScriptedProgress progress;
    const CommandContext context {list, source, choices, files, journal, prompter, progress};
    undo ? runUndoCommand(context) : runBothCommand(context);
    for (const Message &message : prompter.shown)
        print(message.title + QStringLiteral(": ") + message.text + u' ' + message.informative
              + u'\n' + message.details);

    // After the run no name is left as it was; after undo every one is.
    const QByteArray raw = QFile::encodeName(folder);
    const QList<QByteArray> now = rawNames(raw);
    int wrong = 0;
    for (const QByteArray &name : now) {
        const QByteArray content = readRawFile(raw, name);
        const bool intact = undo ? content == name : before.contains(content);
        if (before.contains(name) != undo || !intact) {
            print(QStringLiteral("not as it should be: %1").arg(QString::fromUtf8(name)));
            ++wrong;
        }
    }
    if (now.size() != before.size()) {
        print(QStringLiteral("%1 files, not %2").arg(now.size()).arg(before.size()));
        ++wrong;
    }
    return wrong == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (dataFolder().isEmpty() || args.size() < 2)
        return 2;
    if (args.first() == QStringLiteral("make") && args.size() == 3)
        return make(args.at(1), args.at(2).toInt());
    if (args.first() == QStringLiteral("run") || args.first() == QStringLiteral("undo"))
        return runOrUndo(args.at(1), args.first() == QStringLiteral("undo"));
    return 2;
}
