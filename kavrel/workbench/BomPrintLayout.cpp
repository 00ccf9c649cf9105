#include "BomPrintLayout.h"

#include "BomOutputTexts.h"
#include "BomTotals.h"
#include "ItemGridModel.h"
#include "SettingsTexts.h"
#include "WorkbenchModel.h"
#include "WorkbenchTexts.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace {

double number(const QVariant& v)
{
    return v.isValid() ? v.toDouble() : 0.0;
}

QString withoutColon(QString label)
{
    label = label.trimmed();
    if (label.endsWith(u':'))
        label.chop(1);
    return label;
}

// The printed columns: the grid's normal view, prices only with the price
// view.
std::vector<int> printedColumns(bool prices)
{
    std::vector<int> out = {ItemGridModel::Ident, ItemGridModel::Naziv, ItemGridModel::Kol};
    if (prices) {
        for (int c : {ItemGridModel::Cena, ItemGridModel::Rabat, ItemGridModel::Neto,
                      ItemGridModel::Vred})
            out.push_back(c);
    }
    for (int c : {ItemGridModel::Blok, ItemGridModel::BlockNo, ItemGridModel::SymDwg,
                  ItemGridModel::DimDwg})
        out.push_back(c);
    return out;
}

QString cellText(int column, const QVariant& value, const QLocale& locale)
{
    switch (column) {
    case ItemGridModel::Kol:
        return locale.toString(number(value), 'f', 0);
    case ItemGridModel::Cena:
    case ItemGridModel::Rabat:
    case ItemGridModel::Neto:
    case ItemGridModel::Vred:
        return BomTotals::formatBom(number(value), locale);
    default:
        return value.toString();
    }
}

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

BomPrintLayout::Content BomPrintLayout::contentOf(WorkbenchModel& model,
                                                   const std::array<QString, 5>& customer,
                                                   bool prices, const QDate& date)
{
    const QString language = model.language();
    const BomOutputTexts texts = BomOutputTexts::forLanguage(language);
    const WorkbenchTexts window = WorkbenchTexts::forLanguage(language);
    const SettingsTexts settings = SettingsTexts::forLanguage(language);
    const QLocale locale;
    Content c;
    c.bomName = model.currentBomName();
    c.projectName = model.currentProjectName();
    c.date = locale.toString(date, QLocale::ShortFormat);
    c.projectLabel = texts.projectLabel;
    c.dateLabel = texts.dateLabel;
    c.customerLabel = texts.customerLabel;
    c.pageOf = texts.pageOf;
    const QString labels[5] = {settings.label4, settings.label5, settings.label6, settings.label7,
                               settings.label8};
    for (size_t i = 0; i < customer.size(); ++i) {
        if (!customer[i].trimmed().isEmpty())
            c.customer.emplace_back(withoutColon(labels[i]), customer[i].trimmed());
    }

    const std::vector<int> columns = printedColumns(prices);
    for (int col : columns) {
        c.columns.push_back({window.itemColumns.value(col), ItemGridModel::isRightAligned(col),
                             col == ItemGridModel::Naziv || col == ItemGridModel::SymDwg ||
                                 col == ItemGridModel::DimDwg});
    }
    const TableView& v = model.tables().TNar;
    std::vector<int> fields;
    for (int col : columns)
        fields.push_back(v.fieldIndex(ItemGridModel::fieldOf(col)));
    const int count = model.tables().itemsOpen() && v.isActive() ? v.recordCount() : 0;
    c.rows.reserve(size_t(count));
    for (int recNo = 1; recNo <= count; ++recNo) {
        const int id = v.rowIdAt(recNo);
        QStringList row;
        for (size_t i = 0; i < columns.size(); ++i)
            row << cellText(columns[i], fields[i] < 0 ? QVariant() : v.rowValue(id, fields[i]),
                            locale);
        c.rows.push_back(std::move(row));
    }
    if (prices) {
        const BomTotals totals = BomTotals::of(model);
        c.totals.emplace_back(texts.bomTotalLabel, BomTotals::formatBom(totals.bom, locale));
        c.totals.emplace_back(texts.projectTotalLabel,
                              BomTotals::formatProject(totals.project, locale));
    }
    return c;
}

