// Every call the workbench makes, through the client to a host and back,
// with the host's refusals arriving as errors of the right kind.
#include "AcadAttribute.h"
#include "AcadBlock.h"
#include "HostFixture.h"

#include <QFile>
#include <QTimer>
#include <cmath>
#include <limits>

using Kind = AcadError::Kind;

namespace {
class RoundTripTest : public HostFixture
{
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        startHost(QStringLiteral("17"));
        app = bind();
        ASSERT_FALSE(app.isNull());
    }

    QStringList menuBarTitles()
    {
        return control(QStringLiteral("17"), QStringLiteral("MenuBarTitles"))
            .arguments()
            .value(0)
            .toStringList();
    }

    AcadApplication app;
};

const QStringList kTags = {"Block", "Manufacturer", "ItemNo", "Item"};

// A block definition with the four attributes and a reference of it, as an
// insertion makes them.
AcadEntity insertSymbol(const AcadDocument& doc, const QString& file, const AcadPoint& pick)
{
    AcadPoint at{1, -1, 0};
    const AcadBlock definition = doc.addBlock(at, QStringLiteral("SYMBOL"));
    definition.insertFile(at, file);
    for (const QString& tag : kTags) {
        const AcadAttribute a =
            definition.addAttribute(0.2, 0, tag, at, tag, QStringLiteral("default ") + tag);
        a.setInsertionPoint(at);
        at.y -= 0.3;
    }
    return doc.insertBlock(pick, QStringLiteral("SYMBOL"), 2, 2, 2, 0);
}
} // namespace

TEST_F(RoundTripTest, DocumentsBlocksReferencesAndAttributes)
{
    app.setVisible(true);
    EXPECT_TRUE(app.isVisible());
    const int before = app.documentCount();
    const AcadDocument doc = newDocument(app);
    ASSERT_EQ(app.documentCount(), before + 1);
    const AcadDocument listed = app.document(before);
    EXPECT_EQ(listed.name(), doc.name());
    listed.activate();
    EXPECT_TRUE(app.activeDocument() == doc);
    EXPECT_NE(doc.hwnd(), 0);
    doc.bringToFront();
    EXPECT_FALSE(doc.activeLinetype().isEmpty());
    EXPECT_EQ(doc.modelSpaceCount(), 0);

    // The drawing file a definition is made from.
    const QString symbolFile = m_dir.filePath(QStringLiteral("SYMBOL.dxf"));
    const AcadDocument scratch = newDocument(app);
    scratch.object().call(QStringLiteral("SaveAs"), {symbolFile});
    scratch.object().call(QStringLiteral("Close"), {false});
    doc.activate();

    EXPECT_TRUE(doc.findBlock(QStringLiteral("SYMBOL")).isNull());
    const AcadEntity ref = insertSymbol(doc, symbolFile, {10, 20, 0});
    EXPECT_FALSE(doc.findBlock(QStringLiteral("SYMBOL")).isNull());
    EXPECT_EQ(ref.entityType(), AcadEntity::BlockReferenceType);
    EXPECT_EQ(ref.name(), QStringLiteral("SYMBOL"));
    // Attribute definitions and references share their path's shape and both
    // have an insertion point; each answers with its own.
    EXPECT_EQ(ref.object().point(QStringLiteral("InsertionPoint")), (AcadPoint{10, 20, 0}));
    EXPECT_EQ(doc.modelSpaceCount(), 1);
    EXPECT_EQ(doc.modelSpaceItem(0).objectId(), ref.objectId());

    const QList<AcadAttribute> attributes = ref.attributes();
    ASSERT_EQ(attributes.size(), kTags.size());
    for (int i = 0; i < attributes.size(); ++i) {
        EXPECT_EQ(attributes[i].tagString(), kTags[i]);
        attributes[i].setVisible(i != 1);
        if (i != 1)
            attributes[i].setTextString(QStringLiteral("value ") + kTags[i]);
    }
    // Handles are hexadecimal in any case; the object found is the one inserted.
    const AcadEntity found = doc.handleToObject(ref.handle().toLower());
    EXPECT_EQ(found.objectId(), ref.objectId());
    const QList<AcadAttribute> again = found.attributes();
    ASSERT_EQ(again.size(), kTags.size());
    EXPECT_EQ(again[0].textString(), QStringLiteral("value Block"));
    EXPECT_EQ(again[1].textString(), QStringLiteral("default Manufacturer"));
    EXPECT_FALSE(again[1].isVisible());
    EXPECT_TRUE(again[3].isVisible());
    // Late-bound members in the spellings the callers use.
    EXPECT_EQ(again[0].object().string(QStringLiteral("Tagstring")), QStringLiteral("Block"));
    EXPECT_EQ(again[3].object().string(QStringLiteral("Textstring")), QStringLiteral("value Item"));
    doc.object().call(QStringLiteral("regen"), {0});
    doc.regen(0);
    doc.zoomExtents();
    app.zoomExtents();

    // Refused before anything is sent, and by the host.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(failure([&] { doc.insertBlock({nan, 0, 0}, QStringLiteral("SYMBOL"), 1, 1, 1, 0); }),
              Kind::InvalidArgument);
    EXPECT_EQ(failure([&] { doc.object().call(QStringLiteral("Regen"), {QStringLiteral("x")}); }),
              Kind::InvalidArgument);
    EXPECT_EQ(failure([&] { doc.addBlock({0, 0, 0}, QStringLiteral("symbol")); }),
              Kind::InvalidArgument);
    EXPECT_EQ(failure([&] { doc.handleToObject(QStringLiteral("FFFFFF")); }), Kind::NotFound);
    EXPECT_EQ(failure([&] { doc.object().call(QStringLiteral("NoSuchMember")); }),
              Kind::UnknownMember);
    EXPECT_EQ(doc.modelSpaceCount(), 1);

    // Saved, closed and opened again: the handle leads to the same block.
    const QString handle = ref.handle();
    const QString plan = m_dir.filePath(QStringLiteral("PLAN.dxf"));
    doc.object().call(QStringLiteral("SaveAs"), {plan});
    doc.object().call(QStringLiteral("Close"), {false});
    const AcadDocument reopened = app.openDocument(plan);
    EXPECT_EQ(reopened.name(), QStringLiteral("PLAN.dxf"));
    EXPECT_EQ(reopened.fullName(), plan);
    const AcadEntity kept = reopened.handleToObject(handle);
    EXPECT_EQ(kept.attributes().value(2).textString(), QStringLiteral("value ItemNo"));
    kept.erase();
    EXPECT_EQ(failure([&] { reopened.handleToObject(handle); }), Kind::Erased);
}

