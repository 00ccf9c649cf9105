#include "FieldValue.h"

#include "TableError.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <cmath>

namespace {

[[noreturn]] void fail(const FieldDef& field, const QString& why)
{
    throw TableError(QStringLiteral("Field %1: %2").arg(field.name, why));
}

qint64 toInteger(const FieldDef& field, const QVariant& value)
{
    bool ok = false;
    qint64 result = 0;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (!std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 9.0e15)
            fail(field, QStringLiteral("\"%1\" is not a whole number").arg(d));
        return qint64(d);
    }
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        result = text.toLongLong(&ok);
        if (!ok)
            fail(field, QStringLiteral("\"%1\" is not a whole number").arg(value.toString()));
        return result;
    }
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    default:
        result = value.toLongLong(&ok);
        if (!ok)
            fail(field, QStringLiteral("the value is not a whole number"));
        return result;
    }
}

QDateTime dateTimeFromText(const QString& text)
{
    QDateTime dt = QDateTime::fromString(text, Qt::ISODate);
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(text, Qt::ISODate);
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    return dt;
}

template <typename T> int threeWay(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

namespace {

// Values that already have the field's canonical type (the common case)
// are returned as they are.
bool isCanonical(const FieldDef& field, const QVariant& value)
{
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<int>()) {
        const int v = *static_cast<const int*>(value.constData());
        return field.type == FieldType::Int32 ||
               (field.type == FieldType::Int16 && v >= -32768 && v <= 32767);
    }
    if (type == QMetaType::fromType<QString>() && field.type == FieldType::String)
        return field.width <= 0 ||
               static_cast<const QString*>(value.constData())->size() <= field.width;
    if (type == QMetaType::fromType<double>() && field.type == FieldType::Float)
        return std::isfinite(*static_cast<const double*>(value.constData()));
    return false;
}

bool isBlankText(const QVariant& value)
{
    return value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty();
}

QVariant coerceInteger(const FieldDef& field, const QVariant& value)
{
    if (isBlankText(value))
        return QVariant();
    const qint64 v = toInteger(field, value);
    const qint64 lo = field.type == FieldType::Int16 ? -32768 : -2147483648LL;
    const qint64 hi = field.type == FieldType::Int16 ? 32767 : 2147483647LL;
    if (v < lo || v > hi)
        fail(field, QStringLiteral("%1 is out of range").arg(v));
    return QVariant(int(v));
}

QVariant coerceFloat(const FieldDef& field, const QVariant& value)
{
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return QVariant();
        bool ok = false;
        const double d = QLocale::c().toDouble(text, &ok);
        if (!ok || !std::isfinite(d))
            fail(field, QStringLiteral("\"%1\" is not a number").arg(value.toString()));
        return QVariant(d);
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        fail(field, QStringLiteral("the value is not a number"));
    return QVariant(d);
}

QVariant coerceString(const FieldDef& field, const QVariant& value, bool truncate)
{
    QString text = value.typeId() == QMetaType::Double
                       ? QLocale::c().toString(value.toDouble(), 'g', 15)
                       : value.toString();
    if (field.width > 0 && text.size() > field.width) {
        if (!truncate)
            fail(field,
                 QStringLiteral("\"%1\" is longer than %2 characters").arg(text).arg(field.width));
        text.truncate(field.width);
    }
    return QVariant(text);
}

QVariant coerceDate(const FieldDef& field, const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().isValid() ? value : QVariant();
    if (value.typeId() == QMetaType::QDateTime)
        return QVariant(value.toDateTime().date());
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return QVariant();
    QDate d = QDate::fromString(text, Qt::ISODate);
    if (!d.isValid())
        d = dateTimeFromText(text).date();
    if (!d.isValid())
        fail(field, QStringLiteral("\"%1\" is not a date (YYYY-MM-DD)").arg(text));
    return QVariant(d);
}

QVariant coerceDateTime(const FieldDef& field, const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().isValid() ? value : QVariant();
    if (value.typeId() == QMetaType::QDate)
        return QVariant(QDateTime(value.toDate(), QTime(0, 0)));
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return QVariant();
    const QDateTime dt = dateTimeFromText(text);
    if (!dt.isValid())
        fail(field, QStringLiteral("\"%1\" is not a date and time").arg(text));
    return QVariant(dt);
}

} // namespace

