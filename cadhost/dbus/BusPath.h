#pragma once

#include <QString>
#include <QStringList>

// The object paths of the automation objects: what a path names, and the path of
// each object. Paths stay the same while their object lives.
class BusPath
{
public:
    enum Kind {
        Unknown, Root, Application, Documents, MenuGroups, MenuGroup, Menus, Menubar, Control,
        DocumentNode, Document, ModelSpace, Blocks, Block, Utility, ObjectNode, Entity,
        AttributeNode, Attribute
    };

    static BusPath parse(const QString& path);

    Kind kind = Unknown;
    int doc = 0;       // /Document/<doc>
    qint64 id = 0;     // block or entity object id
    int index = -1;    // menu group or attribute number

    static QString application() { return QStringLiteral("/Application"); }
    static QString documents() { return QStringLiteral("/Application/Documents"); }
    static QString menuGroups() { return QStringLiteral("/Application/MenuGroups"); }
    static QString menuGroup(int n) { return menuGroups() + u'/' + QString::number(n); }
    static QString menus(int n) { return menuGroup(n) + QStringLiteral("/Menus"); }
    static QString menubar() { return QStringLiteral("/Application/Menubar"); }
    static QString control() { return QStringLiteral("/Control"); }
    static QString document(int doc) { return QStringLiteral("/Document/") + QString::number(doc); }
    static QString modelSpace(int doc) { return document(doc) + QStringLiteral("/ModelSpace"); }
    static QString blocks(int doc) { return document(doc) + QStringLiteral("/Blocks"); }
    static QString block(int doc, qint64 id) { return blocks(doc) + u'/' + QString::number(id); }
    static QString utility(int doc) { return document(doc) + QStringLiteral("/Utility"); }
    static QString object(int doc, qint64 id)
    {
        return document(doc) + QStringLiteral("/Object/") + QString::number(id);
    }
    static QString attribute(int doc, qint64 id, int n)
    {
        return object(doc, id) + QStringLiteral("/Attribute/") + QString::number(n);
    }
};
