#pragma once

#include <QObject>
#include <QString>

// The events of one subscription (application or document), delivered as Qt
// signals on the thread that made the subscription, in the order the drawing
// program raised them, also while a pick is waiting for the person.
// Destroying the object ends the subscription.
class AcadEvents : public QObject
{
    Q_OBJECT
public:
    explicit AcadEvents(const QString& interfaceId, QObject* parent = nullptr);
    ~AcadEvents() override;

    const QString& interfaceId() const { return m_interfaceId; }

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
    void objectErased(qint64 objectId);
    void beginClose();

private:
    QString m_interfaceId;
};
