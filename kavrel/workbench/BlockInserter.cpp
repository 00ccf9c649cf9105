#include "BlockInserter.h"

#include "AcadError.h"
#include "BomRows.h"
#include "CadTexts.h"
#include "WinPath.h"

namespace {

const QStringList kTags{QStringLiteral("Block"), QStringLiteral("Manufacturer"),
                        QStringLiteral("ItemNo"), QStringLiteral("Item")};

bool isDimension(BlockKind kind)
{
    return kind == BlockKind::Dimension;
}

} // namespace

QString BlockInserter::folder(BlockKind kind)
{
    switch (kind) {
    case BlockKind::Symbol3: return QStringLiteral("\\SYM3\\");
    case BlockKind::Dimension: return QStringLiteral("\\DIM\\");
    case BlockKind::Symbol: break;
    }
    return QStringLiteral("\\SYM\\");
}

AcadPoint BlockInserter::firstAttributePoint(BlockKind kind)
{
    return isDimension(kind) ? AcadPoint{0, 5000, 0} : AcadPoint{1, -1, 0};
}

double BlockInserter::attributeHeight(BlockKind kind)
{
    return isDimension(kind) ? 0.02 : 0.2;
}

double BlockInserter::attributeSpacing(BlockKind kind)
{
    return isDimension(kind) ? 0.03 : 0.3;
}

// The catalogue names blocks without the extension of the drawing files.
QString BlockInserter::drawingFile(const QString& databaseDir, BlockKind kind,
                                   const QString& blockName)
{
    QString file = blockName;
    if (!file.endsWith(QLatin1String(".dxf"), Qt::CaseInsensitive))
        file += QStringLiteral(".dxf");
    return WinPath::toNative(databaseDir + folder(kind) + file);
}

BlockInserter::BlockInserter(WorkbenchModel& model, DebugLog& log, QString databaseDir,
                             QString programDir)
    : m_model(model), m_log(log), m_databaseDir(std::move(databaseDir)),
      m_programDir(std::move(programDir))
{
}

BlockInserter::Values BlockInserter::referenceValues(const Request& r) const
{
    if (!r.bomItem)
        return {r.blockLabel + r.blockNumber, r.product.code, r.product.name};
    const TableView& v = m_model.tables().TNar;
    return {v.asString(QStringLiteral("Blok")) + v.asString(QStringLiteral("BlockNo")),
            v.asString(QStringLiteral("Ident")), v.asString(QStringLiteral("NAZIV"))};
}

BlockInserter::Result BlockInserter::insert(const AcadApplication& app, const AcadDocument& doc,
                                            const Request& r)
{
    Result result;
    result.nextBlockNumber = r.blockNumber;
    // A block number that cannot be counted on fails before anything is
    // placed, so that the drawing never holds a block the BOM lacks.
    bool numeric = true;
    const int number = r.blockNumber.trimmed().toInt(&numeric);
    if (r.createBom && !r.bomItem && r.autoNumber && !numeric)
        return result;
    if (r.bomItem && m_model.tables().TNar.isEmpty())
        return result;

    AcadEntity ref;
    bool emptyBefore = false;
    try {
        emptyBefore = doc.modelSpaceCount() == 0;
        ref = placeBlock(doc, r, referenceValues(r));
    } catch (const std::exception& e) {
        m_log.append(CadTexts::blockExcept());
        result.logFile = m_log.write(m_programDir);
        return result;
    }
    result.reference = ref;
    if (r.createBom) {
        record(r, ref);
        if (!r.bomItem && r.autoNumber)
            result.nextBlockNumber = QString::number(number + 1);
        retypeBom(r, doc);
    }
    BomRows(m_model.tables()).update(m_model.currentBom(), {{QStringLiteral("Status"), QStringLiteral("T")}});
    try {
        doc.regen(0);
        if (emptyBefore)
            app.zoomExtents();
    } catch (const AcadError&) {
        // The block is placed and recorded; a view that is not refreshed
        // loses nothing.
    }
    result.ok = true;
    return result;
}

