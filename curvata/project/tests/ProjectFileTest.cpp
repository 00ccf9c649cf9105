// Project files: what is saved reads back into the same chart and table,
// and every problem of a file is reported in the user's words.
#include "CCharacteristicChart.h"
#include "ChartProjectView.h"
#include "PointTableModel.h"
#include "ProfileDocument.h"
#include "ProjectReader.h"
#include "ProjectTestData.h"
#include "ProjectWriter.h"
#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Project : ::testing::Test
{
    ProjectTestData data;
    CCharacteristicChart chart;
    ChartProjectView view{chart};
    QTemporaryDir dir;

    void SetUp() override { data.addStandardFuses(); }

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QString writeBytes(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QByteArray readBytes(const QString& file) const
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    ProjectReadResult open(const QByteArray& bytes, ChartProjectView& into)
    {
        return ProjectReader(data.database, data.types).read(ProfileDocument(bytes), into);
    }
    ProjectReadResult open(const QByteArray& bytes) { return open(bytes, view); }
};

QStringList tableTexts(const PointTableModel& table)
{
    QStringList out;
    for (int r = 0; r < table.gridRowCount(); ++r)
        for (int c = 0; c < table.gridColumnCount(); ++c)
            out << table.text(r, c) + (table.isUserEntered(r, c) ? "*" : "");
    return out;
}

} // namespace

TEST_F(Project, SavedProjectOpensIntoTheSameChartAndTable)
{
    view.setFuses(data.fuses({"F1", "F2", "F3"}));
    view.setCharacteristic(data.linear);
    view.appendConstLine(ConstLineKind::X, "In", 50.0f);
    view.appendConstLine(ConstLineKind::Y, "t", 20.25f);
    chart.SetScientificScale(true); // values padded with blanks must read back too
    PointTableModel* table = view.openTable();
    ASSERT_NE(table, nullptr);
    table->addPair();
    table->enterValue(1, 2, "50");
    table->enterValue(2, 5, "30");
    table->addConstLineValue(20.0f, ConstLineKind::X);
    // Other programs' sections stay; the project's own are replaced.
    const QString file = writeBytes("p.cvp", "[Viewer]\r\nZoom=2\r\n[Fuses]\r\nOld=\r\n");

    const ProjectWriteResult written = ProjectWriter::writeFile(file, view);
    ASSERT_TRUE(written.written) << written.error.toStdString();
    EXPECT_TRUE(written.skipped.isEmpty());
    EXPECT_EQ(readBytes(file), QByteArray("[Viewer]\r\nZoom=2\r\n"
                                          "[Fuses]\r\nF1=\r\nF2=\r\nF3=\r\n"
                                          "[Characteristic]\r\nLinear=\r\n"
                                          "[XConstLines]\r\nIn=50\r\n"
                                          "[YConstLines]\r\nt=20.25\r\n"
                                          "[Table]\r\nNumberOfColumns=6\r\nColumn1(F1)=50\r\n"
                                          "Column5(F1)=\"  2.0000e+01\"\r\nColumn4(F2)=30\r\n"
                                          "Column5(F2)=\"  2.0000e+01\"\r\n"));

    CCharacteristicChart reopened;
    reopened.SetScientificScale(true);
    ChartProjectView into(reopened);
    const ProjectReadResult read = ProjectReader(data.database, data.types).readFile(file, into);
    EXPECT_TRUE(read.stopMessage.isEmpty());
    EXPECT_TRUE(read.errors.isEmpty()) << read.errorListMessage().toStdString();
    EXPECT_TRUE(read.complete);
    EXPECT_EQ(reopened.Fuses(), chart.Fuses());
    EXPECT_EQ(reopened.CurrentCharacteristic(), data.linear);
    EXPECT_EQ(reopened.XLines(), chart.XLines());
    EXPECT_EQ(reopened.YLines(), chart.YLines());
    ASSERT_NE(into.table(), nullptr);
    EXPECT_EQ(tableTexts(*into.table()), tableTexts(*table));
}

