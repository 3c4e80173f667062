#pragma once

#include <QList>
#include <QString>

namespace namlex::bench {

// The both command in a real window (offscreen) on `folder`, with "Alle
// Dateien" chosen and every box answered Yes, in milliseconds: from the
// click to the question (the plan), from the answer to the summary (the
// run), what of the run went to its record for undo, and the whole, with
// 300 ms to read the question.
struct BothCommandTimes
{
    double question = 0;
    double run = 0;
    double record = 0;
    double total = 0;
};
BothCommandTimes timeBothCommand(const QString &folder);

// From the click on "+ Beides tun +" until the real question box, with its
// plan, is on screen, in milliseconds.
double timeToConfirmation(const QString &folder);

// The longest stretch, in milliseconds, for which the window's event loop
// was blocked around each timer re-read: with the listing unchanged, and
// with one file added or removed before each re-read.
struct RereadStalls
{
    QList<double> unchanged;
    QList<double> oneFileChanged;
};
RereadStalls measureRereadStalls(const QString &folder, int samples);

// The share of one core, in percent, that a window showing `folder` uses
// while it sits idle for `seconds`, its timer re-reading the folder.
double measureIdleShare(const QString &folder, int seconds);

// Run in a child process: opens the window on `folder`, prints "shown" once it
// is painted, lets the timer re-read twice and prints "peak <MiB>".
int runStartupChild(int argc, char **argv, const QString &folder);

} // namespace namlex::bench
