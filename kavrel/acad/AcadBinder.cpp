#include "AcadBinder.h"

#include "AcadVersion.h"

AcadBinder::~AcadBinder() = default;

AcadApplication AcadBinder::bind()
{
    clearFailures();
    const QStringList codes = AcadVersion::codes();
    for (const QString& code : codes)
        if (AcadApplication app = attach(code); !app.isNull())
            return app;
    for (const QString& code : codes)
        if (AcadApplication app = start(code); !app.isNull())
            return app;
    return {};
}
