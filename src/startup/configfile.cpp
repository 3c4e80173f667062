#include "startup/configfile.h"

#include "platform/namecodec.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

const QString fileName = u"Config.ini"_s;

// Written to a temporary file and then moved over the old one, so that an
// interrupted write leaves the old setting intact. A small write only sits
// in the buffer, and Qt 6.4 still moves the file into place when emptying
// that buffer fails (a full disk): the flush is checked first.
bool writeAtomically(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

ConfigFile::ConfigFile(const QString &programFolder, const QString &userFolder,
                       bool programFolderWritable)
    : programFolder(programFolder)
    , userFolder(userFolder)
    , programFolderWritable(programFolderWritable)
{ }

QByteArray ConfigFile::firstLine(const QByteArray &content)
{
    qsizetype end = 0;
    while (end < content.size() && content.at(end) != '\n' && content.at(end) != '\r')
        ++end;
    return content.left(end);
}

std::optional<QString> ConfigFile::readFolder()
{
    // The file that closing writes comes first, so that the folder stored is
    // the folder read back. A program in a folder it can write to reads its
    // own file only: a copy on a USB stick must not open on a folder that
    // the installed program stored. When the program folder cannot be
    // written to, a Config.ini there (left by an administrator, say) counts
    // only as long as the user has none of their own.
    const QString perUser = platform::joinPath(userFolder, fileName);
    QString path = platform::joinPath(programFolder, fileName);
    if (!programFolderWritable && QFileInfo::exists(perUser))
        path = perUser;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray line = firstLine(file.read(64 * 1024));
    if (line.startsWith("\xEF\xBB\xBF"))
        line.remove(0, 3);
    if (line.isEmpty())
        return std::nullopt;
    // The path's bytes as they were written: a folder whose name is not
    // valid UTF-8 comes back as the same folder.
    return platform::decodeName(line);
}

void ConfigFile::writeFolder(const QString &folder)
{
    // Only the first line is read back: a folder whose name holds a line
    // break would come back cut short, as another folder or as none. The
    // folder stored before is the better guess.
    const std::optional<QByteArray> bytes = platform::encodeName(folder);
    if (!bytes || bytes->contains('\r') || bytes->contains('\n'))
        return;
    const QByteArray content = *bytes + "\r\n";
    // One place only, so that start-up never reads an older copy elsewhere.
    // A Config.ini the user made read-only keeps its folder.
    if (programFolderWritable)
        writeAtomically(platform::joinPath(programFolder, fileName), content);
    else if (QDir().mkpath(userFolder))
        writeAtomically(platform::joinPath(userFolder, fileName), content);
}

} // namespace namlex
