#pragma once

#include <QString>

// The automation versions this host can stand in for. Clients bind by version
// code and subscribe to events with the event interface identifiers of that
// version; a host answers only its own identifiers.
class CadVersion
{
public:
    static bool isSupported(int code) { return code >= 15 && code <= 17; }
    explicit CadVersion(int code = 17);

    int code() const { return m_code; }
    QString busName() const;      // org.kavrel.CadHost17
    QString versionText() const;  // "17.0"
    QString applicationEventsIid() const;
    QString documentEventsIid() const;
    // True when iid names this version's interface: braces optional, any case.
    static bool sameIid(const QString& iid, const QString& expected);

private:
    int m_code;
};