// ------------------------------------------------------------------ layout

struct BomPrintLayout::Metrics
{
    QRectF page; // the printable area, in device units from its corner
    double unit = 1.0; // device units per point
    QFont body, bold, heading, small;
    double rowHeight = 0, pad = 0, footerHeight = 0, totalsHeight = 0;
    double headingFirst = 0, headingOther = 0;
    std::vector<double> x, width; // of the columns
    std::vector<int> firstRow;    // of each page; one past the end for a totals-only page
};

BomPrintLayout::Metrics BomPrintLayout::measure(QPagedPaintDevice& device) const
{
    Metrics m;
    m.page = QRectF(0, 0, device.width(), device.height());
    m.unit = device.logicalDpiY() / 72.0;
    m.body.setPointSizeF(8.5);
    m.bold = m.body;
    m.bold.setBold(true);
    m.heading.setPointSizeF(14);
    m.heading.setBold(true);
    m.small.setPointSizeF(7.5);
    const QFontMetricsF body(m.body, &device), bold(m.bold, &device);
    const QFontMetricsF heading(m.heading, &device), small(m.small, &device);
    m.pad = 3 * m.unit;
    m.rowHeight = body.height() + 2 * m.unit;
    m.footerHeight = small.height() + 6 * m.unit;
    m.totalsHeight = m_content.totals.empty()
                         ? 0
                         : 4 * m.unit + double(m_content.totals.size()) * (bold.height() + 2 * m.unit);
    const double customerLines = m_content.customer.empty() ? 0 : m_content.customer.size() + 1;
    m.headingFirst = heading.height() + 4 * m.unit + (1 + customerLines) * body.height() + 10 * m.unit;
    m.headingOther = small.height() + 6 * m.unit;

    // Natural widths: the widest title or text of each column.
    const size_t n = m_content.columns.size();
    std::vector<double> natural(n), least(n);
    for (size_t c = 0; c < n; ++c) {
        natural[c] = bold.horizontalAdvance(m_content.columns[c].title);
        least[c] = std::min(natural[c], body.horizontalAdvance(QStringLiteral("0000000000")));
    }
    for (const QStringList& row : m_content.rows) {
        for (size_t c = 0; c < n && c < size_t(row.size()); ++c)
            natural[c] = std::max(natural[c], body.horizontalAdvance(row.at(int(c))));
    }
    for (size_t c = 0; c < n; ++c) {
        natural[c] += 2 * m.pad;
        least[c] += 2 * m.pad;
    }
    // Too wide: the flexible columns give way first, down to ten digits
    // (or their title), then every column alike.
    const double available = m.page.width();
    double total = 0, give = 0;
    for (size_t c = 0; c < n; ++c) {
        total += natural[c];
        if (m_content.columns[c].flexible)
            give += std::max(0.0, natural[c] - least[c]);
    }
    m.width = natural;
    const double excess = total - available;
    if (excess > 0 && give > 0) {
        const double share = std::min(1.0, excess / give);
        for (size_t c = 0; c < n; ++c) {
            if (m_content.columns[c].flexible)
                m.width[c] -= share * std::max(0.0, natural[c] - least[c]);
        }
    }
    double now = 0;
    for (double w : m.width)
        now += w;
    const double scale = now > available ? available / now : 1.0;
    double x = 0;
    for (size_t c = 0; c < n; ++c) {
        m.width[c] *= scale;
        m.x.push_back(x);
        x += m.width[c];
    }

    // Pages: as many rows as fit between the heading and the footer; the
    // totals go after the last row, on a page of their own when they do not
    // fit under it.
    const double bottom = m.page.height() - m.footerHeight;
    const auto capacity = [&](bool first) {
        const double top = (first ? m.headingFirst : m.headingOther) + m.rowHeight;
        return std::max(1, int(std::floor((bottom - top) / m.rowHeight)));
    };
    const int rows = int(m_content.rows.size());
    int next = 0;
    do {
        m.firstRow.push_back(next);
        next += capacity(m.firstRow.size() == 1);
    } while (next < rows);
    const int onLast = rows - m.firstRow.back();
    const double lastTop = (m.firstRow.size() == 1 ? m.headingFirst : m.headingOther) + m.rowHeight;
    if (lastTop + onLast * m.rowHeight + m.totalsHeight > bottom)
        m.firstRow.push_back(rows);
    return m;
}

