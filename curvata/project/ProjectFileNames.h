#pragma once

#include <QString>

// The section and key names of a project file (".cvp").
namespace ProjectFileNames {
inline const QString Fuses = QStringLiteral("Fuses");
inline const QString Characteristic = QStringLiteral("Characteristic");
inline const QString XConstLines = QStringLiteral("XConstLines");
inline const QString YConstLines = QStringLiteral("YConstLines");
inline const QString Table = QStringLiteral("Table");
inline const QString NumberOfColumns = QStringLiteral("NumberOfColumns");
// "Column%d(%s)": the value column (1-based) and the fuse of the row.
inline QString tableKey(int valueColumn, const QString& fuseName)
{
    return QStringLiteral("Column") + QString::number(valueColumn) + QLatin1Char('(') + fuseName +
           QLatin1Char(')');
}
} // namespace ProjectFileNames
