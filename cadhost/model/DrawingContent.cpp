#include "DrawingContent.h"

#include "ArgumentCheck.h"
#include "CadError.h"
#include "EntityTransform.h"

#include <QSet>

#include <cmath>

namespace {

[[noreturn]] void fail(CadError::Kind kind, const QString& text)
{
    throw CadError(kind, text);
}

double degrees(double radians)
{
    ArgumentCheck::finite(radians, QStringLiteral("rotation"));
    double d = std::fmod(radians * 180.0 / M_PI, 360.0);
    if (d < 0)
        d += 360.0;
    return d;
}

void checkPlacement(const DxfPoint& point, double xs, double ys, double zs)
{
    ArgumentCheck::point(point, QStringLiteral("insertion point"));
    ArgumentCheck::scale(xs, QStringLiteral("x scale"));
    ArgumentCheck::scale(ys, QStringLiteral("y scale"));
    ArgumentCheck::scale(zs, QStringLiteral("z scale"));
}

} // namespace

DrawingContent::DrawingContent(IdSource ids) : m_ids(std::move(ids)) {}

void DrawingContent::touched()
{
    ++m_revision;
    m_liveValid = false;
}

std::uint64_t DrawingContent::newHandle()
{
    return m_nextHandle++;
}

void DrawingContent::checkRoom(int more) const
{
    if (m_entityCount + more > MaxEntities)
        fail(CadError::Failed,
             QStringLiteral("The drawing cannot hold more than %1 entities.").arg(MaxEntities));
}

qint64 DrawingContent::registerEntity(int block, int index)
{
    Entity& e = block < 0 ? m_model[index] : m_blocks[block].entities[index];
    e.id = m_ids();
    m_where.insert(e.id, {block, index, -1});
    m_byHandle.insert(e.dxf.handle, e.id);
    e.attributeIds.clear();
    for (int a = 0; a < e.dxf.attributes.size(); ++a) {
        const qint64 id = m_ids();
        e.attributeIds.append(id);
        m_where.insert(id, {block, index, a});
        m_byHandle.insert(e.dxf.attributes[a].handle, id);
    }
    ++m_entityCount;
    return e.id;
}

void DrawingContent::load(const DxfDrawing& drawing)
{
    m_insunits = drawing.insunits;
    m_linetype = drawing.currentLinetype.isEmpty() ? QStringLiteral("ByLayer")
                                                   : drawing.currentLinetype;
    m_layers = drawing.layers;
    m_model.clear();
    m_blocks.clear();
    m_where.clear();
    m_byHandle.clear();
    m_undo.clear();
    m_entityCount = 0;
    m_nextHandle = std::max<std::uint64_t>({drawing.handseed, drawing.highestHandle() + 1, 0x100});

    // Handles that are missing or used twice get new ones, so that every object
    // can be found by its handle and the file written again stays valid.
    QSet<std::uint64_t> seen;
    auto fix = [&](std::uint64_t& h) {
        if (h == 0 || seen.contains(h))
            h = newHandle();
        seen.insert(h);
    };
    auto adopt = [&](const QVector<DxfEntity>& from, int block) {
        for (DxfEntity e : from) {
            // A reference to a definition the file lacks cannot be drawn or written.
            if (e.kind == DxfEntityKind::Insert && drawing.blockIndex(e.blockName) < 0)
                continue;
            fix(e.handle);
            for (DxfAttribute& a : e.attributes)
                fix(a.handle);
            QVector<Entity>& list = block < 0 ? m_model : m_blocks[block].entities;
            list.append(Entity{std::move(e), 0, false, {}});
            registerEntity(block, int(list.size()) - 1);
        }
    };
    for (const DxfBlock& b : drawing.blocks) {
        if (blockIndex(b.name) >= 0)
            continue; // a second definition of a name: the first one counts
        Block block{b.name, b.origin, b.handle, m_ids(), {}};
        fix(block.handle);
        m_blocks.append(block);
        m_where.insert(block.id, {int(m_blocks.size()) - 1, -1, -1});
        m_byHandle.insert(block.handle, block.id);
    }
    for (int i = 0; i < drawing.blocks.size(); ++i) {
        const int b = blockIndex(drawing.blocks[i].name);
        if (m_blocks[b].entities.isEmpty())
            adopt(drawing.blocks[i].entities, b);
    }
    adopt(drawing.entities, -1);
    touched();
}

