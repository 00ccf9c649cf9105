#pragma once

#include <QString>
#include <QStringList>

// The workbench's debug log: lines collected while the program runs and
// written whole to "Debuglog.txt" whenever something went wrong, so that a
// user can send the file along with a report. The file goes into the
// program's directory, or into the user's data directory when the program
// directory is not writable (an installation under a system folder).
class DebugLog
{
public:
    static QString fileName() { return QStringLiteral("Debuglog.txt"); }

    void append(const QString& line) { m_lines.append(line); }
    const QStringList& lines() const { return m_lines; }

    // Writes every line to `programDir` (ending with a separator) or, failing
    // that, to the fallback directory. The path written, or empty with the
    // reason in *error.
    QString write(const QString& programDir, QString* error = nullptr) const;
    static QString fallbackDir();

private:
    QStringList m_lines;
};
