#pragma once

#include "commands/filelist.h"
#include "window/filelistbox.h"

namespace namlex {

// The file list as the commands see it, over the widget's own vocabulary.
class FileListAdapter : public FileList
{
public:
    explicit FileListAdapter(FileListBox &box)
        : box(box)
    { }

    int count() const override { return box.listCount(); }
    int selectedIndex() const override { return box.listIndex(); }
    void setSelectedIndex(int index) override { box.setListIndex(index); }
    QString selectedName() const override { return box.fileName(); }
    QStringList names() const override { return box.names(); }
    void refresh() override { box.reread(); }
    void expect(const QStringList &names) override { box.expect(names); }

private:
    FileListBox &box;
};

} // namespace namlex
