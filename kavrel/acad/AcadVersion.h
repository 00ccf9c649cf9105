#pragma once

#include <QString>
#include <QStringList>

// The versions of the drawing program's automation interface the workbench
// can drive, newest first, and the interface identifiers under which each
// version delivers its application and document events.
class AcadVersion
{
public:
    static QStringList codes(); // "17", "16", "15"

    // Empty for a code that is not one of codes().
    static QString applicationEventsId(const QString& code);
    static QString documentEventsId(const QString& code);
};
