#pragma once

// Readable GoogleTest failure messages for Qt values: include this in a
// test file to see QString "abc" instead of a dump of 2-byte objects.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << '"';
    for (char c : b) {
        const auto u = static_cast<unsigned char>(c);
        if (u == '\r')
            *os << "\\r";
        else if (u == '\n')
            *os << "\\n";
        else if (u < 0x20 || u >= 0x7F || u == '"' || u == '\\') {
            const char* hex = "0123456789ABCDEF";
            *os << "\\x" << hex[u >> 4] << hex[u & 15];
        } else
            *os << c;
    }
    *os << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i)
            *os << ", ";
        PrintTo(list[i], os);
    }
    *os << '}';
}
