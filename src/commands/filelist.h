#pragma once

#include <QString>
#include <QStringList>

namespace namlex {

// The file list as the rename commands see it. Indexes count from 0, and -1
// means that no entry is selected.
class FileList
{
public:
    virtual ~FileList() = default;
    virtual int count() const = 0;
    virtual int selectedIndex() const = 0;
    // Selecting an entry reacts as a user's selection does.
    virtual void setSelectedIndex(int index) = 0;
    // The selected entry's name without folder; empty when none is selected.
    virtual QString selectedName() const = 0;
    // Every entry's name, in list order.
    virtual QStringList names() const = 0;
    // Reads the folder anew.
    virtual void refresh() = 0;
    // The names the folder will hold for the list's entries once a run is
    // over, in list order: a re-read that finds exactly these need not work
    // out their order again, which the list may do meanwhile.
    virtual void expect(const QStringList &names) = 0;
};

} // namespace namlex