DxfDrawing DrawingContent::toDxf() const
{
    DxfDrawing d;
    d.insunits = m_insunits;
    d.currentLinetype = m_linetype;
    d.layers = m_layers;
    d.blocks.reserve(m_blocks.size());
    for (const Block& b : m_blocks) {
        DxfBlock out{b.name, b.origin, b.handle, {}};
        out.entities.reserve(b.entities.size());
        for (const Entity& e : b.entities)
            if (!e.erased)
                out.entities.append(e.dxf);
        d.blocks.append(std::move(out));
    }
    d.entities.reserve(m_model.size());
    for (const Entity& e : m_model)
        if (!e.erased)
            d.entities.append(e.dxf);
    d.handseed = m_nextHandle;
    return d;
}

int DrawingContent::modelCount() const
{
    if (!m_liveValid) {
        m_live.clear();
        for (int i = 0; i < m_model.size(); ++i)
            if (!m_model[i].erased)
                m_live.append(i);
        m_liveValid = true;
    }
    return int(m_live.size());
}

qint64 DrawingContent::modelItem(int index) const
{
    if (index < 0 || index >= modelCount())
        return 0;
    return m_model[m_live[index]].id;
}

qint64 DrawingContent::blockItem(int index) const
{
    return index >= 0 && index < m_blocks.size() ? m_blocks[index].id : 0;
}

