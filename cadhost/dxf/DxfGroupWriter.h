#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// Writes DXF group code / value pairs as ASCII DXF into a buffer. Texts are in
// the code page the files declare (ANSI_1250, which holds the Central European
// letters of product names); a character it lacks becomes a \U+XXXX escape,
// which CAD programs decode; control characters, which would break the line
// structure, become blanks.
class DxfGroupWriter
{
public:
    DxfGroupWriter() { m_out.reserve(1 << 16); }

    void text(int code, const QString& value);
    void ascii(int code, const char* value);
    void integer(int code, long long value);
    void real(int code, double value);
    void handle(int code, std::uint64_t value);
    void point(int code, double x, double y, double z);
    void point2(int code, double x, double y);

    const QByteArray& data() const { return m_out; }

private:
    void code(int code);

    QByteArray m_out;
};
