#include "AcadVersion.h"

namespace {
struct EventIds
{
    const char* code;
    const char* application;
    const char* document;
};

constexpr EventIds kIds[] = {
    {"17", "{E8D59748-B414-4BE6-AF82-870C62C0CF4C}", "{C814C69D-A74B-494C-8EE6-23731B145CCB}"},
    {"16", "{407EBC22-4028-49A9-8D57-7DE9DE984C1E}", "{034CEC0A-DC29-4BD9-B142-7822A1D26B0F}"},
    {"15", "{2974A76E-A19B-11D1-A2B0-080009DC639A}", "{976858E1-0B7B-11D0-89DF-00805FC2FBBA}"},
};

const EventIds* find(const QString& code)
{
    for (const EventIds& ids : kIds)
        if (code == QLatin1String(ids.code))
            return &ids;
    return nullptr;
}
} // namespace

QStringList AcadVersion::codes()
{
    QStringList result;
    for (const EventIds& ids : kIds)
        result.append(QLatin1String(ids.code));
    return result;
}

QString AcadVersion::applicationEventsId(const QString& code)
{
    const EventIds* ids = find(code);
    return ids ? QLatin1String(ids->application) : QString();
}

QString AcadVersion::documentEventsId(const QString& code)
{
    const EventIds* ids = find(code);
    return ids ? QLatin1String(ids->document) : QString();
}
