#include "SmallCatalogue.h"

#include "TableView.h"
#include "StandardSchemas.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

SmallCatalogue::SmallCatalogue(const QString& language)
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary directory");
    QDir(m_dir.path()).mkpath(QStringLiteral("db"));
    QDir(m_dir.path()).mkpath(QStringLiteral("data/BMP"));
    m_hadWinIni = qEnvironmentVariableIsSet("KAVREL_WININI");
    m_oldWinIni = qgetenv("KAVREL_WININI");
    qputenv("KAVREL_WININI", bootstrapPath().toLocal8Bit());
    writeBootstrap("[KAVREL]\r\nINI=" + configPath().toUtf8() + "\r\n");
    writeConfig(language, dataDir(), dbDir());
    writeTables();
}

SmallCatalogue::~SmallCatalogue()
{
    if (m_hadWinIni)
        qputenv("KAVREL_WININI", m_oldWinIni);
    else
        qunsetenv("KAVREL_WININI");
}

void SmallCatalogue::writeBootstrap(const QByteArray& content)
{
    QFile f(bootstrapPath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write WIN.INI");
    f.write(content);
}

void SmallCatalogue::writeConfig(const QString& language, const QString& data, const QString& db)
{
    QByteArray text = "[KAVREL]\r\n";
    if (!language.isNull())
        text += "JEZIK=" + language.toUtf8() + "\r\n";
    if (!data.isNull())
        text += "DIR=" + data.toUtf8() + "\r\n";
    if (!db.isNull())
        text += "DIRDB=" + db.toUtf8() + "\r\n";
    text += "[WWW]\r\nDIR=www\r\n[CENIK]\r\nDIR=\r\nFILE=cenik.xls\r\n";
    QFile f(configPath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write KAVREL.INI");
    f.write(text);
}

void SmallCatalogue::writeTable(const QString& path, const QString& schemaName,
                                const QList<QVariantList>& rows)
{
    TableSchema schema;
    if (!StandardSchemas::byName(schemaName, &schema))
        throw std::runtime_error("unknown schema");
    ClientTable table;
    table.create(schema);
    TableView view(table);
    for (const QVariantList& row : rows) {
        view.append();
        for (int i = 0; i < row.size(); ++i)
            if (row.at(i).isValid())
                view.setValue(schema.fields[size_t(i)].name, row.at(i));
        view.post();
    }
    QFile::remove(path);
    table.saveAs(path);
    table.close();
}

void SmallCatalogue::writeTables()
{
    const QString A = QStringLiteral("A");
    const QString B = QStringLiteral("B");
    // LINK1, LOOK, SORT, LINK2
    writeTable(dbDir() + QStringLiteral("/T1.CDS"), QStringLiteral("tree"),
               {{0, A, 1, 2},
                {0, A, 2, 3},
                {0, A, 3, 4},
                {2, A, 2, 11},
                {2, A, 1, 10},
                {10, A, 1, 100},
                {10, A, 2, 101},
                {100, A, 1, 1000},
                {100, A, 2, 1001},
                {1000, A, 1, 10000},
                {1000, A, 2, 10001},
                {1000, A, 3, 10003},
                {1000, B, 9, 10002},
                {1001, A, 1, 10010},
                {4, A, 1, 12},
                {12, A, 1, 120}});
    // LINK2, LOOK, SORT, LINK3, TIPTX; the wrong name row of 10000 comes
    // first in the file but has the higher LINK3.
    writeTable(dbDir() + QStringLiteral("/T2.CDS"), QStringLiteral("attributes"),
               {{10, A, 0, 500},
                {100, A, 0, 502},
                {1000, A, 0, 503},
                {1001, A, 0, 504},
                {10000, A, 0, 520},
                {10000, A, 0, 506},
                {10000, A, 10, 530},
                {10003, A, 0, 509},
                {10010, A, 0, 507},
                {12, A, 0, 510},
                {120, A, 0, 511},
                {10000, QStringLiteral("0"), 1, 1}});
    // LINK3, SORT, JEZIK, KODA, SLO, ANG, NEM, HRV; the old text of 506
    // (SORT 2) comes first in the file.
    auto t = [](int link3, int sort, const char* koda, const char* slo, const char* ang,
                const char* nem, const char* hrv) {
        return QVariantList{link3,
                            sort,
                            QString(),
                            QString::fromUtf8(koda),
                            QString::fromUtf8(slo),
                            QString::fromUtf8(ang),
                            QString::fromUtf8(nem),
                            QString::fromUtf8(hrv)};
    };
    writeTable(
        dbDir() + QStringLiteral("/T3.CDS"), QStringLiteral("texts"),
        {t(500, 1, "10", "NH sistem", "NH system", "NH System", "NH sustav"),
         t(502, 1, "100", "NH00 velikost", "NH00 size", "NH00 Größe", "NH00 veličina"),
         t(503, 1, "", "gG taljivi vložki", "gG fuse links", "gG Sicherungen",
           "gG rastalni ulošci"),
         t(504, 1, "", "aM taljivi vložki", "aM fuse links", "aM Sicherungen",
           "aM rastalni ulošci"),
         t(506, 2, "1110100", "(old)", "(old)", "(old)", "(old)"),
         t(506, 1, "1110100", "NH00 gG 10 A vložek", "NH00 gG 10 A", "NH00 gG 10 A Einsatz",
           "NH00 gG 10 A uložak"),
         t(507, 1, "1210200", "NH00 aM 20 A vložek", "NH00 aM 20 A", "NH00 aM 20 A",
           "NH00 aM 20 A uložak"),
         t(509, 1, "", "brez kode", "no code", "kein Code", "bez koda"),
         t(510, 1, "30", "Polprevodniške", "Semiconductor fuses", "Halbleiter", "Poluvodički"),
         t(511, 1, "300", "Velikost 1", "Size 1", "Größe 1", "Veličina 1"),
         t(520, 1, "9999999", "Wrong name", "Wrong name", "Wrong name", "Wrong name"),
         t(530, 1, "", "12", "12", "12", "12")});
    writeTable(dbDir() + QStringLiteral("/T4.CDS"), QStringLiteral("pictures"),
               {{1, 0, QStringLiteral("NH00")}});
    writeTable(dbDir() + QStringLiteral("/cert.cds"), QStringLiteral("certificates"),
               {{QStringLiteral("1110100"), QStringLiteral("VDE"), QStringLiteral("40012"),
                 QStringLiteral("R-1"), QStringLiteral("C1")}});
}
