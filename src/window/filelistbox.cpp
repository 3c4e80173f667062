#include "window/filelistbox.h"

#include "platform/folderlisting.h"
#include "platform/namecodec.h"
#include "platform/naturalorder.h"
#include "platform/wildcard.h"
#include "window/plaintooltip.h"
#include "window/shownnamedelegate.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QIdentityProxyModel>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStringListModel>
#include <QToolTip>
#include <QtConcurrent>

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

// The list shows the exact names through this model, made readable.
// Assistive technology reads an entry's text from the model, not from what
// the delegate paints, so only here does a screen reader tell apart what the
// eye tells apart. Everything else asks the exact names underneath.
class DisplayNames : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        const QVariant value = QIdentityProxyModel::data(index, role);
        return role == Qt::DisplayRole ? QVariant(platform::displayName(value.toString())) : value;
    }
};

// An entry that the list cuts off, shortened to fit or reaching past the
// list's edge, shows its whole name as a tool tip. Any other entry leaves
// the tip to the list, whose own tool tip names the selected file.
class NameDelegate : public ShownNameDelegate
{
public:
    explicit NameDelegate(QObject *parent)
        : ShownNameDelegate(parent)
    { }
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override
    {
        const QRect shown = option.rect.intersected(view->viewport()->rect());
        if (event->type() != QEvent::ToolTip || !index.isValid()
            || sizeHint(option, index).width() <= shown.width())
            return ShownNameDelegate::helpEvent(event, view, option, index);
        // A name such as "<i>Titel.mp3" would be drawn as markup.
        const QString name = index.data().toString();
        QToolTip::showText(event->globalPos(), plainToolTip(name), view->viewport(), shown);
        return true;
    }
};

} // namespace

FileListBox::FileListBox(QWidget *parent)
    : QListView(parent)
    , model_(new QStringListModel(this))
    , pattern_(u"*.mp3;*.wma"_s)
{
    // Uniform sizes keep a folder of tens of thousands of names cheap to lay out.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *shown = new DisplayNames(this);
    shown->setSourceModel(model_);
    setModel(shown);
    setItemDelegate(new NameDelegate(this));
    // Replacing the names resets the selection without this signal.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileListBox::fileClicked);
    connect(&listing_, &QFutureWatcher<Listing>::finished, this, [this] {
        if (listingGeneration_ != generation_)
            return;
        const Listing listing = listing_.result();
        // The same entries, read later: their newer stamp spares the next
        // reads sooner.
        if (!listing.changed)
            shownRaw_ = listing.raw;
        Q_EMIT backgroundListed(listing.changed);
    });
}

QString FileListBox::path() const
{
    return path_;
}

bool FileListBox::setPath(const QString &folder)
{
    path_ = folder;
    return reread();
}

QString FileListBox::pattern() const
{
    return pattern_;
}

void FileListBox::setPattern(const QString &patterns)
{
    pattern_ = patterns;
    reread();
}

bool FileListBox::reread()
{
    // With nothing to compare against, the folder is always read; its stamp
    // lets the timer's next reads skip it.
    const platform::RawListing raw = platform::rawFileNamesSince(path_, {});
    ++generation_;
    const QStringList patterns = platform::splitPatterns(pattern_);
    std::optional<QStringList> names;
    if (raw.names && expected_.isValid()) {
        const Expected expected = expected_.result();
        if (expected.path == path_ && expected.pattern == pattern_
            && platform::holdsExactly(*raw.names, expected.bytes, patterns))
            names = expected.names;
    }
    expected_ = {};
    if (raw.names && !names)
        names = platform::matchingFiles(*raw.names, patterns);
    show({raw, names});
    return raw.names.has_value();
}

void FileListBox::expect(const QStringList &names)
{
    expected_ = QtConcurrent::run([names, path = path_, pattern = pattern_] {
        const QStringList patterns = platform::splitPatterns(pattern);
        Expected expected {path, pattern, {}, {}};
        for (const QString &name : names) {
            if (platform::matchesAnyWildcard(name, patterns)) {
                expected.names.append(name);
                expected.bytes.insert(platform::encodeName(name).value_or(QByteArray()));
            }
        }
        std::sort(expected.names.begin(), expected.names.end(), platform::naturalLess);
        return expected;
    });
}

void FileListBox::startBackgroundListing()
{
    if (listing_.isRunning())
        return;
    listingGeneration_ = generation_;
    listing_.setFuture(QtConcurrent::run(
        [folder = path_, patterns = platform::splitPatterns(pattern_), shown = shownRaw_] {
            Listing listing {platform::rawFileNamesSince(folder, shown), std::nullopt, true};
            if (listing.raw.names == shown.names)
                listing.changed = false;
            else if (listing.raw.names)
                listing.names = platform::matchingFiles(*listing.raw.names, patterns);
            return listing;
        }));
}

void FileListBox::showBackgroundListing()
{
    show(listing_.result());
}

void FileListBox::show(const Listing &listing)
{
    shownRaw_ = listing.raw;
    const QStringList shown = listing.names.value_or(QStringList());
    // The list is re-read every second; rebuilding it when nothing changed
    // would drop the selection, jump to the top and flicker.
    if (shown != model_->stringList())
        model_->setStringList(shown);
}

int FileListBox::listCount() const
{
    return model_->rowCount();
}

int FileListBox::listIndex() const
{
    // In a single-selection list the selected entry is nearly always the
    // current one; asking for it directly keeps long rename runs cheap.
    const QModelIndex current = selectionModel()->currentIndex();
    if (current.isValid() && selectionModel()->isSelected(current))
        return current.row();
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

bool FileListBox::setListIndex(int index)
{
    if (index < -1 || index >= listCount())
        return false;
    if (index >= 0)
        selectionModel()->setCurrentIndex(model()->index(index, 0),
                                          QItemSelectionModel::ClearAndSelect);
    // Clearing a selection that is not there leaves the focus mark alone.
    else if (listIndex() >= 0)
        selectionModel()->clear();
    return true;
}

QString FileListBox::fileName() const
{
    const int index = listIndex();
    return index < 0 ? QString() : model_->index(index).data().toString();
}

QStringList FileListBox::names() const
{
    return model_->stringList();
}

// When the list gets the focus with nothing selected, Qt puts the focus mark
// on the first entry without selecting it: Home would then do nothing and
// Down would select the second file. With nothing selected, a cursor key
// starts from no entry at all, so it selects the first.
void FileListBox::keyPressEvent(QKeyEvent *event)
{
    static const QList<int> cursorKeys {Qt::Key_Up,     Qt::Key_Down,    Qt::Key_Left,
                                        Qt::Key_Right,  Qt::Key_Home,    Qt::Key_End,
                                        Qt::Key_PageUp, Qt::Key_PageDown};
    if (listIndex() < 0 && cursorKeys.contains(event->key()))
        selectionModel()->clearCurrentIndex();
    QListView::keyPressEvent(event);
}

// A right click on an entry selects it first, as in a file manager, so that
// the menu acts on the file it was opened on; the menu key keeps the
// selection as it is.
void FileListBox::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() == QContextMenuEvent::Mouse) {
        const QModelIndex entry = indexAt(viewport()->mapFromGlobal(event->globalPos()));
        if (entry.isValid())
            setListIndex(entry.row());
    }
    Q_EMIT menuRequested(event->globalPos());
}

} // namespace namlex
