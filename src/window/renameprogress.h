#pragma once

#include "commands/runprogress.h"

#include <QElapsedTimer>
#include <QPointer>

#include <chrono>

class QProgressDialog;
class QWidget;

namespace namlex {

// How the window shows a rename run. A progress dialog, modal to the
// window, appears once the run has spent `delay` renaming and about as long
// again is left, so a short run shows none, however long a box of it stayed
// open; while it is shown the window keeps repainting, and "Abbrechen" stops
// the run after the current file.
class RenameProgress : public RunProgress
{
public:
    RenameProgress(QWidget *window, std::chrono::milliseconds delay);

    void begin(int total) override;
    bool advance(int visited) override;
    void end() override;
    void pause() override;
    void resume() override;

private:
    void showDialog(int visited);

    QWidget *window;
    std::chrono::milliseconds delay;
    int total = 0;
    // Renaming time: what passed before the last box, and since it closed.
    qint64 renamingBefore = 0;
    QElapsedTimer sinceResume;
    QElapsedTimer sinceUpdate;
    QPointer<QProgressDialog> dialog;
};

} // namespace namlex
