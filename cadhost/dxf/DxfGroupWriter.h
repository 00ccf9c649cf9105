#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// Writes DXF group code / value pairs as ASCII DXF into a buffer. Texts are
// written as the code page DXF R2000 files declare (ANSI_1252) can hold them:
// ASCII as it is, every other character as a \U+XXXX escape, which DXF readers
// decode; control characters, which would break the line structure, become
// blanks.
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
