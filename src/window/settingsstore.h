#pragma once

#include <QString>

#include <optional>

namespace namlex {

// Where the window keeps the folder it showed last.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // Empty optional: there is no stored folder that can be read.
    virtual std::optional<QString> readFolder() = 0;
    virtual void writeFolder(const QString &folder) = 0;
};

} // namespace namlex
