#include "DxfReader.h"

#include "DxfError.h"
#include "Windows1250.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <charconv>
#include <string_view>
#include <cmath>
#include <vector>

namespace {

struct Pair
{
    int code;
    QByteArrayView value;
    int line;
};

[[noreturn]] void bad(int line, const QString& what)
{
    throw DxfError(QStringLiteral("The file is not a readable DXF drawing (line %1: %2).")
                       .arg(line)
                       .arg(what));
}

QByteArrayView trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r'))
        v.chop(1);
    return v;
}

std::vector<Pair> tokenize(const QByteArray& data)
{
    std::vector<Pair> pairs;
    qsizetype pos = 0;
    int line = 0;
    auto nextLine = [&](QByteArrayView& out) {
        if (pos >= data.size())
            return false;
        qsizetype end = data.indexOf('\n', pos);
        if (end < 0)
            end = data.size();
        out = QByteArrayView(data.constData() + pos, end - pos);
        if (!out.isEmpty() && out.back() == '\r')
            out.chop(1);
        pos = end + 1;
        ++line;
        return true;
    };
    QByteArrayView codeLine, value;
    while (nextLine(codeLine)) {
        const QByteArrayView c = trimmed(codeLine);
        if (c.isEmpty() && pos >= data.size())
            break; // a line break after EOF
        int code = 0;
        const auto [end, ec] = std::from_chars(c.data(), c.data() + c.size(), code);
        if (c.isEmpty() || ec != std::errc() || end != c.data() + c.size() || code < 0 || code > 1071)
            bad(line, QStringLiteral("a group code was expected"));
        if (!nextLine(value))
            bad(line, QStringLiteral("the value of group %1 is missing").arg(code));
        pairs.push_back({code, value, line});
    }
    return pairs;
}

// An entity as read, before dimensions are replaced by their geometry.
struct ReadEntity
{
    DxfEntity e;
    QString dimensionBlock;
};

class Reader
{
public:
    explicit Reader(const QByteArray& data) : m_p(tokenize(data)) {}
    DxfDrawing run();

private:
    bool at(int code, const char* value) const;
    const Pair& cur() const { return m_p[m_i]; }
    double real(const Pair& p) const;
    int integer(const Pair& p) const;
    std::uint64_t handle(const Pair& p) const;
    QString text(const Pair& p) const;
    QString name(const Pair& p) const { return text(p).trimmed(); }

    void skipToZero();
    void header();
    void tables();
    void layer();
    void blocks();
    void entities(QVector<ReadEntity>& out, bool inBlock);
    // The groups of the object at m_i (a 0 pair) up to the next 0 pair.
    std::vector<Pair> groups();
    // What the groups of an entity say, before its kind decides what counts.
    struct Raw
    {
        DxfPoint first, second;
        int polylineFlags = 0;
        QString mtext, mtextTail;
        int attachment = 0;
        bool direction = false;
        bool paper = false;
    };
    void fields(QByteArrayView type, const std::vector<Pair>& g, DxfEntity& e, Raw& r) const;
    bool entity(ReadEntity& out);
    void attributes(DxfEntity& insert);
    void polylineVertices(DxfEntity& poly);
    QVector<DxfEntity> resolve(const QVector<ReadEntity>& list, int depth) const;
    void count();

    std::vector<Pair> m_p;
    size_t m_i = 0;
    DxfDrawing m_d;
    bool m_utf8 = false;
    enum class CodePage { None, Windows1250, Other };
    CodePage m_codePage = CodePage::None;
    int m_entities = 0;
    QHash<QString, std::uint64_t> m_records;
    QHash<QString, QVector<ReadEntity>> m_blockEntities;
    QVector<ReadEntity> m_model;
};

bool Reader::at(int code, const char* value) const
{
    return m_i < m_p.size() && m_p[m_i].code == code && trimmed(m_p[m_i].value) == value;
}

double Reader::real(const Pair& p) const
{
    const QByteArrayView v = trimmed(p.value);
    double d = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
    if (v.isEmpty() || ec != std::errc() || end != v.data() + v.size() || !std::isfinite(d)
        || std::fabs(d) > 1e100)
        bad(p.line, QStringLiteral("\"%1\" is not a number").arg(QString::fromLatin1(v.first(std::min<qsizetype>(v.size(), 40)))));
    return d;
}

