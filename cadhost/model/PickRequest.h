#pragma once

#include "DxfDrawing.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class CadDocument;

// A point the person is asked to pick in a drawing window. The asker (an
// automation call waiting for its answer) listens to finished(); the window
// shows the prompt and answers with pick() or cancel().
class PickRequest : public QObject
{
    Q_OBJECT
public:
    enum Kind { Point, Distance };

    PickRequest(Kind kind, CadDocument* document, const DxfPoint& base, const QString& prompt,
                QObject* parent = nullptr);

    Kind kind() const { return m_kind; }
    CadDocument* document() const { return m_document; }
    DxfPoint base() const { return m_base; }
    QString prompt() const { return m_prompt; }
    bool isFinished() const { return m_finished; }
    // The picked point; empty after a cancel.
    std::optional<DxfPoint> point() const { return m_point; }
    // Distance from the base point to the picked point (in the x-y plane and z).
    double distance() const;

    void pick(const DxfPoint& p);
    void cancel();

signals:
    void finished();

private:
    Kind m_kind;
    QPointer<CadDocument> m_document;
    DxfPoint m_base;
    QString m_prompt;
    std::optional<DxfPoint> m_point;
    bool m_finished = false;
};
