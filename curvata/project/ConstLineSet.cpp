#include "ConstLineSet.h"

#include "UserNumber.h"

#include <algorithm>

const QString ConstLineSet::NameMissing = QStringLiteral("Enter a const line name.");
const QString ConstLineSet::ValueMissing = QStringLiteral("Enter a const line value.");
const QString ConstLineSet::ValueNotNumber = QStringLiteral("Const line value must be number.");
const QString ConstLineSet::NameTaken = QStringLiteral("Const line with that name already exists.");
const QString ConstLineSet::TableNotOpen = QStringLiteral("Table is not opened!");
const QString ConstLineSet::SelectXLine = QStringLiteral("Select X line to add to table!");
const QString ConstLineSet::SelectYLine = QStringLiteral("Select Y line to add to table!");

namespace {

QList<int> sortedRows(QList<int> rows, qsizetype count)
{
    rows.removeIf([count](int row) { return row < 0 || row >= count; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

float heldWithin(float value, double min, double max)
{
    if (double(value) > max)
        return float(max);
    if (double(value) < min)
        return float(min);
    return value;
}

} // namespace

ConstLineSet::ConstLineSet(ConstLineList xLines, ConstLineList yLines)
    : m_x(std::move(xLines)), m_y(std::move(yLines))
{
}

const ConstLineList& ConstLineSet::lines(ConstLineKind kind) const
{
    return kind == ConstLineKind::X ? m_x : m_y;
}

float ConstLineSet::value(const ConstLine& line, ConstLineKind kind)
{
    return kind == ConstLineKind::X ? line.x1 : line.y1;
}

QString ConstLineSet::formatValue(float value)
{
    return QString::asprintf("%g", double(value));
}

ConstLineSet::Check ConstLineSet::check(const QString& name, const QString& valueText,
                                        ConstLineKind kind) const
{
    if (name.isEmpty())
        return {std::nullopt, NameMissing};
    const QString trimmed = valueText.trimmed();
    if (trimmed.isEmpty())
        return {std::nullopt, ValueMissing};
    const std::optional<float> value = UserNumber::parseFloat(trimmed);
    if (!value)
        return {std::nullopt, ValueNotNumber};
    const ConstLineList& existing = lines(kind);
    const bool taken = std::any_of(existing.begin(), existing.end(),
                                   [&](const ConstLine& line) { return line.name == name; });
    if (taken)
        return {std::nullopt, NameTaken};
    return {value, QString()};
}

const ConstLine& ConstLineSet::create(const QString& name, float value, ConstLineKind kind,
                                      const Range& range, const QColor& colour)
{
    ConstLineList& target = list(kind);
    if (kind == ConstLineKind::X) {
        const float x = heldWithin(value, range.xMin, range.xMax);
        target.append(ConstLine::xLine(name, x, float(range.yMin), float(range.yMax), colour));
    } else {
        const float y = heldWithin(value, range.yMin, range.yMax);
        target.append(ConstLine::yLine(name, y, float(range.xMin), float(range.xMax), colour));
    }
    return target.last();
}

int ConstLineSet::paletteIndex(int chartLinesOfKind, int fuseCount, int paletteSize)
{
    return paletteSize > 0 ? (chartLinesOfKind + fuseCount) % paletteSize : 0;
}

void ConstLineSet::remove(ConstLineKind kind, QList<int> rows)
{
    ConstLineList& target = list(kind);
    rows = sortedRows(std::move(rows), target.size());
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        target.removeAt(*it);
}

bool ConstLineSet::commitValue(ConstLineKind kind, int row, const QString& text)
{
    ConstLineList& target = list(kind);
    if (row < 0 || row >= target.size())
        return false;
    const std::optional<float> value = UserNumber::parseFloat(text.trimmed());
    if (!value)
        return false;
    ConstLine& line = target[row];
    if (kind == ConstLineKind::X)
        line.x1 = line.x2 = *value;
    else
        line.y1 = line.y2 = *value;
    return true;
}

bool ConstLineSet::moveLine(ConstLineKind kind, const QString& name, float value)
{
    ConstLineList& target = list(kind);
    for (ConstLine& line : target) {
        if (line.name != name)
            continue;
        if (kind == ConstLineKind::X)
            line.x1 = line.x2 = value;
        else
            line.y1 = line.y2 = value;
        return true;
    }
    return false;
}

std::optional<QString> ConstLineSet::addToTableProblem(bool tableOpen, ConstLineKind kind,
                                                       const QList<int>& rows)
{
    if (!tableOpen)
        return TableNotOpen;
    if (rows.isEmpty())
        return kind == ConstLineKind::X ? SelectXLine : SelectYLine;
    return std::nullopt;
}

void ConstLineSet::addToTable(ConstLineKind kind, QList<int> rows,
                              ConstLineTableTarget& table) const
{
    const ConstLineList& source = lines(kind);
    for (int row : sortedRows(std::move(rows), source.size()))
        table.addConstLineValue(value(source.at(row), kind), kind);
}
