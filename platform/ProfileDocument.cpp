#include "ProfileDocument.h"

#include "Windows1250.h"

#include <QStringDecoder>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

bool isAscii(const QByteArray& bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// A line of a UTF-8 file. U+FEFF at the start of a line is a character of
// that line (a key may begin with it), not a byte order mark: only the one at
// the start of the file is, and that one is already gone.
QString decodeUtf8Line(const QByteArray& bytes)
{
    QStringDecoder fromUtf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                        QStringConverter::Flag::ConvertInitialBom);
    return fromUtf8(bytes);
}

bool isQuoted(const QString& value)
{
    if (value.size() < 2)
        return false;
    const QChar first = value.front();
    return (first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first;
}

} // namespace

ProfileDocument::ProfileDocument(const QByteArray& bytes)
{
    QByteArray body = bytes;
    if (body.startsWith(kBom)) {
        m_bom = true;
        body.remove(0, kBom.size());
    }
    m_utf8 = Windows1250::isValidUtf8(body);

    bool newlineSeen = false;
    qsizetype pos = 0;
    while (pos < body.size()) {
        qsizetype nl = body.indexOf('\n', pos);
        Line line;
        if (nl < 0) {
            line.raw = body.mid(pos);
            pos = body.size();
        } else {
            qsizetype end = nl;
            if (end > pos && body[end - 1] == '\r')
                --end;
            line.raw = body.mid(pos, end - pos);
            line.eol = body.mid(end, nl + 1 - end);
            pos = nl + 1;
            if (!newlineSeen) {
                m_newline = line.eol; // new lines follow the file's convention
                newlineSeen = true;
            }
        }
        line.text = m_utf8 ? decodeUtf8Line(*line.raw) : Windows1250::decode(*line.raw);
        classify(line);
        m_lines.append(std::move(line));
    }
}

void ProfileDocument::classify(Line& line)
{
    const QString t = line.text.trimmed();
    line.name.clear();
    line.value.clear();
    if (t.isEmpty()) {
        line.kind = Kind::Blank;
    } else if (t.startsWith(QLatin1Char(';'))) {
        line.kind = Kind::Comment;
    } else if (t.startsWith(QLatin1Char('['))) {
        line.kind = Kind::Section;
        qsizetype close = t.indexOf(QLatin1Char(']'));
        if (close < 0)
            close = t.size();
        line.name = t.mid(1, close - 1).trimmed();
    } else if (const qsizetype eq = t.indexOf(QLatin1Char('=')); eq >= 0) {
        line.kind = Kind::Entry;
        line.name = t.left(eq).trimmed();
        line.value = t.mid(eq + 1).trimmed();
    } else {
        line.kind = Kind::Other;
        line.name = t;
    }
}

QByteArray ProfileDocument::encode(const QString& text) const
{
    return m_utf8 ? text.toUtf8() : Windows1250::encode(text);
}

QByteArray ProfileDocument::toBytes() const
{
    QByteArray body;
    for (const Line& line : m_lines) {
        body += line.raw ? *line.raw : encode(line.text);
        body += line.eol;
    }
    // A Windows-1250 file is told apart only by not being valid UTF-8. If
    // the changes removed every byte that showed it, its remaining accented
    // text would read back as different characters, so it is written as
    // UTF-8 instead.
    if (!m_utf8 && !isAscii(body) && Windows1250::isValidUtf8(body)) {
        body.clear();
        for (const Line& line : m_lines)
            body += line.text.toUtf8() + line.eol;
    }
    return m_bom ? kBom + body : body;
}

int ProfileDocument::findSection(const QString& section, int from) const
{
    const QString name = section.trimmed();
    for (int i = from; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Section && sameName(m_lines[i].name, name))
            return i;
    }
    return -1;
}

int ProfileDocument::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section)
        ++i;
    return i;
}

int ProfileDocument::findKey(int header, const QString& key) const
{
    const QString name = key.trimmed();
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        if (m_lines[i].kind == Kind::Entry && sameName(m_lines[i].name, name))
            return i;
    }
    return -1;
}

std::optional<QString> ProfileDocument::rawValue(const QString& section, const QString& key) const
{
    const int header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const int line = findKey(header, key);
    if (line < 0)
        return std::nullopt;
    return m_lines[line].value;
}

