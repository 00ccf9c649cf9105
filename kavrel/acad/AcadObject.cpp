#include "AcadObject.h"

#include "AcadError.h"
#include "AcadEvents.h"
#include "AcadObjectImpl.h"

AcadObjectImpl::~AcadObjectImpl() = default;

namespace {
[[noreturn]] void wrongReply(const QString& member, const char* expected)
{
    throw AcadError(AcadError::Kind::Failed,
                    QStringLiteral("The drawing program answered \"%1\" with something other "
                                   "than %2.")
                        .arg(member, QLatin1String(expected)));
}

bool isNumeric(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}
} // namespace

AcadObject::AcadObject(std::shared_ptr<AcadObjectImpl> impl) : m_impl(std::move(impl)) {}

AcadObjectImpl& AcadObject::impl() const
{
    if (!m_impl)
        throw AcadError(AcadError::Kind::NotFound,
                        QStringLiteral("There is no drawing program object to call."));
    return *m_impl;
}

QString AcadObject::identity() const
{
    return m_impl ? m_impl->identity() : QString();
}

QVariant AcadObject::call(const QString& member, const QVariantList& args, AcadWait wait) const
{
    return impl().call(member, args, wait);
}

QVariant AcadObject::get(const QString& property) const
{
    return impl().property(property);
}

void AcadObject::set(const QString& property, const QVariant& value) const
{
    impl().setProperty(property, value);
}

std::unique_ptr<AcadEvents> AcadObject::advise(const QString& iid) const
{
    return impl().advise(iid);
}

void AcadObject::bringToFront(qint64 hwnd) const
{
    impl().bringToFront(hwnd);
}

QString AcadObject::string(const QString& member, const QVariantList& args) const
{
    const QVariant v = call(member, args);
    if (v.metaType().id() != QMetaType::QString)
        wrongReply(member, "a text");
    return v.toString();
}

int AcadObject::integer(const QString& member, const QVariantList& args) const
{
    const QVariant v = call(member, args);
    bool ok = false;
    const int i = v.toInt(&ok);
    if (!isNumeric(v) || !ok || v.toDouble() != i)
        wrongReply(member, "a whole number");
    return i;
}

qint64 AcadObject::int64(const QString& member, const QVariantList& args) const
{
    const QVariant v = call(member, args);
    bool ok = false;
    const qint64 i = v.toLongLong(&ok);
    if (!isNumeric(v) || !ok || v.metaType().id() == QMetaType::Double)
        wrongReply(member, "a whole number");
    return i;
}

double AcadObject::number(const QString& member, const QVariantList& args, AcadWait wait) const
{
    const QVariant v = call(member, args, wait);
    if (!isNumeric(v))
        wrongReply(member, "a number");
    return v.toDouble();
}

bool AcadObject::boolean(const QString& member, const QVariantList& args) const
{
    const QVariant v = call(member, args);
    if (v.metaType().id() != QMetaType::Bool)
        wrongReply(member, "true or false");
    return v.toBool();
}

AcadPoint AcadObject::point(const QString& member, const QVariantList& args, AcadWait wait) const
{
    const auto p = AcadPoint::fromVariant(call(member, args, wait));
    if (!p)
        wrongReply(member, "a point of three finite coordinates");
    return *p;
}

AcadObject AcadObject::object(const QString& member, const QVariantList& args) const
{
    const QVariant v = call(member, args);
    if (v.metaType() != QMetaType::fromType<AcadObject>())
        wrongReply(member, "an object");
    return v.value<AcadObject>();
}

QList<AcadObject> AcadObject::objects(const QString& member, const QVariantList& args) const
{
    const QVariant v = call(member, args);
    if (v.metaType().id() != QMetaType::QVariantList)
        wrongReply(member, "a list of objects");
    QList<AcadObject> result;
    for (const QVariant& item : v.toList()) {
        if (item.metaType() != QMetaType::fromType<AcadObject>())
            wrongReply(member, "a list of objects");
        result.append(item.value<AcadObject>());
    }
    return result;
}
