#pragma once

#include "TableView.h"
#include "StandardSchemas.h"

#include <QVariantList>

// Builds small tables in memory through a view, as the programs do.
inline void addRow(TableView& view, const QStringList& fields, const QVariantList& values)
{
    view.append();
    for (qsizetype i = 0; i < fields.size(); ++i)
        view.setValue(fields[i], values[i]);
    view.post();
}

// A tree: segments 2, 3, 4 under 0; groups 10, 11 under 2; products under 10.
inline void fillTree(ClientTable& tree)
{
    tree.create(StandardSchemas::tree());
    TableView v(tree);
    const QStringList f = {"LINK1", "LOOK", "SORT", "LINK2"};
    addRow(v, f, {0, "A", 0, 2});
    addRow(v, f, {0, "A", 1, 3});
    addRow(v, f, {0, "A", 2, 4});
    addRow(v, f, {2, "A", 1, 11});
    addRow(v, f, {2, "A", 0, 10});
    addRow(v, f, {2, "B", 0, 99}); // other branch code: not a child of an "A" row
    addRow(v, f, {10, "A", 0, 100});
    addRow(v, f, {10, "A", 1, 101});
    addRow(v, f, {10, "A", 2, 102});
    addRow(v, f, {11, "A", 0, 110});
}
