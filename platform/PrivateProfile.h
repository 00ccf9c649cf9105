#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The private-profile functions (INI files) with the Windows semantics that
// users and stored files rely on: section and key names without regard to
// case, blanks around keys and values trimmed, one pair of surrounding quotes
// removed on read, the first of duplicate keys wins, the rest of the file
// kept byte for byte on a change, CR LF line ends, a missing file reads as
// empty and is created by the first write. Writes are atomic (a temporary
// file renamed over the old one). Text is UTF-8; a file that is not valid
// UTF-8 is read as Windows-1250 and stays so as long as what is written fits.
//
// Every call reads the file anew; nothing is cached between calls.
// File names are Windows-style paths; they go through WinPath::toNative.
class PrivateProfile
{
public:
    // The value, or `defaultValue` when the section or key does not exist.
    static QString getString(const QString& section, const QString& key,
                             const QString& defaultValue, const QString& file);
    // Windows reads the leading decimal digits (with an optional sign) and
    // ignores the rest: "12abc" is 12, "abc" is 0. A missing key or an empty
    // value gives the default. Values beyond the int range are clamped.
    static int getInt(const QString& section, const QString& key, int defaultValue,
                      const QString& file);
    // All entry lines of a section as "key=value" (blanks around key and
    // value trimmed, quotes kept), in file order; comments left out.
    static QStringList getSection(const QString& section, const QString& file);
    // All section names in file order.
    static QStringList getSectionNames(const QString& file);

    // A null value deletes the key; a null key deletes the whole section.
    // A value with blanks around it, or with its own surrounding quotes, is
    // written in quotes so that it reads back unchanged. Names and values
    // that cannot be stored in a line (line breaks, '=' in a key) are
    // refused rather than written so that they corrupt the file. Returns
    // false (with the reason in *error when given) if nothing was written;
    // a file that exists but cannot be read, or is read-only, is never
    // overwritten.
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

    // The integer reading of getInt on a text: leading decimal digits with
    // an optional sign; nothing when the text is empty.
    static std::optional<int> parseLeadingInt(const QString& text);
};
