#pragma once

#include "commands/runprogress.h"

#include <QStringList>

namespace namlex::test {

// Records the progress of a run and asks to stop once `stopAfter` entries
// are done (0: never).
class ScriptedProgress : public RunProgress
{
public:
    int stopAfter = 0;
    QStringList log;

    void begin(int total) override { log.append(QStringLiteral("begin %1").arg(total)); }
    bool advance(int visited) override
    {
        log.append(QStringLiteral("advance %1").arg(visited));
        return stopAfter == 0 || visited < stopAfter;
    }
    void end() override { log.append(QStringLiteral("end")); }
    void pause() override { log.append(QStringLiteral("pause")); }
    void resume() override { log.append(QStringLiteral("resume")); }
};

} // namespace namlex::test
