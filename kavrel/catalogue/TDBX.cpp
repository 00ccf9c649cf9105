#include "TDBX.h"

#include "StandardSchemas.h"

#include <QCoreApplication>

namespace {

const QStringList treeOrder = {QStringLiteral("LINK1"), QStringLiteral("LOOK"),
                               QStringLiteral("SORT"), QStringLiteral("LINK2")};
const QStringList attributeOrder = {QStringLiteral("LINK2"), QStringLiteral("LOOK"),
                                    QStringLiteral("SORT"), QStringLiteral("LINK3")};
const QStringList textOrder = {QStringLiteral("LINK3"), QStringLiteral("SORT")};
const QStringList treeLink = {QStringLiteral("LINK2"), QStringLiteral("LOOK")};

} // namespace

TDBX::TDBX()
    : K1T0(m_tree, QStringLiteral("K1T0")), K1T1(m_tree, QStringLiteral("K1T1")),
      K1T2(m_tree, QStringLiteral("K1T2")), K1T3(m_tree, QStringLiteral("K1T3")),
      K1T4(m_tree, QStringLiteral("K1T4")), K2T1(m_attributes, QStringLiteral("K2T1")),
      K2T3(m_attributes, QStringLiteral("K2T3")), K3T1(m_texts, QStringLiteral("K3T1")),
      K3T2(m_texts, QStringLiteral("K3T2")), K4T1(m_pictures, QStringLiteral("K4T1")),
      Cert(m_certs, QStringLiteral("Cert")), IsciCDS1(m_tree, QStringLiteral("IsciCDS1")),
      IsciCDS2(m_attributes, QStringLiteral("IsciCDS2")),
      IsciCDS3(m_texts, QStringLiteral("IsciCDS3")), m_lookAttr(m_attributes), m_lookText(m_texts)
{
    m_loader.setSingleShot(true);
    m_loader.callOnTimeout([this] { loadSlice(); });
    for (ClientTable* table : {&m_texts, &m_attributes}) {
        table->setLoadErrorHandler([this](const QString& message) {
            if (m_onLoadError)
                m_onLoadError(message);
        });
    }
}

// The views go before the tables they are built on (declaration order).
TDBX::~TDBX() = default;

QString TDBX::segmentFilter(int segment)
{
    return QStringLiteral("(LINK1=0) AND (LINK2=%1)").arg(segment + 2);
}

TableView* TDBX::levelView(int level)
{
    switch (level) {
    case 0:
        return &K1T1;
    case 1:
        return &K1T2;
    case 2:
        return &K1T3;
    case 3:
        return &K1T4;
    default:
        return nullptr;
    }
}

void TDBX::setLanguage(const QString& code)
{
    m_language = code;
}

QString TDBX::textColumn() const
{
    // The text table has columns for four of the five codes; Polish users
    // read the English names rather than a failed lookup on every row.
    static const QStringList columns = {QStringLiteral("SLO"), QStringLiteral("ANG"),
                                        QStringLiteral("NEM"), QStringLiteral("HRV")};
    return columns.contains(m_language) ? m_language : QStringLiteral("ANG");
}

bool TDBX::openTable(ClientTable& table, const QString& file, const TableSchema& schema,
                     QString* error, bool staged)
{
    if (table.isOpen())
        return true;
    try {
        const QString path = m_databaseDir + QLatin1Char('\\') + file;
        if (staged)
            table.openStaged(path, &schema);
        else
            table.open(path, ClientTable::OpenMode::ReadOnly, &schema);
        return true;
    } catch (const TableError& e) {
        if (error)
            *error = e.message();
        return false;
    }
}

void TDBX::setUpTextViews()
{
    for (TableView* v : {&K3T1, &K3T2, &m_lookText})
        v->setIndexFields(textOrder);
}

void TDBX::setUpAttributeViews()
{
    for (TableView* v : {&K2T1, &K2T3, &m_lookAttr})
        v->setIndexFields(attributeOrder);
}

// Linked once both tables hold rows, so that the texts the link asks for
// are among those loaded.
void TDBX::linkTextsToAttributes()
{
    K3T2.setMasterSource(&K2T1, {QStringLiteral("LINK3")});
}

