#pragma once

#include "commands/commandcontext.h"

#include <QList>
#include <QStringList>

namespace namlex::test {

// A file list over a real folder, read through the platform layer, that
// records every selection made on it.
class FolderFileList : public FileList
{
public:
    QString folder;
    QStringList patterns {QStringLiteral("*.mp3"), QStringLiteral("*.wma")};
    QStringList listed;
    QList<int> selections;
    int refreshes = 0;

    int count() const override { return int(listed.size()); }
    int selectedIndex() const override { return index; }
    void setSelectedIndex(int value) override
    {
        if (value < -1 || value >= count())
            return;
        index = value;
        selections.append(value);
    }
    QString selectedName() const override { return index < 0 ? QString() : listed.at(index); }
    QStringList names() const override { return listed; }
    void refresh() override;
    void expect(const QStringList &) override { }

private:
    int index = -1;
};

class FixedFolder : public FolderSource
{
public:
    QString path;
    QString folderPath() const override { return path; }
};

class FixedChoices : public Choices
{
public:
    bool allFiles = false;
    bool leadingZeroOnly = true;
    bool allFilesSelected() const override { return allFiles; }
    bool musicOnlySelected() const override { return !allFiles; }
    bool onlyWithLeadingZero() const override { return leadingZeroOnly; }
};

} // namespace namlex::test
