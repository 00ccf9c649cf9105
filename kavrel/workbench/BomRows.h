#pragma once

#include "WorkbenchTables.h"

#include <QString>
#include <QVariant>
#include <optional>
#include <utility>
#include <vector>

// BaseSet rows of BOMs addressed by their key, for the drawing events and
// the insertion, which act on the BOM of a drawing whatever row the BOM list
// shows. Each change is one write-through post; Risba and the other views
// see it at once.
class BomRows
{
public:
    struct Bom
    {
        int l1 = 0; // the project
        int l2 = 0; // the key
        QString type, name, file, status;
    };

    explicit BomRows(WorkbenchTables& tables) : m_tables(tables) {}

    std::optional<Bom> byKey(int l2) const;
    // The first BOM (not a project) with this Name and File, compared without
    // regard to case as the file system of the drawings does.
    std::optional<Bom> byDrawing(const QString& name, const QString& file) const;
    // Keys of the BOMs of a project, lowest first.
    std::vector<int> ofProject(int projectL2) const;

    void update(int l2, const std::vector<std::pair<QString, QVariant>>& values);
    // Removes the row alone: the caller settles the items.
    void remove(int l2);

private:
    WorkbenchTables& m_tables;
};