std::optional<QString> ProfileDocument::value(const QString& section, const QString& key) const
{
    std::optional<QString> v = rawValue(section, key);
    if (v)
        *v = unquote(*v);
    return v;
}

QString ProfileDocument::unquote(const QString& value)
{
    return isQuoted(value) ? value.mid(1, value.size() - 2) : value;
}

QStringList ProfileDocument::sectionLines(const QString& section) const
{
    QStringList out;
    const int header = findSection(section);
    if (header < 0)
        return out;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Entry)
            out.append(line.name + QLatin1Char('=') + line.value);
        else if (line.kind == Kind::Other)
            out.append(line.name);
    }
    return out;
}

QStringList ProfileDocument::sectionNames() const
{
    QStringList out;
    for (const Line& line : m_lines) {
        if (line.kind == Kind::Section)
            out.append(line.name);
    }
    return out;
}

void ProfileDocument::insertLine(int at, const QString& text)
{
    // The line before it needs a line end of its own now.
    if (at > 0 && m_lines[at - 1].eol.isEmpty())
        m_lines[at - 1].eol = m_newline;
    Line line;
    line.text = text;
    line.eol = m_newline;
    classify(line);
    if (!m_utf8 && !Windows1250::canEncode(text)) {
        // Rather than lose characters, the whole file becomes UTF-8: its
        // Windows-1250 lines are re-encoded, the ASCII ones stay as they are.
        m_utf8 = true;
        for (Line& other : m_lines) {
            if (other.raw && !isAscii(*other.raw))
                other.raw.reset();
        }
    }
    m_lines.insert(at, std::move(line));
}

void ProfileDocument::replaceLine(int at, const QString& text)
{
    const QByteArray eol = m_lines[at].eol;
    m_lines.removeAt(at);
    insertLine(at, text);
    m_lines[at].eol = eol;
}

QString ProfileDocument::checkSection(const QString& section)
{
    if (hasLineBreak(section))
        return QStringLiteral("section name contains a line break");
    if (section.contains(QLatin1Char(']')))
        return QStringLiteral("section name contains ']'");
    return QString();
}

QString ProfileDocument::checkKey(const QString& key)
{
    const QString k = key.trimmed();
    if (k.isEmpty())
        return QStringLiteral("empty key");
    if (hasLineBreak(k))
        return QStringLiteral("key contains a line break");
    if (k.contains(QLatin1Char('=')))
        return QStringLiteral("key contains '='");
    if (k.startsWith(QLatin1Char('[')) || k.startsWith(QLatin1Char(';')))
        return QStringLiteral("key starts with '[' or ';'");
    return QString();
}

QString ProfileDocument::checkValue(const QString& value)
{
    if (hasLineBreak(value))
        return QStringLiteral("value contains a line break");
    return QString();
}

QString ProfileDocument::encodeValue(const QString& value)
{
    if (value.trimmed() != value || isQuoted(value))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

bool ProfileDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    const QString stored = encodeValue(value);
    int header = findSection(sectionName);
    if (header < 0) {
        insertLine(m_lines.size(), QLatin1Char('[') + sectionName + QLatin1Char(']'));
        insertLine(m_lines.size(), keyName + QLatin1Char('=') + stored);
        return true;
    }
    if (const int line = findKey(header, keyName); line >= 0) {
        if (m_lines[line].value == stored)
            return false;
        // The key keeps the spelling it has in the file.
        replaceLine(line, m_lines[line].name + QLatin1Char('=') + stored);
        return true;
    }
    int after = header;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        if (m_lines[i].kind == Kind::Entry || m_lines[i].kind == Kind::Other)
            after = i;
    }
    insertLine(after + 1, keyName + QLatin1Char('=') + stored);
    return true;
}

bool ProfileDocument::removeKey(const QString& section, const QString& key)
{
    const int header = findSection(section);
    if (header < 0)
        return false;
    bool changed = false;
    for (int line = findKey(header, key); line >= 0; line = findKey(header, key)) {
        m_lines.removeAt(line);
        changed = true;
    }
    return changed;
}

bool ProfileDocument::removeSection(const QString& section)
{
    bool changed = false;
    for (int header = findSection(section); header >= 0; header = findSection(section, header)) {
        m_lines.remove(header, sectionEnd(header) - header);
        changed = true;
    }
    return changed;
}
