#include "SingleInstance.h"

#include <QLocalServer>
#include <QLockFile>

// Placeholder until the full implementation lands: always the first instance.
SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent), m_name(name)
{
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::publishWindow(const QString&) {}

bool SingleInstance::sendMessage(const QString&, quint32, quintptr, qintptr, int)
{
    return false;
}
