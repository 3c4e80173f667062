#pragma once

#include "window/settingsstore.h"

#include <QByteArray>
#include <QString>

namespace namlex {

// Config.ini: one line, the folder shown last, in UTF-8 and ended by CR LF.
// It lives next to the program, or per user when the program folder cannot
// be written to.
class ConfigFile : public SettingsStore
{
public:
    // Whether the program folder can be written to decides where the file
    // lives; an installed program's folder cannot.
    ConfigFile(const QString &programFolder, const QString &userFolder, bool programFolderWritable);

    std::optional<QString> readFolder() override;
    void writeFolder(const QString &folder) override;

    // The text before the first line end (LF, CR LF or a lone CR).
    static QByteArray firstLine(const QByteArray &content);

private:
    QString programFolder;
    QString userFolder;
    bool programFolderWritable;
};

} // namespace namlex
