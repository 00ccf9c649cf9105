#include "ProductPage.h"

#include "TDBX.h"

namespace {

void appendParagraph(QStringList& page, const QString& style, const QString& text)
{
    page << QStringLiteral("<p align=\"center\">");
    if (style == QLatin1String("B")) {
        page << QStringLiteral("<strong><font size=\"6\">") << text
             << QStringLiteral("</font></strong>");
    } else if (style == QLatin1String("C")) {
        page << QStringLiteral("<font size=\"5\">") << QStringLiteral("<u>") << text
             << QStringLiteral("</u>") << QStringLiteral("</font>");
    } else if (style.isEmpty()) {
        page << QStringLiteral("<font size=\"5\">") << text << QStringLiteral("</font>");
    }
    // Any other style leaves the paragraph empty.
    page << QStringLiteral("</p>");
}

} // namespace

ProductPage::ProductPage(TDBX& dbx) : m_dbx(dbx) {}

ProductPage::~ProductPage() = default;

QStringList ProductPage::lines(int node)
{
    QStringList page;
    page << QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">")
         << QStringLiteral("<html>") << QStringLiteral("<head>")
         << QStringLiteral("<title></title>") << QStringLiteral("</head>")
         << QStringLiteral("<body ms_positioning=\"gridlayout\">");
    const QString look = QStringLiteral("A");
    if (!m_attributes && m_dbx.attributeTable().isOpen()) {
        m_attributes = std::make_unique<TableView>(m_dbx.attributeTable());
        m_attributes->setIndexFields({QStringLiteral("LINK2"), QStringLiteral("LOOK"),
                                      QStringLiteral("SORT"), QStringLiteral("LINK3")});
    }
    for (int sort = 1; m_attributes && m_attributes->isActive() && sort <= 9; ++sort) {
        // Of several rows of one role the lowest LINK3 counts: the first.
        if (!m_attributes->findKey({node, look, sort}))
            continue;
        const QString style = m_attributes->asString(QStringLiteral("TIPTX"));
        // A missing text row still gives its paragraph, only empty.
        const std::optional<TDBX::Text> text = m_dbx.lookup(node, look, sort);
        appendParagraph(page, style, text ? text->text : QString());
    }
    page << QStringLiteral("</body>") << QStringLiteral("</html>");
    return page;
}

QString ProductPage::join(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n"));
}
