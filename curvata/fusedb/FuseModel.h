#pragma once

// The in-memory fuse database of curvata: groups, fuses, their
// characteristics with the curve points, and the characteristic types with
// their axes. The application loads both tables once and never changes them
// afterwards, so every pointer handed out stays valid until the program ends.
//
// Names are compared exactly, byte for byte as the files hold them
// (case-sensitive, no trimming, no folding); every look-up returns the first
// match in the documented order. The texts here are decoded with their
// file's one encoding, which loses nothing, so among the names of one file
// equal texts are equal bytes. Names read in one file are matched against
// another file's names by the loader through that file's encoding
// (FieldConversion::textIn).

#include "FieldConversion.h"
#include "PointArena.h"

#include <QByteArray>

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <span>
#include <vector>

class FuseGroup;

// One axis of a characteristic type. Curve coordinates are stored as
// positions along the axis: 0 at `start`, 1 at `end`; positions outside 0..1
// are allowed and lie outside the range.
struct AxisDefinition
{
    QString unit;
    bool logarithmic = true; // false only when the database field was exactly "0"
    double start = 0.0;
    double end = 0.0;

    // The axis value that a normalized position stands for. An axis whose
    // start equals its end gives the start for every position. NaN when
    // the axis gives no values (givesValues()): callers test with
    // std::isfinite.
    double valueAt(double position) const;
    // The normalized position of an axis value; NaN when undefined (no
    // values, start == end, or a value that is not positive on a
    // logarithmic axis).
    double positionOf(double value) const;
    // True when positions stand for values: finite limits, and positive
    // ones on a logarithmic axis (whose formula takes their logarithms).
    bool givesValues() const;
    // True when both conversions are defined for values within the range.
    bool canMap() const;
};

// One record of `tip_kar`: the type's name and its two axes.
class CharacteristicType
{
public:
    CharacteristicType() = default;
    // `nameBytes`: the name as its file holds it; by default its UTF-8.
    CharacteristicType(QString name, AxisDefinition x, AxisDefinition y, QByteArray nameBytes = {})
        : m_name(std::move(name)), m_nameBytes(nameBytes.isNull() ? m_name.toUtf8() : nameBytes),
          m_x(std::move(x)), m_y(std::move(y))
    {
    }

    const QString& name() const { return m_name; }
    const QByteArray& nameBytes() const { return m_nameBytes; }
    const AxisDefinition& xAxis() const { return m_x; }
    const AxisDefinition& yAxis() const { return m_y; }

    const QString& xUnit() const { return m_x.unit; }
    const QString& yUnit() const { return m_y.unit; }
    bool isLogX() const { return m_x.logarithmic; }
    bool isLogY() const { return m_y.logarithmic; }
    double startX() const { return m_x.start; }
    double endX() const { return m_x.end; }
    double startY() const { return m_y.start; }
    double endY() const { return m_y.end; }

    // Normalized position <-> axis value, as AxisDefinition::valueAt/positionOf.
    double xValue(double position) const { return m_x.valueAt(position); }
    double yValue(double position) const { return m_y.valueAt(position); }
    double xPosition(double value) const { return m_x.positionOf(value); }
    double yPosition(double value) const { return m_y.positionOf(value); }

private:
    QString m_name;
    QByteArray m_nameBytes;
    AxisDefinition m_x;
    AxisDefinition m_y;
};

// One record of `tocka`. x and y are normalized positions (see
// AxisDefinition), not axis values.
struct CurvePoint
{
    int32_t sequenceNumber = 0; // kept as read; it never reorders the points
    double x = 0.0;
    double y = 0.0;
};

// One record of `karakt`: a curve of a fuse for one characteristic type.
// The points keep file order, which is the order in which the curve is drawn
// and interpolated.
class Characteristic
{
public:
    // The points live in `memory`: a database keeps all its points in one
    // arena instead of one heap block per curve.
    Characteristic(int32_t id, const CharacteristicType* type,
                   std::pmr::memory_resource* memory = std::pmr::get_default_resource())
        : m_id(id), m_type(type), m_points(memory)
    {
    }

