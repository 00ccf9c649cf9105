#pragma once

#include "AcadObject.h"

#include <QString>
#include <QVariant>
#include <functional>

// Conversion between the values callers pass and receive (numbers, texts,
// AcadPoint, AcadObject) and what goes over D-Bus, by the type signature the
// drawing program's introspection data gives for each argument and result.
// Arguments are checked here, before anything is sent: a point that is not
// three finite coordinates or a text where a number belongs is refused with
// AcadError of kind InvalidArgument.
class DBusValues
{
public:
    using PathOf = std::function<QString(const AcadObject&)>;
    using ObjectAt = std::function<AcadObject(const QString& path)>;

    // `what` names the argument in the error text, e.g. "argument 2 of InsertBlock".
    static QVariant toWire(const QVariant& value, const QString& type, const PathOf& pathOf,
                           const QString& what);
    static QVariant fromWire(const QVariant& value, const QString& type, const ObjectAt& objectAt);
};