int Reader::integer(const Pair& p) const
{
    const QByteArrayView v = trimmed(p.value);
    long long n = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    if (v.isEmpty() || ec != std::errc() || end != v.data() + v.size())
        bad(p.line, QStringLiteral("\"%1\" is not an integer").arg(QString::fromLatin1(v.first(std::min<qsizetype>(v.size(), 40)))));
    return int(std::clamp<long long>(n, -2147483647LL, 2147483647LL));
}

std::uint64_t Reader::handle(const Pair& p) const
{
    const QByteArrayView v = trimmed(p.value);
    std::uint64_t h = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), h, 16);
    if (v.isEmpty() || ec != std::errc() || end != v.data() + v.size())
        return 0; // a broken handle is replaced by a new one
    return h;
}

QString Reader::text(const Pair& p) const
{
    const QByteArray bytes = p.value.toByteArray();
    QString s;
    // The declared code page wins; without one, UTF-8 if the bytes are.
    if (m_utf8)
        s = QString::fromUtf8(bytes);
    else if (m_codePage == CodePage::Windows1250)
        s = Windows1250::decode(bytes);
    else if (m_codePage == CodePage::None && Windows1250::isValidUtf8(bytes))
        s = QString::fromUtf8(bytes);
    else
        s = QString::fromLatin1(bytes);
    if (s.contains(QLatin1String("\\U+"))) {
        static const QRegularExpression escape(QStringLiteral("\\\\U\\+([0-9A-Fa-f]{4})"));
        QString out;
        qsizetype last = 0;
        for (auto it = escape.globalMatch(s); it.hasNext();) {
            const auto m = it.next();
            out += QStringView(s).mid(last, m.capturedStart() - last);
            const char16_t c = char16_t(m.captured(1).toUInt(nullptr, 16));
            out += QChar(c);
            last = m.capturedEnd();
        }
        out += QStringView(s).mid(last);
        s = out;
    }
    // Control characters would break a file written again; halves of characters
    // beyond 16 bits that lack their other half are no text.
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            s[i] = u' ';
        else if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            s[i] = u'?';
    }
    return s;
}

void Reader::skipToZero()
{
    ++m_i;
    while (m_i < m_p.size() && m_p[m_i].code != 0)
        ++m_i;
}

DxfDrawing Reader::run()
{
    if (m_p.empty())
        throw DxfError(QStringLiteral("The file is empty; it is not a DXF drawing."));
    bool sections = false;
    while (m_i < m_p.size()) {
        if (at(0, "EOF"))
            break;
        if (!at(0, "SECTION")) {
            if (cur().code == 999) {
                ++m_i;
                continue;
            }
            bad(cur().line, QStringLiteral("SECTION was expected"));
        }
        sections = true;
        ++m_i;
        if (m_i >= m_p.size() || cur().code != 2)
            bad(m_i < m_p.size() ? cur().line : 0, QStringLiteral("a section name was expected"));
        const QByteArrayView section = trimmed(cur().value);
        ++m_i;
        if (section == "HEADER")
            header();
        else if (section == "TABLES")
            tables();
        else if (section == "BLOCKS")
            blocks();
        else if (section == "ENTITIES")
            entities(m_model, false);
        while (m_i < m_p.size() && !at(0, "ENDSEC"))
            ++m_i;
        ++m_i;
    }
    if (!sections)
        throw DxfError(QStringLiteral("The file has no DXF sections; it is not a DXF drawing."));
    for (auto it = m_blockEntities.cbegin(); it != m_blockEntities.cend(); ++it) {
        const int b = m_d.blockIndex(it.key());
        if (b >= 0 && !it.key().startsWith(QLatin1String("*D"), Qt::CaseInsensitive))
            m_d.blocks[b].entities = resolve(*it, 0);
    }
    // Dimension geometry blocks live on inside the dimensions' lines and texts.
    m_d.blocks.removeIf([](const DxfBlock& b) {
        return b.name.startsWith(QLatin1String("*D"), Qt::CaseInsensitive);
    });
    m_d.entities = resolve(m_model, 0);
    return m_d;
}

