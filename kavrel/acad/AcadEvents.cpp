#include "AcadEvents.h"

AcadEvents::AcadEvents(const QString& interfaceId, QObject* parent)
    : QObject(parent), m_interfaceId(interfaceId)
{
}

AcadEvents::~AcadEvents() = default;
