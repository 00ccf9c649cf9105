#include "AcadMenuFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QStringList AcadMenuFile::lines(const QString& menuDir, const QString& programDir,
                                const QString& programFile)
{
    const QString quote = QStringLiteral("\"");
    QString start = QStringLiteral("M_KATALOG      [Katalog]^C^C(startapp ") + quote + programDir +
                    programFile + quote + u' ' + quote + QStringLiteral("acad") + quote +
                    QStringLiteral(") ");
    start.replace(u'\\', u'/');
    return {QStringLiteral("//"),
            QStringLiteral("//      AutoCAD menu file - ") + menuDir + fileName(),
            QStringLiteral("//"),
            QString(),
            QStringLiteral("***MENUGROUP=KAVREL"),
            QString(),
            QStringLiteral("***POP1"),
            QString(),
            QStringLiteral("M_KAVREL     [KAVREL]"),
            start,
            QString(),
            QStringLiteral("***TOOLBARS"),
            QString(),
            QStringLiteral("//"),
            QStringLiteral("//      End of AutoCAD menu file - ") + menuDir + fileName(),
            QStringLiteral("//")};
}

QByteArray AcadMenuFile::bytes(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines)
        out += line.toLocal8Bit() + "\r\n";
    return out;
}

QString AcadMenuFile::fallbackDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString AcadMenuFile::write(const QString& programDir, const QString& programFile, QString* error)
{
    QString firstError;
    for (const QString& dir : {programDir, fallbackDir() + QDir::separator()}) {
        if (dir.isEmpty() || !QDir().mkpath(dir))
            continue;
        const QString path = dir + fileName();
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) &&
            file.write(bytes(lines(dir, programDir, programFile))) >= 0 && file.commit())
            return path;
        if (firstError.isEmpty())
            firstError = path + QStringLiteral(": ") + file.errorString();
    }
    if (error)
        *error = firstError;
    return QString();
}
