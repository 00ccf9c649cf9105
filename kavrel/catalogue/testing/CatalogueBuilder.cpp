#include "CatalogueBuilder.h"

#include "ClientTable.h"
#include "StandardSchemas.h"
#include "TDBX.h"

#include <QDate>
#include <QDir>
#include <stdexcept>

namespace {
const QDate Day(2024, 3, 15);
}

CatalogueBuilder::CatalogueBuilder()
{
    QDir().mkpath(dataDir());
}

CatalogueBuilder::~CatalogueBuilder() = default;

void CatalogueBuilder::tree(int link1, const QString& look, int sort, int link2)
{
    m_tree.push_back({link1, look, sort, link2, Day});
}

void CatalogueBuilder::attribute(int link2, const QString& look, int sort, int link3,
                                 const QString& tiptx)
{
    m_attributes.push_back({link2, look, sort, link3, tiptx, Day});
}

void CatalogueBuilder::text(int link3, int sort, const QString& koda, const QString& ang,
                            const QString& slo, const QString& nem, const QString& hrv)
{
    m_texts.push_back({link3, sort, QString(), koda, slo, ang, nem, hrv, Day});
}

void CatalogueBuilder::picture(int link3, const QString& ime)
{
    m_pictures.push_back({link3, 1, ime});
}

void CatalogueBuilder::certificate(const QString& sifra, const QString& sifraat,
                                   const QString& atesta, const QString& poroc,
                                   const QString& files)
{
    m_certs.push_back({sifra, sifraat, atesta, poroc, files});
}

void CatalogueBuilder::node(int parent, int sort, int number, const QString& code,
                            const QString& name)
{
    tree(parent, QStringLiteral("A"), sort, number);
    const int t = m_nextText++;
    attribute(number, QStringLiteral("A"), 0, t);
    text(t, 1, code, name, name + QStringLiteral(" sl"), name + QStringLiteral(" de"),
         name + QStringLiteral(" hr"));
}

int CatalogueBuilder::nodeText(int node, int sort, const QString& value, const QString& tiptx)
{
    const int t = m_nextText++;
    attribute(node, QStringLiteral("A"), sort, t, tiptx);
    text(t, 1, QString(), value, value, value, value);
    return t;
}

void CatalogueBuilder::writeTable(const QString& file, const TableSchema& schema,
                                  const std::vector<Row>& rows)
{
    ClientTable table;
    table.create(schema);
    std::vector<ClientTable::Change> changes;
    for (const Row& row : rows) {
        ClientTable::Change change;
        change.kind = ClientTable::Change::Insert;
        change.values = row;
        changes.push_back(std::move(change));
    }
    if (!changes.empty())
        table.commit(changes);
    table.saveAs(databaseDir() + QLatin1Char('\\') + file);
    table.close();
}

QString CatalogueBuilder::write()
{
    writeTable(TDBX::treeFile(), StandardSchemas::tree(), m_tree);
    writeTable(TDBX::attributeFile(), StandardSchemas::attributes(), m_attributes);
    writeTable(TDBX::textFile(), StandardSchemas::texts(), m_texts);
    writeTable(TDBX::pictureFile(), StandardSchemas::pictures(), m_pictures);
    writeTable(TDBX::certFile(), StandardSchemas::certificates(), m_certs);
    return databaseDir();
}

std::unique_ptr<TDBX> CatalogueBuilder::open(const QString& language)
{
    write();
    auto dbx = std::make_unique<TDBX>();
    dbx->setLanguage(language);
    QString error;
    if (!dbx->open(databaseDir(), &error))
        throw std::runtime_error(error.toStdString());
    dbx->setSegment(0);
    return dbx;
}