void Reader::header()
{
    while (m_i < m_p.size() && !at(0, "ENDSEC")) {
        if (cur().code != 9) {
            ++m_i;
            continue;
        }
        const QByteArrayView var = trimmed(cur().value);
        ++m_i;
        for (; m_i < m_p.size() && cur().code != 9 && cur().code != 0; ++m_i) {
            const Pair& p = cur();
            if (var == "$ACADVER")
                m_utf8 = std::string_view(trimmed(p.value).data(), trimmed(p.value).size())
                         >= std::string_view("AC1021");
            else if (var == "$DWGCODEPAGE")
                m_codePage = trimmed(p.value).size() == 9
                                     && qstrnicmp(trimmed(p.value).data(), "ANSI_1250", 9) == 0
                                 ? CodePage::Windows1250
                                 : CodePage::Other;
            else if (var == "$INSUNITS" && p.code == 70)
                m_d.insunits = integer(p);
            else if (var == "$HANDSEED" && p.code == 5)
                m_d.handseed = handle(p);
            else if (var == "$CELTYPE" && p.code == 6)
                m_d.currentLinetype = name(p);
        }
    }
}

void Reader::tables()
{
    while (m_i < m_p.size() && !at(0, "ENDSEC")) {
        if (at(0, "LAYER")) {
            layer();
        } else if (at(0, "BLOCK_RECORD")) {
            const std::vector<Pair> g = groups();
            QString n;
            std::uint64_t h = 0;
            for (const Pair& p : g) {
                if (p.code == 2)
                    n = name(p);
                else if (p.code == 5)
                    h = handle(p);
            }
            if (!n.isEmpty())
                m_records.insert(n.toUpper(), h);
        } else {
            ++m_i;
        }
    }
}

void Reader::layer()
{
    DxfLayer l;
    for (const Pair& p : groups()) {
        switch (p.code) {
        case 2: l.name = name(p); break;
        case 62: l.colour = integer(p); break;
        case 6: l.linetype = name(p); break;
        case 370: l.lineweight = integer(p); break;
        default: break;
        }
    }
    if (!l.name.isEmpty() && m_d.layerIndex(l.name) < 0)
        m_d.layers.append(l);
}

std::vector<Pair> Reader::groups()
{
    std::vector<Pair> g;
    ++m_i;
    while (m_i < m_p.size() && m_p[m_i].code != 0)
        g.push_back(m_p[m_i++]);
    return g;
}

void Reader::blocks()
{
    while (m_i < m_p.size() && !at(0, "ENDSEC")) {
        if (!at(0, "BLOCK")) {
            ++m_i;
            continue;
        }
        DxfBlock b;
        for (const Pair& p : groups()) {
            if (p.code == 2)
                b.name = name(p);
            else if (p.code == 10)
                b.origin.x = real(p);
            else if (p.code == 20)
                b.origin.y = real(p);
            else if (p.code == 30)
                b.origin.z = real(p);
        }
        QVector<ReadEntity> list;
        entities(list, true);
        if (at(0, "ENDBLK"))
            skipToZero();
        const QString upper = b.name.toUpper();
        if (b.name.isEmpty() || upper == u"*MODEL_SPACE" || upper.startsWith(u"*PAPER_SPACE")
            || m_d.blockIndex(b.name) >= 0) {
            m_d.skippedEntities += int(list.size());
            continue;
        }
        b.handle = m_records.value(upper);
        m_d.blocks.append(b);
        m_blockEntities.insert(b.name, list);
    }
}

void Reader::count()
{
    if (++m_entities > DxfReader::MaxEntities)
        throw DxfError(QStringLiteral("The drawing has more than %1 entities.").arg(DxfReader::MaxEntities));
}

void Reader::entities(QVector<ReadEntity>& out, bool inBlock)
{
    while (m_i < m_p.size() && !at(0, "ENDSEC") && !(inBlock && at(0, "ENDBLK"))) {
        if (cur().code != 0) {
            ++m_i;
            continue;
        }
        ReadEntity e;
        if (entity(e)) {
            count();
            out.append(std::move(e));
        } else {
            ++m_d.skippedEntities;
        }
    }
}

