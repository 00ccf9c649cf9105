#pragma once

#include "AcadBlock.h"
#include "AcadEntity.h"
#include "AcadObject.h"

#include <memory>

class AcadEvents;

// An open drawing of the drawing program, with the calls the workbench makes
// on it. Model space, the block table and the pick utility are looked up once
// per handle: their object references stay valid while the drawing is open.
class AcadDocument
{
public:
    AcadDocument() = default;
    explicit AcadDocument(AcadObject object) : m_object(std::move(object)) {}

    const AcadObject& object() const { return m_object; }
    bool isNull() const { return m_object.isNull(); }
    bool operator==(const AcadDocument& other) const { return m_object == other.m_object; }

    QString name() const;
    QString fullName() const;
    // True when the drawing has no changes since it was opened or saved.
    bool isSaved() const;
    // The native handle of the drawing's window.
    qint64 hwnd() const;
    QString activeLinetype() const;
    void activate() const;
    // Brings the drawing program's main window (the one holding this drawing) to the front.
    void bringToFront() const;

    int modelSpaceCount() const;
    AcadEntity modelSpaceItem(int index) const;
    // `name` is a block definition's name, or a drawing file inserted as a new definition.
    AcadEntity insertBlock(const AcadPoint& point, const QString& name, double xScale,
                           double yScale, double zScale, double rotation) const;

    int blockCount() const;
    AcadBlock block(int index) const;
    AcadBlock addBlock(const AcadPoint& origin, const QString& name) const;
    // The definition named exactly `name`, or a null block.
    AcadBlock findBlock(const QString& name) const;

    // Wait for the person: they end with the picked point or distance, or
    // throw AcadError of kind Cancelled when the person cancels. Events of the
    // drawing program keep arriving while they wait.
    AcadPoint getPoint(const AcadPoint& base, const QString& prompt) const;
    double getDistance(const AcadPoint& point, const QString& prompt) const;

    // Throws AcadError (NotFound or Erased) when the drawing has no such
    // object, which for the workbench means the block was erased.
    AcadEntity handleToObject(const QString& handle) const;
    void regen(int which) const;
    void zoomExtents() const;

    // Document events under the identifier of the given version code.
    std::unique_ptr<AcadEvents> adviseEvents(const QString& versionCode) const;

private:
    const AcadObject& part(AcadObject& cache, const char* property) const;

    AcadObject m_object;
    mutable AcadObject m_modelSpace;
    mutable AcadObject m_blocks;
    mutable AcadObject m_utility;
};
