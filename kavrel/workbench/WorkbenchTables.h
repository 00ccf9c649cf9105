#pragma once

// The workbench's tables and the views the workbench works through:
//   BaseSet ("set.cds")  - projects and BOMs of all projects;
//   TNar (<project L2>.cds) - the BOM items of the current project;
//   TNarUN ("narun.cds") - every product code ever added, with its name.
// All three are write-through: every post and delete is in the file when
// the call returns. The hooks that every stored row goes through live here:
// key allocation for new rows, the derived prices of an item, and the
// calculated drawing-name fields.
//
// Display-free; every failure of the table engine arrives as TableError.

#include "ClientTable.h"

#include <QString>
#include <functional>
#include <optional>
#include <utility>

class WorkbenchTables
{
    // Declared first: the views below are built on them.
    ClientTable m_baseSet;
    ClientTable m_items;
    ClientTable m_narUn;

public:
    WorkbenchTables();
    ~WorkbenchTables();
    WorkbenchTables(const WorkbenchTables&) = delete;
    WorkbenchTables& operator=(const WorkbenchTables&) = delete;

    static QString baseSetFile() { return QStringLiteral("set.cds"); }
    static QString narUnFile() { return QStringLiteral("narun.cds"); }
    // The item file of the project with key `projectL2`.
    static QString itemFile(int projectL2) { return QString::number(projectL2) + QStringLiteral(".cds"); }
    // The filter of the project-total view.
    static QString totalFilter();

    // Opens BaseSet and TNarUN in `databaseDir` (missing files are created
    // empty). Projekt is left on its first project, Risba empty until a
    // project is selected.
    void open(const QString& databaseDir);
    bool isOpen() const { return m_baseSet.isOpen(); }
    const QString& databaseDir() const { return m_dir; }
    // Program path of the item file of `projectL2`.
    QString itemPath(int projectL2) const;

    // Closes the item table (written back) and opens the one of
    // `projectL2`, created empty and saved when it does not exist yet;
    // TNarTot is rebuilt over it.
    void openItems(int projectL2);
    // Closes the item table, e.g. before its file is deleted.
    void closeItems();
    bool itemsOpen() const { return m_items.isOpen(); }
    int itemsProject() const { return m_itemsProject; } // 0 when none

    // Writes every open table back to its file (a no-op for changes that
    // are already there).
    void saveAll();

    // ---- Keys.
    int highestL2() const;  // 0 when BaseSet is empty
    int nextSrt() const;    // highest Srt of the item table + 1
    // The Name of the BaseSet row with `l2`; nothing when there is none.
    std::optional<QString> nameOf(int l2);

    // Neto = (1 - Rabat / 100) * Cena and Vred = Neto * Kol, in double
    // precision, into a full row of item values.
    void derivePrices(std::vector<QVariant>& values) const;
    // Stores item changes in one transaction; inserted and updated rows get
    // their derived prices first.
    void commitItems(std::vector<ClientTable::Change>& changes);

    // Adds a product to TNarUN unless its code is there already.
    void addProductCode(const QString& ident, const QString& name);

    // A new working view over the item table with the hooks of every item
    // view (sequence number, derived prices, drawing names).
    void prepareItemView(TableView& view);

    // Called when a row of TNarUN is read for its SumKol and SumVred; the
    // summary computation plugs in here. Without one both read 0.
    using Summary = std::function<std::pair<double, double>(const QString& ident)>;
    void setSummary(Summary summary) { m_summary = std::move(summary); }

    ClientTable& baseSetTable() { return m_baseSet; }
    ClientTable& itemTable() { return m_items; }
    ClientTable& narUnTable() { return m_narUn; }

    // ---- The views, by their names.
    TableView Projekt;   // BaseSet rows of Type "P"
    TableView Risba;     // BOMs of the current project
    TableView LookRisba; // all BaseSet rows by L2, for names by key
    TableView NewSet;    // all BaseSet rows, for the drawing events
    TableView TNar;      // the item view of the current BOM
    TableView TNarTot;   // all counted items of the project
    TableView TNarUN;    // product summary

private:
    void setUpBaseSetViews();
    void setUpItemViews();
    void setUpNarUn();
    void addDrawingNames(TableView& view);

    QString m_dir;
    int m_itemsProject = 0;
    Summary m_summary;
    TableView m_itemsByIdent; // first item of a code, for TNarUN.Kol
    TableView m_narUnByIdent; // TNarUN rows by code, whatever TNarUN's filter
    // Field positions of the item table, taken from its file at opening.
    int m_fCena = -1, m_fRabat = -1, m_fKol = -1, m_fNeto = -1, m_fVred = -1, m_fSrt = -1;
};
