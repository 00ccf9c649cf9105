#include "DBusValues.h"

#include "AcadError.h"
#include "AcadPoint.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <cmath>
#include <limits>

namespace {
[[noreturn]] void refuse(const QString& what, const char* expected)
{
    throw AcadError(AcadError::Kind::InvalidArgument,
                    QStringLiteral("The %1 must be %2.").arg(what, QLatin1String(expected)));
}

bool isNumber(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

// A whole number in [lo, hi]; automation passes 1.0 for 1, so integral
// doubles count, fractions do not.
qint64 wholeNumber(const QVariant& v, qint64 lo, qint64 hi, const QString& what)
{
    if (!isNumber(v))
        refuse(what, "a whole number");
    if (v.metaType().id() == QMetaType::Double || v.metaType().id() == QMetaType::Float) {
        const double d = v.toDouble();
        if (!std::isfinite(d) || d != std::trunc(d) || d < double(lo) || d > double(hi))
            refuse(what, "a whole number in range");
        return qint64(d);
    }
    bool ok = false;
    const qint64 i = v.toLongLong(&ok);
    if (!ok || i < lo || i > hi)
        refuse(what, "a whole number in range");
    return i;
}

template <typename T> QList<T> demarshal(const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<QList<T>>())
        return v.value<QList<T>>();
    QList<T> list;
    if (v.metaType() == QMetaType::fromType<QDBusArgument>())
        v.value<QDBusArgument>() >> list;
    return list;
}
} // namespace

QVariant DBusValues::toWire(const QVariant& value, const QString& type, const PathOf& pathOf,
                            const QString& what)
{
    if (type == u"s") {
        if (value.metaType().id() == QMetaType::QString)
            return value;
        if (isNumber(value))
            return value.toString();
        refuse(what, "a text");
    }
    if (type == u"i")
        return int(wholeNumber(value, std::numeric_limits<int>::min(),
                               std::numeric_limits<int>::max(), what));
    if (type == u"x")
        return qlonglong(wholeNumber(value, std::numeric_limits<qint64>::min(),
                                     std::numeric_limits<qint64>::max(), what));
    if (type == u"d") {
        if (!isNumber(value) || !std::isfinite(value.toDouble()))
            refuse(what, "a finite number");
        return value.toDouble();
    }
    if (type == u"b") {
        if (!isNumber(value))
            refuse(what, "true or false");
        return value.toBool();
    }
    if (type == u"o") {
        if (value.metaType() != QMetaType::fromType<AcadObject>())
            refuse(what, "an object of the drawing program");
        return QVariant::fromValue(QDBusObjectPath(pathOf(value.value<AcadObject>())));
    }
    if (type == u"ad") {
        const auto p = AcadPoint::fromVariant(value);
        if (!p)
            refuse(what, "a point of three finite coordinates");
        return QVariant::fromValue(QList<double>{p->x, p->y, p->z});
    }
    if (type == u"as") {
        if (value.metaType().id() != QMetaType::QStringList)
            refuse(what, "a list of texts");
        return value;
    }
    return value;
}

QVariant DBusValues::fromWire(const QVariant& wire, const QString& type, const ObjectAt& objectAt)
{
    QVariant value = wire;
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    if (type == u"o") {
        const QString path = value.value<QDBusObjectPath>().path();
        // "/" is how D-Bus says "no object" (no active drawing, for example).
        return path.isEmpty() || path == u"/" ? QVariant::fromValue(AcadObject())
                                              : QVariant::fromValue(objectAt(path));
    }
    if (type == u"ao") {
        QVariantList list;
        for (const QDBusObjectPath& p : demarshal<QDBusObjectPath>(value))
            list.append(QVariant::fromValue(objectAt(p.path())));
        return list;
    }
    if (type == u"ad") {
        const QList<double> d = demarshal<double>(value);
        if (d.size() == 3)
            return QVariant::fromValue(AcadPoint{d[0], d[1], d[2]});
        QVariantList list;
        for (double x : d)
            list.append(x);
        return list;
    }
    // Any other container would reach the caller as an opaque QDBusArgument.
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return {};
    return value;
}
