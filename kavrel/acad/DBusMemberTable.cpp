#include "DBusMemberTable.h"

#include <QXmlStreamReader>

namespace {
bool isTransportInterface(QStringView name)
{
    return name.startsWith(u"org.freedesktop.DBus.");
}

QString attribute(const QXmlStreamReader& xml, const char* name)
{
    return xml.attributes().value(QLatin1String(name)).toString();
}

// Reads one <method>, <property> or <signal> element the reader stands on;
// returns after its end element.
void readMethod(QXmlStreamReader& xml, DBusMemberTable::Method& method)
{
    while (xml.readNextStartElement()) {
        if (xml.name() == u"arg") {
            const QString type = attribute(xml, "type");
            if (attribute(xml, "direction") == u"out")
                method.out.append(type);
            else
                method.in.append(type);
        }
        xml.skipCurrentElement();
    }
}
} // namespace

DBusMemberTable DBusMemberTable::parse(const QString& text)
{
    DBusMemberTable table;
    QXmlStreamReader xml(text);
    if (!xml.readNextStartElement() || xml.name() != u"node") {
        table.m_error = xml.hasError() ? xml.errorString() : QStringLiteral("no <node> element");
        return table;
    }
    // Only the object's own interfaces count; nested <node> elements describe
    // child objects.
    while (xml.readNextStartElement()) {
        if (xml.name() != u"interface") {
            xml.skipCurrentElement();
            continue;
        }
        const QString iface = attribute(xml, "name");
        const bool skip = iface.isEmpty() || isTransportInterface(iface);
        if (!skip && !table.m_interfaces.contains(iface))
            table.m_interfaces.append(iface);
        while (xml.readNextStartElement()) {
            const QString name = attribute(xml, "name");
            if (skip || name.isEmpty()) {
                xml.skipCurrentElement();
            } else if (xml.name() == u"method") {
                Method m{iface, name, {}, {}};
                readMethod(xml, m);
                if (!table.m_methods.contains(name.toLower()))
                    table.m_methods.insert(name.toLower(), m);
            } else if (xml.name() == u"property") {
                const QString access = attribute(xml, "access");
                Property p{iface, name, attribute(xml, "type"), access.startsWith(u"read"),
                           access.endsWith(u"write") || access == u"write"};
                if (!table.m_properties.contains(name.toLower()))
                    table.m_properties.insert(name.toLower(), p);
                xml.skipCurrentElement();
            } else if (xml.name() == u"signal") {
                table.m_signals.append({iface, name});
                xml.skipCurrentElement();
            } else {
                xml.skipCurrentElement();
            }
        }
    }
    if (xml.hasError())
        table.m_error = xml.errorString();
    table.m_interfaces.sort();
    return table;
}

const DBusMemberTable::Method* DBusMemberTable::method(const QString& name) const
{
    const auto it = m_methods.constFind(name.toLower());
    return it == m_methods.constEnd() ? nullptr : &it.value();
}

const DBusMemberTable::Property* DBusMemberTable::property(const QString& name) const
{
    const auto it = m_properties.constFind(name.toLower());
    return it == m_properties.constEnd() ? nullptr : &it.value();
}