// ---------------------------------------------------------------- painting

void BomPrintLayout::paintHeading(QPainter& p, const Metrics& m, int page, double& y) const
{
    const Content& c = m_content;
    if (page > 0) {
        // Later pages name the BOM in a small line, so that a loose sheet
        // can be put back where it belongs.
        p.setFont(m.small);
        const QFontMetricsF small(m.small, p.device());
        p.drawText(QRectF(0, 0, m.page.width(), small.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   c.bomName + QStringLiteral(" - ") + c.projectName);
        y = m.headingOther;
        return;
    }
    const QFontMetricsF heading(m.heading, p.device()), body(m.body, p.device());
    p.setFont(m.heading);
    p.drawText(QRectF(0, 0, m.page.width(), heading.height()), Qt::AlignLeft | Qt::AlignVCenter,
               c.bomName);
    y = heading.height() + 4 * m.unit;
    p.setFont(m.body);
    const double half = m.page.width() / 2;
    p.drawText(QRectF(0, y, half, body.height()), Qt::AlignLeft | Qt::AlignVCenter,
               c.projectLabel + u' ' + c.projectName);
    p.drawText(QRectF(half, y, half, body.height()), Qt::AlignRight | Qt::AlignVCenter,
               c.dateLabel + u' ' + c.date);
    y += body.height();
    if (!c.customer.empty()) {
        p.setFont(m.bold);
        p.drawText(QRectF(0, y, half, body.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   c.customerLabel);
        y += body.height();
        p.setFont(m.body);
        double labels = 0;
        for (const auto& [label, value] : c.customer)
            labels = std::max(labels, body.horizontalAdvance(label));
        for (const auto& [label, value] : c.customer) {
            p.drawText(QRectF(0, y, labels, body.height()), Qt::AlignLeft | Qt::AlignVCenter, label);
            p.drawText(QRectF(labels + 3 * m.pad, y, m.page.width() - labels, body.height()),
                       Qt::AlignLeft | Qt::AlignVCenter, value);
            y += body.height();
        }
    }
    y = m.headingFirst;
}

void BomPrintLayout::paintTitles(QPainter& p, const Metrics& m, double y) const
{
    p.setFont(m.bold);
    const QFontMetricsF bold(m.bold, p.device());
    for (size_t c = 0; c < m_content.columns.size(); ++c) {
        const Column& col = m_content.columns[c];
        const QRectF cell(m.x[c] + m.pad, y, m.width[c] - 2 * m.pad, m.rowHeight);
        p.drawText(cell, Qt::AlignVCenter | (col.rightAligned ? Qt::AlignRight : Qt::AlignLeft),
                   bold.elidedText(col.title, Qt::ElideRight, cell.width()));
    }
    p.setPen(QPen(Qt::black, 0.7 * m.unit));
    const double right = m.x.empty() ? 0 : m.x.back() + m.width.back();
    p.drawLine(QPointF(0, y + m.rowHeight), QPointF(right, y + m.rowHeight));
}

void BomPrintLayout::paintRow(QPainter& p, const Metrics& m, const QStringList& row, double y,
                              bool band) const
{
    const QFontMetricsF body(m.body, p.device());
    if (band) {
        const double right = m.x.back() + m.width.back();
        p.fillRect(QRectF(0, y, right, m.rowHeight), QColor(238, 238, 238));
    }
    for (size_t c = 0; c < m_content.columns.size() && c < size_t(row.size()); ++c) {
        const QRectF cell(m.x[c] + m.pad, y, m.width[c] - 2 * m.pad, m.rowHeight);
        const QString& text = row.at(int(c));
        const bool fits = body.horizontalAdvance(text) <= cell.width();
        p.drawText(cell,
                   Qt::AlignVCenter |
                       (m_content.columns[c].rightAligned ? Qt::AlignRight : Qt::AlignLeft),
                   fits ? text : body.elidedText(text, Qt::ElideRight, cell.width()));
    }
}

void BomPrintLayout::paintTotals(QPainter& p, const Metrics& m, double y) const
{
    if (m_content.totals.empty())
        return;
    const QFontMetricsF bold(m.bold, p.device());
    const double right = m.x.back() + m.width.back();
    p.setPen(QPen(Qt::black, 0.7 * m.unit));
    p.drawLine(QPointF(0, y), QPointF(right, y));
    y += 4 * m.unit;
    p.setFont(m.bold);
    double amounts = 0;
    for (const auto& [label, amount] : m_content.totals)
        amounts = std::max(amounts, bold.horizontalAdvance(amount));
    const double amountLeft = right - m.pad - amounts;
    for (const auto& [label, amount] : m_content.totals) {
        const double h = bold.height() + 2 * m.unit;
        p.drawText(QRectF(0, y, amountLeft - 3 * m.pad, h), Qt::AlignRight | Qt::AlignVCenter, label);
        p.drawText(QRectF(amountLeft, y, amounts, h), Qt::AlignRight | Qt::AlignVCenter, amount);
        y += h;
    }
}

void BomPrintLayout::paintFooter(QPainter& p, const Metrics& m, int page, int pages) const
{
    const QFontMetricsF small(m.small, p.device());
    p.setFont(m.small);
    const QRectF line(0, m.page.height() - small.height(), m.page.width(), small.height());
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, m_content.date);
    p.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
               QString(m_content.pageOf).arg(page + 1).arg(pages));
}

