#include "ProfileTestSupport.h"

#include <QFile>

ProfileScratch::ProfileScratch() = default;

QString ProfileScratch::copy(const QString& name) const
{
    const QString target = m_dir.path() + QLatin1Char('/') + name;
    writeBytes(target, fixtureBytes(name));
    return target;
}

QByteArray ProfileScratch::fixtureBytes(const QString& name)
{
    return bytes(QStringLiteral(FIXTURE_DIR "/profile/") + name);
}

QByteArray ProfileScratch::bytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void ProfileScratch::writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}
