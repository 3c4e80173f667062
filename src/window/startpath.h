#pragma once

#include <QString>

namespace namlex {

// What the command line asks to open: a folder, and maybe a file in it to
// select. Apart from the window's header, so that reading the command line
// needs no widget.
struct StartPath
{
    QString folder;
    QString file;
};

} // namespace namlex
