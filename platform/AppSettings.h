#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class QSettings;

// The application settings store of curvata (the registry on Windows):
// registry key, profile name, values and byte arrays, and the recent-file
// list. On this platform an INI file under the user's configuration
// directory.
class AppSettings
{
public:
    // `registryKey` is the company key ("Local AppWizard-Generated
    // Applications"), `profileName` the application's name.
    AppSettings(const QString& registryKey, const QString& profileName);
    ~AppSettings();

    int getInt(const QString& section, const QString& entry, int defaultValue) const;
    QString getString(const QString& section, const QString& entry,
                      const QString& defaultValue = QString()) const;
    QByteArray getBinary(const QString& section, const QString& entry) const;
    void writeInt(const QString& section, const QString& entry, int value);
    void writeString(const QString& section, const QString& entry, const QString& value);
    void writeBinary(const QString& section, const QString& entry, const QByteArray& value);

    // Most-recently-used file list of at most `size` entries (newest first).
    void setRecentFileListSize(int size);
    int recentFileListSize() const { return m_mruSize; }
    QStringList recentFiles() const;
    void addRecentFile(const QString& path);
    void removeRecentFile(int index);

    // Where the store lives (for tests and diagnostics).
    QString fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
    int m_mruSize = 4;
};
