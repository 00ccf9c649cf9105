#include "Windows1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

constexpr const char* CodePage = "windows-1250";

// Opening a converter costs more than converting a short field, and the
// table loaders convert field by field: one stateless converter of each
// direction per thread. (Qt's error flag of such a converter cannot be
// cleared, so whether a text fits is told by decoding the result again:
// every byte decodes to exactly one character.)
QString decodeBytes(const QByteArray& bytes)
{
    thread_local QStringDecoder fromCodePage(CodePage, QStringConverter::Flag::Stateless);
    return fromCodePage(bytes);
}

// The bytes of `text`, and whether they stand for it exactly (characters the
// code page lacks get the converter's own substitute or vanish).
bool tryEncode(QStringView text, QByteArray* out)
{
    thread_local QStringEncoder toCodePage(CodePage, QStringConverter::Flag::Stateless);
    *out = toCodePage(text);
    return decodeBytes(*out) == text;
}

} // namespace

QString Windows1250::decode(const QByteArray& bytes)
{
    return decodeBytes(bytes);
}

bool Windows1250::canEncode(const QString& text)
{
    QByteArray ignored;
    return tryEncode(text, &ignored);
}

QByteArray Windows1250::encode(const QString& text)
{
    QByteArray out;
    if (tryEncode(text, &out))
        return out;
    // The converter's substitute is the control character SUB, which a
    // reader cannot tell from a real one: redo it one character at a time
    // and put '?' where the code page has no byte.
    out.clear();
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                          text.at(i + 1).isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        QByteArray one;
        out += tryEncode(QStringView(text).mid(i, length), &one) ? one : QByteArray("?");
        i += length;
    }
    return out;
}

bool Windows1250::isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder fromUtf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    (void)QString(fromUtf8(bytes));
    return !fromUtf8.hasError();
}
