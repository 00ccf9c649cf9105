#include "Artifacts.h"
#include "BomPrintLayout.h"
#include "BomSheet.h"
#include "BomSummary.h"
#include "BomTotals.h"
#include "BomWorkbookFile.h"
#include "LoopGuard.h"
#include "QtPrinters.h"
#include "WorkbenchModel.h"
#include "WorkbenchTestData.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class Output : public ::testing::Test
{
protected:
    void open(const QString& language = QStringLiteral("ANG"))
    {
        ASSERT_TRUE(dir.isValid());
        model = std::make_unique<WorkbenchModel>();
        model->open(dir.path(), language);
    }
    QString file(const QString& name) const { return dir.path() + u'/' + name; }

    // Writes the current BOM's workbook to `name` and reads it back with an
    // independent reader.
    QJsonObject exportAndRead(const QString& name)
    {
        const std::optional<BomSheet> sheet = BomSheet::of(*model);
        EXPECT_TRUE(sheet.has_value());
        QString error;
        EXPECT_TRUE(sheet && BomWorkbookFile::save(*sheet, file(name), &error)) << error.toStdString();
        const QJsonArray read = readWorkbooks({file(name)});
        return read.isEmpty() ? QJsonObject() : read.at(0).toObject();
    }
    static QJsonArray readWorkbooks(const QStringList& files)
    {
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral(READ_WORKBOOK)} + files);
        EXPECT_TRUE(python.waitForFinished(60000));
        EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
        return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    }
    static QJsonValue value(const QJsonObject& book, const QString& cell)
    {
        return book.value("cells").toObject().value(cell).toObject().value("value");
    }
    static QString type(const QJsonObject& book, const QString& cell)
    {
        return book.value("cells").toObject().value(cell).toObject().value("type").toString();
    }
    static QStringList list(const QJsonObject& book, const char* key)
    {
        QStringList out;
        for (const QJsonValue& v : book.value(QLatin1String(key)).toArray())
            out << v.toString();
        out.sort();
        return out;
    }
    static QStringList row(int n)
    {
        QStringList out;
        for (char c = 'A'; c <= 'M'; ++c)
            out << QStringLiteral("%1%2").arg(QLatin1Char(c)).arg(n);
        out.sort();
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<WorkbenchModel> model;
};

int counted(TableView& summary, const QString& code)
{
    return summary.locate({QStringLiteral("Ident")}, {code}) ? int(summary.asFloat("SumKol")) : -1;
}

} // namespace

TEST_F(Output, SummarySumsTheBomsOwnItemsPerCode)
{
    open();
    WorkbenchModel& m = *model;
    const int s = addBom(m, QStringLiteral("S"), QStringLiteral("Main.dwg"));
    const int other = addBom(m, QStringLiteral("S"), QStringLiteral("Other.dwg"));
    addItem(m, {{"L1SYM", s}, {"Ident", "1110100"}, {"NAZIV", "NH00 10 A"}, {"Kol", 1.0}, {"Cena", 4.0}});
    addItem(m, {{"L1SYM", s}, {"Ident", "1110100"}, {"Kol", 2.0}, {"STATUSS", "D"}, {"Cena", 4.0}});
    addItem(m, {{"L1SYM", other}, {"Ident", "1110100"}, {"Kol", 7.0}});
    addItem(m, {{"L1SYM", s}, {"Ident", "2220200"}, {"NAZIV", "Base"}, {"Kol", 3.0}});
    m.selectBom(s);
    m.addWithoutCad({QStringLiteral("1110100"), QStringLiteral("NH00 10 A"), 4.0}, 4);

    // The codes of placed items were never registered; the summary lists
    // them all the same. The erased symbol and the other drawing's item do
    // not count.
    BomSummary summary(m);
    summary.setActive(true);
    TableView& un = m.tables().TNarUN;
    EXPECT_EQ(un.recordCount(), 2);
    EXPECT_EQ(counted(un, "1110100"), 5);
    EXPECT_DOUBLE_EQ(un.asFloat("SumVred"), 4.0 + 16.0);
    EXPECT_EQ(counted(un, "2220200"), 3);

    // The sums follow the items while the view is on.
    QSignalSpy changed(&summary, &BomSummary::changed);
    m.addWithoutCad({QStringLiteral("3330300"), QStringLiteral("Busbar"), 1.0}, 2);
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(un.recordCount(), 3);

    // A drawing BOM that has received nothing yet still sums its list items.
    const int t = addBom(m, QStringLiteral("T"), QStringLiteral("New.dwg"));
    m.selectBom(t);
    m.addWithoutCad({QStringLiteral("1110100"), QStringLiteral("NH00 10 A"), 4.0}, 6);
    EXPECT_EQ(un.recordCount(), 1);
    EXPECT_EQ(counted(un, "1110100"), 6);

    summary.setActive(false);
    EXPECT_EQ(un.recordCount(), 3);
    EXPECT_EQ(un.asFloat("SumKol"), 0.0);
}

