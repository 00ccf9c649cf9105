#pragma once

// The workbench's link to the drawing program: connecting and disconnecting,
// the 250 ms polling tick that follows which drawing is current and binds it
// to a BOM of the current project, and the program's events, which pause
// the polling and keep the drawing's BOM in step with what is saved. The
// window shows what this reports (caption, connect button, insert commands,
// boxes); tests and the benchmark drive it directly.

#include "AcadApplication.h"
#include "AcadBinder.h"
#include "AcadDocument.h"
#include "AcadEvents.h"
#include "BomSync.h"
#include "InsertSource.h"
#include "WorkbenchModel.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class CadConnection : public QObject
{
    Q_OBJECT
public:
    static constexpr int TickMs = 250;
    static constexpr int FailedTickLimit = 10; // more than this: reattach once

    // The settings read here, at the moment they are needed.
    struct Options
    {
        bool live = true;             // follow the drawing's events
        bool syncOnConnect = true;    // handle synchronisation when a drawing binds
        bool syncOnDisconnect = true; // settle the BOM when its drawing closes
    };
    // Which insert commands are available.
    struct InsertCommands
    {
        bool symbol = false, symbol3 = false, dimension = false;
        bool operator==(const InsertCommands&) const = default;
    };

    CadConnection(WorkbenchModel& model, BomSync& sync, AcadBinder& binder,
                  QObject* parent = nullptr);
    ~CadConnection() override;

    std::function<Options()> options;       // default: all on
    std::function<InsertSource()> source;   // default: nothing to insert

    // Binds a running program or starts one. False (and cannotConnect()
    // reported through failed()) when none binds.
    bool connectCad();
    void disconnectCad();
    bool isConnected() const { return m_connected; }
    bool hasApplication() const { return !m_app.isNull(); }
    const AcadApplication& application() const { return m_app; }

    // The drawing current as of the last tick, kept after disconnecting.
    const AcadDocument& document() const { return m_doc; }
    const QString& documentName() const { return m_name; }
    const QString& documentFullName() const { return m_fullName; }
    bool hadDrawing() const { return m_hadDrawing; }
    // The current drawing is bound to a BOM of the current project.
    bool isBound() const { return m_bound; }
    // The BOM of the drawing whose events are followed; 0 when none.
    int drawingBom() const { return m_drawingBom; }
    int failedTicks() const { return m_failedTicks; }
    InsertCommands insertCommands() const { return m_commands; }

    // The polling tick; public for tests and the benchmark.
    void tick();
    bool timerRunning() const { return m_timer.isActive(); }
    // Stops the polling around work that must not interleave with it; the
    // matching resume starts it again only while connected.
    void pause() { m_timer.stop(); }
    void resume();

    // Handle synchronisation of the current BOM with the current drawing.
    // Throws AcadError when the connection is lost.
    BomSync::HandleResult synchronize(const std::function<void(int, int)>& progress = {});

    // Double-click on a BOM: activates its drawing when it is open, else
    // opens its file after `confirm`. Failures of the program are ignored.
    enum class OpenResult
    {
        Nothing,
        Activated,
        Opened,
        Declined,
        MissingFile
    };
    OpenResult openDrawing(const QString& bomName, const QString& bomFile,
                           const std::function<bool()>& confirm);

    // "Set symbol scale": the distance between two contact points the person
    // picks in the current drawing. Throws AcadError (Cancelled on Escape).
    double measureContactDistance();
    // Loads the menu file as a menu group and puts its menu at the end of
    // the menu bar. Throws AcadError (AlreadyLoaded the second time).
    void installMenu(const QString& file);

    // The re-evaluation of the insert-command rule (after the source or the
    // current BOM changed).
    void updateInsertCommands();

signals:
    // Connected, connecting or disconnected: caption, connect button, hint.
    void connectingStarted();
    void stateChanged(bool connected);
    // The caption while polling: "Connected to: " + drawing name.
    void drawingShown(const QString& name);
    void insertCommandsChanged(const CadConnection::InsertCommands& commands);
    void boundChanged(bool bound);
    // A text for the person (cannot connect).
    void failed(const QString& message);
    // The drawing's BOM rows or items changed by an event.
    void bomChanged();

private:
    void pollOnce();
    void bindDrawing(const AcadDocument& candidate);
    void tickFailed();
    void subscribeApplication();
    void subscribeDocument();
    void setCommands(const InsertCommands& commands);
    void setBound(bool bound);

    void onEndSave(const QString& path);
    void onObjectErased(qint64 id);
    void onBeginClose();
    int eventBom() const;

    WorkbenchModel& m_model;
    BomSync& m_sync;
    AcadBinder& m_binder;
    QTimer m_timer;
    AcadApplication m_app;
    std::unique_ptr<AcadEvents> m_appEvents;
    std::unique_ptr<AcadEvents> m_docEvents;
    bool m_connected = false;
    bool m_inTick = false;
    AcadDocument m_doc;
    QString m_name, m_fullName;         // of the current drawing
    QString m_lastName, m_lastFullName; // for change detection
    qint64 m_hwnd = 0;
    bool m_hadDrawing = false;
    bool m_bound = false;
    int m_drawingBom = 0;
    int m_failedTicks = 0;
    InsertCommands m_commands;
};
