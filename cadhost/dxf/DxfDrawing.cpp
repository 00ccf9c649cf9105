#include "DxfDrawing.h"

#include <algorithm>

bool DxfBlock::hasAttributeDefinitions() const
{
    return std::any_of(entities.begin(), entities.end(), [](const DxfEntity& e) {
        return e.kind == DxfEntityKind::AttributeDefinition;
    });
}

int DxfDrawing::blockIndex(const QString& name) const
{
    for (int i = 0; i < blocks.size(); ++i)
        if (blocks[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int DxfDrawing::layerIndex(const QString& name) const
{
    for (int i = 0; i < layers.size(); ++i)
        if (layers[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

namespace {

std::uint64_t highest(const QVector<DxfEntity>& entities)
{
    std::uint64_t h = 0;
    for (const DxfEntity& e : entities) {
        h = std::max(h, e.handle);
        for (const DxfAttribute& a : e.attributes)
            h = std::max(h, a.handle);
    }
    return h;
}

} // namespace

std::uint64_t DxfDrawing::highestHandle() const
{
    std::uint64_t h = highest(entities);
    for (const DxfBlock& b : blocks)
        h = std::max({h, b.handle, highest(b.entities)});
    return h;
}

QString dxfHandleText(std::uint64_t handle)
{
    return QString::number(handle, 16).toUpper();
}

std::uint64_t dxfHandleValue(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 16)
        return 0;
    bool ok = false;
    const qulonglong v = t.toULongLong(&ok, 16);
    return ok ? v : 0;
}