TEST_F(Output, SummaryOverrunIsReportedWithItsLine)
{
    open();
    WorkbenchModel& m = *model;
    const int n = addBom(m, QStringLiteral("N"), QStringLiteral("List"));
    std::vector<ClientTable::Change> rows;
    const TableSchema& schema = m.tables().itemTable().schema();
    for (int i = 0; i < LoopGuard::Limit + 5; ++i) {
        ClientTable::Change c;
        c.values.resize(schema.fields.size());
        c.values[size_t(schema.fieldIndex("Srt"))] = i + 1;
        c.values[size_t(schema.fieldIndex("Ident"))] = QStringLiteral("1110100");
        c.values[size_t(schema.fieldIndex("L1NAR"))] = n;
        c.values[size_t(schema.fieldIndex("Kol"))] = 1.0;
        rows.push_back(std::move(c));
    }
    m.tables().itemTable().commit(rows);
    QSignalSpy overruns(&m, &WorkbenchModel::overrun);
    BomSummary summary(m);
    const auto sums = summary.compute(QStringLiteral("N"), n);
    ASSERT_EQ(overruns.count(), 1);
    EXPECT_EQ(overruns.at(0).at(0).toString(), QStringLiteral("Loop overrun at line 3073 !"));
    EXPECT_EQ(sums.value(QStringLiteral("1110100")).kol, double(LoopGuard::Limit));
}

TEST_F(Output, TotalsAreGroupedInTheUsersSeparators)
{
    EXPECT_EQ(BomTotals::formatBom(1234567.5, QLocale::c()), QStringLiteral("1,234,567.50"));
    EXPECT_EQ(BomTotals::formatBom(1234567.5, QLocale(QLocale::Slovenian)),
              QStringLiteral("1.234.567,50"));
    EXPECT_EQ(BomTotals::formatBom(-0.001, QLocale::c()), QStringLiteral("0.00"));
    EXPECT_EQ(BomTotals::formatProject(0.0, QLocale::c()), QStringLiteral("0.00"));
}

