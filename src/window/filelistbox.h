#pragma once

#include "platform/folderlisting.h"

#include <QFutureWatcher>
#include <QListView>
#include <QString>

#include <optional>

class QStringListModel;

namespace namlex {

// The file list: the files of one folder that match a wildcard pattern.
class FileListBox : public QListView
{
    Q_OBJECT

public:
    explicit FileListBox(QWidget *parent = nullptr);

    QString path() const;
    // Sets the folder and re-reads it at once; false when it cannot be listed.
    bool setPath(const QString &folder);
    QString pattern() const;
    // Patterns separated by ";", e.g. "*.mp3;*.wma"; re-reads at once.
    void setPattern(const QString &patterns);
    // Reads the folder anew. Unchanged names leave the list, its selection
    // and its scroll position alone; changed names replace the list and leave
    // nothing selected. False, with an empty list, when the folder cannot be
    // listed.
    bool reread();
    // Lists the folder on a worker thread, so that a large or slow folder
    // never stalls the window, and reports it with backgroundListed().
    // Nothing starts while a listing is under way, and a listing that a
    // re-read, a new folder or a new pattern overtook is dropped. A folder
    // whose entries are the same as those shown is neither decoded nor
    // sorted, so that an idle window costs next to nothing.
    void startBackgroundListing();
    // Shows the names of the last background listing as reread() would.
    void showBackgroundListing();
    // The names the folder will hold once a rename run is over: they are
    // filtered and sorted on a worker thread while the run goes, and the next
    // re-read of the same folder and pattern that finds exactly them shows
    // them without decoding and sorting the folder again.
    void expect(const QStringList &names);

    int listCount() const;
    // The selected entry, -1 for none.
    int listIndex() const;
    // -1 clears the selection; false, with nothing changed, for an index out
    // of range.
    bool setListIndex(int index);
    // The selected entry's name, empty when none is selected.
    QString fileName() const;
    // Every entry's name, in list order.
    QStringList names() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

Q_SIGNALS:
    // The selection changed, by the user or from code; not sent when a
    // re-read drops the selection together with the old entries.
    void fileClicked();
    // A background listing is ready; unchanged, there is nothing to show.
    void backgroundListed(bool changed);
    // The list's menu is asked for, by the right mouse button or the menu
    // key, to open at this point of the screen.
    void menuRequested(const QPoint &at);

private:
    // What a listing found: the folder's raw entries and the names shown
    // from them. Empty optionals: the folder cannot be listed.
    struct Listing
    {
        platform::RawListing raw;
        std::optional<QStringList> names;
        bool changed = true;
    };
    void show(const Listing &listing);

    // The exact names; the view shows them through a model that makes
    // them readable.
    QStringListModel *model_;
    QString path_;
    QString pattern_;
    // Counts the re-reads, so that an older background listing never
    // replaces a newer list.
    quint64 generation_ = 0;
    quint64 listingGeneration_ = 0;
    QFutureWatcher<Listing> listing_;
    // The raw entries behind the names shown.
    platform::RawListing shownRaw_;
    // What expect() was told, worked out: the names to show, and their bytes.
    struct Expected
    {
        QString path;
        QString pattern;
        QStringList names;
        QSet<QByteArray> bytes;
    };
    QFuture<Expected> expected_;
};

} // namespace namlex
