#include "PickRequest.h"

#include "CadDocument.h"

#include <cmath>

PickRequest::PickRequest(Kind kind, CadDocument* document, const DxfPoint& base,
                         const QString& prompt, QObject* parent)
    : QObject(parent), m_kind(kind), m_document(document), m_base(base), m_prompt(prompt)
{
}

double PickRequest::distance() const
{
    if (!m_point)
        return 0;
    return std::hypot(m_point->x - m_base.x, m_point->y - m_base.y, m_point->z - m_base.z);
}

void PickRequest::pick(const DxfPoint& p)
{
    if (m_finished)
        return;
    m_point = p;
    m_finished = true;
    emit finished();
}

void PickRequest::cancel()
{
    if (m_finished)
        return;
    m_finished = true;
    emit finished();
}