TEST_F(Output, WorkbookOfEmptyAndFilledBoms)
{
    open();
    WorkbenchModel& m = *model;
    const int s = addBom(m, QStringLiteral("S"), QStringLiteral("Main.dwg"));
    const int d = addBom(m, QStringLiteral("D"), QStringLiteral("Cabinet.dwg"));
    m.newBom();

    const QJsonObject empty = exportAndRead(QStringLiteral("empty.xlsx"));
    EXPECT_EQ(value(empty, "A1").toString(), QStringLiteral(" List"));
    EXPECT_EQ(value(empty, "A4").toString(), QStringLiteral("Item"));
    EXPECT_EQ(value(empty, "L4").toString(), QStringLiteral("Dimension DWG"));
    EXPECT_EQ(value(empty, "F6").toString(), QStringLiteral("TOTAL"));
    // No items: a sum over H6:H5 would include its own cell.
    EXPECT_EQ(type(empty, "H6"), QStringLiteral("n"));
    EXPECT_EQ(value(empty, "H6").toDouble(), 0.0);
    EXPECT_EQ(list(empty, "bottom"), row(5));
    EXPECT_EQ(list(empty, "top"), row(6));
    EXPECT_EQ(empty.value("cells").toObject().size(), 1 + 12 + 2);

    addItem(m, {{"L1SYM", s}, {"L1DIM", d}, {"Ident", "1110100"}, {"NAZIV", "Varovalka ščž"},
                {"Kol", 3.0}, {"Cena", 4.25}, {"Rabat", 10.0}, {"Blok", "F"}, {"BlockNo", "1"}});
    addItem(m, {{"L1SYM", s}, {"L1DIM", 0}, {"Ident", "1210200"}, {"NAZIV", "Bezpiecznik ąłó"},
                {"Kol", 1.0}, {"Cena", 5.9}});
    addItem(m, {{"L1SYM", 0}, {"L1DIM", d}, {"Ident", "0300100"}, {"NAZIV", "=1+1"}, {"Kol", 2.0},
                {"Cena", 12.0}});
    m.selectBom(d);
    m.orderByColumn(1); // by name: the grid's order is the sheet's
    const QJsonObject book = exportAndRead(QStringLiteral("three.xlsx"));
    QFile::remove(Artifacts::directory() + QStringLiteral("/bom-export.xlsx"));
    QFile::copy(file("three.xlsx"), Artifacts::directory() + QStringLiteral("/bom-export.xlsx"));
    EXPECT_EQ(book.value("sheets").toInt(), 1);
    EXPECT_EQ(value(book, "A1").toString(), QStringLiteral(" Cabinet.dwg"));
    // The item lacking a dimension drawing is available to this layout.
    const QStringList names = {value(book, "A6").toString(), value(book, "A7").toString(),
                               value(book, "A8").toString()};
    EXPECT_EQ(names, (QStringList{"=1+1", "Bezpiecznik ąłó", "Varovalka ščž"}));
    EXPECT_EQ(type(book, "A6"), QStringLiteral("s")); // a name is never a formula
    EXPECT_EQ(value(book, "B6").toString(), QStringLiteral("0300100"));
    EXPECT_EQ(type(book, "B6"), QStringLiteral("s"));
    EXPECT_EQ(value(book, "C8").toDouble(), 3.0);
    EXPECT_EQ(type(book, "C8"), QStringLiteral("n"));
    EXPECT_EQ(value(book, "D8").toString(), QStringLiteral("1"));
    EXPECT_EQ(type(book, "D8"), QStringLiteral("s"));
    EXPECT_NEAR(value(book, "G8").toDouble(), 3.825, 1e-12);
    EXPECT_NEAR(value(book, "H8").toDouble(), 11.475, 1e-12);
    EXPECT_EQ(value(book, "I8").toString(), QStringLiteral("F"));
    EXPECT_EQ(value(book, "K8").toString(), QStringLiteral("Main.dwg"));
    EXPECT_EQ(value(book, "L8").toString(), QStringLiteral("Cabinet.dwg"));
    EXPECT_EQ(value(book, "K6"), QJsonValue(QJsonValue::Undefined)); // no symbol drawing
    EXPECT_EQ(value(book, "F9").toString(), QStringLiteral("TOTAL"));
    EXPECT_EQ(value(book, "H9").toString(), QStringLiteral("=SUM(H6:H8)"));
    EXPECT_NEAR(book.value("cells")["H9"]["result"].toDouble(), 24 + 5.9 + 11.475, 1e-9);
    EXPECT_EQ(list(book, "bottom"), row(5));
    EXPECT_EQ(list(book, "top"), row(9));
    // Fitted: the long names widen A, the unit column stays narrow.
    const QJsonObject widths = book.value("widths").toObject();
    EXPECT_GT(widths.value("A").toDouble(), widths.value("D").toDouble());
    EXPECT_GE(widths.value("A").toDouble(), QStringLiteral("Bezpiecznik ąłó").size());
}

TEST_F(Output, WorkbookHeadersByLanguage)
{
    QStringList files;
    for (const char* language : {"ANG", "SLO", "HRV", "POL"}) {
        model.reset();
        open(QLatin1String(language));
        model->newBom();
        const std::optional<BomSheet> sheet = BomSheet::of(*model);
        ASSERT_TRUE(sheet);
        files << file(QLatin1String(language) + QStringLiteral(".xlsx"));
        ASSERT_TRUE(BomWorkbookFile::save(*sheet, files.last()));
    }
    const QJsonArray books = readWorkbooks(files);
    ASSERT_EQ(books.size(), 4);
    const auto at = [&](int book, const char* cell) { return value(books.at(book).toObject(), cell).toString(); };
    EXPECT_EQ(at(0, "C4") + u'|' + at(0, "J4"), QStringLiteral("Quantity|Block No"));
    EXPECT_EQ(at(1, "A4") + u'|' + at(1, "C4") + u'|' + at(1, "J4"),
              QStringLiteral("Naziv|Količina|Št bloka"));
    EXPECT_EQ(at(2, "D4") + u'|' + at(2, "G4"), QStringLiteral("Jedinica|Neto cijena"));
    EXPECT_EQ(at(3, "A4") + u'|' + at(3, "H4"), QStringLiteral("Nazwa towaru|Wartość bez podatku"));
    EXPECT_EQ(at(3, "B5") + u'|' + at(3, "D5") + u'|' + at(3, "E5") + u'|' + at(3, "G5"),
              QStringLiteral("Nr.Kodowy|miary|bez rabatu|Netto"));
    for (int b = 0; b < 3; ++b) {
        for (char c = 'A'; c <= 'M'; ++c) {
            EXPECT_EQ(at(b, QStringLiteral("%1%2").arg(QLatin1Char(c)).arg(5).toLatin1().constData()),
                      QString());
        }
    }
    EXPECT_EQ(list(books.at(3).toObject(), "bottom"), row(5));
}