AcadEntity BlockInserter::placeBlock(const AcadDocument& doc, const Request& r,
                                     const Values& values)
{
    doc.bringToFront();
    const AcadPoint picked = doc.getPoint(AcadPoint{}, CadTexts::insertionPrompt());
    if (doc.findBlock(r.blockName).isNull())
        defineBlock(doc, r);
    const double scale =
        isDimension(r.kind) ? m_model.dimensionScale() : m_model.symbolScale();
    const AcadEntity ref = doc.insertBlock(picked, r.blockName, scale, scale, scale, 0);
    const std::array<QString, 4> texts{values.block, QString(), values.itemNo, values.item};
    for (const AcadAttribute& a : ref.attributes()) {
        const qsizetype i = kTags.indexOf(a.tagString());
        if (i < 0)
            continue;
        a.setVisible(r.visible[size_t(i)]);
        if (i != 1)
            a.setTextString(texts[size_t(i)]);
    }
    return ref;
}

// The definition takes the product's drawing and the four attribute
// definitions below each other.
void BlockInserter::defineBlock(const AcadDocument& doc, const Request& r)
{
    AcadPoint point = firstAttributePoint(r.kind);
    const AcadBlock def = doc.addBlock(point, r.blockName);
    def.insertFile(point, drawingFile(m_databaseDir, r.kind, r.blockName), 1, 1, 1, 0);
    const QStringList defaults{r.blockLabel + r.blockNumber, QStringLiteral("KAVREL"),
                               r.product.code, r.product.name};
    for (int i = 0; i < kTags.size(); ++i) {
        const AcadAttribute a = def.addAttribute(attributeHeight(r.kind), 0, kTags[i], point,
                                                 kTags[i], defaults[i]);
        a.setInsertionPoint(point);
        point.y -= attributeSpacing(r.kind);
    }
}

void BlockInserter::record(const Request& r, const AcadEntity& ref)
{
    WorkbenchTables& t = m_model.tables();
    const bool dim = isDimension(r.kind);
    const int bom = m_model.currentBom();
    const double id = double(ref.objectId());
    const QString handle = ref.handle();
    const QString link = dim ? QStringLiteral("L1DIM") : QStringLiteral("L1SYM");
    const QString idField = dim ? QStringLiteral("DimID") : QStringLiteral("SymID");
    const QString handleField = dim ? QStringLiteral("DimHID") : QStringLiteral("SymHID");
    const QString state = dim ? QStringLiteral("STATUSD") : QStringLiteral("STATUSS");
    if (r.bomItem) {
        TableView& v = t.TNar;
        v.edit();
        try {
            v.setValue(link, bom);
            v.setValue(idField, id);
            v.setValue(handleField, handle);
            v.setValue(state, QStringLiteral("T"));
            if (v.asString(QStringLiteral("Status")) == u"N")
                v.setValue(QStringLiteral("Status"), QString());
            v.post();
        } catch (...) {
            v.cancel();
            throw;
        }
        return;
    }
    const QString code = r.product.code.left(9);
    t.addProductCode(code, r.product.name);
    TableView v(t.itemTable());
    t.prepareItemView(v);
    v.append();
    v.setValue(QStringLiteral("Ident"), code);
    v.setValue(QStringLiteral("NAZIV"), r.product.name.left(50));
    v.setValue(QStringLiteral("Cena"), r.product.price);
    v.setValue(QStringLiteral("L1NAR"), 0);
    v.setValue(QStringLiteral("Blok"), r.blockLabel.left(20));
    v.setValue(QStringLiteral("BlockNo"), r.blockNumber.left(20));
    v.setValue(QStringLiteral("Kol"), double(r.quantity));
    v.setValue(dim ? QStringLiteral("L1SYM") : QStringLiteral("L1DIM"), 0);
    v.setValue(dim ? QStringLiteral("SymID") : QStringLiteral("DimID"), 0.0);
    v.setValue(link, bom);
    v.setValue(idField, id);
    v.setValue(handleField, handle);
    v.setValue(state, QStringLiteral("T"));
    v.post();
}

// A BOM that had received nothing, or a list, becomes the BOM of this
// drawing and of this kind.
void BlockInserter::retypeBom(const Request& r, const AcadDocument& doc)
{
    const QString type = m_model.currentBomType();
    if (type != u"T" && type != u"N")
        return;
    BomRows(m_model.tables())
        .update(m_model.currentBom(),
                {{QStringLiteral("Type"), isDimension(r.kind) ? QStringLiteral("D") : QStringLiteral("S")},
                 {QStringLiteral("Name"), doc.name()},
                 {QStringLiteral("File"), doc.fullName()}});
    m_model.rebuildItemView();
}
