#pragma once

#include <QString>

// Access to kavrel's configuration file. The file's path is the key INI of
// section "KAVREL" in the bootstrap profile (WIN.INI); every call reads the
// bootstrap profile and the file anew, nothing is cached. Options are stored
// as "T" / "F", numbers as decimal integers.
class KavrelConfig
{
public:
    // The value every missing key of the start-up configuration takes.
    static QString missing() { return QStringLiteral("NAPAKA"); }

    // Key INI of section "KAVREL" of the bootstrap profile, "NAPAKA" if absent.
    static QString path();

    static QString readString(const QString& section, const QString& key,
                              const QString& defaultValue);
    // A whole number; `defaultValue` when absent or not a whole number.
    static int readInt(const QString& section, const QString& key, int defaultValue);
    // Only exactly "T" is on; absent gives `defaultValue`.
    static bool readBool(const QString& section, const QString& key, bool defaultValue);

    // False, with the reason in *error when given, when nothing was written:
    // the configuration file is not known (nothing is then created) or the
    // file cannot be written.
    static bool writeString(const QString& section, const QString& key, const QString& value,
                            QString* error = nullptr);
    static bool writeInt(const QString& section, const QString& key, int value,
                         QString* error = nullptr);
    static bool writeBool(const QString& section, const QString& key, bool value,
                          QString* error = nullptr);

    // True when `text` is a whole decimal number (optional sign, nothing else).
    static bool isWholeNumber(const QString& text, int* value = nullptr);

    // What the main window reads once at start.
    struct StartValues
    {
        QString configPath;
        QString language;    // KAVREL/JEZIK
        QString dataDir;     // KAVREL/DIR
        QString databaseDir; // KAVREL/DIRDB
        QString wwwDir;      // WWW/DIR, carried only
        QString priceDir;    // CENIK/DIR, carried only
        QString priceFile;   // CENIK/FILE, carried only
        // False when the installation is incomplete (reinstall message).
        bool valid() const;
        // Where the product pictures are: dataDir + "\BMP".
        QString pictureDir() const { return dataDir + QStringLiteral("\\BMP"); }
    };
    static StartValues readStart();
};
