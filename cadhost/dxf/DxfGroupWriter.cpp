#include "DxfGroupWriter.h"

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
    for (const char32_t u : value.toUcs4()) {
        if (u < 0x20 || u == 0x7F)
            m_out.append(' ');
        else if (u < 0x80)
            m_out.append(char(u));
        else if (u <= 0xFFFF)
            m_out.append("\\U+").append(QByteArray::number(uint(u), 16).toUpper().rightJustified(4, '0'));
        else
            m_out.append('?'); // outside what \U+XXXX can say
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
