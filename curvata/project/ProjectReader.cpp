#include "ProjectReader.h"

#include "FuseModel.h"
#include "NumberText.h"
#include "PointTableModel.h"
#include "ProfileDocument.h"
#include "ProjectFileNames.h"
#include "ProjectSection.h"
#include "ProjectView.h"
#include "UserNumber.h"
#include "WinPath.h"

#include <QFile>
#include <QHash>
#include <algorithm>

namespace {

const QString kNoFuses = QStringLiteral("Error opening file:\nNo fuses defined in the file.");
const QString kNoCharacteristic =
    QStringLiteral("Error opening a file:\nCharacteristic not defined in the file.");

QString quoted(const char* pattern, const QString& argument)
{
    // The messages keep the original's "%s" wording; arg() would also
    // expand a "%1" inside a fuse name.
    QString text = QString::fromLatin1(pattern);
    return text.replace(QStringLiteral("%s"), argument);
}

} // namespace

QString ProjectReadResult::errorListMessage() const
{
    if (errors.isEmpty())
        return QString();
    QString text = QStringLiteral("File opened with errors:");
    for (const QString& error : errors)
        text += QStringLiteral("\n\t- ") + error;
    return text;
}

ProjectReadResult ProjectReader::readFile(const QString& path, ProjectView& view) const
{
    QFile file(WinPath::toNative(path));
    if (file.exists() && !file.open(QIODevice::ReadOnly)) {
        // Telling the user the file has no fuses would send them looking in
        // the wrong place.
        ProjectReadResult result;
        result.stopMessage =
            QStringLiteral("Error opening file:\nThe file cannot be read (%1).").arg(file.errorString());
        return result;
    }
    return read(ProfileDocument(file.isOpen() ? file.readAll() : QByteArray()), view);
}

ProjectReadResult ProjectReader::read(const ProfileDocument& document, ProjectView& view) const
{
    ProjectReadResult result;
    view.setFuses({});
    view.setCharacteristic(nullptr);
    view.removeConstLines(ConstLineKind::X);
    view.removeConstLines(ConstLineKind::Y);

    const ProjectSection fuseSection(document, ProjectFileNames::Fuses);
    if (fuseSection.isEmpty()) {
        result.stopMessage = kNoFuses;
        return result;
    }
    std::vector<const Fuse*> fuses;
    for (const QString& name : fuseSection.keys()) {
        if (const Fuse* fuse = m_database.findFuse(name)) {
            // A name listed twice selects its fuse once, as the selection
            // dialog does; a second row for it would make the table's
            // entries ambiguous.
            if (std::find(fuses.begin(), fuses.end(), fuse) == fuses.end())
                fuses.push_back(fuse);
        } else
            result.errors << quoted("Fuse '%s' not found in the database.", name);
    }
    if (fuses.empty()) {
        result.errors.clear();
        result.stopMessage = kNoFuses;
        return result;
    }
    view.setFuses(fuses);

    const ProjectSection typeSection(document, ProjectFileNames::Characteristic);
    if (typeSection.isEmpty()) {
        result.errors.clear();
        result.stopMessage = kNoCharacteristic;
        return result;
    }
    const QString typeName = typeSection.keys().first();
    const CharacteristicType* type = m_types.findType(typeName);
    if (!type) {
        result.errors.clear();
        result.stopMessage = quoted(
            "Error opening file:\nCharacteristic '%s' not found in the database.", typeName);
        return result;
    }
    view.setCharacteristic(type);
    result.complete = true;

    readConstLines(document, view, result.errors);
    view.fitConstLinesToRange();
    view.closeTable();
    readTable(document, view, result.errors);
    return result;
}

void ProjectReader::readConstLines(const ProfileDocument& document, ProjectView& view,
                                   QStringList& errors) const
{
    for (const ConstLineKind kind : {ConstLineKind::X, ConstLineKind::Y}) {
        const ProjectSection section(document, kind == ConstLineKind::X
                                                   ? ProjectFileNames::XConstLines
                                                   : ProjectFileNames::YConstLines);
        for (const QString& name : section.keys()) {
            const std::optional<float> value = UserNumber::parseFloat(section.value(name));
            if (!value) {
                errors << quoted("Value of constant line '%s' is not a number.", name);
                continue;
            }
            view.appendConstLine(kind, name, *value);
        }
    }
}

void ProjectReader::readTable(const ProfileDocument& document, ProjectView& view,
                              QStringList& errors) const
{
    const ProjectSection section(document, ProjectFileNames::Table);
    if (section.isEmpty())
        return;
    const QString& countKey = ProjectFileNames::NumberOfColumns;
    if (!section.keys().contains(countKey)) {
        errors << quoted("Parameter '%s' not found for a table definition. Opening table failed.",
                         countKey);
        return;
    }
    const std::optional<int> count = NumberText::wholeInteger(section.value(countKey));
    // A negative count is even but can give no table; it is refused with
    // the same message as an odd one.
    if (!count || *count % 2 != 0 || *count < 0) {
        errors << quoted(
            "Value of parameter '%s' is not an even number (2,4,6...). Opening table failed.",
            countKey);
        return;
    }
    if (*count > MaxValueColumns) {
        errors << quoted("Value of parameter '%s' is larger than the table allows (%d). Opening "
                         "table failed.",
                         countKey)
                      .replace(QStringLiteral("%d"), QString::number(MaxValueColumns));
        return;
    }
    PointTableModel* table = view.openTable();
    if (!table)
        return;
    table->setGridColumnCount(*count + PointTableModel::FixedColumns);
    table->fillAll();
    // The row of each fuse name, the last one when a name appears twice;
    // the rows do not change while the values go in, and a project's table
    // may hold thousands of entries.
    QHash<QString, int> rowOfName;
    for (int r = 1; r < table->gridRowCount(); ++r)
        rowOfName.insert(table->text(r, 0), r);

    for (const QString& key : section.keys()) {
        if (key == countKey)
            continue;
        const qsizetype paren = key.indexOf(QLatin1Char('('));
        if (paren <= 6) {
            errors << quoted("Unsupported table entry '%s' format.", key);
            continue;
        }
        // "Column" is not checked: the number after the first six
        // characters is what counts.
        const std::optional<int> column = NumberText::wholeInteger(QStringView(key).mid(6, paren - 6));
        if (!column) {
            errors << quoted("Unsupported table entry '%s' format (column not a number).", key);
            continue;
        }
        const QString fuseName = key.mid(paren + 1, std::max<qsizetype>(0, key.size() - paren - 2));
        const int row = rowOfName.value(fuseName, -1);
        if (row < 0) {
            errors << quoted("Error reading table entry '%s' (fuse name not found in the fuse list).",
                             key);
            continue;
        }
        const QString value = section.value(key);
        if (!NumberText::tableNumber(value)) {
            errors << quoted("Value of table entry '%s' is not a number.", key);
            continue;
        }
        // Column n is grid column n + 1; anything left of the first value
        // column would overwrite a fuse's name or catalogue number.
        const long long gridColumn = (long long)*column + 1;
        if (gridColumn < PointTableModel::FixedColumns || gridColumn >= table->gridColumnCount()) {
            errors << quoted("Error reading table entry '%s' (column not in the table).", key);
            continue;
        }
        table->enterValue(row, int(gridColumn), value);
    }
}