void Reader::fields(QByteArrayView type, const std::vector<Pair>& g, DxfEntity& e, Raw& r) const
{
    // Polyline vertices start with their x (10); y (20) belongs to the last one.
    const bool lw = type == "LWPOLYLINE";
    const bool mtext = type == "MTEXT";
    for (const Pair& p : g) {
        switch (p.code) {
        case 5: e.handle = handle(p); break;
        case 8: e.layer = name(p); break;
        case 62: e.colour = integer(p); break;
        case 370: e.lineweight = integer(p); break;
        case 67: r.paper = integer(p) == 1; break;
        case 10:
            if (lw)
                e.points.append({real(p), 0, 0});
            else
                r.first.x = real(p);
            break;
        case 20:
            if (lw) {
                if (e.points.isEmpty())
                    bad(p.line, QStringLiteral("a polyline vertex has no x"));
                e.points.last().y = real(p);
            } else {
                r.first.y = real(p);
            }
            break;
        case 30:
        case 38: r.first.z = real(p); break;
        case 11: r.second.x = real(p); break;
        case 21: r.second.y = real(p); r.direction = true; break;
        case 31: r.second.z = real(p); break;
        case 40: e.radius = e.height = real(p); break;
        case 41: e.xScale = real(p); break;
        case 42: e.yScale = real(p); break;
        case 43: e.zScale = real(p); break;
        case 50: e.startAngle = e.rotation = real(p); break;
        case 51: e.endAngle = real(p); break;
        case 70: e.flags = r.polylineFlags = integer(p); break;
        case 71: r.attachment = integer(p); break;
        case 72: e.hAlign = integer(p); break;
        case 73:
        case 74: e.vAlign = integer(p); break;
        case 1: (mtext ? r.mtextTail : e.text) = text(p); break;
        case 2: e.tag = e.blockName = name(p); break;
        case 3: (mtext ? r.mtext : e.prompt) += text(p); break;
        default: break;
        }
    }
}

bool Reader::entity(ReadEntity& out)
{
    const QByteArrayView type = trimmed(cur().value);
    const int line = cur().line;
    DxfEntity& e = out.e;
    Raw r;
    fields(type, groups(), e, r);
    const bool lw = type == "LWPOLYLINE";
    const DxfPoint first = r.first, second = r.second;
    const bool paper = r.paper;
    if (type == "LINE") {
        e.kind = DxfEntityKind::Line;
        e.points = {first, second};
    } else if (lw) {
        e.kind = DxfEntityKind::Polyline;
        e.closed = r.polylineFlags & 1;
        for (DxfPoint& v : e.points)
            v.z = first.z;
    } else if (type == "POLYLINE") {
        e.kind = DxfEntityKind::Polyline;
        e.closed = r.polylineFlags & 1;
        polylineVertices(e);
        if (r.polylineFlags & (16 | 64))
            return false; // meshes and polyface meshes are not drawn
    } else if (type == "CIRCLE" || type == "ARC") {
        e.kind = type == "ARC" ? DxfEntityKind::Arc : DxfEntityKind::Circle;
        e.points = {first};
        if (e.radius <= 0)
            return false;
    } else if (type == "TEXT" || type == "ATTDEF") {
        e.kind = type == "TEXT" ? DxfEntityKind::Text : DxfEntityKind::AttributeDefinition;
        e.points = {first};
        e.alignPoint = second;
        if (type == "TEXT")
            e.tag.clear();
        e.blockName.clear();
        if (e.kind == DxfEntityKind::Text)
            e.prompt.clear();
        e.flags &= 15;
    } else if (type == "MTEXT") {
        e.kind = DxfEntityKind::Text;
        e.points = {first};
        static const QRegularExpression codes(QStringLiteral("\\\\[A-OQ-Za-oq-z][^;\\\\]*;|[{}]"));
        QString all = r.mtext + r.mtextTail;
        e.text = all.replace(QLatin1String("\\P"), QLatin1String(" ")).remove(codes);
        e.hAlign = r.attachment > 0 ? (r.attachment - 1) % 3 : 0;
        e.alignPoint = first;
        // MTEXT: a direction vector, or an angle in radians.
        e.rotation = r.direction ? std::atan2(r.second.y, r.second.x) * 180.0 / M_PI
                                 : e.rotation * 180.0 / M_PI;
        e.tag.clear();
        e.blockName.clear();
        e.prompt.clear();
    } else if (type == "INSERT") {
        e.kind = DxfEntityKind::Insert;
        e.points = {first};
        e.tag.clear();
        attributes(e);
        if (e.blockName.isEmpty())
            bad(line, QStringLiteral("a block reference names no block"));
        for (double s : {e.xScale, e.yScale, e.zScale})
            if (s == 0)
                return false; // a reference of no size
    } else if (type == "DIMENSION") {
        out.dimensionBlock = e.blockName;
        return !paper && !e.blockName.isEmpty();
    } else {
        return false;
    }
    // Groups an entity of this kind does not have are not kept.
    if (e.kind != DxfEntityKind::Insert)
        e.blockName.clear();
    if (e.kind != DxfEntityKind::AttributeDefinition)
        e.tag.clear(), e.prompt.clear();
    if (e.kind != DxfEntityKind::Text && e.kind != DxfEntityKind::AttributeDefinition)
        e.text.clear();
    return !paper;
}

