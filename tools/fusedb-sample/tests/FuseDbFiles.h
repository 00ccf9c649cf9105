#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

// A deliberately small, independent reader of a fuse database directory, so
// that the tests check the written files rather than the writer's memory.
struct FuseDbFiles
{
    struct Type
    {
        QString name, unitX, unitY;
        bool logX = true, logY = true;
        double startX = 0, endX = 0, startY = 0, endY = 0;
        double valueX(double t) const;
        double valueY(double t) const;
    };
    struct Group
    {
        QString name;
        int level = 0;
        QString parent;
    };
    struct Fuse
    {
        QString name, code, group;
    };
    struct Point
    {
        double x, y; // axis values, already converted from positions
    };
    struct Characteristic
    {
        int id = 0;
        QString fuse, type;
        std::vector<Point> points;
    };

    QStringList tableList;
    std::vector<Type> types;
    std::vector<Group> groups;
    std::vector<Fuse> fuses;
    std::vector<Characteristic> characteristics;
    long long pointCount = 0;
    QString error; // first problem found while reading

    static FuseDbFiles read(const QString& dir);
    // The fields of a record file grouped into records of `columns` fields.
    static std::vector<QStringList> records(const QByteArray& content, int columns);

    const Type* type(const QString& name) const;
    const Group* group(const QString& name) const;
    const Fuse* fuse(const QString& name) const;
    const Characteristic* characteristic(const QString& fuse, const QString& type) const;
};
