#pragma once

#include <QString>

namespace namlex::bench {

// The machine, system and build a measurement was taken on, as Markdown lines.
QString machineDescription(const QString &benchFolder);

// The peak resident memory of this process so far, in MiB.
double peakResidentMiB();

// The processor time this process has used so far, all threads, in seconds.
double processCpuSeconds();

} // namespace namlex::bench
