#include "FuseLink.h"

#include <algorithm>
#include <cmath>

namespace {

struct SizeData
{
    const char* name;
    const char* system;      // prefix of the system and category group names
    double maxPowerLoss;     // W, at the largest rating of the size
    double largestRating;    // A
    double breakingCapacity; // kA
};

// Power limits of the sizes as the product standards set them for gG links.
constexpr SizeData kSizes[10] = {
    {"NH000", "NH", 7.5, 160, 120}, {"NH00", "NH", 12, 160, 120},
    {"NH1", "NH", 23, 250, 120},    {"NH2", "NH", 34, 400, 120},
    {"NH3", "NH", 48, 630, 120},    {"D II", "D", 4, 25, 50},
    {"D III", "D", 7, 63, 50},      {"D01", "D0", 2.5, 16, 50},
    {"D02", "D0", 5.5, 63, 50},     {"10x38", "Cylindrical", 3, 32, 100},
};

const SizeData& sizeData(int digit)
{
    return kSizes[(digit >= 0 && digit < 10) ? digit : 1];
}

} // namespace

QString FuseLink::sizeName() const
{
    return QString::fromLatin1(sizeData(sizeDigit).name);
}

QString FuseLink::categoryName() const
{
    switch (category) {
    case FuseCategory::aM:
        return QStringLiteral("aM");
    case FuseCategory::gR:
        return QStringLiteral("gR");
    case FuseCategory::gG:
        break;
    }
    return QStringLiteral("gG");
}

QString FuseLink::ratingText() const
{
    const long tenths = std::lround(rating * 10.0);
    if (tenths % 10 == 0)
        return QString::number(tenths / 10);
    return QString::number(tenths / 10) + QLatin1Char(',') + QString::number(tenths % 10);
}

QString FuseLink::name() const
{
    return sizeName() + QLatin1Char(' ') + categoryName() + QLatin1Char(' ') + ratingText() +
           QStringLiteral(" A");
}

QString FuseLink::catalogueNumber() const
{
    const int categoryDigit = category == FuseCategory::gG   ? 1
                              : category == FuseCategory::aM ? 2
                                                             : 3;
    const long tenths = std::lround(rating * 10.0) % 10000;
    return QStringLiteral("1%1%2%3")
        .arg(categoryDigit)
        .arg(sizeDigit)
        .arg(tenths, 4, 10, QLatin1Char('0'));
}

QString FuseLink::systemGroupName() const
{
    return QString::fromLatin1(sizeData(sizeDigit).system) + QStringLiteral(" fuse links");
}

QString FuseLink::categoryGroupName() const
{
    return QString::fromLatin1(sizeData(sizeDigit).system) + QLatin1Char(' ') + categoryName();
}

QString FuseLink::sizeGroupName() const
{
    return sizeName() + QLatin1Char(' ') + categoryName();
}

double FuseLink::breakingCapacityKA() const
{
    return category == FuseCategory::gR ? 100.0 : sizeData(sizeDigit).breakingCapacity;
}

double FuseLink::ratedPowerLoss() const
{
    const SizeData& size = sizeData(sizeDigit);
    double loss = 0.8 * size.maxPowerLoss * std::pow(rating / size.largestRating, 0.8);
    // Motor links carry less steady current; semiconductor links run hot by design.
    if (category == FuseCategory::aM)
        loss *= 0.75;
    else if (category == FuseCategory::gR)
        loss *= 1.6;
    return std::max(loss, 0.2);
}