void TDBX::setUpTreeViews()
{
    K1T0.setFilter(m_segment < 0 ? initialFilter() : segmentFilter(m_segment));
    K1T0.setFiltered(true);
    for (TableView* v : {&K1T1, &K1T2, &K1T3, &K1T4})
        v->setIndexFields(treeOrder);
    K1T1.setMasterSource(&K1T0, treeLink);
    K1T2.setMasterSource(&K1T1, treeLink);
    K1T3.setMasterSource(&K1T2, treeLink);
    K1T4.setMasterSource(&K1T3, treeLink);

    auto name = [this](const TableRecord& row) -> QVariant {
        const auto found = lookup(int(row.asInt(QStringLiteral("LINK2"))), QStringLiteral("A"), 0);
        return found ? found->text : missingName();
    };
    auto code = [this](const TableRecord& row) -> QVariant {
        const auto found = lookup(int(row.asInt(QStringLiteral("LINK2"))), QStringLiteral("A"), 0);
        return found ? found->koda : QString();
    };
    K1T1.addCalculatedField({QStringLiteral("NAZIV"), FieldType::String, 70}, name);
    K1T2.addCalculatedField({QStringLiteral("NAZIV"), FieldType::String, 50}, name);
    K1T3.addCalculatedField({QStringLiteral("NAZIV"), FieldType::String, 50}, name);
    K1T4.addCalculatedField({QStringLiteral("KODA"), FieldType::String, 15}, code);
    K1T4.addCalculatedField({QStringLiteral("NAZIV"), FieldType::String, 50}, name);
    // Prices are not part of the catalogue: the workbench reads 0.
    K1T4.addCalculatedField({QStringLiteral("CENA"), FieldType::Float, 0},
                            [](const TableRecord&) -> QVariant { return 0.0; });
}

void TDBX::setUpPictureViews()
{
    K4T1.setIndexFields({QStringLiteral("LINK3")});
    K4T1.setMasterSource(&K2T3, {QStringLiteral("LINK3")});
}

bool TDBX::open(const QString& databaseDir, QString* error)
{
    if (m_opened)
        return true;
    m_databaseDir = databaseDir;
    // Tables open in the order their first views open: K3T1 (texts), K2T1,
    // K2T3 (attributes), K3T2, K1T0..K1T4 (tree), K4T1 (pictures). The first
    // failure stops the opening; what is open stays usable (and complete).
    auto stop = [this] {
        finishLoading();
        if (m_texts.isOpen() && m_attributes.isOpen())
            linkTextsToAttributes();
        return false;
    };
    if (!openTable(m_texts, textFile(), StandardSchemas::texts(), error, true))
        return stop();
    setUpTextViews();
    if (!openTable(m_attributes, attributeFile(), StandardSchemas::attributes(), error, true))
        return stop();
    setUpAttributeViews();
    if (!openTable(m_tree, treeFile(), StandardSchemas::tree(), error))
        return stop();
    setUpTreeViews();
    try {
        loadFirstRows();
    } catch (const TableError& e) {
        if (error)
            *error = e.message();
        m_texts.close();
        m_attributes.close();
        return false;
    }
    linkTextsToAttributes();
    if (!openTable(m_pictures, pictureFile(), StandardSchemas::pictures(), error))
        return stop();
    setUpPictureViews();
    m_opened = true;
    // The rest once the window has had the chance to paint.
    if (QCoreApplication::instance() && !isFullyLoaded())
        m_loader.start(50);
    return true;
}

// The attribute rows of the segments and their top-level groups, and the
// texts those rows link to.
void TDBX::loadFirstRows()
{
    const TableSchema& s = m_tree.schema();
    const int link1 = s.fieldIndex(QStringLiteral("LINK1"));
    const int link2 = s.fieldIndex(QStringLiteral("LINK2"));
    const int look = s.fieldIndex(QStringLiteral("LOOK"));
    const ColumnStore& tree = m_tree.columns();
    std::vector<std::pair<int, QString>> segments;
    std::vector<int> nodes;
    for (int row = 0; row < m_tree.rowSlots(); ++row) {
        if (m_tree.isLive(row) && tree.intValue(row, link1) == 0) {
            segments.emplace_back(tree.intValue(row, link2), m_tree.cell(row, look).toString());
            nodes.push_back(tree.intValue(row, link2));
        }
    }
    for (int row = 0; row < m_tree.rowSlots(); ++row) {
        if (!m_tree.isLive(row))
            continue;
        const std::pair<int, QString> parent(tree.intValue(row, link1),
                                             m_tree.cell(row, look).toString());
        if (std::find(segments.begin(), segments.end(), parent) != segments.end())
            nodes.push_back(tree.intValue(row, link2));
    }
    m_attributes.loadSubset(QStringLiteral("LINK2"), nodes);
    const int link3 = m_attributes.schema().fieldIndex(QStringLiteral("LINK3"));
    std::vector<int> texts;
    for (int row = 0; row < m_attributes.loadedSlots(); ++row) {
        if (m_attributes.isLive(row))
            texts.push_back(m_attributes.columns().intValue(row, link3));
    }
    m_texts.loadSubset(QStringLiteral("LINK3"), texts);
}

