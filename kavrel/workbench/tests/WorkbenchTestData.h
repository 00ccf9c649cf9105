#pragma once

// Builds projects, BOMs and items straight into the workbench tables, so
// that a test states the rows it starts from.
#include "WorkbenchModel.h"

#include <QDir>
#include <QTemporaryDir>
#include <QVariantMap>

inline int addBom(WorkbenchModel& model, const QString& type, const QString& name)
{
    TableView& r = model.tables().Risba;
    r.append();
    r.setValue(QStringLiteral("Type"), type);
    r.setValue(QStringLiteral("Name"), name);
    r.setValue(QStringLiteral("File"), type == u"N" ? QString() : QStringLiteral("C:\\dwg\\") + name);
    r.post();
    return int(r.asInt(QStringLiteral("L2")));
}

// One item; fields not given stay without a value. Returns its Srt.
inline int addItem(WorkbenchModel& model, QVariantMap fields)
{
    WorkbenchTables& t = model.tables();
    if (!fields.contains(QStringLiteral("Srt")))
        fields.insert(QStringLiteral("Srt"), t.nextSrt());
    if (!fields.contains(QStringLiteral("Ident")))
        fields.insert(QStringLiteral("Ident"), QStringLiteral("P%1").arg(fields.value("Srt").toInt()));
    const TableSchema& s = t.itemTable().schema();
    std::vector<ClientTable::Change> changes(1);
    changes[0].kind = ClientTable::Change::Insert;
    for (const FieldDef& f : s.fields)
        changes[0].values.push_back(fields.value(f.name));
    t.commitItems(changes);
    return fields.value(QStringLiteral("Srt")).toInt();
}

// Srt of every row of a view, in view order.
inline QList<int> srts(TableView& view)
{
    QList<int> out;
    for (int r = 1; r <= view.recordCount(); ++r)
        out << view.rowValue(view.rowIdAt(r), view.fieldIndex(QStringLiteral("Srt"))).toInt();
    std::sort(out.begin(), out.end());
    return out;
}

// The item row with sequence number `srt` as a map of its stored fields.
inline QVariantMap itemRow(WorkbenchModel& model, int srt)
{
    ClientTable& items = model.tables().itemTable();
    TableView v(items);
    QVariantMap out;
    if (!v.locate({QStringLiteral("Srt")}, {srt}))
        return out;
    for (const FieldDef& f : items.schema().fields)
        out.insert(f.name, v.value(f.name));
    return out;
}
