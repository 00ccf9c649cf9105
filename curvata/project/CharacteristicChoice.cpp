#include "CharacteristicChoice.h"

#include "FuseModel.h"

#include <algorithm>

QStringList CharacteristicChoice::listOrder(QStringList names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

int CharacteristicChoice::preselectedRow(const QStringList& rows, const CharacteristicType* current)
{
    if (!current || current->name().isEmpty())
        return -1;
    const qsizetype exact = rows.indexOf(current->name());
    if (exact >= 0)
        return int(exact);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i).startsWith(current->name(), Qt::CaseInsensitive))
            return int(i);
    }
    return -1;
}

const CharacteristicType* CharacteristicChoice::typeFor(const CharacteristicTypeTable& types,
                                                        const QString& row)
{
    return types.findType(row);
}