void TDBX::loadSlice()
{
    // About a frame's worth of reading, then the window's events again.
    if (!m_attributes.isComplete())
        m_attributes.loadMore(10);
    else if (!m_texts.isComplete())
        m_texts.loadMore(10);
    if (!isFullyLoaded())
        m_loader.start(0);
}

void TDBX::finishLoading()
{
    m_loader.stop();
    m_attributes.finishLoading();
    m_texts.finishLoading();
}

void TDBX::setSegment(int segment)
{
    if (segment < 0 || segment > 2)
        return;
    m_segment = segment;
    if (!m_tree.isOpen())
        return;
    K1T0.setFilter(segmentFilter(segment));
    K1T0.setFiltered(true);
}

std::optional<int> TDBX::attributeLink(int node, const QString& look, int sort) const
{
    if (!m_attributes.isOpen())
        return std::nullopt;
    auto& attr = m_lookAttr;
    if (!attr.findKey({node, look, sort}))
        return std::nullopt;
    return int(attr.asInt(QStringLiteral("LINK3")));
}

std::optional<TDBX::Text> TDBX::lookup(int node, const QString& look, int sort) const
{
    if (!m_attributes.isOpen() || !m_texts.isOpen())
        return std::nullopt;
    // Lookups never move the views the windows show; these two are private.
    auto& attr = m_lookAttr;
    auto& texts = m_lookText;
    if (!attr.findKey({node, look, sort}))
        return std::nullopt;
    Text result;
    result.link3 = int(attr.asInt(QStringLiteral("LINK3")));
    result.tiptx = attr.asString(QStringLiteral("TIPTX"));
    if (!texts.findKey({result.link3}))
        return std::nullopt;
    result.text = texts.asString(textColumn());
    result.koda = texts.asString(QStringLiteral("KODA"));
    return result;
}

std::optional<QString> TDBX::text(int node, const QString& look, int sort) const
{
    const auto found = lookup(node, look, sort);
    if (!found)
        return std::nullopt;
    return found->text;
}

void TDBX::applyCertFilter()
{
    QString code = m_certCode;
    code.replace(QLatin1Char('\''), QStringLiteral("''"));
    try {
        Cert.setFilter(QStringLiteral("SIFRA='") + code + QLatin1Char('\''));
        Cert.setFiltered(true);
    } catch (const TableError&) {
        // A code the filter cannot express matches no certificate.
        Cert.setFilter(QStringLiteral("SIFRA='' AND SIFRA<>''"));
        Cert.setFiltered(true);
    }
}

bool TDBX::openCert(QString* error)
{
    if (!openTable(m_certs, certFile(), StandardSchemas::certificates(), error))
        return false;
    if (Cert.orderFields() != QStringList{QStringLiteral("SIFRA")})
        Cert.setIndexFields({QStringLiteral("SIFRA")});
    applyCertFilter();
    m_certOpen = true;
    return true;
}

void TDBX::closeCert()
{
    if (!m_certOpen)
        return;
    m_certOpen = false;
    try {
        m_certs.close();
    } catch (const TableError&) {
        // Read-only: nothing is ever written back.
    }
}

void TDBX::setCertCode(const QString& code)
{
    m_certCode = code;
    if (m_certOpen)
        applyCertFilter();
}

bool TDBX::openSearch(QString* error)
{
    finishLoading(); // the search reads every row
    if (m_searchOpen)
        return true;
    if (!openTable(m_texts, textFile(), StandardSchemas::texts(), error) ||
        !openTable(m_attributes, attributeFile(), StandardSchemas::attributes(), error) ||
        !openTable(m_tree, treeFile(), StandardSchemas::tree(), error))
        return false;
    m_searchOpen = true;
    return true;
}
