#pragma once

// The workbench without its window: projects, their BOMs and BOM items, the
// item view of the current BOM with its insert permissions, the totals, and
// the commands that change them (new and delete BOM, delete item, add the
// catalogue product without the CAD, new and delete project). The window,
// the tests and the benchmark drive it; it shows nothing itself. Failures of
// the table engine reach the caller as TableError; a traversal that
// overruns its guard is reported through overrun() and the command goes on.

#include "WorkbenchTables.h"

#include <QObject>
#include <QString>
#include <functional>

// The catalogue product under focus, as the catalogue window offers it.
struct CatalogueProduct
{
    QString code;  // KODA
    QString name;  // NAZIV
    double price = 0.0; // CENA
};

// What may be inserted into the current BOM.
struct InsertPermissions
{
    bool symbols = false;
    bool dimensions = false;
    bool operator==(const InsertPermissions&) const = default;
};

class WorkbenchModel : public QObject
{
    Q_OBJECT
public:
    // Guard numbers of the traversals owned here.
    enum GuardLine
    {
        CascadeLine = 3356,     // items of a BOM being deleted
        ProjectBomsLine = 3420, // BOMs of a project being deleted
    };

    explicit WorkbenchModel(QObject* parent = nullptr);
    ~WorkbenchModel() override;

    // Opens the tables in `databaseDir`; an empty project table gets
    // "New project1". The first project becomes current. `language` gives
    // the name of new list BOMs.
    void open(const QString& databaseDir, const QString& language);
    bool isOpen() const { return m_tables.isOpen(); }
    WorkbenchTables& tables() { return m_tables; }
    const QString& language() const { return m_language; }
    QString listName() const;

    // The routine that runs before the current project is left (changed or
    // deleted); false keeps the project. The window installs its close
    // routine here. Without one the tables are saved and the change goes on.
    void setLeaveHandler(std::function<bool()> handler) { m_leave = std::move(handler); }
    // Writes every table back to its file.
    void saveAll() { m_tables.saveAll(); }

    // ---- Projects.
    int currentProject() const { return m_tables.itemsProject(); }
    QString currentProjectName() const;
    // Makes the project with key `l2` current; false when the leave
    // routine refused or there is no such project.
    bool selectProject(int l2);
    // Appends an unnamed project (today's date) and makes it current;
    // returns its key, or 0 when the leave routine refused.
    int addProject();
    // Deletes the current project with its BOMs and its item file. False
    // when the leave routine refused. Another project becomes current; when
    // none is left a new "New project1" is made.
    bool deleteProject();

    // ---- BOMs of the current project.
    int currentBom() const;           // its L2, 0 when the project has none
    QString currentBomType() const;   // "S", "D", "T", "N" or empty
    QString currentBomName() const;
    bool selectBom(int l2);
    // Appends a list BOM named after the language and makes it current.
    int newBom();
    // Deletes the current BOM (its items first, by its Type).
    void deleteBom();
    // Only a list BOM ("N") can be renamed; false for any other.
    bool renameBom(const QString& name);
    static bool isNameEditable(const QString& bomType) { return bomType == QLatin1String("N"); }

    // ---- Items.
    // Deletes the current item of the item view; false when it is empty.
    bool deleteItem();
    // Adds `quantity` of the product to the current BOM as a no-CAD item
    // (a list BOM is made first when the project has none). A product that
    // is already a no-CAD item of the BOM gets the quantity added.
    void addWithoutCad(const CatalogueProduct& product, int quantity);
    // Stores a price, discount or (for no-CAD items) quantity of the item
    // at `recNo` of the item view; false when that field may not be edited.
    bool editItem(int recNo, const QString& field, const QVariant& value);
    static bool isItemFieldEditable(const QString& field, bool noCadItem);

    // ---- Item view.
    // "View available items from entire project": read at each rebuild.
    void setProjectView(bool on) { m_projectView = on; }
    bool projectView() const { return m_projectView; }
    void rebuildItemView();
    InsertPermissions permissions() const { return m_permissions; }
    // The filter and permissions of the item view of a BOM of `type` with
    // key `k`.
    static QString itemFilter(const QString& type, int k, bool projectView);
    static InsertPermissions permissionsFor(const QString& type);
    // Orders the item view by a column title (0, 1, 9, 10); false for the
    // other columns.
    bool orderByColumn(int column);

    // ---- Totals.
    double bomTotal() const;     // TotVred: Vred over the item view
    double projectTotal() const; // SumProj: Vred over TNarTot
    double summaryTotal() const; // SumKoly: SumVred over TNarUN

    // ---- Scale factors the insertion uses.
    void setSymbolScale(double f) { m_symbolScale = f; }
    void setDimensionScale(double f) { m_dimensionScale = f; }
    double symbolScale() const { return m_symbolScale; }
    double dimensionScale() const { return m_dimensionScale; }

signals:
    void overrun(const QString& message);
    void projectChanged();  // another project is current (caption, lists)
    void projectsChanged(); // rows of Projekt changed
    void bomsChanged();     // rows of Risba changed
    void currentBomChanged();
    void itemViewAboutToRebuild();
    void itemViewRebuilt();
    void itemsChanged(); // rows of the item view changed
    void totalsChanged();

private:
    bool leave();
    void projectScrolled();
    void deleteBomItems(const QString& type, int k);
    void deleteProjectBoms(int projectL2);
    void ensureProject();
    void reportOverrun(const QString& message) { emit overrun(message); }

    // Data-change signals are held back while a command runs and sent once
    // at its end, so that a cascade of a thousand rows repaints once.
    enum Pending
    {
        PendingProjects = 1,
        PendingBoms = 2,
        PendingItems = 4,
        PendingTotals = 8,
    };
    class Batch;
    void notify(int what);
    void flush();
    int m_batch = 0;
    int m_pending = 0;

    WorkbenchTables m_tables;
    QString m_language;
    std::function<bool()> m_leave;
    bool m_projectView = true;
    bool m_aggregates = true;
    bool m_rebuilding = false;
    bool m_holdProject = false;
    InsertPermissions m_permissions;
    double m_symbolScale = 1.0;
    double m_dimensionScale = 1.0;
    int m_lastBom = -1;
};
