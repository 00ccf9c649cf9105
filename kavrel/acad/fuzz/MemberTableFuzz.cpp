// Reads arbitrary bytes as the XML in which a D-Bus object describes its
// members, and checks what the client relies on: every member found is
// found again under any spelling of its name, and it belongs to a named,
// non-transport interface.
#include "DBusMemberTable.h"

#include <cstdint>
#include <cstdlib>

namespace {
void require(bool condition)
{
    if (!condition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString xml = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const DBusMemberTable table = DBusMemberTable::parse(xml);
    for (const QString& probe : {QStringLiteral("Item"), QStringLiteral("count"),
                                 QStringLiteral("GETPOINT"), QStringLiteral("")}) {
        const auto* m = table.method(probe);
        if (m) {
            require(table.method(probe.toUpper()) == m && table.method(probe.toLower()) == m);
            require(!m->interface.isEmpty() && !m->interface.startsWith(u"org.freedesktop.DBus."));
        }
        if (const auto* p = table.property(probe))
            require(!p->interface.isEmpty() && p->name.compare(probe, Qt::CaseInsensitive) == 0);
    }
    for (const auto& s : table.signalList())
        require(!s.interface.isEmpty() && !s.name.isEmpty());
    return 0;
}
