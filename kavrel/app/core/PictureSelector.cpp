#include "PictureSelector.h"

#include "TDBX.h"

PictureSelector::PictureSelector(TDBX& dbx, const QString& pictureDir)
    : m_dbx(dbx), m_pictureDir(pictureDir)
{
}

bool PictureSelector::moveToNode(int node)
{
    TableView& k2t3 = m_dbx.K2T3;
    if (!k2t3.isActive())
        return false;
    const int before = k2t3.currentRowId();
    if (!k2t3.findKey({node, QStringLiteral("0"), 1}))
        k2t3.first();
    // The view starts on its first row, which is often the first group's own
    // picture row: the first focus must show that picture all the same.
    const bool first = !m_moved;
    m_moved = true;
    return first || k2t3.currentRowId() != before;
}

QString PictureSelector::fileFor(const QString& ime) const
{
    if (ime.isEmpty())
        return m_pictureDir + QStringLiteral("\\blank.jpg");
    return m_pictureDir + QLatin1Char('\\') + ime + QStringLiteral(".jpg");
}

std::optional<QString> PictureSelector::pictureChange()
{
    TableView& k4t1 = m_dbx.K4T1;
    const bool hasRow = k4t1.isActive() && !k4t1.isEmpty();
    const int number = hasRow ? int(k4t1.asInt(QStringLiteral("LINK3"))) : 0;
    if (number == m_lastShown)
        return std::nullopt;
    m_lastShown = number;
    return fileFor(hasRow ? k4t1.asString(QStringLiteral("IME")).trimmed() : QString());
}