bool BomPrintLayout::print(QPagedPaintDevice& device, QString* error) const
{
    const Metrics m = measure(device);
    QPainter p;
    if (!p.begin(&device))
        return fail(error, QStringLiteral("the printer could not be started"));
    const int pages = int(m.firstRow.size());
    const int rows = int(m_content.rows.size());
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            p.end();
            return fail(error, QStringLiteral("a new page could not be started"));
        }
        p.setPen(Qt::black);
        double y = 0;
        paintHeading(p, m, page, y);
        const int first = m.firstRow[size_t(page)];
        const int end = page + 1 < pages ? m.firstRow[size_t(page) + 1] : rows;
        if (first < rows) {
            paintTitles(p, m, y);
            y += m.rowHeight;
            p.setFont(m.body);
            p.setPen(Qt::black);
            for (int r = first; r < end; ++r, y += m.rowHeight)
                paintRow(p, m, m_content.rows[size_t(r)], y, (r - first) % 2 == 1);
        } else if (rows == 0) {
            paintTitles(p, m, y);
            y += m.rowHeight;
        }
        if (page == pages - 1)
            paintTotals(p, m, y);
        p.setPen(Qt::black);
        paintFooter(p, m, page, pages);
    }
    if (!p.end())
        return fail(error, QStringLiteral("the pages could not be finished"));
    return true;
}

QPageLayout BomPrintLayout::defaultPage()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
                       QPageLayout::Millimeter);
}

bool BomPrintLayout::printToPdf(const QString& path, const QPageLayout& page, QString* error) const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(m_content.bomName);
        pdf.setCreator(QStringLiteral("KAVREL"));
        pdf.setResolution(600);
        pdf.setPageLayout(page);
        if (!print(pdf, error))
            return false;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return fail(error, path + QStringLiteral(": ") + out.errorString());
    if (out.write(buffer.data()) != buffer.data().size()) {
        out.cancelWriting();
        return fail(error, path + QStringLiteral(": ") + out.errorString());
    }
    if (!out.commit())
        return fail(error, path + QStringLiteral(": ") + out.errorString());
    return true;
}
