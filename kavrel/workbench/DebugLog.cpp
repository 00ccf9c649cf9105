#include "DebugLog.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

QString DebugLog::fallbackDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString DebugLog::write(const QString& programDir, QString* error) const
{
    QByteArray bytes;
    for (const QString& line : m_lines)
        bytes += line.toLocal8Bit() + "\r\n";
    QString firstError;
    for (const QString& dir : {programDir, fallbackDir() + QDir::separator()}) {
        if (dir.isEmpty() || dir == QDir::separator() || !QDir().mkpath(dir))
            continue;
        const QString path = dir + fileName();
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
            return path;
        if (firstError.isEmpty())
            firstError = path + QStringLiteral(": ") + file.errorString();
    }
    if (error)
        *error = firstError.isEmpty() ? QStringLiteral("no writable directory") : firstError;
    return QString();
}
