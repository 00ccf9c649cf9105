#pragma once

#include <QVariant>
#include <vector>

// The row a view is editing: a copy of every stored field that setValue()
// changes and post() hands on. Nothing reaches the table or the view's rows
// until then, so cancel() only drops the copy.
class EditBuffer
{
public:
    enum class Mode
    {
        None,
        Edit,
        Insert
    };

    Mode mode() const { return m_mode; }
    bool isActive() const { return m_mode != Mode::None; }
    bool isInsert() const { return m_mode == Mode::Insert; }

    // An empty row of `fieldCount` fields for a new record.
    void beginInsert(int fieldCount);
    // A copy of an existing row (a stored row id or one of the change buffer).
    void beginEdit(int rowId, std::vector<QVariant> values);

    void set(int field, QVariant value);
    const QVariant& value(int field) const { return m_values[size_t(field)]; }
    const std::vector<QVariant>& values() const { return m_values; }
    // The row being edited; kNewRow while inserting.
    int rowId() const { return m_rowId; }
    bool isDirty() const { return m_dirty; }

    void clear();

private:
    Mode m_mode = Mode::None;
    std::vector<QVariant> m_values;
    int m_rowId = -1;
    bool m_dirty = false;
};
