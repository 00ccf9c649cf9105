#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The CAD menu file "kavrel.mnu": a menu group KAVREL with one entry that
// starts the catalogue with the argument "acad". Plain text in the system
// code page, CR LF after every line.
class AcadMenuFile
{
public:
    static QString fileName() { return QStringLiteral("kavrel.mnu"); }

    // The 16 lines. `menuDir` is where the file is written and `programDir`
    // where the program is; both end with a separator. The start line takes
    // forward slashes only, since the CAD reads backslashes there as escapes.
    static QStringList lines(const QString& menuDir, const QString& programDir,
                             const QString& programFile);
    static QByteArray bytes(const QStringList& lines);

    // Writes the file into `programDir` when that directory is writable,
    // else into the user's data directory. Returns the path written, or an
    // empty string with the reason in *error.
    static QString write(const QString& programDir, const QString& programFile,
                         QString* error = nullptr);
    // The user's data directory the file falls back to.
    static QString fallbackDir();
};
