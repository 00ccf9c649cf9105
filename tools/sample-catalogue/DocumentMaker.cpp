#include "DocumentMaker.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <memory>
#include <stdexcept>

namespace {

constexpr int PageWidth = 595; // A4 in points at 72 dpi
constexpr int PageHeight = 842;
constexpr int Margin = 50;

std::unique_ptr<QPdfWriter> writer(const QString& path, const QString& title)
{
    auto pdf = std::make_unique<QPdfWriter>(path);
    pdf->setPageSize(QPageSize(QPageSize::A4));
    pdf->setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf->setResolution(72);
    pdf->setTitle(title);
    pdf->setCreator(QStringLiteral("KAVREL d.d."));
    return pdf;
}

QFont font(int points, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

void finish(QPainter& p, const QString& path)
{
    if (!p.end() || !QFile::exists(path))
        throw std::runtime_error(QStringLiteral("cannot write %1").arg(path).toStdString());
}

void begin(QPainter& p, QPdfWriter& pdf, const QString& path)
{
    if (!p.begin(&pdf))
        throw std::runtime_error(QStringLiteral("cannot write %1").arg(path).toStdString());
}

// Titles and captions of the chapter documents by language.
QString word(const QString& key, const QString& lang)
{
    static const QHash<QString, QStringList> words = {
        // SLO, ANG, NEM, HRV
        {QStringLiteral("catalogue"),
         {QStringLiteral("Katalog izdelkov"), QStringLiteral("Product catalogue"),
          QStringLiteral("Produktkatalog"), QStringLiteral("Katalog proizvoda")}},
        {QStringLiteral("contents"),
         {QStringLiteral("Vsebina"), QStringLiteral("Contents"), QStringLiteral("Inhalt"),
          QStringLiteral("Sadržaj")}},
        {QStringLiteral("page"),
         {QStringLiteral("Stran"), QStringLiteral("Page"), QStringLiteral("Seite"),
          QStringLiteral("Stranica")}},
        {QStringLiteral("code"),
         {QStringLiteral("Koda"), QStringLiteral("Code"), QStringLiteral("Bestellnummer"),
          QStringLiteral("Šifra")}},
        {QStringLiteral("empty"),
         {QStringLiteral("Izdelki te skupine so na voljo po naročilu."),
          QStringLiteral("Products of this group are available on request."),
          QStringLiteral("Produkte dieser Gruppe sind auf Anfrage erhältlich."),
          QStringLiteral("Proizvodi ove grupe dostupni su po narudžbi.")}},
    };
    const int i = SampleCatalogue::languages().indexOf(lang);
    return words.value(key).value(i < 0 ? 1 : i);
}

} // namespace

void DocumentMaker::header(QPainter& p, const QString& left, const QString& right) const
{
    p.setPen(QColor(160, 60, 20));
    p.setFont(font(9, true));
    p.drawText(QRect(Margin, 20, PageWidth - 2 * Margin, 16), Qt::AlignLeft, left);
    p.drawText(QRect(Margin, 20, PageWidth - 2 * Margin, 16), Qt::AlignRight, right);
    p.drawLine(Margin, 40, PageWidth - Margin, 40);
    p.setPen(Qt::black);
}

void DocumentMaker::footer(QPainter& p, int page) const
{
    p.setPen(Qt::black);
    p.setFont(font(9));
    p.drawText(QRect(Margin, PageHeight - 40, PageWidth - 2 * Margin, 16), Qt::AlignCenter,
               QString::number(page));
}

int DocumentMaker::chapterPages(int chapter) const
{
    int pages = 1;
    for (const auto& [level, node] : m_cat.groups(chapter))
        pages = std::max(pages, m_cat.placementPage(node, 10));
    for (int node : m_cat.products(chapter))
        pages = std::max(pages, m_cat.placementPage(node, 10));
    return pages;
}

int DocumentMaker::technicalDataPages() const
{
    int pages = 1;
    for (int node : m_cat.allProducts())
        pages = std::max(pages, m_cat.placementPage(node, 20));
    return pages;
}

int DocumentMaker::productRows(QPainter& p, int y, const QVector<int>& nodes,
                               const QString& language, bool technical) const
{
    for (int node : nodes) {
        p.setPen(QColor(200, 200, 200));
        p.drawLine(Margin, y, PageWidth - Margin, y);
        p.setPen(Qt::black);
        p.setFont(font(10, true));
        p.drawText(QRect(Margin, y + 4, 90, 16), Qt::AlignLeft, m_cat.code(node));
        p.drawText(QRect(Margin + 90, y + 4, PageWidth - 2 * Margin - 90, 16), Qt::AlignLeft,
                   m_cat.name(node, language));
        // Technical lines of the product page (everything after the heading).
        QStringList lines;
        for (const auto& [style, text] : m_cat.paragraphs(node, language))
            if (style != u"B" && !text.isEmpty())
                lines << text;
        p.setFont(font(8));
        const int height = technical ? 12 * int((lines.size() + 1) / 2) : 12;
        if (technical) {
            for (int i = 0; i < lines.size(); ++i)
                p.drawText(QRect(Margin + 90 + (i % 2) * 200, y + 22 + (i / 2) * 12, 200, 12),
                           Qt::AlignLeft, lines[i]);
        } else {
            p.drawText(QRect(Margin + 90, y + 22, PageWidth - 2 * Margin - 90, 12), Qt::AlignLeft,
                       lines.mid(0, 3).join(QStringLiteral(" · ")));
        }
        y += 26 + height;
    }
    return y;
}

void DocumentMaker::chapter(int chapter, const QString& language, const QString& path) const
{
    const QString title = m_cat.name(chapter, language);
    auto pdf = writer(path, title);
    QPainter p;
    begin(p, *pdf, path);
    const int pages = chapterPages(chapter);
    const auto groups = m_cat.groups(chapter);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            pdf->newPage();
        header(p, QStringLiteral("KAVREL d.d.  ") + word(QStringLiteral("catalogue"), language),
               title);
        int y = 70;
        if (page == 1) {
            p.setFont(font(24, true));
            p.drawText(QRect(Margin, y, PageWidth - 2 * Margin, 40), Qt::AlignLeft, title);
            y += 50;
            p.setFont(font(11));
            for (const auto& [style, text] : m_cat.paragraphs(chapter, language)) {
                if (style == u"B")
                    continue;
                p.drawText(QRect(Margin, y, PageWidth - 2 * Margin, 18), Qt::AlignLeft, text);
                y += 18;
            }
            y += 20;
            p.setFont(font(14, true));
            p.drawText(QRect(Margin, y, 300, 22), Qt::AlignLeft,
                       word(QStringLiteral("contents"), language));
            y += 28;
            for (const auto& [level, node] : groups) {
                p.setFont(font(level == 1 ? 11 : 10, level == 1));
                const int indent = level == 1 ? 0 : 20;
                p.drawText(QRect(Margin + indent, y, 380, 16), Qt::AlignLeft,
                           m_cat.name(node, language));
                p.drawText(QRect(Margin + 400, y, PageWidth - 2 * Margin - 400, 16), Qt::AlignRight,
                           QString::number(m_cat.placementPage(node, 10)));
                y += level == 1 ? 18 : 15;
            }
            footer(p, page);
            continue;
        }
        // Groups that start on this page, each followed by its products here.
        for (const auto& [level, node] : groups) {
            if (level != 2)
                continue;
            QVector<int> here;
            for (int product : m_cat.children(node))
                if (m_cat.placementPage(product, 10) == page)
                    here << product;
            if (here.isEmpty() && m_cat.placementPage(node, 10) != page)
                continue;
            p.setFont(font(16, true));
            p.drawText(QRect(Margin, y, PageWidth - 2 * Margin, 24), Qt::AlignLeft,
                       m_cat.name(node, language));
            y += 30;
            if (here.isEmpty() && m_cat.children(node).isEmpty()) {
                p.setFont(font(10));
                p.drawText(QRect(Margin, y, PageWidth - 2 * Margin, 16), Qt::AlignLeft,
                           word(QStringLiteral("empty"), language));
                y += 24;
            }
            y = productRows(p, y, here, language, false) + 10;
        }
        footer(p, page);
    }
    finish(p, path);
}

