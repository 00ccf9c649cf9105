#pragma once

#include <QString>
#include <functional>

// Reads and writes keys of the program's configuration file. The catalogue
// window hands the workbench its own configuration access, so that the
// workbench finds the file the same way every other reader does.
struct ConfigAccess
{
    // The value, or `defaultValue` when the key is absent.
    std::function<QString(const QString& section, const QString& key, const QString& defaultValue)>
        read;
    // False when the value could not be written.
    std::function<bool(const QString& section, const QString& key, const QString& value)> write;
};
