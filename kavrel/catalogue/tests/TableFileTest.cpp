#include "TableView.h"
#include "StandardSchemas.h"
#include "TableTestData.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <signal.h>

namespace {

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString openError(const QString& path, ClientTable::OpenMode mode = ClientTable::OpenMode::ReadOnly,
                  const TableSchema* expected = nullptr)
{
    ClientTable t;
    try {
        t.open(path, mode, expected);
    } catch (const TableError& e) {
        EXPECT_FALSE(t.isOpen());
        return e.message();
    }
    return QString();
}

class TableFile : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return dir.path() + "/" + name; }

    // A catalogue tree file with the sample rows.
    QString writeTree(const QString& name)
    {
        ClientTable tree;
        fillTree(tree);
        tree.saveAs(path(name));
        return path(name);
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(TableFile, RowsFieldsAndIndexesSurviveTheFile)
{
    const QString file = writeTree("T1.CDS");
    ClientTable tree;
    tree.open(file, ClientTable::OpenMode::ReadOnly);
    EXPECT_EQ(tree.rowCount(), 10);
    EXPECT_EQ(tree.schema().name, "tree");
    ASSERT_EQ(tree.schema().fields.size(), 5u);
    EXPECT_EQ(tree.schema().fields[1].width, 1);
    ASSERT_NE(tree.schema().primaryIndex(), nullptr);
    TableView v(tree);
    v.setIndexName("PRIMARY");
    EXPECT_TRUE(v.findKey({10, "A", 2}));
    EXPECT_EQ(v.asInt("LINK2"), 102);
}

TEST_F(TableFile, ProgramPathsWithBackslashesAreMapped)
{
    writeTree("T1.CDS");
    ClientTable tree;
    tree.open(dir.path() + "\\t1.cds", ClientTable::OpenMode::ReadOnly);
    EXPECT_EQ(tree.rowCount(), 10);
}

TEST_F(TableFile, ReadOnlyTablesAreNeverWritten)
{
    const QString file = writeTree("T1.CDS");
    const QByteArray before = fileHash(file);
    const QDateTime modified = QFileInfo(file).lastModified();
    {
        ClientTable tree;
        tree.open(file, ClientTable::OpenMode::ReadOnly);
        TableView v(tree);
        EXPECT_THROW(v.append(), TableError);
        EXPECT_THROW(v.edit(), TableError);
        EXPECT_THROW(tree.save(), TableError);
        tree.close();
    }
    EXPECT_EQ(fileHash(file), before);
    EXPECT_EQ(QFileInfo(file).lastModified(), modified);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"T1.CDS"});
}

TEST_F(TableFile, OpenFailuresNameTheFileAndTheReason)
{
    const QString missing = openError(path("T9.CDS"));
    EXPECT_TRUE(missing.contains("T9.CDS") && missing.contains("does not exist"))
        << missing.toStdString();

    writeBytes(path("text.cds"), "LINK1,LOOK\n1,A\n");
    const QString text = openError(path("text.cds"));
    EXPECT_TRUE(text.contains("text.cds") && text.contains("not a table file"))
        << text.toStdString();

    writeBytes(path("empty.cds"), QByteArray());
    EXPECT_TRUE(openError(path("empty.cds")).contains("not a table file"));

    const QString tree = writeTree("T1.CDS");
    const TableSchema texts = StandardSchemas::texts();
    const QString mismatch = openError(tree, ClientTable::OpenMode::ReadOnly, &texts);
    EXPECT_TRUE(mismatch.contains("T1.CDS") && mismatch.contains("no field"))
        << mismatch.toStdString();

    QDir(dir.path()).mkdir("folder.cds");
    EXPECT_FALSE(openError(path("folder.cds")).isEmpty());
}