void DocumentMaker::technicalData(const QString& path) const
{
    const QString lang = QStringLiteral("ANG");
    auto pdf = writer(path, QStringLiteral("Technical data"));
    QPainter p;
    begin(p, *pdf, path);
    const int pages = technicalDataPages();
    const QVector<int> chapters = m_cat.chapters();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            pdf->newPage();
        header(p, QStringLiteral("KAVREL d.d.  Technical data"), QString());
        int y = 70;
        if (page == 1) {
            p.setFont(font(24, true));
            p.drawText(QRect(Margin, y, PageWidth - 2 * Margin, 40), Qt::AlignLeft,
                       QStringLiteral("Technical data"));
            y += 60;
            for (int chapter : chapters) {
                p.setFont(font(11, true));
                p.drawText(QRect(Margin, y, 380, 16), Qt::AlignLeft, m_cat.name(chapter, lang));
                p.drawText(QRect(Margin + 400, y, PageWidth - 2 * Margin - 400, 16), Qt::AlignRight,
                           QString::number(m_cat.placementPage(chapter, 20)));
                y += 20;
            }
            footer(p, page);
            continue;
        }
        for (int chapter : chapters) {
            for (const auto& [level, group] : m_cat.groups(chapter)) {
                if (level != 2)
                    continue;
                QVector<int> here;
                for (int product : m_cat.children(group))
                    if (m_cat.placementPage(product, 20) == page)
                        here << product;
                if (here.isEmpty() && m_cat.placementPage(group, 20) != page)
                    continue;
                p.setFont(font(14, true));
                p.drawText(QRect(Margin, y, PageWidth - 2 * Margin, 22), Qt::AlignLeft,
                           m_cat.name(chapter, lang) + QStringLiteral(" – ") +
                               m_cat.name(group, lang));
                y = productRows(p, y + 28, here, lang, true) + 10;
            }
        }
        footer(p, page);
    }
    finish(p, path);
}

