#include "platform/pathlookup.h"

#include "platform/systempath.h"

#include <cerrno>

#include <sys/stat.h>

namespace namlex::platform {

PathLookup lookUpPath(const QString &path)
{
    // A path that holds a NUL byte, or a character that stands for no byte,
    // can name nothing on disk.
    const std::optional<QByteArray> bytes = systemPath(path);
    if (!bytes)
        return {PathLookup::Outcome::Missing};
    struct stat info = {};
    if (::stat(bytes->constData(), &info) == 0) {
        const EntryKind kind = S_ISREG(info.st_mode)   ? EntryKind::File
                               : S_ISDIR(info.st_mode) ? EntryKind::Folder
                                                       : EntryKind::Other;
        return {PathLookup::Outcome::Found, kind};
    }
    const int error = errno;
    switch (error) {
    case ENOENT:
    case ENOTDIR: // a file stands where the path needs a folder
        return {PathLookup::Outcome::Missing};
    case ENAMETOOLONG:
        return {PathLookup::Outcome::TooLong};
    case EACCES:
        return {PathLookup::Outcome::NoPermission};
    default:
        return {PathLookup::Outcome::Failed, EntryKind::Other, error};
    }
}

} // namespace namlex::platform
