#include "AppSettings.h"

#include <QSettings>

AppSettings::AppSettings(const QString& registryKey, const QString& profileName)
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             registryKey, profileName))
{
}

AppSettings::~AppSettings() = default;

int AppSettings::getInt(const QString& section, const QString& entry, int defaultValue) const
{
    bool ok = false;
    const int v = m_settings->value(section + QLatin1Char('/') + entry).toInt(&ok);
    return ok ? v : defaultValue;
}

QString AppSettings::getString(const QString& section, const QString& entry,
                               const QString& defaultValue) const
{
    return m_settings->value(section + QLatin1Char('/') + entry, defaultValue).toString();
}

QByteArray AppSettings::getBinary(const QString& section, const QString& entry) const
{
    return m_settings->value(section + QLatin1Char('/') + entry).toByteArray();
}

void AppSettings::writeInt(const QString& section, const QString& entry, int value)
{
    m_settings->setValue(section + QLatin1Char('/') + entry, value);
}

void AppSettings::writeString(const QString& section, const QString& entry, const QString& value)
{
    m_settings->setValue(section + QLatin1Char('/') + entry, value);
}

void AppSettings::writeBinary(const QString& section, const QString& entry, const QByteArray& value)
{
    m_settings->setValue(section + QLatin1Char('/') + entry, value);
}

void AppSettings::setRecentFileListSize(int size)
{
    m_mruSize = size;
}

QStringList AppSettings::recentFiles() const
{
    QStringList files;
    for (int i = 1; i <= m_mruSize; ++i) {
        const QString f =
            m_settings->value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!f.isEmpty())
            files.append(f);
    }
    return files;
}

void AppSettings::addRecentFile(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > m_mruSize)
        files.removeLast();
    m_settings->remove(QStringLiteral("Recent File List"));
    for (int i = 0; i < files.size(); ++i)
        m_settings->setValue(QStringLiteral("Recent File List/File%1").arg(i + 1), files[i]);
}

void AppSettings::removeRecentFile(int index)
{
    QStringList files = recentFiles();
    if (index < 0 || index >= files.size())
        return;
    files.removeAt(index);
    m_settings->remove(QStringLiteral("Recent File List"));
    for (int i = 0; i < files.size(); ++i)
        m_settings->setValue(QStringLiteral("Recent File List/File%1").arg(i + 1), files[i]);
}

QString AppSettings::fileName() const
{
    return m_settings->fileName();
}