    int32_t id() const { return m_id; }
    const CharacteristicType* type() const { return m_type; } // never null in a loaded database
    int pointCount() const { return static_cast<int>(m_points.size()); }
    // Null for an index outside 0..pointCount()-1.
    const CurvePoint* point(int index) const;
    std::span<const CurvePoint> points() const { return m_points; }

    void appendPoint(const CurvePoint& point) { m_points.push_back(point); }
    void appendPoints(std::span<const CurvePoint> points)
    {
        m_points.insert(m_points.end(), points.begin(), points.end());
    }

private:
    int32_t m_id;
    const CharacteristicType* m_type;
    std::pmr::vector<CurvePoint> m_points;
};

// One record of `vars`.
class Fuse
{
public:
    Fuse(QString name, QString catalogueNumber)
        : m_name(std::move(name)), m_catalogueNumber(std::move(catalogueNumber))
    {
    }
    Fuse(const Fuse&) = delete;
    Fuse& operator=(const Fuse&) = delete;

    const QString& name() const { return m_name; }
    const QString& catalogueNumber() const { return m_catalogueNumber; }
    const FuseGroup* group() const { return m_group; } // null when the named group is missing

    int characteristicCount() const { return static_cast<int>(m_characteristics.size()); }
    // Null for an index outside the list.
    const Characteristic* characteristic(int index) const;
    Characteristic* characteristic(int index); // while building
    // The first characteristic whose type has this name, or null: the fuse
    // then has no curve for that type.
    const Characteristic* findCharacteristic(const QString& typeName) const;

    void setGroup(const FuseGroup* group) { m_group = group; }
    // Returns the stored characteristic; it stays at that address. Its
    // points go to `pointMemory`, which must outlive the fuse.
    Characteristic*
    appendCharacteristic(int32_t id, const CharacteristicType* type,
                         std::pmr::memory_resource* pointMemory = std::pmr::get_default_resource());

private:
    QString m_name;
    QString m_catalogueNumber;
    const FuseGroup* m_group = nullptr;
    std::vector<std::unique_ptr<Characteristic>> m_characteristics;
};

// One record of `var_grup`. A group refers to (does not own) its child
// groups and its fuses; the database owns them all.
class FuseGroup
{
public:
    FuseGroup(QString name, int32_t level, QString parentName)
        : m_name(std::move(name)), m_level(level), m_parentName(std::move(parentName))
    {
    }
    FuseGroup(const FuseGroup&) = delete;
    FuseGroup& operator=(const FuseGroup&) = delete;

    const QString& name() const { return m_name; }
    int32_t level() const { return m_level; } // 1 for a top-level group
    const QString& parentName() const { return m_parentName; }
    const FuseGroup* parent() const { return m_parent; } // null at level 1 or when unlinked

    int childCount() const { return static_cast<int>(m_children.size()); }
    const FuseGroup* child(int index) const; // null outside the list
    const std::vector<const FuseGroup*>& children() const { return m_children; }

    int fuseCount() const { return static_cast<int>(m_fuses.size()); }
    const Fuse* fuse(int index) const; // null outside the list
    const std::vector<const Fuse*>& fuses() const { return m_fuses; }

    void setParent(const FuseGroup* parent) { m_parent = parent; }
    void appendChild(const FuseGroup* child) { m_children.push_back(child); }
    void appendFuse(const Fuse* fuse) { m_fuses.push_back(fuse); }

private:
    QString m_name;
    int32_t m_level;
    QString m_parentName;
    const FuseGroup* m_parent = nullptr;
    std::vector<const FuseGroup*> m_children;
    std::vector<const Fuse*> m_fuses;
};

// The characteristic types (`tip_kar`), in file order.
class CharacteristicTypeTable
{
public:
    CharacteristicTypeTable();
    ~CharacteristicTypeTable();
    CharacteristicTypeTable(const CharacteristicTypeTable&) = delete;
    CharacteristicTypeTable& operator=(const CharacteristicTypeTable&) = delete;

    int count() const { return static_cast<int>(m_types.size()); }
    const CharacteristicType* type(int index) const; // null outside the list
    // The first type with this name, or null.
    const CharacteristicType* findType(const QString& name) const;

    // Appends a type and returns it; it stays at that address.
    const CharacteristicType* append(CharacteristicType type);

