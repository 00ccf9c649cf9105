#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The members of one D-Bus object as its introspection data describes them,
// looked up without regard to case as automation names are. The standard
// org.freedesktop.DBus interfaces are left out: they are the transport's,
// not the drawing program's.
class DBusMemberTable
{
public:
    struct Method
    {
        QString interface;
        QString name;
        QStringList in;  // argument types, in order
        QStringList out; // result types
    };
    struct Property
    {
        QString interface;
        QString name;
        QString type;
        bool readable = false;
        bool writable = false;
    };
    struct Signal
    {
        QString interface;
        QString name;
    };

    // Introspection XML as org.freedesktop.DBus.Introspectable returns it.
    // Malformed data gives the members read up to the fault and error() set.
    static DBusMemberTable parse(const QString& xml);

    const Method* method(const QString& name) const;
    const Property* property(const QString& name) const;
    const QList<Signal>& signalList() const { return m_signals; }
    bool isEmpty() const { return m_methods.isEmpty() && m_properties.isEmpty(); }
    // The object's own interfaces, sorted: two objects with the same list are of one kind.
    const QStringList& interfaces() const { return m_interfaces; }
    const QString& error() const { return m_error; }

private:
    QHash<QString, Method> m_methods;       // by lower-case name; the first interface wins
    QHash<QString, Property> m_properties;  // likewise
    QList<Signal> m_signals;
    QStringList m_interfaces;
    QString m_error;
};