TEST_F(Project, LongProjectsAreNotCutShortAndBadNamesAreReported)
{
    // More than 4000 characters of fuse names and a value far over 254.
    std::vector<const Fuse*> many;
    for (int i = 0; i < 200; ++i) {
        Fuse* f = data.addFuse(QStringLiteral("Fuse with a long descriptive name %1").arg(i));
        data.addCurve(f, data.linear, {{10, 90}, {90, 10}});
        many.push_back(f);
    }
    // Names the file cannot hold so that they read back.
    for (const char* name : {"a=b", " padded", "f1"})
        many.push_back(data.addFuse(QString::fromUtf8(name)));
    many.push_back(data.database.findFuse("F1"));
    data.database.finishBuilding();
    view.setFuses(many);
    view.setCharacteristic(data.linear);
    const QString longValue = "50." + QString(300, '0');
    view.openTable()->enterValue(1, 2, longValue);

    const ProjectWriteResult written = ProjectWriter::writeFile(path("long.cvp"), view);
    ASSERT_TRUE(written.written);
    ASSERT_EQ(written.skipped.size(), 3);
    EXPECT_TRUE(written.skipped[0].contains("'a=b'"));
    EXPECT_TRUE(written.skipped[1].contains("' padded'"));
    EXPECT_TRUE(written.skipped[2].contains("'F1'")) << written.skipped[2].toStdString();
    EXPECT_TRUE(written.skippedMessage().startsWith("The project was saved, but"));

    CCharacteristicChart reopened;
    ChartProjectView into(reopened);
    const ProjectReadResult read =
        ProjectReader(data.database, data.types).readFile(path("long.cvp"), into);
    EXPECT_TRUE(read.errors.isEmpty()) << read.errorListMessage().toStdString();
    ASSERT_EQ(reopened.Fuses().size(), 201u);
    EXPECT_EQ(reopened.Fuses()[199], many[199]);
    EXPECT_EQ(into.table()->text(1, 2), longValue);
    EXPECT_EQ(into.table()->text(1, 3), "50.00000");
}

TEST_F(Project, ProblemsAreCollectedAndShownAfterReading)
{
    const ProjectReadResult r = open("[Fuses]\nF1=\nMissing=\nF1=\n"
                                     "[Characteristic]\nTime-Current=\nLinear=\n"
                                     "[XConstLines]\nIn=abc\nIb=1e3\n"
                                     "[Table]\nNumberOfColumns=4\nColumn3(F1)=100\n"
                                     "Colu(F1)=1\nColumnX(F1)=1\nColumn1(F2)=5\n"
                                     "Column2(F1)=abc\nColumn9(F1)=5\nColumn0(F1)=5\n");
    EXPECT_TRUE(r.stopMessage.isEmpty());
    EXPECT_EQ(r.errorListMessage(),
              "File opened with errors:"
              "\n\t- Fuse 'Missing' not found in the database."
              "\n\t- Value of constant line 'In' is not a number."
              "\n\t- Unsupported table entry 'Colu(F1)' format."
              "\n\t- Unsupported table entry 'ColumnX(F1)' format (column not a number)."
              "\n\t- Error reading table entry 'Column1(F2)' (fuse name not found in the fuse list)."
              "\n\t- Value of table entry 'Column2(F1)' is not a number."
              "\n\t- Error reading table entry 'Column9(F1)' (column not in the table)."
              "\n\t- Error reading table entry 'Column0(F1)' (column not in the table).");
    EXPECT_EQ(chart.Fuses(), data.fuses({"F1"}));
    EXPECT_EQ(chart.CurrentCharacteristic(), data.timeCurrent); // the first key only
    ASSERT_EQ(chart.XLines().size(), 1);
    EXPECT_EQ(chart.XLines()[0].name, "Ib");
    EXPECT_EQ(chart.XLines()[0].x1, 1000.0f);
    PointTableModel* table = view.table();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->text(1, 4), "100");
    EXPECT_EQ(table->text(1, 5), "3.16228");
    EXPECT_EQ(table->text(1, 1), "K-F1");
}

TEST_F(Project, TableColumnCountMustBeAnEvenNumberTheTableCanHold)
{
    const QString even =
        "Value of parameter 'NumberOfColumns' is not an even number (2,4,6...). Opening table failed.";
    const struct
    {
        const char* line;
        QString error;
        int columns; // of the opened table; -1: no table
    } cases[] = {
        {"NumberOfColumns=3", even, -1},
        {"NumberOfColumns=-2", even, -1},
        {"NumberOfColumns=4x", even, -1},
        {"NumberOfColumns=99999999999", even, -1},
        {"NumberOfColumns=4002", "Value of parameter 'NumberOfColumns' is larger than the table "
                                 "allows (2000). Opening table failed.", -1},
        {"numberOfColumns=2", "Parameter 'NumberOfColumns' not found for a table definition. "
                              "Opening table failed.", -1},
        {"NumberOfColumns=0", QString(), 2},
        {"NumberOfColumns=6", QString(), 8},
    };
    for (const auto& c : cases) {
        const ProjectReadResult r =
            open(QByteArray("[Fuses]\nF1=\n[Characteristic]\nLinear=\n[Table]\n") + c.line);
        EXPECT_EQ(r.errors.value(0), c.error) << c.line;
        EXPECT_EQ(view.table() ? view.table()->gridColumnCount() : -1, c.columns) << c.line;
    }
}

