#pragma once

#include "DxfDrawing.h"

#include <QHash>
#include <QVector>

#include <functional>
#include <optional>

// What a drawing holds while it is open: the DXF content plus what the session
// adds to it — an object id for every block, entity and attribute (new ids each
// time a drawing is opened), erased flags (an erased entity stays until the
// drawing is written, so that undo brings it back with its id and handle) and
// the undo steps. Display-free; every edit checks its arguments and throws
// CadError.
class DrawingContent
{
public:
    struct Entity
    {
        DxfEntity dxf;
        qint64 id = 0;
        bool erased = false;
        QVector<qint64> attributeIds;
    };
    struct Block
    {
        QString name;
        DxfPoint origin;
        std::uint64_t handle = 0;
        qint64 id = 0;
        QVector<Entity> entities;
    };
    // Where an object id lives: a block (entity -1), an entity of model space
    // (block -1) or of a block, or one attribute of a reference.
    struct Location
    {
        int block = -1;
        int entity = -1;
        int attribute = -1;
    };
    enum class ObjectKind { Block, Entity, Attribute };

    // Limits that keep a runaway client from exhausting memory.
    static constexpr int MaxEntities = 2'000'000;
    static constexpr int MaxBlocks = 100'000;

    using IdSource = std::function<qint64()>;
    explicit DrawingContent(IdSource ids);

    // Takes the content of a file: every object gets an id; entities without a
    // handle or with one used twice get a new one.
    void load(const DxfDrawing& drawing);
    // The content as it is written: erased entities left out.
    DxfDrawing toDxf() const;

    int insunits() const { return m_insunits; }
    QString currentLinetype() const { return m_linetype; }

    // Model space entities that are not erased, in drawing order.
    int modelCount() const;
    qint64 modelItem(int index) const; // 0 when out of range
    int blockCount() const { return int(m_blocks.size()); }
    qint64 blockItem(int index) const;
    int blockIndex(const QString& name) const;
    const QVector<Entity>& modelSpace() const { return m_model; }
    const QVector<Block>& blocks() const { return m_blocks; }

    std::optional<Location> locate(qint64 id) const;
    ObjectKind kindOf(const Location& l) const;
    // The object of this id; CadError NotFound or Erased.
    Location require(qint64 id) const;
    const Entity& entity(const Location& l) const;
    const Block& block(const Location& l) const { return m_blocks[l.block]; }
    const DxfAttribute& attribute(const Location& l) const;
    bool isErased(qint64 id) const;
    // Id of the object with this handle; CadError NotFound (unknown) or Erased.
    qint64 idOfHandle(std::uint64_t handle) const;
    std::uint64_t handleOf(qint64 id) const;

    // Edits.
    qint64 addBlock(const DxfPoint& origin, const QString& name);
    // A new definition holding the model space of `source` (a drawing file).
    qint64 importBlock(const DxfDrawing& source, const QString& name);
    // Copies the model space of `source` into a definition, placed by the arguments.
    void addDrawingToBlock(qint64 blockId, const DxfDrawing& source, const DxfPoint& point,
                           double xs, double ys, double zs, double rotationRadians);
    qint64 addAttributeDefinition(qint64 blockId, double height, int mode, const QString& prompt,
                                  const DxfPoint& point, const QString& tag, const QString& value);
    // A reference in model space with attributes from the definition's attribute
    // definitions; undoable.
    qint64 insertReference(const DxfPoint& point, const QString& blockName, double xs, double ys,
                           double zs, double rotationRadians);
    void setBlockOrigin(qint64 blockId, const DxfPoint& origin);
    void setAttributeText(qint64 attributeId, const QString& text);
    void setAttributeVisible(qint64 attributeId, bool visible);
    // Changes one property of an attribute definition.
    DxfEntity& attributeDefinition(qint64 id);

    // Erases objects as one undo step; returns the ids that were erased.
    QVector<qint64> erase(const QVector<qint64>& ids);
    bool canUndo() const { return !m_undo.isEmpty(); }
    // Undoes the last step; returns the ids whose erased state changed.
    QVector<qint64> undo();

    int revision() const { return m_revision; }

private:
    struct UndoStep
    {
        bool wasErase = true; // else an insertion
        QVector<qint64> ids;
    };

    qint64 registerEntity(int block, int index);
    std::uint64_t newHandle();
    void checkRoom(int more) const;
    void importBlocksUsedBy(const DxfDrawing& source, const QVector<DxfEntity>& entities, int depth);
    void appendToBlock(int block, DxfEntity e);
    Entity& entityAt(const Location& l);
    void touched();

    IdSource m_ids;
    int m_insunits = 0;
    QString m_linetype = QStringLiteral("ByLayer");
    QVector<DxfLayer> m_layers;
    QVector<Entity> m_model;
    QVector<Block> m_blocks;
    QHash<qint64, Location> m_where;
    QHash<std::uint64_t, qint64> m_byHandle;
    std::uint64_t m_nextHandle = 0x100;
    int m_entityCount = 0;
    QVector<UndoStep> m_undo;
    int m_revision = 0;
    mutable QVector<int> m_live; // model space indices not erased
    mutable bool m_liveValid = false;
};