int DrawingContent::blockIndex(const QString& name) const
{
    for (int i = 0; i < m_blocks.size(); ++i)
        if (m_blocks[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

std::optional<DrawingContent::Location> DrawingContent::locate(qint64 id) const
{
    const auto it = m_where.constFind(id);
    if (it == m_where.constEnd())
        return std::nullopt;
    return *it;
}

DrawingContent::ObjectKind DrawingContent::kindOf(const Location& l) const
{
    if (l.entity < 0)
        return ObjectKind::Block;
    return l.attribute < 0 ? ObjectKind::Entity : ObjectKind::Attribute;
}

const DrawingContent::Entity& DrawingContent::entity(const Location& l) const
{
    return l.block < 0 ? m_model[l.entity] : m_blocks[l.block].entities[l.entity];
}

DrawingContent::Entity& DrawingContent::entityAt(const Location& l)
{
    return l.block < 0 ? m_model[l.entity] : m_blocks[l.block].entities[l.entity];
}

const DxfAttribute& DrawingContent::attribute(const Location& l) const
{
    return entity(l).dxf.attributes[l.attribute];
}

bool DrawingContent::isErased(qint64 id) const
{
    const auto l = locate(id);
    return l && l->entity >= 0 && entity(*l).erased;
}

DrawingContent::Location DrawingContent::require(qint64 id) const
{
    const auto l = locate(id);
    if (!l)
        fail(CadError::NotFound, QStringLiteral("The drawing has no object with id %1.").arg(id));
    if (l->entity >= 0 && entity(*l).erased)
        fail(CadError::Erased, QStringLiteral("The object with id %1 has been erased.").arg(id));
    return *l;
}

qint64 DrawingContent::idOfHandle(std::uint64_t handle) const
{
    const auto it = m_byHandle.constFind(handle);
    if (handle == 0 || it == m_byHandle.constEnd())
        fail(CadError::NotFound,
             QStringLiteral("The drawing has no object with handle %1.").arg(dxfHandleText(handle)));
    if (isErased(*it))
        fail(CadError::Erased,
             QStringLiteral("The object with handle %1 has been erased.").arg(dxfHandleText(handle)));
    return *it;
}

std::uint64_t DrawingContent::handleOf(qint64 id) const
{
    const Location l = require(id);
    switch (kindOf(l)) {
    case ObjectKind::Block: return block(l).handle;
    case ObjectKind::Entity: return entity(l).dxf.handle;
    case ObjectKind::Attribute: return attribute(l).handle;
    }
    return 0;
}

qint64 DrawingContent::addBlock(const DxfPoint& origin, const QString& name)
{
    ArgumentCheck::point(origin, QStringLiteral("base point"));
    ArgumentCheck::name(name, QStringLiteral("block name"));
    if (name.startsWith(u'*'))
        fail(CadError::InvalidArgument, QStringLiteral("Block names starting with * are reserved."));
    if (blockIndex(name) >= 0)
        fail(CadError::InvalidArgument,
             QStringLiteral("The drawing already has a block named \"%1\".").arg(name));
    if (m_blocks.size() >= MaxBlocks)
        fail(CadError::Failed, QStringLiteral("The drawing cannot hold more blocks."));
    Block b{name, origin, newHandle(), m_ids(), {}};
    m_blocks.append(b);
    m_where.insert(b.id, {int(m_blocks.size()) - 1, -1, -1});
    m_byHandle.insert(b.handle, b.id);
    touched();
    return b.id;
}

void DrawingContent::appendToBlock(int block, DxfEntity e)
{
    e.handle = newHandle();
    for (DxfAttribute& a : e.attributes)
        a.handle = newHandle();
    m_blocks[block].entities.append(Entity{std::move(e), 0, false, {}});
    registerEntity(block, int(m_blocks[block].entities.size()) - 1);
}

void DrawingContent::importBlocksUsedBy(const DxfDrawing& source, const QVector<DxfEntity>& entities,
                                        int depth)
{
    if (depth > 32)
        fail(CadError::FileError, QStringLiteral("The drawing file nests blocks too deeply."));
    for (const DxfEntity& e : entities) {
        if (e.kind != DxfEntityKind::Insert || blockIndex(e.blockName) >= 0)
            continue;
        const int s = source.blockIndex(e.blockName);
        if (s < 0)
            continue; // dropped when copied: the file lacks the definition
        // Existing definitions of the same name win, as when a person inserts a file.
        const DxfBlock& from = source.blocks[s];
        addBlock(from.origin, from.name);
        const int b = int(m_blocks.size()) - 1;
        importBlocksUsedBy(source, from.entities, depth + 1);
        checkRoom(int(from.entities.size()));
        for (const DxfEntity& inner : from.entities)
            if (inner.kind != DxfEntityKind::Insert || blockIndex(inner.blockName) >= 0)
                appendToBlock(b, inner);
    }
}

qint64 DrawingContent::importBlock(const DxfDrawing& source, const QString& name)
{
    const qint64 id = addBlock({}, name);
    addDrawingToBlock(id, source, {}, 1, 1, 1, 0);
    return id;
}

void DrawingContent::addDrawingToBlock(qint64 blockId, const DxfDrawing& source,
                                       const DxfPoint& point, double xs, double ys, double zs,
                                       double rotationRadians)
{
    checkPlacement(point, xs, ys, zs);
    const double rotation = degrees(rotationRadians);
    const Location l = require(blockId);
    if (kindOf(l) != ObjectKind::Block)
        fail(CadError::InvalidArgument, QStringLiteral("The object is not a block definition."));
    checkRoom(int(source.entities.size()));
    for (const DxfLayer& layer : source.layers) // the file's layers come with its entities
        if (std::none_of(m_layers.begin(), m_layers.end(), [&](const DxfLayer& l) {
                return l.name.compare(layer.name, Qt::CaseInsensitive) == 0;
            }))
            m_layers.append(layer);
    importBlocksUsedBy(source, source.entities, 0);
    const EntityTransform t({}, point, xs, ys, zs, rotation);
    for (const DxfEntity& e : source.entities) {
        if (e.kind == DxfEntityKind::Insert) {
            if (blockIndex(e.blockName) < 0)
                continue;
            // A definition cannot contain itself.
            if (m_blocks[blockIndex(e.blockName)].id == blockId)
                fail(CadError::FileError,
                     QStringLiteral("The drawing file inserts the block \"%1\" into itself.")
                         .arg(e.blockName));
        }
        appendToBlock(l.block, t.apply(e));
    }
    touched();
}

qint64 DrawingContent::addAttributeDefinition(qint64 blockId, double height, int mode,
                                              const QString& prompt, const DxfPoint& point,
                                              const QString& tag, const QString& value)
{
    const Location l = require(blockId);
    if (kindOf(l) != ObjectKind::Block)
        fail(CadError::InvalidArgument, QStringLiteral("The object is not a block definition."));
    ArgumentCheck::positive(height, QStringLiteral("text height"));
    ArgumentCheck::point(point, QStringLiteral("attribute point"));
    ArgumentCheck::tag(tag);
    ArgumentCheck::text(prompt, QStringLiteral("prompt"));
    ArgumentCheck::text(value, QStringLiteral("attribute value"));
    if (mode < 0 || mode > 15)
        fail(CadError::InvalidArgument,
             QStringLiteral("The attribute mode %1 is not a sum of 1, 2, 4 and 8.").arg(mode));
    checkRoom(1);
    DxfEntity e;
    e.kind = DxfEntityKind::AttributeDefinition;
    e.points = {point};
    e.height = height;
    e.flags = mode;
    e.prompt = prompt;
    e.tag = tag;
    e.text = value;
    appendToBlock(l.block, e);
    touched();
    return m_blocks[l.block].entities.last().id;
}

qint64 DrawingContent::insertReference(const DxfPoint& point, const QString& blockName, double xs,
                                       double ys, double zs, double rotationRadians)
{
    checkPlacement(point, xs, ys, zs);
    const double rotation = degrees(rotationRadians);
    const int b = blockIndex(blockName);
    if (b < 0)
        fail(CadError::NotFound,
             QStringLiteral("The drawing has no block named \"%1\".").arg(blockName));
    checkRoom(1);
    const Block& block = m_blocks[b];
    DxfEntity ref;
    ref.kind = DxfEntityKind::Insert;
    ref.handle = newHandle();
    ref.blockName = block.name;
    ref.points = {point};
    ref.xScale = xs;
    ref.yScale = ys;
    ref.zScale = zs;
    ref.rotation = rotation;
    const EntityTransform t(block.origin, point, xs, ys, zs, rotation);
    for (const Entity& e : block.entities) {
        if (e.erased || e.dxf.kind != DxfEntityKind::AttributeDefinition || (e.dxf.flags & 2))
            continue;
        DxfAttribute a;
        a.handle = newHandle();
        a.layer = e.dxf.layer;
        a.tag = e.dxf.tag;
        a.text = e.dxf.text;
        a.position = e.dxf.position();
        a.height = e.dxf.height;
        a.rotation = e.dxf.rotation;
        a.flags = e.dxf.flags & ~2;
        ref.attributes.append(t.apply(a));
    }
    m_model.append(Entity{std::move(ref), 0, false, {}});
    const qint64 id = registerEntity(-1, int(m_model.size()) - 1);
    m_undo.append(UndoStep{false, {id}});
    touched();
    return id;
}

void DrawingContent::setBlockOrigin(qint64 blockId, const DxfPoint& origin)
{
    const Location l = require(blockId);
    if (kindOf(l) != ObjectKind::Block)
        fail(CadError::InvalidArgument, QStringLiteral("The object is not a block definition."));
    ArgumentCheck::point(origin, QStringLiteral("base point"));
    m_blocks[l.block].origin = origin;
    touched();
}

void DrawingContent::setAttributeText(qint64 attributeId, const QString& text)
{
    const Location l = require(attributeId);
    if (kindOf(l) != ObjectKind::Attribute)
        fail(CadError::InvalidArgument, QStringLiteral("The object is not an attribute."));
    ArgumentCheck::text(text, QStringLiteral("attribute value"));
    entityAt(l).dxf.attributes[l.attribute].text = text;
    touched();
}

void DrawingContent::setAttributeVisible(qint64 attributeId, bool visible)
{
    const Location l = require(attributeId);
    if (kindOf(l) != ObjectKind::Attribute)
        fail(CadError::InvalidArgument, QStringLiteral("The object is not an attribute."));
    int& flags = entityAt(l).dxf.attributes[l.attribute].flags;
    flags = visible ? (flags & ~1) : (flags | 1);
    touched();
}

DxfEntity& DrawingContent::attributeDefinition(qint64 id)
{
    const Location l = require(id);
    if (kindOf(l) != ObjectKind::Entity
        || entity(l).dxf.kind != DxfEntityKind::AttributeDefinition)
        fail(CadError::InvalidArgument, QStringLiteral("The object is not an attribute definition."));
    touched();
    return entityAt(l).dxf;
}

QVector<qint64> DrawingContent::erase(const QVector<qint64>& ids)
{
    QVector<qint64> erased;
    for (qint64 id : ids) {
        const Location l = require(id);
        if (kindOf(l) != ObjectKind::Entity)
            fail(CadError::InvalidArgument,
                 QStringLiteral("Only entities can be erased, not the object with id %1.").arg(id));
        if (!erased.contains(id))
            erased.append(id);
    }
    for (qint64 id : erased)
        entityAt(*locate(id)).erased = true;
    if (!erased.isEmpty()) {
        m_undo.append(UndoStep{true, erased});
        touched();
    }
    return erased;
}

QVector<qint64> DrawingContent::undo()
{
    if (m_undo.isEmpty())
        fail(CadError::Failed, QStringLiteral("There is nothing to undo."));
    const UndoStep step = m_undo.takeLast();
    for (qint64 id : step.ids)
        entityAt(*locate(id)).erased = !step.wasErase;
    touched();
    return step.ids;
}