void Reader::attributes(DxfEntity& insert)
{
    // ATTRIBs follow their reference (group 66 announces them, but readers of
    // other programs' files do not rely on it), then a SEQEND ends them.
    while (at(0, "ATTRIB")) {
        DxfAttribute a;
        for (const Pair& p : groups()) {
            switch (p.code) {
            case 5: a.handle = handle(p); break;
            case 8: a.layer = name(p); break;
            case 1: a.text = text(p); break;
            case 2: a.tag = name(p); break;
            case 10: a.position.x = real(p); break;
            case 20: a.position.y = real(p); break;
            case 30: a.position.z = real(p); break;
            case 40: a.height = real(p); break;
            case 50: a.rotation = real(p); break;
            case 70: a.flags = integer(p) & 15; break;
            default: break;
            }
        }
        count();
        insert.attributes.append(a);
    }
    if (at(0, "SEQEND"))
        skipToZero();
}

void Reader::polylineVertices(DxfEntity& poly)
{
    while (at(0, "VERTEX")) {
        DxfPoint v;
        int flags = 0;
        for (const Pair& p : groups()) {
            if (p.code == 10)
                v.x = real(p);
            else if (p.code == 20)
                v.y = real(p);
            else if (p.code == 30)
                v.z = real(p);
            else if (p.code == 70)
                flags = integer(p);
        }
        count();
        if (!(flags & 128)) // face records of a polyface mesh are not points
            poly.points.append(v);
    }
    if (at(0, "SEQEND"))
        skipToZero();
}

QVector<DxfEntity> Reader::resolve(const QVector<ReadEntity>& list, int depth) const
{
    QVector<DxfEntity> out;
    out.reserve(list.size());
    for (const ReadEntity& r : list) {
        if (r.dimensionBlock.isEmpty()) {
            out.append(r.e);
            continue;
        }
        // A dimension is drawn by its anonymous block in world coordinates; its
        // lines and texts take its place. Blocks naming themselves end here.
        const auto it = m_blockEntities.constFind(r.dimensionBlock);
        if (it == m_blockEntities.constEnd() || depth > 4)
            continue;
        for (DxfEntity e : resolve(*it, depth + 1)) {
            e.handle = 0;
            if (e.layer == u"0")
                e.layer = r.e.layer;
            out.append(e);
        }
    }
    return out;
}

} // namespace

DxfDrawing DxfReader::read(const QByteArray& data)
{
    // Binary DXF starts with a sentinel line that ends in a NUL byte.
    if (data.left(32).contains('\0'))
        throw DxfError(QStringLiteral("Binary DXF files cannot be read; save the drawing as ASCII DXF."));
    return Reader(data).run();
}

DxfDrawing DxfReader::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DxfError(QStringLiteral("The drawing file %1 cannot be read: %2")
                           .arg(path, file.errorString()));
    if (file.size() > MaxFileSize)
        throw DxfError(QStringLiteral("The drawing file %1 is larger than %2 MB.")
                           .arg(path)
                           .arg(MaxFileSize / 1024 / 1024));
    const QByteArray data = file.readAll();
    try {
        return read(data);
    } catch (const DxfError& e) {
        throw DxfError(QFileInfo(path).fileName() + QStringLiteral(": ") + QString::fromStdString(e.what()));
    }
}
