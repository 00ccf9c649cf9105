#pragma once

#include <QString>

// Utilisation category of a fuse link: full-range general purpose, partial
// range motor protection, full-range semiconductor protection.
enum class FuseCategory
{
    gG,
    aM,
    gR
};

// One fuse link of the product range: its size, category and rating, and what
// follows from them (name, catalogue number, group names, rated values).
struct FuseLink
{
    // Size digit of the catalogue code: 0 NH000, 1 NH00, 2 NH1, 3 NH2, 4 NH3,
    // 5 D II, 6 D III, 7 D01, 8 D02, 9 10x38.
    int sizeDigit = 1;
    FuseCategory category = FuseCategory::gG;
    double rating = 16.0; // A

    QString sizeName() const;
    QString categoryName() const;
    // "63", "6,3": the rating as the fuse names and the rating sort want it.
    QString ratingText() const;
    // "NH00 gG 6,3 A"
    QString name() const;
    // "1" + category digit + size digit + rating x 10 in four digits.
    QString catalogueNumber() const;

    // Group names from the top: system, system + category, size + category.
    QString systemGroupName() const;
    QString categoryGroupName() const;
    QString sizeGroupName() const;

    double breakingCapacityKA() const;
    // Power dissipation at rated current, W.
    double ratedPowerLoss() const;
};
