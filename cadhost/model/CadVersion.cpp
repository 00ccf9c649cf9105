#include "CadVersion.h"

namespace {

struct Iids
{
    int code;
    const char* application;
    const char* document;
};

constexpr Iids Table[] = {
    {15, "{2974A76E-A19B-11D1-A2B0-080009DC639A}", "{976858E1-0B7B-11D0-89DF-00805FC2FBBA}"},
    {16, "{407EBC22-4028-49A9-8D57-7DE9DE984C1E}", "{034CEC0A-DC29-4BD9-B142-7822A1D26B0F}"},
    {17, "{E8D59748-B414-4BE6-AF82-870C62C0CF4C}", "{C814C69D-A74B-494C-8EE6-23731B145CCB}"},
};

const Iids& entry(int code)
{
    for (const Iids& e : Table)
        if (e.code == code)
            return e;
    return Table[2];
}

QString bare(const QString& iid)
{
    QString s = iid.trimmed();
    if (s.startsWith(u'{') && s.endsWith(u'}'))
        s = s.mid(1, s.size() - 2);
    return s.toUpper();
}

} // namespace

CadVersion::CadVersion(int code) : m_code(isSupported(code) ? code : 17) {}

QString CadVersion::busName() const
{
    return QStringLiteral("org.kavrel.CadHost%1").arg(m_code);
}

QString CadVersion::versionText() const
{
    return QStringLiteral("%1.0").arg(m_code);
}

QString CadVersion::applicationEventsIid() const
{
    return QString::fromLatin1(entry(m_code).application);
}

QString CadVersion::documentEventsIid() const
{
    return QString::fromLatin1(entry(m_code).document);
}

bool CadVersion::sameIid(const QString& iid, const QString& expected)
{
    return !iid.trimmed().isEmpty() && bare(iid) == bare(expected);
}
