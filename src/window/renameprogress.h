#pragma once

#include "commands/runprogress.h"

#include <QElapsedTimer>
#include <QPointer>

#include <chrono>

class QProgressDialog;
class QWidget;

namespace namlex {

// A progress dialog, modal to the window, for runs that take a while.
// A short run shows nothing: the dialog appears only once the run has lasted
// `delay`. While it is shown the window keeps repainting, and "Abbrechen"
// stops the run after the current file.
class RenameProgress : public RunProgress
{
public:
    RenameProgress(QWidget *window, std::chrono::milliseconds delay);
    ~RenameProgress() override;

    void begin(int total) override;
    bool advance(int visited) override;
    void end() override;

private:
    void showDialog(int visited);

    QWidget *window;
    std::chrono::milliseconds delay;
    int total = 0;
    QElapsedTimer sinceBegin;
    QElapsedTimer sinceUpdate;
    QPointer<QProgressDialog> dialog;
};

} // namespace namlex
