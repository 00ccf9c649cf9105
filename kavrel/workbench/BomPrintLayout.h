#pragma once

// The printed BOM: the current item view in the grid's order as a table
// with the column titles of the language, under a heading with the BOM's
// name, the project, the date and the customer's data, the totals after the
// last row and "Page i of n" on every page. The same pages go to a printer,
// to the print preview and to a PDF file.
//
// Display-free (Qt Gui): the window hands in its printer as a paint device.

#include <QDate>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class WorkbenchModel;

class BomPrintLayout
{
public:
    struct Column
    {
        QString title;
        bool rightAligned = false;
        bool flexible = false; // may be narrowed, its texts elided
    };
    struct Content
    {
        QString bomName, projectName, date;
        QString projectLabel, dateLabel, customerLabel, pageOf;
        std::vector<std::pair<QString, QString>> customer; // label, value; only those given
        std::vector<Column> columns;
        std::vector<QStringList> rows;
        std::vector<std::pair<QString, QString>> totals; // label, amount; none without prices
    };

    // What the model's current BOM prints as. `prices` adds the price
    // columns and the totals, as the price view shows them.
    static Content contentOf(WorkbenchModel& model, const std::array<QString, 5>& customer,
                             bool prices, const QDate& date = QDate::currentDate());

    explicit BomPrintLayout(Content content) : m_content(std::move(content)) {}
    const Content& content() const { return m_content; }

    // Paints every page on `device`, which is left on the last page. False
    // with a reason when painting cannot start (a printer that is not
    // ready, a file that cannot be written).
    bool print(QPagedPaintDevice& device, QString* error = nullptr) const;
    // The pages as a PDF file on `page`, put in place only when complete.
    bool printToPdf(const QString& path, const QPageLayout& page, QString* error = nullptr) const;
    bool printToPdf(const QString& path, QString* error = nullptr) const
    {
        return printToPdf(path, defaultPage(), error);
    }
    // A4 landscape with 12 mm margins: most BOMs with prices are wider than
    // a portrait page.
    static QPageLayout defaultPage();

private:
    struct Metrics;
    Metrics measure(QPagedPaintDevice& device) const;
    void paintHeading(QPainter& p, const Metrics& m, int page, double& y) const;
    void paintTitles(QPainter& p, const Metrics& m, double y) const;
    void paintRow(QPainter& p, const Metrics& m, const QStringList& row, double y, bool band) const;
    void paintTotals(QPainter& p, const Metrics& m, double y) const;
    void paintFooter(QPainter& p, const Metrics& m, int page, int pages) const;

    Content m_content;
};
