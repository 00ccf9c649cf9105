#pragma once

#include "AcadWait.h"

#include <QString>
#include <QVariant>
#include <memory>

class AcadEvents;

// What a transport offers to reach one object of the drawing program by late
// binding. The D-Bus client implements it; a COM client on Windows would
// implement it over IDispatch. Members are named as the automation interface
// names them and matched without regard to case. Every function throws
// AcadError when the call fails.
class AcadObjectImpl
{
public:
    virtual ~AcadObjectImpl();

    // Stable while the object lives; equal for two handles of one object.
    virtual QString identity() const = 0;

    // A method, or a property read when the object has no method of that name
    // and no arguments are given (automation does not tell the two apart).
    // Object references come back as AcadObject, points as AcadPoint, lists
    // as QVariantList.
    virtual QVariant call(const QString& member, const QVariantList& args, AcadWait wait) = 0;
    virtual QVariant property(const QString& name) = 0;
    virtual void setProperty(const QString& name, const QVariant& value) = 0;

    // Subscribes the object's events under the interface identifier `iid`;
    // the subscription ends when the returned object is destroyed.
    virtual std::unique_ptr<AcadEvents> advise(const QString& iid) = 0;

    // Brings the drawing program's main window to the front, with the drawing
    // whose window handle (HWND) is `hwnd` active. Only the transport knows
    // how one program may raise another's window.
    virtual void bringToFront(qint64 hwnd) = 0;
};