TEST_F(RoundTripTest, DistancePickAndMenuInstallation)
{
    const AcadDocument doc = newDocument(app);
    QTimer::singleShot(0, [&] {
        control(QStringLiteral("17"), QStringLiteral("PickPoint"), {3.0, 4.0});
    });
    EXPECT_DOUBLE_EQ(doc.getDistance({0, 0, 0}, QStringLiteral("Pick second symbol contact point !")),
                     5.0);

    const QString menuFile = m_dir.filePath(QStringLiteral("kavrel.mnu"));
    QFile f(menuFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("***MENUGROUP=KAVREL\r\n\r\n***POP1\r\n\r\nM_KAVREL     [KAVREL]\r\n"
            "M_KATALOG      [Katalog]^C^C(startapp \"/opt/kavrel/kavrel\" \"acad\") \r\n");
    f.close();
    const QString group = app.loadMenuGroup(menuFile);
    EXPECT_EQ(group, QStringLiteral("KAVREL"));
    const int count = app.menubarCount();
    app.insertMenuInMenuBar(group, count);
    EXPECT_EQ(menuBarTitles().size(), count + 1);
    EXPECT_EQ(menuBarTitles().value(count), QStringLiteral("KAVREL"));
    EXPECT_EQ(failure([&] { app.loadMenuGroup(menuFile); }), Kind::AlreadyLoaded);

    app.object()
        .object(QStringLiteral("Menugroups"))
        .object(QStringLiteral("Item"), {0})
        .object(QStringLiteral("Menus"))
        .call(QStringLiteral("InsertMenuinMenuBar"), {group, 0});
    EXPECT_EQ(menuBarTitles().value(0), QStringLiteral("KAVREL"));
}
