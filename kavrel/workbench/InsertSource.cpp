#include "InsertSource.h"

bool InsertSource::offers(BlockKind kind) const
{
    if (drawings.name(kind).isEmpty())
        return false;
    if (!bomItem)
        return true;
    return kind == BlockKind::Dimension ? l1dim < 1 : l1sym < 1;
}

bool InsertSource::allows(BlockKind kind, const InsertPermissions& permissions,
                          const QString& bomName, const QString& drawingName) const
{
    const bool taken = kind == BlockKind::Dimension ? permissions.dimensions : permissions.symbols;
    return taken && offers(kind) && !drawingName.isEmpty() && bomName == drawingName;
}
