#include "BusPath.h"

namespace {

bool number(const QString& s, qint64& out)
{
    // Digits only: no sign, no blanks, nothing that toLongLong would forgive.
    if (s.isEmpty() || s.size() > 18)
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    out = s.toLongLong();
    return true;
}

} // namespace

BusPath BusPath::parse(const QString& path)
{
    BusPath p;
    if (path == u"/") {
        p.kind = Root;
        return p;
    }
    const QStringList parts = path.mid(1).split(u'/');
    qint64 n = 0;
    const auto at = [&](int i) { return i < parts.size() ? parts[i] : QString(); };
    const qsizetype count = parts.size();
    if (at(0) == u"Control" && count == 1) {
        p.kind = Control;
    } else if (at(0) == u"Application") {
        if (count == 1)
            p.kind = Application;
        else if (count == 2 && at(1) == u"Documents")
            p.kind = Documents;
        else if (count == 2 && at(1) == u"Menubar")
            p.kind = Menubar;
        else if (at(1) == u"MenuGroups") {
            if (count == 2)
                p.kind = MenuGroups;
            else if (number(at(2), n) && n < 100000) {
                p.index = int(n);
                if (count == 3)
                    p.kind = MenuGroup;
                else if (count == 4 && at(3) == u"Menus")
                    p.kind = Menus;
            }
        }
    } else if (at(0) == u"Document") {
        if (count == 1) {
            p.kind = DocumentNode;
        } else if (number(at(1), n) && n < 1000000000) {
            p.doc = int(n);
            const QString what = at(2);
            if (count == 2)
                p.kind = Document;
            else if (count == 3 && what == u"ModelSpace")
                p.kind = ModelSpace;
            else if (count == 3 && what == u"Utility")
                p.kind = Utility;
            else if (what == u"Blocks" && count == 3)
                p.kind = Blocks;
            else if (what == u"Blocks" && count == 4 && number(at(3), p.id))
                p.kind = Block;
            else if (what == u"Object" && count == 3)
                p.kind = ObjectNode;
            else if (what == u"Object" && number(at(3), p.id)) {
                if (count == 4)
                    p.kind = Entity;
                else if (count == 5 && at(4) == u"Attribute")
                    p.kind = AttributeNode;
                else if (count == 6 && at(4) == u"Attribute" && number(at(5), n) && n < 100000) {
                    p.kind = Attribute;
                    p.index = int(n);
                }
            }
        }
    }
    return p;
}
