// Parses arbitrary bytes as an INI file and checks what callers rely on:
// an unchanged file is reproduced byte for byte, and a written value reads
// back unchanged after the file is parsed again.
#include "ProfileDocument.h"
#include "Windows1250.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Section, key and value are taken from the front of the input, so that the
// fuzzer can steer them; the rest is the file.
struct Split
{
    QString section, key, value;
    QByteArray file;
};

Split split(const QByteArray& data)
{
    Split s;
    QList<QByteArray> parts = data.split('\x01');
    if (parts.size() >= 4) {
        s.section = QString::fromUtf8(parts[0]);
        s.key = QString::fromUtf8(parts[1]);
        s.value = QString::fromUtf8(parts[2]);
        s.file = data.mid(parts[0].size() + parts[1].size() + parts[2].size() + 3);
    } else {
        s.section = QStringLiteral("S");
        s.key = QStringLiteral("K");
        s.value = QStringLiteral("v");
        s.file = data;
    }
    return s;
}

bool storable(const Split& s)
{
    return ProfileDocument::checkSection(s.section).isEmpty() &&
           ProfileDocument::checkKey(s.key).isEmpty() &&
           ProfileDocument::checkValue(s.value).isEmpty();
}

void checkCodecs(const QByteArray& bytes)
{
    // (QString::fromUtf8 drops a leading byte order mark.)
    if (Windows1250::isValidUtf8(bytes) && !bytes.startsWith("\xEF\xBB\xBF"))
        require(QString::fromUtf8(bytes).toUtf8() == bytes);
    const QString text = Windows1250::decode(bytes);
    require(Windows1250::canEncode(text));
    require(Windows1250::encode(text) == bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Split s = split(input);
    checkCodecs(s.file);

    ProfileDocument doc(s.file);
    require(doc.toBytes() == s.file);
    const QStringList names = doc.sectionNames();
    for (const QString& name : names) {
        for (const QString& line : doc.sectionLines(name))
            (void)doc.value(name, line.section(QLatin1Char('='), 0, 0));
    }

    if (storable(s)) {
        ProfileDocument changed(s.file);
        changed.setValue(s.section, s.key, s.value);
        ProfileDocument reread(changed.toBytes());
        require(reread.value(s.section, s.key) == s.value);

        reread.removeKey(s.section, s.key);
        require(!ProfileDocument(reread.toBytes()).value(s.section, s.key));
    }
    ProfileDocument removed(s.file);
    removed.removeSection(s.section);
    require(!ProfileDocument(removed.toBytes()).hasSection(s.section));
    return 0;
}
