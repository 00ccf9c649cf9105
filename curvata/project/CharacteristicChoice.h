#pragma once

#include <QString>
#include <QStringList>

class CharacteristicType;
class CharacteristicTypeTable;

// The plain rules of the Select characteristic window: the order in which
// the offered type names are listed, which one is chosen when the window
// opens, and the type an OK stands for.
class CharacteristicChoice
{
public:
    // Alphabetical regardless of case, as a sorted list control shows
    // names; names differing only in case keep a fixed order.
    static QStringList listOrder(QStringList names);
    // The row to select for the current type: its exact name when listed,
    // else the first row that begins with it regardless of case; -1 when
    // there is no current type or nothing matches.
    static int preselectedRow(const QStringList& rows, const CharacteristicType* current);
    // The type named exactly `row`, or null.
    static const CharacteristicType* typeFor(const CharacteristicTypeTable& types,
                                             const QString& row);
};
