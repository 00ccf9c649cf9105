#include "DxfGroupWriter.h"

#include "Windows1250.h"

#include <QList>

#include <charconv>
#include <cmath>

void DxfGroupWriter::code(int code)
{
    // Group codes right-aligned in three columns, as CAD programs write them.
    char buf[16];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, code);
    const int len = int(end - buf);
    for (int i = len; i < 3; ++i)
        m_out.append(' ');
    m_out.append(buf, len);
    m_out.append('\n');
}

void DxfGroupWriter::text(int c, const QString& value)
{
    code(c);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t u = value[i].unicode();
        if (u < 0x20 || u == 0x7F)
            m_out.append(' ');
        else if (u == u'\\' && QStringView(value).mid(i + 1, 2) == u"U+")
            m_out.append("\\U+005C"); // a backslash that would read as an escape
        else if (u < 0x80)
            m_out.append(char(u));
        else if (!QChar::isSurrogate(u) && Windows1250::canEncode(QString(QChar(u))))
            m_out.append(Windows1250::encode(QString(QChar(u))));
        else // outside the code page; characters beyond 16 bits as their two halves
            m_out.append("\\U+").append(QByteArray::number(uint(u), 16).toUpper().rightJustified(4, '0'));
    }
    m_out.append('\n');
}

void DxfGroupWriter::ascii(int c, const char* value)
{
    code(c);
    m_out.append(value);
    m_out.append('\n');
}

void DxfGroupWriter::integer(int c, long long value)
{
    code(c);
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    m_out.append(buf, int(end - buf));
    m_out.append('\n');
}

void DxfGroupWriter::real(int c, double value)
{
    code(c);
    if (!std::isfinite(value))
        value = 0; // never reached with checked input; a file must stay readable
    if (value == 0)
        value = 0; // no "-0"
    char buf[64];
    // The shortest text that reads back as the same double.
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    const QByteArray s(buf, int(end - buf));
    m_out.append(s);
    if (!s.contains('.') && !s.contains('e'))
        m_out.append(".0");
    m_out.append('\n');
}

void DxfGroupWriter::handle(int c, std::uint64_t value)
{
    code(c);
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, 16);
    for (char* p = buf; p != end; ++p)
        if (*p >= 'a' && *p <= 'f')
            *p = char(*p - 'a' + 'A');
    m_out.append(buf, int(end - buf));
    m_out.append('\n');
}

void DxfGroupWriter::point(int c, double x, double y, double z)
{
    real(c, x);
    real(c + 10, y);
    real(c + 20, z);
}

void DxfGroupWriter::point2(int c, double x, double y)
{
    real(c, x);
    real(c + 10, y);
}
