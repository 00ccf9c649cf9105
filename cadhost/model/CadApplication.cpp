#include "CadApplication.h"

#include "CadDocument.h"
#include "CadError.h"
#include "PickRequest.h"

#include <QFileInfo>

CadApplication::CadApplication(const CadVersion& version, QObject* parent)
    : QObject(parent), m_version(version),
      m_menus({QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&View")})
{
}

CadApplication::~CadApplication()
{
    if (m_pick)
        m_pick->cancel();
    qDeleteAll(m_documents);
}

CadDocument* CadApplication::document(int number) const
{
    for (CadDocument* d : m_documents)
        if (d->number() == number)
            return d;
    return nullptr;
}

CadDocument* CadApplication::documentByHwnd(qint64 hwnd) const
{
    for (CadDocument* d : m_documents)
        if (d->hwnd() == hwnd)
            return d;
    return nullptr;
}

void CadApplication::activate(CadDocument* document)
{
    if (document == m_active || (document && !m_documents.contains(document)))
        return;
    m_active = document;
    emit activeDocumentChanged(document);
}

CadDocument* CadApplication::createDocument()
{
    auto* d = new CadDocument(++m_lastDocument, [this] { return newObjectId(); });
    // Saves and commands of a document are also the application's events.
    connect(d, &CadDocument::beginCommand, this, &CadApplication::beginCommand);
    connect(d, &CadDocument::endCommand, this, &CadApplication::endCommand);
    connect(d, &CadDocument::beginSave, this, &CadApplication::beginSave);
    connect(d, &CadDocument::endSave, this, &CadApplication::endSave);
    return d;
}

CadDocument* CadApplication::addDocument()
{
    CadDocument* d = createDocument();
    d->setUntitledName(QStringLiteral("Drawing%1.dxf").arg(++m_untitled));
    m_documents.append(d);
    emit documentAdded(d);
    activate(d);
    return d;
}

CadDocument* CadApplication::openDocument(const QString& path, bool readOnly)
{
    const QString file = CadDocument::resolveDrawingFile(path);
    for (CadDocument* d : m_documents)
        if (!d->fullName().isEmpty() && QFileInfo(d->fullName()) == QFileInfo(file)) {
            activate(d);
            return d;
        }
    emit beginOpen(file);
    CadDocument* d = createDocument();
    try {
        d->load(file, readOnly);
    } catch (...) {
        delete d;
        emit endOpen(file);
        throw;
    }
    m_documents.append(d);
    emit documentAdded(d);
    activate(d);
    emit endOpen(file);
    return d;
}

void CadApplication::closeDocument(CadDocument* document, bool save)
{
    if (!document || !m_documents.contains(document))
        throw CadError(CadError::NotFound, QStringLiteral("The document is not open."));
    if (save)
        document->save();
    document->fireBeginClose();
    if (m_pick && m_pick->document() == document)
        m_pick->cancel();
    m_documents.removeAll(document);
    if (m_active == document)
        activate(m_documents.isEmpty() ? nullptr : m_documents.last());
    emit documentRemoved(document);
    document->deleteLater();
}

void CadApplication::quit()
{
    emit beginQuit();
    while (!m_documents.isEmpty())
        closeDocument(m_documents.last(), false);
    emit quitRequested();
}

void CadApplication::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    emit visibleChanged(visible);
}

PickRequest* CadApplication::startPick(int kind, CadDocument* document, const DxfPoint& base,
                                       const QString& prompt)
{
    if (m_pick && !m_pick->isFinished())
        throw CadError(CadError::Failed,
                       QStringLiteral("The drawing window is already waiting for a point."));
    auto* pick = new PickRequest(PickRequest::Kind(kind), document, base, prompt, this);
    m_pick = pick;
    connect(pick, &PickRequest::finished, this, [this, pick] {
        if (m_pick == pick)
            m_pick = nullptr;
        pick->deleteLater();
        emit pickFinished();
    });
    activate(document);
    emit pickStarted(pick);
    return pick;
}

void CadApplication::requestRaise(CadDocument* document)
{
    setVisible(true);
    activate(document);
    emit raiseRequested(document);
}
