#include "BusInterfaces.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

void parseInterface(QXmlStreamReader& xml, BusInterfaces::Interface& iface)
{
    while (xml.readNextStartElement()) {
        const auto attrs = xml.attributes();
        if (xml.name() == u"method") {
            BusInterfaces::Method m{attrs.value(QLatin1String("name")).toString(), {}, {}};
            while (xml.readNextStartElement()) {
                if (xml.name() == u"arg") {
                    const auto a = xml.attributes();
                    (a.value(QLatin1String("direction")) == u"out" ? m.out : m.in) += a.value(QLatin1String("type")).toString();
                }
                xml.skipCurrentElement();
            }
            iface.methods.insert(m.name.toLower(), m);
        } else if (xml.name() == u"property") {
            BusInterfaces::Property p{attrs.value(QLatin1String("name")).toString(), attrs.value(QLatin1String("type")).toString(),
                                      attrs.value(QLatin1String("access")).contains(u"write")};
            iface.properties.insert(p.name.toLower(), p);
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
}

} // namespace

BusInterfaces BusInterfaces::fromXml(const QStringList& documents)
{
    BusInterfaces result;
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression element(
        QStringLiteral("<interface name=\"([^\"]+)\">.*?</interface>"),
        QRegularExpression::DotMatchesEverythingOption);
    for (QString doc : documents) {
        doc.remove(comment);
        for (auto it = element.globalMatch(doc); it.hasNext();) {
            const auto m = it.next();
            Interface iface;
            iface.name = m.captured(1);
            // Blank lines left by the comments are dropped.
            const QStringList lines = m.captured(0).split(u'\n');
            for (const QString& l : lines)
                if (!l.trimmed().isEmpty())
                    iface.xml += QStringLiteral("  ") + l.trimmed() + u'\n';
            QXmlStreamReader xml(m.captured(0));
            if (xml.readNextStartElement() && xml.name() == u"interface")
                parseInterface(xml, iface);
            result.m_interfaces.insert(iface.name, iface);
        }
    }
    return result;
}

const BusInterfaces& BusInterfaces::instance()
{
    static const BusInterfaces interfaces = [] {
        QStringList docs;
        const QDir dir(QStringLiteral(":/cadhost/dbus"));
        for (const QString& f : dir.entryList({QStringLiteral("*.xml")})) {
            QFile file(dir.filePath(f));
            if (file.open(QIODevice::ReadOnly))
                docs << QString::fromUtf8(file.readAll());
        }
        return fromXml(docs);
    }();
    return interfaces;
}

const BusInterfaces::Interface* BusInterfaces::find(const QString& name) const
{
    const auto it = m_interfaces.constFind(name);
    return it == m_interfaces.constEnd() ? nullptr : &*it;
}