TEST_F(Output, WorkbookThatCannotBeWrittenLeavesNothing)
{
    open();
    model->newBom();
    const std::optional<BomSheet> sheet = BomSheet::of(*model);
    ASSERT_TRUE(sheet);
    // Below a regular file no folder can be made, whoever runs the test.
    QTemporaryDir out;
    QFile plain(out.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("x");
    plain.close();
    QString error;
    EXPECT_FALSE(BomWorkbookFile::save(*sheet, out.filePath(QStringLiteral("plain/bom.xlsx")), &error));
    EXPECT_FALSE(error.isEmpty());
    // What stands at the target is kept when the workbook cannot replace it.
    ASSERT_TRUE(QDir(out.path()).mkdir(QStringLiteral("taken.xlsx")));
    EXPECT_FALSE(BomWorkbookFile::save(*sheet, out.filePath(QStringLiteral("taken.xlsx")), &error));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{"plain", "taken.xlsx"}));
    EXPECT_TRUE(QDir(out.filePath(QStringLiteral("taken.xlsx"))).isEmpty());
}

TEST_F(Output, PrintedPdfHoldsEveryItemTheTotalsAndPageNumbers)
{
    open();
    WorkbenchModel& m = *model;
    m.newBom();
    QStringList codes;
    for (int i = 0; i < 90; ++i) {
        const QString code = QStringLiteral("%1").arg(5000000 + i * 37);
        codes << code;
        m.addWithoutCad({code, QStringLiteral("Fuse link gG %1 A with a long description").arg(i), 2.5}, 1 + i % 3);
    }
    const std::array<QString, 5> customer = {QStringLiteral("Elektro Kovač d.o.o."), QString(),
                                             QStringLiteral("1000"), QStringLiteral("Ljubljana"),
                                             QString()};
    const BomPrintLayout layout(BomPrintLayout::contentOf(m, customer, true, QDate(2024, 3, 5)));
    const QString pdf = file(QStringLiteral("bom.pdf"));
    QString error;
    ASSERT_TRUE(layout.printToPdf(pdf, &error)) << error.toStdString();
    QFile::remove(Artifacts::directory() + QStringLiteral("/bom-print.pdf"));
    QFile::copy(pdf, Artifacts::directory() + QStringLiteral("/bom-print.pdf"));

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    for (const QString& code : codes)
        EXPECT_TRUE(printed.contains(code)) << code.toStdString();
    EXPECT_TRUE(printed.contains(QStringLiteral("Elektro Kovač d.o.o.")));
    EXPECT_TRUE(printed.contains(QStringLiteral("New project1")));
    const QString total = BomTotals::formatBom(m.bomTotal());
    EXPECT_EQ(total, BomTotals::formatBom(2.5 * (30 * 1 + 30 * 2 + 30 * 3)));
    EXPECT_TRUE(printed.contains(QRegularExpression(QStringLiteral("Total +") + QRegularExpression::escape(total))))
        << printed.right(600).toStdString();
    EXPECT_TRUE(printed.contains(QStringLiteral("Project total")));
    // Every page numbered, out of the same count.
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Page 1 of (\\d+)")).match(printed);
    ASSERT_TRUE(pages.hasMatch());
    const int count = pages.captured(1).toInt();
    EXPECT_GE(count, 2);
    for (int page = 1; page <= count; ++page)
        EXPECT_TRUE(printed.contains(QStringLiteral("Page %1 of %2").arg(page).arg(count))) << page;
    EXPECT_EQ(printed.count(QStringLiteral("Page ")), count);
}
