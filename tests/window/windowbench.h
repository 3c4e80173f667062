#pragma once

#include "fakevolumes.h"
#include "scriptedprompter.h"

#include "hookedfiles.h"
#include "journal/filejournal.h"
#include "window/auswahlfenster.h"
#include "window/settingsstore.h"

#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <chrono>
#include <functional>
#include <memory>

namespace namlex::test {

class MemorySettings : public SettingsStore
{
public:
    std::optional<QString> stored;
    QStringList written;
    std::optional<QString> readFolder() override { return stored; }
    void writeFolder(const QString &folder) override { written.append(folder); }
};

// A window over two volumes "A" and "B", each a temporary folder; the
// program folder lies on A.
struct WindowBench
{
    QTemporaryDir dir;
    FakeVolumes volumes;
    MemorySettings settings;
    HookedFileSystem files;
    QTemporaryDir journalDir;
    FileJournal journal {journalDir.path()};
    ScriptedPrompter prompter;
    SettingsStore *store = &settings;
    std::chrono::milliseconds progressDelay {500};
    QStringList fallbackFolders;
    std::unique_ptr<AuswahlFenster> window;

    WindowBench()
    {
        for (const QString &volume : {QStringLiteral("A"), QStringLiteral("B")}) {
            QDir(dir.path()).mkpath(volume + QStringLiteral("/Musik"));
            volumes.list.append({path(volume), volume});
        }
        QDir(dir.path()).mkpath(QStringLiteral("A/Programm"));
    }
    QString path(const QString &relative) const { return dir.path() + u'/' + relative; }
    void touch(const QString &relative) const
    {
        QFile file(path(relative));
        file.open(QIODevice::WriteOnly);
        file.write(relative.toUtf8());
    }
    AuswahlFenster &open(const std::optional<QString> &stored,
                         const std::optional<AuswahlFenster::StartPath> &start = std::nullopt)
    {
        settings.stored = stored;
        window = std::make_unique<AuswahlFenster>(
            WindowServices {files, journal, volumes, *store, path(QStringLiteral("A/Programm")),
                            fallbackFolders, QStringLiteral("1.2"), &prompter, progressDelay});
        window->load(start);
        return *window;
    }
    template<typename Control>
    Control *find(const QString &name) const
    {
        return window->findChild<Control *>(name);
    }
};

} // namespace namlex::test
