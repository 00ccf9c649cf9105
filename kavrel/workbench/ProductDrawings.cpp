#include "ProductDrawings.h"

#include "TDBX.h"

const QString& ProductDrawings::name(BlockKind kind) const
{
    switch (kind) {
    case BlockKind::Symbol3: return symbol3;
    case BlockKind::Dimension: return dimension;
    case BlockKind::Symbol: break;
    }
    return symbol;
}

ProductDrawingLookup::ProductDrawingLookup(TDBX& dbx)
    : m_dbx(dbx), m_textsByCode(dbx.textTable(), QStringLiteral("DrawingTexts")),
      m_attributesByText(dbx.attributeTable(), QStringLiteral("DrawingAttributes"))
{
    m_textsByCode.setIndexFields({QStringLiteral("KODA"), QStringLiteral("LINK3")});
    m_attributesByText.setIndexFields(
        {QStringLiteral("LOOK"), QStringLiteral("LINK3"), QStringLiteral("LINK2")});
}

ProductDrawings ProductDrawingLookup::forNode(int node) const
{
    const auto name = [this, node](int sort) {
        return m_dbx.text(node, QStringLiteral("A"), sort).value_or(QString());
    };
    return ProductDrawings{name(12), name(13), name(11)};
}

ProductDrawings ProductDrawingLookup::forCode(const QString& code)
{
    if (code.isEmpty() || !m_textsByCode.isActive() || !m_textsByCode.findKey({code}))
        return {};
    const int link3 = int(m_textsByCode.asInt(QStringLiteral("LINK3")));
    if (!m_attributesByText.isActive() ||
        !m_attributesByText.findKey({QStringLiteral("A"), link3}))
        return {};
    return forNode(int(m_attributesByText.asInt(QStringLiteral("LINK2"))));
}
