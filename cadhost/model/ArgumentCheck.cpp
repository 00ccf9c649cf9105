#include "ArgumentCheck.h"

#include "CadError.h"

#include <cmath>

namespace {

[[noreturn]] void invalid(const QString& text)
{
    throw CadError(CadError::InvalidArgument, text);
}

bool hasControlCharacter(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    return false;
}

} // namespace

void ArgumentCheck::point(const DxfPoint& p, const QString& what)
{
    for (double v : {p.x, p.y, p.z})
        if (!std::isfinite(v) || std::fabs(v) > MaxCoordinate)
            invalid(QStringLiteral("The %1 must have three finite coordinates of at most %2.")
                        .arg(what)
                        .arg(MaxCoordinate));
}

double ArgumentCheck::finite(double value, const QString& what)
{
    if (!std::isfinite(value) || std::fabs(value) > MaxCoordinate)
        invalid(QStringLiteral("The %1 must be a finite number.").arg(what));
    return value;
}

void ArgumentCheck::scale(double value, const QString& what)
{
    if (!std::isfinite(value) || std::fabs(value) < MinScale || std::fabs(value) > MaxScale)
        invalid(QStringLiteral("The %1 must be a number from %2 to %3 in size (not zero).")
                    .arg(what)
                    .arg(MinScale)
                    .arg(MaxScale));
}

void ArgumentCheck::positive(double value, const QString& what)
{
    if (!std::isfinite(value) || value <= 0 || value > MaxCoordinate)
        invalid(QStringLiteral("The %1 must be a finite number above 0.").arg(what));
}

void ArgumentCheck::name(const QString& value, const QString& what)
{
    if (value.trimmed().isEmpty())
        invalid(QStringLiteral("The %1 is empty.").arg(what));
    if (value.size() > MaxNameLength)
        invalid(QStringLiteral("The %1 is longer than %2 characters.").arg(what).arg(MaxNameLength));
    static const QString forbidden = QStringLiteral("<>/\\\":;?*|=`");
    for (QChar c : value)
        if (forbidden.contains(c))
            invalid(QStringLiteral("The %1 \"%2\" contains the character %3, which names cannot.")
                        .arg(what, value, c));
    if (hasControlCharacter(value))
        invalid(QStringLiteral("The %1 contains a control character.").arg(what));
}

void ArgumentCheck::tag(const QString& value)
{
    if (value.isEmpty())
        invalid(QStringLiteral("The attribute tag is empty."));
    if (value.size() > MaxNameLength)
        invalid(QStringLiteral("The attribute tag is longer than %1 characters.").arg(MaxNameLength));
    if (value.contains(u' ') || hasControlCharacter(value))
        invalid(QStringLiteral("The attribute tag \"%1\" contains a blank or a control character.")
                    .arg(value));
}

void ArgumentCheck::text(const QString& value, const QString& what)
{
    if (value.size() > MaxTextLength)
        invalid(QStringLiteral("The %1 is longer than %2 characters.").arg(what).arg(MaxTextLength));
    if (hasControlCharacter(value))
        invalid(QStringLiteral("The %1 contains a line break or another control character.").arg(what));
}

void ArgumentCheck::path(const QString& value)
{
    if (value.trimmed().isEmpty())
        invalid(QStringLiteral("The file name is empty."));
    if (value.size() > 4096 || value.contains(QChar(0)) || hasControlCharacter(value))
        invalid(QStringLiteral("The file name is too long or contains a control character."));
}
