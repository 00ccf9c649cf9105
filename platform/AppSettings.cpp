#include "AppSettings.h"

#include <QSettings>

namespace {
const QString kRecentSection = QStringLiteral("Recent File List");
} // namespace

AppSettings::AppSettings(const QString& registryKey, const QString& profileName)
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             registryKey, profileName))
{
}

AppSettings::~AppSettings() = default;

QString AppSettings::key(const QString& section, const QString& entry) const
{
    return section + QLatin1Char('/') + entry;
}

void AppSettings::save()
{
    m_settings->sync();
    m_writeOk = m_settings->status() == QSettings::NoError;
}

int AppSettings::getInt(const QString& section, const QString& entry, int defaultValue) const
{
    bool ok = false;
    const int v = m_settings->value(key(section, entry)).toInt(&ok);
    return ok ? v : defaultValue;
}

QString AppSettings::getString(const QString& section, const QString& entry,
                               const QString& defaultValue) const
{
    return m_settings->value(key(section, entry), defaultValue).toString();
}

QByteArray AppSettings::getBinary(const QString& section, const QString& entry) const
{
    return m_settings->value(key(section, entry)).toByteArray();
}

void AppSettings::writeInt(const QString& section, const QString& entry, int value)
{
    m_settings->setValue(key(section, entry), value);
    save();
}

void AppSettings::writeString(const QString& section, const QString& entry, const QString& value)
{
    m_settings->setValue(key(section, entry), value);
    save();
}

void AppSettings::writeBinary(const QString& section, const QString& entry, const QByteArray& value)
{
    m_settings->setValue(key(section, entry), value);
    save();
}

void AppSettings::setRecentFileListSize(int size)
{
    m_mruSize = qMax(0, size);
}

QStringList AppSettings::recentFiles() const
{
    QStringList files;
    for (int i = 1; i <= m_mruSize; ++i) {
        const QString f =
            m_settings->value(key(kRecentSection, QStringLiteral("File%1").arg(i))).toString();
        if (!f.isEmpty())
            files.append(f);
    }
    return files;
}

void AppSettings::storeRecentFiles(const QStringList& files)
{
    m_settings->remove(kRecentSection);
    for (int i = 0; i < files.size(); ++i)
        m_settings->setValue(key(kRecentSection, QStringLiteral("File%1").arg(i + 1)), files[i]);
    save();
}

void AppSettings::addRecentFile(const QString& path)
{
    if (path.isEmpty() || m_mruSize == 0)
        return;
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > m_mruSize)
        files.removeLast();
    storeRecentFiles(files);
}

void AppSettings::removeRecentFile(int index)
{
    QStringList files = recentFiles();
    if (index < 0 || index >= files.size())
        return;
    files.removeAt(index);
    storeRecentFiles(files);
}

QString AppSettings::fileName() const
{
    return m_settings->fileName();
}
