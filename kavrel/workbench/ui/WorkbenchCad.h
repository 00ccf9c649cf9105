#pragma once

// Puts the workbench's link to the drawing program behind the workbench
// window and its settings window: the connect button, the polling timer's
// outcome (caption, insert commands, synchronize button), the insertion
// with its hiding of the windows, the synchronisation with its progress box,
// opening a BOM's drawing and the close check. The work itself happens in
// CadConnection, BomSync and BlockInserter; this class only shows it.

#include "BlockInserter.h"
#include "BomSync.h"
#include "CadConnection.h"
#include "DBusAcadBinder.h"
#include "DebugLog.h"

#include <QObject>
#include <QPointer>
#include <memory>

class TForm6;
class TNastavitve;

class WorkbenchCad : public QObject
{
    Q_OBJECT
public:
    // `catalogue` is hidden and shown again around an insertion.
    WorkbenchCad(TForm6& form, TNastavitve* settings, QWidget* catalogue,
                 std::unique_ptr<AcadBinder> binder = {});
    ~WorkbenchCad() override;

    CadConnection& connection() { return *m_connection; }
    BomSync& sync() { return *m_sync; }
    DebugLog& log() { return m_log; }

    void insert(BlockKind kind);
    void synchronize();
    void openDrawing();
    bool closeCheck();

private:
    void connectToggled(bool down);
    void showState(bool connected);
    void showCommands(const CadConnection::InsertCommands& c);
    InsertSource source() const;
    CadConnection::Options options() const;
    void measureSymbolScale(TNastavitve& settings);
    void installMenu(const QString& file);
    void report(const QString& text);

    TForm6& m_form;
    QPointer<TNastavitve> m_settings;
    QPointer<QWidget> m_catalogue;
    std::unique_ptr<AcadBinder> m_binder;
    std::unique_ptr<BomSync> m_sync;
    std::unique_ptr<CadConnection> m_connection;
    std::unique_ptr<BlockInserter> m_inserter;
    DebugLog m_log;
};