    // How the names were written in the type file; names read elsewhere
    // are looked up through it.
    TextEncoding encoding() const { return m_encoding; }
    void setEncoding(TextEncoding encoding) { m_encoding = encoding; }

private:
    struct Index;
    TextEncoding m_encoding = TextEncoding::Utf8;
    std::vector<std::unique_ptr<CharacteristicType>> m_types;
    std::unique_ptr<Index> m_index;
};

// Groups, fuses, characteristics and points (`var_grup`, `vars`, `karakt`,
// `tocka`). Owns every group and fuse.
class FuseDatabase
{
public:
    FuseDatabase();
    ~FuseDatabase();
    FuseDatabase(const FuseDatabase&) = delete;
    FuseDatabase& operator=(const FuseDatabase&) = delete;

    // Level-1 groups in file order.
    int topLevelGroupCount() const { return static_cast<int>(m_topLevel.size()); }
    const FuseGroup* topLevelGroup(int index) const;
    const std::vector<const FuseGroup*>& topLevelGroups() const { return m_topLevel; }

    // Every group, by ascending level, equal levels in file order.
    int groupCount() const { return static_cast<int>(m_groups.size()); }
    const FuseGroup* group(int index) const;
    const std::vector<const FuseGroup*>& groups() const { return m_groups; }

    // Every fuse in file order, including fuses whose group is missing.
    int fuseCount() const { return static_cast<int>(m_fuses.size()); }
    const Fuse* fuse(int index) const;
    const std::vector<const Fuse*>& fuses() const { return m_fuses; }

    // First fuse of all fuses with this name, or null.
    const Fuse* findFuse(const QString& name) const;
    // First fuse of `group` with this name; with no group, as findFuse.
    const Fuse* findFuse(const QString& name, const FuseGroup* group) const;
    // Below a parent (level > 1 and a parent given): the first child of the
    // parent with this name and level; otherwise the first top-level group
    // with this name and level.
    const FuseGroup* findGroup(const QString& name, int32_t level, const FuseGroup* parent) const;
    // First group in level order with this name, at any level.
    const FuseGroup* findGroup(const QString& name) const;
    // First group in level order with this name and level.
    const FuseGroup* findGroup(const QString& name, int32_t level) const;
    // First characteristic with this id, scanning the fuses in order and
    // each fuse's characteristics in order.
    const Characteristic* findCharacteristic(int32_t id) const;

    // The distinct type names of the fuses' characteristics, ascending by
    // the bytes the type file holds (what the characteristic choice offers).
    static QStringList characteristicTypeNames(const std::vector<const Fuse*>& fuses);

    // Building (the loader, tests, tools). addGroup lists a level-1 group as
    // top level; finishBuilding() puts all groups in level order (a group
    // goes before the first group of a greater level, so equal levels keep
    // the order of adding). Links and lists of groups and fuses are the
    // caller's business (setParent, appendChild, appendFuse, setGroup).
    FuseGroup* addGroup(QString name, int32_t level, QString parentName);
    Fuse* addFuse(QString name, QString catalogueNumber);
    // Where the points of the database's characteristics are kept; it lives
    // as long as the database.
    std::pmr::memory_resource* pointMemory() { return &m_pointMemory; }
    // Orders the groups and rebuilds the look-up indexes; linear in the
    // size of the database. Look-ups see what was added before the last
    // call only, so call it after each stage of building.
    void finishBuilding();

    // Writable views of what this database owns, for building; the same
    // rules as the const look-ups above.
    FuseGroup* group(int index);
    Fuse* fuse(int index);
    Fuse* findFuse(const QString& name);
    FuseGroup* findGroup(const QString& name);
    FuseGroup* findGroup(const QString& name, int32_t level);
    Characteristic* findCharacteristic(int32_t id);

private:
    struct Index;

    // First, so that it goes last: the points in it belong to the fuses.
    PointArena m_pointMemory;
    std::vector<std::unique_ptr<FuseGroup>> m_groupStorage;
    std::vector<std::unique_ptr<Fuse>> m_fuseStorage;
    std::vector<const FuseGroup*> m_topLevel;
    std::vector<const FuseGroup*> m_groups;
    std::vector<const Fuse*> m_fuses;
    std::unique_ptr<Index> m_index;
};