TEST_F(Project, FatalProblemsStopTheReading)
{
    view.setFuses(data.fuses({"F2"}));
    view.setCharacteristic(data.linear);
    view.appendConstLine(ConstLineKind::X, "In", 50.0f);
    view.openTable();

    ProjectReadResult r = open("[Fuses]\nGone=\nAlso gone=\n[Characteristic]\nLinear=\n");
    EXPECT_EQ(r.stopMessage, "Error opening file:\nNo fuses defined in the file.");
    EXPECT_TRUE(r.errors.isEmpty()); // the missing fuses are not listed
    EXPECT_FALSE(r.complete);
    EXPECT_TRUE(chart.Fuses().empty()); // the view was cleared
    EXPECT_TRUE(chart.XLines().isEmpty());
    EXPECT_EQ(view.table(), nullptr);

    r = open("[Fuses]\nF1=\nGone=\n");
    EXPECT_EQ(r.stopMessage, "Error opening a file:\nCharacteristic not defined in the file.");
    EXPECT_TRUE(r.errors.isEmpty());
    EXPECT_EQ(chart.Fuses(), data.fuses({"F1"}));
    EXPECT_EQ(chart.CurrentCharacteristic(), nullptr);

    r = open("[Fuses]\nF1=\n[Characteristic]\nlinear=\n");
    EXPECT_EQ(r.stopMessage, "Error opening file:\nCharacteristic 'linear' not found in the database.");
    EXPECT_FALSE(r.complete);

    // Saved without a characteristic: the file cannot be opened as a chart.
    CCharacteristicChart noType;
    ChartProjectView noTypeView(noType);
    noTypeView.setFuses(data.fuses({"F1"}));
    ASSERT_TRUE(ProjectWriter::writeFile(path("n.cvp"), noTypeView).written);
    EXPECT_FALSE(readBytes(path("n.cvp")).contains("Characteristic"));
    r = ProjectReader(data.database, data.types).readFile(path("n.cvp"), view);
    EXPECT_EQ(r.stopMessage, "Error opening a file:\nCharacteristic not defined in the file.");

    r = ProjectReader(data.database, data.types).readFile(path("none.cvp"), view);
    EXPECT_EQ(r.stopMessage, "Error opening file:\nNo fuses defined in the file.");
}

TEST_F(Project, FileWrittenOnWindowsOpensAndStaysInItsCodePage)
{
    Fuse* f = data.addFuse(QString::fromUtf8("Varovalka \u010d 10 A"));
    data.addCurve(f, data.linear, {{10, 90}, {90, 10}});
    data.database.finishBuilding();
    // Windows-1250: 0xE8 is "č"; CR LF line ends; blanks around '='.
    const QByteArray bytes = "[Fuses]\r\nVarovalka \xe8 10 A = \r\n[Characteristic]\r\nLinear=\r\n"
                             "[Table]\r\nNumberOfColumns=2\r\nColumn1(Varovalka \xe8 10 A)=20\r\n";
    const QString file = writeBytes("win.cvp", bytes);
    const ProjectReadResult r = ProjectReader(data.database, data.types).readFile(file, view);
    EXPECT_TRUE(r.errors.isEmpty()) << r.errorListMessage().toStdString();
    ASSERT_EQ(chart.Fuses().size(), 1u);
    EXPECT_EQ(chart.Fuses()[0], f);
    EXPECT_EQ(view.table()->text(1, 3), "80.00000");

    ASSERT_TRUE(ProjectWriter::writeFile(file, view).written);
    const QByteArray saved = readBytes(file);
    EXPECT_TRUE(saved.contains("[Fuses]\r\nVarovalka \xe8 10 A=\r\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("Column1(Varovalka \xe8 10 A)=20\r\n"));
}

TEST_F(Project, ReadOnlyFileIsNotReplaced)
{
    view.setFuses(data.fuses({"F1"}));
    const QString file = writeBytes("ro.cvp", "[Fuses]\r\nOld=\r\n");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser);
    const ProjectWriteResult r = ProjectWriter::writeFile(file, view);
    EXPECT_FALSE(r.written);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(readBytes(file), QByteArray("[Fuses]\r\nOld=\r\n"));
}
