// Input: the table list and the five record files, separated by 0xFF bytes
// (table list, var_grup, vars, tip_kar, karakt, tocka). Checks that reading
// in pieces equals reading at once, and walks every loaded object.
#include "FieldConversion.h"
#include "FuseDatabaseLoader.h"
#include "TableListFile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

std::vector<std::string> records(std::string_view bytes, int columns, size_t pieceSize)
{
    std::vector<std::string> out;
    RecordFileReader reader(columns, [&](const std::string_view* f) {
        std::string joined;
        for (int i = 0; i < columns; ++i) {
            joined.append(f[i]);
            joined.push_back('\x01');
        }
        out.push_back(std::move(joined));
    });
    for (size_t i = 0; i < bytes.size(); i += pieceSize)
        reader.feed(bytes.data() + i, std::min(pieceSize, bytes.size() - i));
    reader.finish();
    return out;
}

void walk(const FuseDatabase& db)
{
    for (const FuseGroup* group : db.groups()) {
        if (group->parent() && group->parent()->level() != group->level() - 1)
            std::abort();
        if (db.findGroup(group->name()) == nullptr)
            std::abort();
        for (const Fuse* fuse : group->fuses()) {
            if (fuse->group() != group)
                std::abort();
        }
    }
    for (const Fuse* fuse : db.fuses()) {
        const Fuse* first = db.findFuse(fuse->name());
        if (!first || first->name() != fuse->name())
            std::abort();
        for (int i = 0; i < fuse->characteristicCount(); ++i) {
            const Characteristic* c = fuse->characteristic(i);
            if (!c->type() || !db.findCharacteristic(c->id()))
                std::abort();
            for (const CurvePoint& p : c->points()) {
                if (!std::isfinite(p.x) || !std::isfinite(p.y))
                    std::abort();
                (void)c->type()->xValue(p.x);
                (void)c->type()->yPosition(p.y);
            }
        }
    }
    (void)FuseDatabase::characteristicTypeNames(db.fuses());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    size_t from = 0;
    while (parts.size() < 5) {
        const size_t at = input.find('\xff', from);
        if (at == std::string_view::npos)
            break;
        parts.push_back(input.substr(from, at - from));
        from = at + 1;
    }
    parts.push_back(input.substr(from));
    parts.resize(6);

    (void)TableListFile::firstMissingTable(parts[0]);
    static const char* const tables[] = {"var_grup", "vars", "tip_kar", "karakt", "tocka"};
    std::map<QString, std::string> files;
    for (int t = 0; t < 5; ++t) {
        const std::string_view bytes = parts[size_t(t) + 1];
        const int columns = FuseDatabaseLoader::columnCount(QLatin1String(tables[t]));
        const size_t piece = 1 + (bytes.empty() ? 0 : size_t(uint8_t(bytes[0])) % 13);
        if (records(bytes, columns, bytes.size() + 1) != records(bytes, columns, piece))
            std::abort();
        files.emplace(QLatin1String(tables[t]), std::string(bytes));
        for (size_t i = 0; i < bytes.size() && i < 64; i += 8) {
            const std::string_view field = bytes.substr(i, 24);
            (void)FieldConversion::lenientDouble(field);
            (void)FieldConversion::strictInt(field);
            (void)FieldConversion::text(field, FieldConversion::encodingOf(bytes));
            (void)FieldConversion::textIn(field, TextEncoding::Utf8);
        }
    }
    FuseDatabaseLoadReport report;
    FuseDatabaseLoader loader(FuseDatabaseLoader::memorySource(std::move(files)));
    loader.setReport(&report);
    const std::unique_ptr<FuseDatabase> db = loader.load();
    walk(*db);
    return 0;
}
