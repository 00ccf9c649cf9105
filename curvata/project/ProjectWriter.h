#pragma once

#include <QString>
#include <QStringList>

class ProfileDocument;
class ProjectView;

// How writing a project went: whether the file was written (with the
// platform's reason when not), and the entries that could not be stored so
// that they read back (the rest of the project was written).
struct ProjectWriteResult
{
    bool written = false;
    QString error;
    QStringList skipped;

    // The text to show for the skipped entries; empty when none.
    QString skippedMessage() const;
};

// Writes the chart view's selection, constant lines and entered table
// values into a project file. The five project sections are replaced; any
// other section of the file stays as it was.
class ProjectWriter
{
public:
    static ProjectWriteResult writeFile(const QString& path, const ProjectView& view);
    // The same on a document in memory; returns the skipped entries.
    static QStringList write(ProfileDocument& document, const ProjectView& view);
};
