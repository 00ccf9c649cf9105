#pragma once

#include "AcadPoint.h"
#include "AcadWait.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <memory>

class AcadEvents;
class AcadObjectImpl;

// A handle to an object of the drawing program, called by member name. Cheap
// to copy; copies refer to the same object. A null handle (default) throws on
// every call. The typed readers (string(), integer(), ...) call the member and
// insist on the reply's kind, so a drawing program that answers something
// unexpected is an error here rather than a wrong value later.
class AcadObject
{
public:
    AcadObject() = default;
    explicit AcadObject(std::shared_ptr<AcadObjectImpl> impl);

    bool isNull() const { return !m_impl; }
    QString identity() const;
    bool operator==(const AcadObject& other) const { return identity() == other.identity(); }

    QVariant call(const QString& member, const QVariantList& args = {},
                  AcadWait wait = AcadWait::Ordinary) const;
    QVariant get(const QString& property) const;
    void set(const QString& property, const QVariant& value) const;
    std::unique_ptr<AcadEvents> advise(const QString& iid) const;
    void bringToFront(qint64 hwnd) const;

    QString string(const QString& member, const QVariantList& args = {}) const;
    int integer(const QString& member, const QVariantList& args = {}) const;
    qint64 int64(const QString& member, const QVariantList& args = {}) const;
    double number(const QString& member, const QVariantList& args = {},
                  AcadWait wait = AcadWait::Ordinary) const;
    bool boolean(const QString& member, const QVariantList& args = {}) const;
    AcadPoint point(const QString& member, const QVariantList& args = {},
                    AcadWait wait = AcadWait::Ordinary) const;
    AcadObject object(const QString& member, const QVariantList& args = {}) const;
    QList<AcadObject> objects(const QString& member, const QVariantList& args = {}) const;

    // A point as an argument of call().
    static QVariant arg(const AcadPoint& p) { return QVariant::fromValue(p); }

    // For the transport that made the handle, to pass it back as an argument.
    AcadObjectImpl* implementation() const { return m_impl.get(); }

private:
    AcadObjectImpl& impl() const;

    std::shared_ptr<AcadObjectImpl> m_impl;
};

Q_DECLARE_METATYPE(AcadObject)
