#include "ChartFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace {

constexpr char16_t kRadical = 0x221A;

QString firstInstalled(const QStringList& candidates, bool needsRadical)
{
    const QStringList families = QFontDatabase::families();
    for (const QString& candidate : candidates) {
        for (const QString& family : families) {
            if (family.compare(candidate, Qt::CaseInsensitive) != 0)
                continue;
            if (needsRadical && !QFontMetrics(QFont(family)).inFont(QChar(kRadical)))
                continue;
            return family;
        }
    }
    return QString();
}

QString resolveText()
{
    // The face itself when installed, else the metric-compatible serif.
    const QString found =
        firstInstalled({QStringLiteral("Times"), QStringLiteral("Liberation Serif"),
                        QStringLiteral("Times New Roman"), QStringLiteral("Nimbus Roman"),
                        QStringLiteral("DejaVu Serif"), QStringLiteral("FreeSerif")},
                       false);
    return found.isEmpty() ? QStringLiteral("serif") : found;
}

QString resolveSymbol()
{
    // A Unicode face with the radical sign; a genuine "Symbol" face is not
    // used because its code points differ between installations.
    const QString found =
        firstInstalled({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                        QStringLiteral("FreeSans"), QStringLiteral("DejaVu Serif")},
                       true);
    return found.isEmpty() ? resolveText() : found;
}

QFont makeFont(const QString& family, QFont::StyleHint hint)
{
    QFont font(family);
    font.setStyleHint(hint, QFont::PreferQuality);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setKerning(false);
    return font;
}

} // namespace

QString ChartFont::familyFor(const QString& face)
{
    static const QString text = resolveText();
    static const QString symbol = resolveSymbol();
    return face.compare(QStringLiteral("Symbol"), Qt::CaseInsensitive) == 0 ? symbol : text;
}

QFont ChartFont::textFont()
{
    return makeFont(familyFor(QStringLiteral("Times")), QFont::Serif);
}

QFont ChartFont::symbolFont()
{
    return makeFont(familyFor(QStringLiteral("Symbol")), QFont::SansSerif);
}

QString ChartFont::fromSymbolEncoding(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c.unicode() == 0xD6)
            c = QChar(kRadical);
    }
    return out;
}
