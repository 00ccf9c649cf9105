#pragma once

#include "CadVersion.h"
#include "MenuGroups.h"
#include "PickRequest.h"

#include <QList>
#include <QObject>
#include <QPointer>

class CadDocument;

// The drawing program as automation clients and windows see it: its open
// documents, the active one, the menu groups, the pending point pick and the
// application events. Display-free; the windows follow its signals.
class CadApplication : public QObject
{
    Q_OBJECT
public:
    explicit CadApplication(const CadVersion& version, QObject* parent = nullptr);
    ~CadApplication() override;

    const CadVersion& version() const { return m_version; }
    // Object ids are unique in one run of the host and never reused.
    qint64 newObjectId() { return ++m_lastObjectId; }

    const QList<CadDocument*>& documents() const { return m_documents; }
    CadDocument* document(int number) const;
    CadDocument* documentByHwnd(qint64 hwnd) const;
    CadDocument* activeDocument() const { return m_active; }
    void activate(CadDocument* document);

    CadDocument* addDocument();
    // Opens a drawing (BeginOpen, EndOpen also after a failure, so that a client
    // waiting for the end is never left waiting); a file already open is activated
    // and returned instead.
    CadDocument* openDocument(const QString& path, bool readOnly);
    // BeginClose, then the document is gone. With save it is saved first; a failed
    // save keeps it open (CadError).
    void closeDocument(CadDocument* document, bool save);
    // BeginQuit, then every document closes without saving; then quitRequested.
    void quit();

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    MenuGroups& menuGroups() { return m_menus; }
    void menusChanged() { emit menuBarChanged(); }

    // One pick at a time; CadError Failed while another is pending.
    PickRequest* startPick(int kind, CadDocument* document, const DxfPoint& base,
                           const QString& prompt);
    PickRequest* pendingPick() const { return m_pick; }

    void requestZoomExtents(CadDocument* document) { emit zoomExtentsRequested(document); }
    void requestRaise(CadDocument* document);

    // Modal dialogs of the windows are announced through these.
    void fireBeginModal() { emit beginModal(); }
    void fireEndModal() { emit endModal(); }
    void fireBeginCommand(const QString& name) { emit beginCommand(name); }
    void fireEndCommand(const QString& name) { emit endCommand(name); }

signals:
    void beginCommand(const QString& name);
    void endCommand(const QString& name);
    void beginModal();
    void endModal();
    void beginOpen(const QString& path);
    void endOpen(const QString& path);
    void beginSave(const QString& path);
    void endSave(const QString& path);
    void beginQuit();

    void documentAdded(CadDocument* document);
    void documentRemoved(CadDocument* document);
    void activeDocumentChanged(CadDocument* document);
    void visibleChanged(bool visible);
    void menuBarChanged();
    void pickStarted(PickRequest* pick);
    void pickFinished();
    void zoomExtentsRequested(CadDocument* document);
    void raiseRequested(CadDocument* document);
    void quitRequested();

private:
    CadDocument* createDocument();

    CadVersion m_version;
    qint64 m_lastObjectId = 0x7E000000; // far from handles, so that the two are not confused
    int m_lastDocument = 0;
    int m_untitled = 0;
    QList<CadDocument*> m_documents;
    CadDocument* m_active = nullptr;
    bool m_visible = true;
    MenuGroups m_menus;
    QPointer<PickRequest> m_pick;
};
