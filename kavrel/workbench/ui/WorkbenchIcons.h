#pragma once

#include <QIcon>
#include <QString>

// The workbench's image list, drawn rather than loaded: 0 disconnected and
// 1 connected (the connect button), 2 schematic ("S"), 4 layout ("D"),
// 5 list ("N"), 6 open drawing without items yet ("T").
class WorkbenchIcons
{
public:
    static QIcon image(int index);
    // The BOM list's icon of a Type; null for an unknown Type.
    static QIcon forBomType(const QString& type);
};
