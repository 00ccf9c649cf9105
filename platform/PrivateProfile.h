#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The private-profile functions (INI files) with the Windows semantics that
// users and stored files rely on: section and key names without regard to
// case, blanks around keys and values trimmed, one pair of surrounding quotes
// removed on read, the first of duplicate keys wins, the rest of the file
// kept byte for byte on a change, CR LF line ends, a missing file reads as
// empty and is created by the first write. Writes are atomic. Text is UTF-8;
// a file that is not valid UTF-8 is read as Windows-1250.
//
// File names are Windows-style paths; they go through WinPath::toNative.
class PrivateProfile
{
public:
    static QString getString(const QString& section, const QString& key,
                             const QString& defaultValue, const QString& file);
    // Windows reads the leading decimal digits (with an optional sign) and
    // returns the default when there is no such key.
    static int getInt(const QString& section, const QString& key, int defaultValue,
                      const QString& file);
    // All entry lines of a section as "key=value" (as written, trimmed).
    static QStringList getSection(const QString& section, const QString& file);
    // All section names in file order.
    static QStringList getSectionNames(const QString& file);

    // A null value deletes the key; a null key deletes the whole section.
    // Returns false (with the reason in *error when given) if the file could
    // not be written.
    static bool write(const QString& section, const std::optional<QString>& key,
                      const std::optional<QString>& value, const QString& file,
                      QString* error = nullptr);
    static bool writeString(const QString& section, const QString& key, const QString& value,
                            const QString& file, QString* error = nullptr)
    {
        return write(section, key, value, file, error);
    }
    static bool deleteKey(const QString& section, const QString& key, const QString& file)
    {
        return write(section, key, std::nullopt, file);
    }
    static bool deleteSection(const QString& section, const QString& file)
    {
        return write(section, std::nullopt, std::nullopt, file);
    }
};
