#pragma once

#include <QString>
#include <QStringList>

class CharacteristicTypeTable;
class FuseDatabase;
class ProfileDocument;
class ProjectView;

// How reading a project went. A stop message ended the reading (the view
// keeps the state reached); otherwise the collected errors, if any, are
// shown together after the reading.
struct ProjectReadResult
{
    QString stopMessage;
    QStringList errors;
    // Reading got past the characteristic type: the document takes the
    // file's name as its title.
    bool complete = false;

    // "File opened with errors:" with one line per error; empty when there
    // is nothing to show.
    QString errorListMessage() const;
};

// Reads a project file into the chart view: the fuses, the characteristic
// type, the constant lines and the entered values of the table of points.
// Every problem is reported in the words the user sees.
class ProjectReader
{
public:
    // The table has at most this many value columns; a file asking for more
    // is refused instead of filling the memory.
    static constexpr int MaxValueColumns = 2000;

    ProjectReader(const FuseDatabase& database, const CharacteristicTypeTable& types)
        : m_database(database), m_types(types)
    {
    }

    // Reads the file at `path` (a missing file reads as empty).
    ProjectReadResult readFile(const QString& path, ProjectView& view) const;
    ProjectReadResult read(const ProfileDocument& document, ProjectView& view) const;

private:
    void readConstLines(const ProfileDocument& document, ProjectView& view,
                        QStringList& errors) const;
    void readTable(const ProfileDocument& document, ProjectView& view, QStringList& errors) const;

    const FuseDatabase& m_database;
    const CharacteristicTypeTable& m_types;
};
