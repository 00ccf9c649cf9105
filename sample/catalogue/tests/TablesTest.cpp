// The table files of the installation hold exactly the rows of the CSV
// sources, in their order; and the large catalogue's CSV files are accepted
// by the same table tool.
#include "CsvTable.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray run(const QString& program, const QStringList& args, int* exitCode)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(300000)) {
        *exitCode = -1;
        return {};
    }
    *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

} // namespace

TEST(SampleTables, TableFilesHoldTheSourceRows)
{
    const QString db = QStringLiteral(SAMPLE_DIR "/kavrel/db/");
    const std::pair<const char*, const char*> tables[] = {{"tree.csv", "T1.CDS"},
                                                          {"attributes.csv", "T2.CDS"},
                                                          {"texts.csv", "T3.CDS"},
                                                          {"pictures.csv", "T4.CDS"},
                                                          {"certificates.csv", "cert.cds"}};
    for (const auto& [csv, cds] : tables) {
        SCOPED_TRACE(cds);
        int code = 0;
        const QByteArray out = run(QStringLiteral(KAVREL_TABLES),
                                   {QStringLiteral("export"), db + QLatin1String(cds)}, &code);
        ASSERT_EQ(code, 0);
        const CsvTable exported = CsvTable::parse(QString::fromUtf8(out));
        const CsvTable source =
            CsvTable::read(QStringLiteral(FIXTURE_DIR "/") + QLatin1String(csv));
        ASSERT_EQ(exported.rowCount(), source.rowCount());
        for (int i = 0; i < source.rowCount(); ++i) {
            for (const QString& field : source.header())
                ASSERT_EQ(exported.value(i, field), source.value(i, field))
                    << "row " << i + 2 << " field " << field.toStdString();
        }
    }
}

TEST(SampleTables, LargeCatalogueBuildsIntoTableFiles)
{
    QTemporaryDir dir;
    int code = 0;
    run(QStringLiteral(CATALOGUE_GENERATE),
        {QStringLiteral("--products"), QStringLiteral("500"), QStringLiteral("--tables"),
         QStringLiteral(KAVREL_TABLES), dir.path()},
        &code);
    ASSERT_EQ(code, 0);
    for (const char* file : {"T1.CDS", "T2.CDS", "T3.CDS", "T4.CDS", "cert.cds"})
        EXPECT_TRUE(QFile::exists(QDir(dir.path()).filePath(QLatin1String(file)))) << file;
    const QByteArray out =
        run(QStringLiteral(KAVREL_TABLES),
            {QStringLiteral("export"), dir.filePath(QStringLiteral("T3.CDS"))}, &code);
    ASSERT_EQ(code, 0);
    EXPECT_GE(CsvTable::parse(QString::fromUtf8(out)).rowCount(), 500 * 10);
    // A bad count is refused, not turned into an empty catalogue.
    run(QStringLiteral(CATALOGUE_GENERATE),
        {QStringLiteral("--products"), QStringLiteral("x"), dir.path()}, &code);
    EXPECT_EQ(code, 2);
}
