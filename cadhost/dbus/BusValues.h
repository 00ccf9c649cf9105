#pragma once

#include "DxfDrawing.h"

#include <QVariant>

class CadApplication;
class CadDocument;

// Conversions between the bus's values and the model's, with the checks that
// make a wrong value an InvalidArgument error.
class BusValues
{
public:
    // Exactly three numbers; their range is the model's to check.
    static DxfPoint point(const QVariant& value);
    static QVariant fromPoint(const DxfPoint& p);
    static QVariant path(const QString& objectPath);
    // The object path of an object id of the document (block, entity, attribute).
    static QString objectPath(const CadDocument& document, qint64 id);
    // The document an object path names; CadError NotFound when none.
    static CadDocument* document(CadApplication& app, const QVariant& objectPath);
};
