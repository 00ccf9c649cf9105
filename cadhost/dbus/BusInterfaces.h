#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The automation protocol as the committed introspection files describe it
// (compiled in as resources): the methods with their argument signatures and the
// properties with their types. The host checks every call against it and serves
// the same text for introspection, so the files are the protocol.
class BusInterfaces
{
public:
    struct Method
    {
        QString name;
        QString in;  // signature of the arguments
        QString out; // signature of the results
    };
    struct Property
    {
        QString name;
        QString type;
        bool writable = false;
    };
    struct Interface
    {
        QString name;
        QString xml; // the <interface> element without comments
        QHash<QString, Method> methods;       // by lower-case name
        QHash<QString, Property> properties;  // by lower-case name
    };

    static const BusInterfaces& instance();
    // Parses introspection XML documents; used by instance() and by tests.
    static BusInterfaces fromXml(const QStringList& documents);

    const Interface* find(const QString& name) const;
    QStringList names() const { return m_interfaces.keys(); }

private:
    QHash<QString, Interface> m_interfaces;
};
