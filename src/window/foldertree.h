#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace namlex {

// The folder tree: the ancestors of the current folder from the root down,
// the current folder itself and its sub-folders, as one flat, indented list.
class FolderTree : public QListWidget
{
    Q_OBJECT

public:
    // Item data: the item's full folder path and its indentation level.
    static constexpr int PathRole = Qt::UserRole;
    static constexpr int DepthRole = Qt::UserRole + 1;

    explicit FolderTree(QWidget *parent = nullptr);

    // Empty until a folder has been set.
    QString path() const;
    // Shows the folder and emits changed() before returning when it differs
    // from the one shown. False, with nothing changed, for a relative path
    // or a folder that cannot be listed.
    bool setPath(const QString &path);

Q_SIGNALS:
    void changed();
    // A user tried to open a folder that cannot be opened.
    void openFailed(const QString &path);

private:
    void rebuild(const QStringList &subfolders);
    void addEntry(const QString &path, const QString &text, int depth, const QIcon &icon);

    QString path_;
};

} // namespace namlex
