#include "EditBuffer.h"

#include "TableViewRows.h"

void EditBuffer::beginInsert(int fieldCount)
{
    m_values.assign(size_t(fieldCount), QVariant());
    m_rowId = kNewRow;
    m_mode = Mode::Insert;
    m_dirty = false;
}

void EditBuffer::beginEdit(int rowId, std::vector<QVariant> values)
{
    m_values = std::move(values);
    m_rowId = rowId;
    m_mode = Mode::Edit;
    m_dirty = false;
}

void EditBuffer::set(int field, QVariant value)
{
    m_values[size_t(field)] = std::move(value);
    m_dirty = true;
}

void EditBuffer::clear()
{
    m_mode = Mode::None;
    m_values.clear();
    m_rowId = -1;
    m_dirty = false;
}