void DocumentMaker::certificate(const QString& file, const QString& path) const
{
    QVector<SampleCatalogue::Certificate> rows;
    for (const auto& c : m_cat.certificates())
        if (c.file == file)
            rows << c;
    if (rows.isEmpty())
        throw std::runtime_error(QStringLiteral("no certificate %1").arg(file).toStdString());
    const auto& first = rows.first();
    auto pdf = writer(path, first.certificate);
    QPainter p;
    begin(p, *pdf, path);
    header(p, QStringLiteral("KAVREL d.d."), first.number);
    p.setFont(font(22, true));
    p.drawText(QRect(Margin, 80, PageWidth - 2 * Margin, 36), Qt::AlignCenter, first.certificate);
    p.setFont(font(12));
    int y = 140;
    const QStringList lines = {QStringLiteral("Certificate No. ") + first.number,
                               QStringLiteral("Report No. ") + first.report,
                               QStringLiteral("Holder: KAVREL d.d."),
                               QStringLiteral("Products covered:")};
    for (const QString& line : lines) {
        p.drawText(QRect(Margin, y, PageWidth - 2 * Margin, 18), Qt::AlignLeft, line);
        y += 22;
    }
    p.setFont(font(9));
    QStringList codes;
    for (const auto& c : rows)
        codes << c.code;
    for (int i = 0; i < codes.size(); i += 8) {
        p.drawText(QRect(Margin + 20, y, PageWidth - 2 * Margin - 20, 14), Qt::AlignLeft,
                   codes.mid(i, 8).join(QStringLiteral("  ")));
        y += 14;
        if (y > PageHeight - 80)
            break;
    }
    footer(p, 1);
    finish(p, path);
}

void DocumentMaker::manual(const QString& language, const QString& path) const
{
    struct Manual
    {
        QString title;
        QStringList pages;
    };
    static const QHash<QString, Manual> manuals = {
        {QStringLiteral("ANG"),
         {QStringLiteral("Electronic catalogue – user instructions"),
          {QStringLiteral("Choose the market segment at the top right.\n"
                          "Open the product groups in the tree on the left.\n"
                          "The picture and the product data of the chosen node appear "
                          "on the right."),
           QStringLiteral("PDF Catalogue opens the catalogue page of the node.\n"
                          "Technical Data PDF opens its technical data page.\n"
                          "Certificates lists the certificates of a product."),
           QStringLiteral("Search finds a product by its catalogue code.\n"
                          "Autocad support opens the bill of materials workbench.")}}},
        {QStringLiteral("HRV"),
         {QStringLiteral("Elektronski katalog – upute za uporabu"),
          {QStringLiteral("Tržišni segment odaberite gore desno.\n"
                          "Grupe proizvoda otvorite u stablu na lijevoj strani.\n"
                          "Slika i podaci odabranog proizvoda prikazuju se desno."),
           QStringLiteral("PDF Katalog otvara stranicu kataloga.\n"
                          "PDF tehnički podaci otvara stranicu tehničkih podataka.\n"
                          "Certifikati prikazuju certifikate proizvoda."),
           QStringLiteral("Traži pronalazi proizvod po kataloškoj šifri.\n"
                          "Autocad potpora otvara radno mjesto za sastavnice.")}}},
        {QStringLiteral("SLO"),
         {QStringLiteral("Elektronski katalog – navodila za uporabo"),
          {QStringLiteral("Tržni segment izberete desno zgoraj.\n"
                          "Skupine izdelkov odprete v drevesu na levi strani.\n"
                          "Slika in podatki izbranega izdelka so prikazani desno."),
           QStringLiteral("PDF Katalog odpre stran kataloga.\n"
                          "PDF tehnični podatki odpre stran tehničnih podatkov.\n"
                          "Certifikati prikažejo certifikate izdelka."),
           QStringLiteral("Išči poišče izdelek po kataloški kodi.\n"
                          "Autocad podpora odpre delovno mesto za kosovnice.")}}},
    };
    const Manual m = manuals.value(language);
    if (m.pages.isEmpty())
        throw std::runtime_error(QStringLiteral("no manual in %1").arg(language).toStdString());
    auto pdf = writer(path, m.title);
    QPainter p;
    begin(p, *pdf, path);
    for (int i = 0; i < m.pages.size(); ++i) {
        if (i > 0)
            pdf->newPage();
        header(p, QStringLiteral("KAVREL d.d."), m.title);
        if (i == 0) {
            p.setFont(font(20, true));
            p.drawText(QRect(Margin, 70, PageWidth - 2 * Margin, 60),
                       Qt::AlignLeft | Qt::TextWordWrap, m.title);
        }
        p.setFont(font(12));
        p.drawText(QRect(Margin, 150, PageWidth - 2 * Margin, 400),
                   Qt::AlignLeft | Qt::TextWordWrap, m.pages[i]);
        footer(p, i + 1);
    }
    finish(p, path);
}
