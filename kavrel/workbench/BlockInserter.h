#pragma once

// Puts a product into the drawing as a block with its four attributes and
// records it in the BOM: the CAD part (pick, block definition from the
// product's drawing file when the drawing lacks it, reference, attributes),
// then the BOM item, the BOM's type and the regen. The window hides itself,
// stops the polling and shows the outcome; this class does the work between.

#include "AcadApplication.h"
#include "AcadDocument.h"
#include "DebugLog.h"
#include "ProductDrawings.h"
#include "WorkbenchModel.h"

#include <QString>
#include <array>

class BlockInserter
{
public:
    struct Request
    {
        BlockKind kind = BlockKind::Symbol;
        QString blockName;          // bare, as the catalogue names it ("KS_FUSE")
        bool bomItem = false;       // the item selected in the item view, not the catalogue
        CatalogueProduct product;   // the catalogue's product under focus
        QString blockLabel = QStringLiteral("F"); // CBBlock
        QString blockNumber = QStringLiteral("1"); // Block1
        int quantity = 1;
        bool createBom = true;      // "Create Bill of Material (BOM)"
        bool autoNumber = false;    // "Automatic" block numbering
        // Visible attributes: Block, Manufacturer, ItemNo, Item.
        std::array<bool, 4> visible{true, true, true, true};
    };
    struct Result
    {
        bool ok = false;
        QString nextBlockNumber; // what Block1 shows afterwards
        QString logFile;         // the debug log written after a failure
        AcadEntity reference;
    };

    // Kind parameters.
    static QString folder(BlockKind kind);
    static AcadPoint firstAttributePoint(BlockKind kind);
    static double attributeHeight(BlockKind kind);
    static double attributeSpacing(BlockKind kind);
    static QString drawingFile(const QString& databaseDir, BlockKind kind, const QString& blockName);

    BlockInserter(WorkbenchModel& model, DebugLog& log, QString databaseDir, QString programDir);

    // Waits for the person's pick. A failure of the CAD part leaves the BOM
    // as it was; a failure of the tables after the block is placed throws.
    Result insert(const AcadApplication& app, const AcadDocument& doc, const Request& request);

private:
    struct Values
    {
        QString block, itemNo, item;
    };
    Values referenceValues(const Request& r) const;
    AcadEntity placeBlock(const AcadDocument& doc, const Request& r, const Values& values);
    void defineBlock(const AcadDocument& doc, const Request& r);
    void record(const Request& r, const AcadEntity& ref);
    void retypeBom(const Request& r, const AcadDocument& doc);

    WorkbenchModel& m_model;
    DebugLog& m_log;
    QString m_databaseDir;
    QString m_programDir;
};