QVariant FieldValue::coerce(const FieldDef& field, const QVariant& value, bool truncate)
{
    if (!value.isValid())
        return QVariant();
    if (isCanonical(field, value))
        return value;
    if (value.isNull())
        return QVariant();
    switch (field.type) {
    case FieldType::Int32:
    case FieldType::Int16:
        return coerceInteger(field, value);
    case FieldType::Float:
        return coerceFloat(field, value);
    case FieldType::String:
        return coerceString(field, value, truncate);
    case FieldType::Date:
        return coerceDate(field, value);
    case FieldType::DateTime:
        return coerceDateTime(field, value);
    }
    return QVariant();
}

namespace {
// Canonical values are read in place: QVariant::typeId() is not inline and
// dominated keyed lookups and filters.
template <typename T> const T& held(const QVariant& v)
{
    Q_ASSERT(v.metaType() == QMetaType::fromType<T>());
    return *static_cast<const T*>(v.constData());
}
} // namespace

int FieldValue::compare(FieldType type, const QVariant& a, const QVariant& b)
{
    const bool va = a.isValid(), vb = b.isValid();
    switch (type) {
    case FieldType::Int32:
    case FieldType::Int16:
        return threeWay(va ? held<int>(a) : 0, vb ? held<int>(b) : 0);
    case FieldType::Float:
        return threeWay(va ? held<double>(a) : 0.0, vb ? held<double>(b) : 0.0);
    case FieldType::String: {
        static const QString empty;
        return QString::compare(va ? held<QString>(a) : empty, vb ? held<QString>(b) : empty,
                                Qt::CaseSensitive);
    }
    case FieldType::Date:
        if (!va || !vb)
            return threeWay(va, vb);
        return threeWay(held<QDate>(a), held<QDate>(b));
    case FieldType::DateTime:
        if (!va || !vb)
            return threeWay(va, vb);
        return threeWay(held<QDateTime>(a), held<QDateTime>(b));
    }
    return 0;
}

namespace {
bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

QString textOf(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(Qt::ISODate);
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(Qt::ISODate);
    return v.toString();
}
} // namespace

int FieldValue::compareMixed(const QVariant& a, const QVariant& b)
{
    const bool na = isNumber(a) || !a.isValid();
    const bool nb = isNumber(b) || !b.isValid();
    if (na && nb)
        return threeWay(a.toDouble(), b.toDouble());
    return QString::compare(textOf(a), textOf(b), Qt::CaseSensitive);
}

bool FieldValue::equalNoCase(const QVariant& a, const QVariant& b)
{
    if ((isNumber(a) || !a.isValid()) && (isNumber(b) || !b.isValid()))
        return a.toDouble() == b.toDouble();
    return QString::compare(textOf(a), textOf(b), Qt::CaseInsensitive) == 0;
}

QString FieldValue::toText(FieldType type, const QVariant& value)
{
    if (!value.isValid())
        return QString();
    switch (type) {
    case FieldType::Int32:
    case FieldType::Int16:
        return QString::number(value.toLongLong());
    case FieldType::Float:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case FieldType::String:
        return value.toString();
    case FieldType::Date:
        return value.toDate().toString(Qt::ISODate);
    case FieldType::DateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    }
    return QString();
}

QVariant FieldValue::fromText(const FieldDef& field, const QString& text)
{
    if (text.isEmpty())
        return field.type == FieldType::String ? QVariant(QString()) : QVariant();
    return coerce(field, QVariant(text));
}
