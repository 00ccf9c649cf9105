#include "FuseDatabaseDump.h"

#include "FuseDatabaseLoader.h"
#include "FuseDatabaseLocation.h"
#include "TableListFile.h"

#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

QString q(const QString& text)
{
    return FuseDatabaseLoadReport::quoted(text);
}

QString axis(const AxisDefinition& a)
{
    return QStringLiteral("%1 %2 %3 .. %4")
        .arg(q(a.unit), a.logarithmic ? QStringLiteral("log") : QStringLiteral("linear"))
        .arg(a.start, 0, 'g', 10)
        .arg(a.end, 0, 'g', 10);
}

void writeFiles(const FuseDatabaseLoadReport& report, QTextStream& out)
{
    out << "Record files:\n";
    for (const auto& file : report.files) {
        const auto& s = file.statistics;
        out << "  " << file.table << ": ";
        if (!s.opened) {
            out << "missing (" << file.path << "), read as an empty table\n";
            continue;
        }
        out << s.records << " records, " << s.fields << " fields, " << s.bytes << " bytes ("
            << file.path << ")\n";
        if (s.ignoredFields > 0)
            out << "    the last " << s.ignoredFields
                << " field(s) make no whole record and are ignored\n";
        if (s.ignoredTail)
            out << "    text after the last '@' is ignored\n";
        if (s.encoding == TextEncoding::Windows1250)
            out << "    not UTF-8 throughout: read as Windows-1250\n";
        if (s.longestField > 259)
            out << "    longest field: " << s.longestField
                << " characters (more than 259; kept whole)\n";
    }
}

void writeTypes(const CharacteristicTypeTable& types, QTextStream& out)
{
    out << "Characteristic types (" << types.count() << "):\n";
    for (int i = 0; i < types.count(); ++i) {
        const CharacteristicType* t = types.type(i);
        out << "  " << q(t->name()) << ": x " << axis(t->xAxis()) << "; y " << axis(t->yAxis())
            << "\n";
    }
}

// Deeper groups are indented no further: every line carries its level, and
// a database may nest groups thousands of levels deep.
constexpr int kDeepestIndent = 20;

void writeGroupLine(const FuseGroup* group, int depth, QTextStream& out)
{
    const QString indent(2 * std::min(depth, kDeepestIndent) + 2, QLatin1Char(' '));
    out << indent << "[" << group->level() << "] " << q(group->name()) << " (" << group->fuseCount()
        << " fuses)\n";
    for (const Fuse* fuse : group->fuses())
        out << indent << "    fuse " << q(fuse->name()) << " " << q(fuse->catalogueNumber())
            << "\n";
}

// Depth first, children in order, with a stack of its own rather than the
// call stack, so that the depth of the tree cannot exhaust it.
void writeTree(const FuseDatabase& db, QTextStream& out)
{
    struct Pending
    {
        const FuseGroup* group;
        int depth;
    };
    std::vector<Pending> stack;
    for (auto top = db.topLevelGroups().rbegin(); top != db.topLevelGroups().rend(); ++top)
        stack.push_back({*top, 0});
    while (!stack.empty()) {
        const Pending next = stack.back();
        stack.pop_back();
        writeGroupLine(next.group, next.depth, out);
        const auto& children = next.group->children();
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            stack.push_back({*child, next.depth + 1});
    }
}

void writeFuses(const FuseDatabase& db, QTextStream& out)
{
    out << "Fuses (" << db.fuseCount() << "):\n";
    for (const Fuse* fuse : db.fuses()) {
        out << "  " << q(fuse->name()) << " catalogue number " << q(fuse->catalogueNumber());
        if (fuse->group())
            out << ", group " << q(fuse->group()->name()) << " level " << fuse->group()->level();
        else
            out << ", no group (reachable by name only)";
        out << "\n";
        for (int i = 0; i < fuse->characteristicCount(); ++i) {
            const Characteristic* c = fuse->characteristic(i);
            out << "    characteristic " << c->id() << " " << q(c->type()->name()) << ": "
                << c->pointCount() << (c->pointCount() == 1 ? " point\n" : " points\n");
        }
    }
}

} // namespace

int FuseDatabaseDump::run(const QString& directory, QTextStream& out)
{
    const QString dir = FuseDatabaseLocation::resolve(directory);
    out << "Fuse database in " << dir << "\n";
    QString problem;
    if (!TableListFile::check(dir, &problem)) {
        out << "Not valid: " << problem << "\n"
            << "curvata says \"Please open valid database.\" and ends.\n";
        return 1;
    }
    out << "Table list \"fuse\": names all five tables\n";

    FuseDatabaseLoadReport report;
    FuseDatabaseLoader loader(FuseDatabaseLoader::directorySource(dir));
    loader.setReport(&report);
    const std::unique_ptr<FuseDatabase> db = loader.load();
    // curvata reads the types at the latest when a characteristic is chosen.
    std::unique_ptr<CharacteristicTypeTable> ownTypes;
    const CharacteristicTypeTable* types = loader.ownTypeTable();
    if (!types) {
        ownTypes = FuseDatabaseLoader::loadTypes(FuseDatabaseLoader::directorySource(dir), &report);
        types = ownTypes.get();
    }

    writeFiles(report, out);
    writeTypes(*types, out);
    out << "Groups (" << db->groupCount() << ", " << db->topLevelGroupCount() << " top level):\n";
    writeTree(*db, out);
    for (const FuseGroup* group : db->groups()) {
        if (group->level() != 1 && !group->parent())
            out << "  unlinked: [" << group->level() << "] " << q(group->name()) << " (parent "
                << q(group->parentName()) << " not found one level up)\n";
    }
    writeFuses(*db, out);
    out << "Skipped and unlinked (" << report.issues.size() << "):\n";
    for (const auto& issue : report.issues) {
        out << "  " << issue.table;
        if (issue.record > 0)
            out << " record " << issue.record;
        out << ": " << issue.message << "\n";
    }
    return 0;
}
