#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

// The application settings store of curvata (the registry on Windows):
// registry key, profile name, values and byte arrays, and the recent-file
// list. On this platform an INI file under the user's configuration
// directory: <config>/<registryKey>/<profileName>.ini. Every write is saved
// at once (atomically), as a registry write would be.
class AppSettings
{
public:
    // `registryKey` is the company key ("Local AppWizard-Generated
    // Applications"), `profileName` the application's name.
    AppSettings(const QString& registryKey, const QString& profileName);
    ~AppSettings();

    // A missing entry, or one that is not a whole number, gives the default.
    int getInt(const QString& section, const QString& entry, int defaultValue) const;
    QString getString(const QString& section, const QString& entry,
                      const QString& defaultValue = QString()) const;
    // Empty when the entry is missing. Any bytes, zero bytes included.
    QByteArray getBinary(const QString& section, const QString& entry) const;
    void writeInt(const QString& section, const QString& entry, int value);
    void writeString(const QString& section, const QString& entry, const QString& value);
    void writeBinary(const QString& section, const QString& entry, const QByteArray& value);

    // Most-recently-used file list of at most `size` entries (newest first),
    // kept in section "Recent File List" as "File1".."FileN".
    void setRecentFileListSize(int size);
    int recentFileListSize() const { return m_mruSize; }
    QStringList recentFiles() const;
    // Puts `path` first; an entry already in the list moves up instead of
    // appearing twice; the oldest entry beyond the size is dropped.
    void addRecentFile(const QString& path);
    void removeRecentFile(int index);

    // Where the store lives (for tests and diagnostics).
    QString fileName() const;
    // False if the last write could not be saved.
    bool lastWriteSucceeded() const { return m_writeOk; }

private:
    QString key(const QString& section, const QString& entry) const;
    void storeRecentFiles(const QStringList& files);
    void save();

    std::unique_ptr<QSettings> m_settings;
    int m_mruSize = 4;
    bool m_writeOk = true;
};
