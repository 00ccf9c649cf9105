#pragma once

#include "BusHandler.h"

class CadApplication;
class CadDocument;

// Document, ModelSpace, Blocks, Block, the entities (Entity, BlockReference,
// AttributeDefinition), Attribute and Utility.
class DocumentObjects : public BusHandler
{
public:
    explicit DocumentObjects(CadApplication& app) : m_app(app) {}

    QVariant get(const BusPath& path, const QString& property) override;
    void set(const BusPath& path, const QString& property, const QVariant& value) override;
    QVariantList call(const BusPath& path, const QString& method, BusCall& call) override;

private:
    CadDocument& document(const BusPath& path) const;
    QVariant documentProperty(CadDocument& d, const QString& p) const;
    QVariant entityProperty(CadDocument& d, qint64 id, const QString& p) const;
    QVariant attributeProperty(CadDocument& d, const BusPath& path, const QString& p) const;
    QVariantList documentCall(CadDocument& d, const QString& method, const BusCall& call);
    QVariantList pick(CadDocument& d, const QString& method, BusCall& call);

    CadApplication& m_app;
};