TEST_F(TableFile, DamagedFilesAreErrorsNotCrashes)
{
    ClientTable big;
    big.create(StandardSchemas::texts());
    {
        TableView v(big);
        for (int i = 0; i < 2000; ++i)
            addRow(v, {"LINK3", "SORT", "ANG"}, {i, 0, QStringLiteral("text %1").arg(i)});
    }
    big.saveAs(path("T3.CDS"));
    big.close();
    QFile f(path("T3.CDS"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    f.close();
    ASSERT_GT(good.size(), 8192);

    writeBytes(path("half.cds"), good.left(good.size() / 2));
    EXPECT_FALSE(openError(path("half.cds")).isEmpty());

    // Overwrite pages at several places; every outcome but a crash is fine,
    // and a table that opens must hold only rows of the table's types.
    for (int at : {100, 1024, 4096, int(good.size() / 2), int(good.size() - 600)}) {
        QByteArray bad = good;
        for (int i = 0; i < 512 && at + i < bad.size(); ++i)
            bad[at + i] = char((i * 37 + at) & 0xff);
        writeBytes(path("bad.cds"), bad);
        ClientTable t;
        try {
            t.open(path("bad.cds"), ClientTable::OpenMode::ReadOnly);
            TableView v(t);
            v.setIndexName("PRIMARY");
            for (v.first(); !v.eof(); v.next())
                v.asString("ANG");
        } catch (const TableError& e) {
            EXPECT_TRUE(e.message().contains("bad.cds")) << e.message().toStdString();
        }
    }
}

TEST_F(TableFile, WorkbenchTablesWriteEveryPostThrough)
{
    const TableSchema schema = StandardSchemas::baseSet();
    ClientTable set;
    set.open(path("set.cds"), ClientTable::OpenMode::ReadWrite, &schema);
    EXPECT_FALSE(QFileInfo::exists(path("set.cds"))); // created at the first write
    TableView v(set);
    addRow(v, {"L1", "L2", "Type", "Name"}, {1, 2, "P", "New project1"});
    ASSERT_TRUE(QFileInfo::exists(path("set.cds")));
    addRow(v, {"L1", "L2", "Type", "Name"}, {2, 3, "N", "List"});
    v.first();
    v.edit();
    v.setValue("Name", "Renamed");
    v.post();
    v.last();
    v.remove();
    {
        // A second reader sees what is in the file now, without a save.
        ClientTable copy;
        copy.open(path("set.cds"), ClientTable::OpenMode::ReadOnly);
        ASSERT_EQ(copy.rowCount(), 1);
        TableView c(copy);
        EXPECT_EQ(c.asString("Name"), "Renamed");
        EXPECT_EQ(c.asInt("L2"), 2);
    }
    EXPECT_FALSE(set.isModified());
    set.close();
    ClientTable again;
    again.open(path("set.cds"), ClientTable::OpenMode::ReadWrite, &schema);
    EXPECT_EQ(again.rowCount(), 1);
    again.close();
    EXPECT_FALSE(QFileInfo::exists(path("set.cds-wal")));
}

TEST_F(TableFile, ANewTableIsWrittenWhenClosedEvenIfEmpty)
{
    const TableSchema schema = StandardSchemas::tNar();
    ClientTable items;
    items.open(path("2.cds"), ClientTable::OpenMode::ReadWrite, &schema);
    EXPECT_TRUE(items.isOpen());
    items.close();
    ASSERT_TRUE(QFileInfo::exists(path("2.cds")));
    ClientTable again;
    again.open(path("2.cds"), ClientTable::OpenMode::ReadOnly, &schema);
    EXPECT_EQ(again.rowCount(), 0);
    EXPECT_EQ(again.schema().indexes.size(), 4u);
}

TEST_F(TableFile, MissingFileWithoutSchemaIsAnErrorEvenForWriting)
{
    EXPECT_TRUE(
        openError(path("x.cds"), ClientTable::OpenMode::ReadWrite).contains("does not exist"));
}

TEST_F(TableFile, ClosingPostsAnOpenEditAndAppliesTheChangeBuffer)
{
    const TableSchema schema = StandardSchemas::baseSet();
    {
        ClientTable set;
        set.open(path("set.cds"), ClientTable::OpenMode::ReadWrite, &schema);
        TableView buffered(set), editing(set);
        buffered.setCachedUpdates(true);
        addRow(buffered, {"L2", "Type", "Name"}, {2, "P", "buffered"});
        addRow(editing, {"L2", "Type", "Name"}, {3, "P", "typed"});
        editing.edit();
        editing.setValue("Name", "typed more");
        set.close();
    }
    ClientTable again;
    again.open(path("set.cds"), ClientTable::OpenMode::ReadOnly);
    TableView v(again);
    v.setIndexName("BaseSetL2");
    ASSERT_EQ(v.recordCount(), 2);
    EXPECT_EQ(v.asString("Name"), "buffered");
    v.next();
    EXPECT_EQ(v.asString("Name"), "typed more");
}

TEST_F(TableFile, FailingSaveKeepsTheDataAndSaysWhy)
{
    ClientTable tree;
    fillTree(tree);
    try {
        tree.saveAs(path("no/such/dir/T1.CDS"));
        FAIL() << "saving into a missing folder succeeded";
    } catch (const TableError& e) {
        EXPECT_TRUE(e.message().contains("T1.CDS")) << e.message().toStdString();
    }
    EXPECT_EQ(tree.rowCount(), 10);
    tree.saveAs(path("T1.CDS"));
    ClientTable again;
    again.open(path("T1.CDS"), ClientTable::OpenMode::ReadOnly);
    EXPECT_EQ(again.rowCount(), 10);
}

TEST_F(TableFile, ExplicitSaveReplacesTheWholeFile)
{
    const QString file = writeTree("T1.CDS");
    ClientTable tree;
    tree.open(file, ClientTable::OpenMode::ReadWrite);
    TableView v(tree);
    for (v.first(); !v.isEmpty();)
        v.remove();
    tree.save();
    tree.close();
    ClientTable again;
    again.open(file, ClientTable::OpenMode::ReadOnly);
    EXPECT_EQ(again.rowCount(), 0);
}

TEST_F(TableFile, DatesAndFloatsKeepTheirValues)
{
    const TableSchema schema = StandardSchemas::baseSet();
    const QDateTime when(QDate(2024, 2, 29), QTime(13, 45, 7));
    {
        ClientTable set;
        set.open(path("set.cds"), ClientTable::OpenMode::ReadWrite, &schema);
        TableView v(set);
        addRow(v, {"L2", "DATUM", "Name"}, {2, when, QString::fromUtf8("Čšž projekt")});
    }
    ClientTable tree;
    fillTree(tree);
    TableView t(tree);
    t.first();
    t.edit();
    t.setValue("DATUM", "2001-12-31");
    t.post();
    tree.saveAs(path("T1.CDS"));

    ClientTable set;
    set.open(path("set.cds"), ClientTable::OpenMode::ReadOnly);
    TableView v(set);
    EXPECT_EQ(v.asDateTime("DATUM"), when);
    EXPECT_EQ(v.asString("Name"), QString::fromUtf8("Čšž projekt"));
    ClientTable t1;
    t1.open(path("T1.CDS"), ClientTable::OpenMode::ReadOnly);
    TableView r(t1);
    EXPECT_EQ(r.asDate("DATUM"), QDate(2001, 12, 31));
}

TEST_F(TableFile, KilledWriterLosesNoPostedRow)
{
    QProcess writer;
    writer.start(QStringLiteral(CRASH_WRITER), {path("7.cds")});
    ASSERT_TRUE(writer.waitForStarted(10000));
    int posted = 0;
    QByteArray pending;
    while (posted < 300 && writer.state() == QProcess::Running) {
        writer.waitForReadyRead(10000);
        pending += writer.readAllStandardOutput();
        while (pending.contains('\n')) {
            const qsizetype nl = pending.indexOf('\n');
            const QByteArray line = pending.left(nl);
            pending.remove(0, nl + 1);
            if (line.startsWith("posted "))
                posted = line.mid(7).toInt();
        }
    }
    ASSERT_GE(posted, 300) << writer.readAllStandardError().toStdString();
    ::kill(pid_t(writer.processId()), SIGKILL);
    writer.waitForFinished(10000);

    const TableSchema schema = StandardSchemas::tNar();
    ClientTable items;
    items.open(path("7.cds"), ClientTable::OpenMode::ReadWrite, &schema);
    EXPECT_GE(items.rowCount(), posted);
    TableView v(items);
    v.setIndexFields({"Srt"});
    for (int i = 1; i <= posted; ++i) {
        ASSERT_TRUE(v.findKey({i})) << "row " << i << " of " << posted << " lost";
        EXPECT_EQ(v.asString("Ident"), QStringLiteral("P%1").arg(i));
    }
}
