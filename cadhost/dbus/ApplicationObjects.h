#pragma once

#include "BusHandler.h"

class CadApplication;

// Application, Documents, MenuGroups, MenuGroup, Menus and Menubar.
class ApplicationObjects : public BusHandler
{
public:
    explicit ApplicationObjects(CadApplication& app) : m_app(app) {}

    QVariant get(const BusPath& path, const QString& property) override;
    void set(const BusPath& path, const QString& property, const QVariant& value) override;
    QVariantList call(const BusPath& path, const QString& method, BusCall& call) override;

private:
    QVariantList application(const QString& method, const BusCall& call);
    QVariantList documents(const QString& method, const BusCall& call);
    QVariantList menus(const BusPath& path, const QString& method, const BusCall& call);

    CadApplication& m_app;
};
