#include "AcadPoint.h"

#include <cmath>

bool AcadPoint::isFinite() const
{
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
}

std::optional<AcadPoint> AcadPoint::fromVariant(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<AcadPoint>()) {
        const auto p = value.value<AcadPoint>();
        return p.isFinite() ? std::optional(p) : std::nullopt;
    }
    QVariantList items;
    if (value.metaType() == QMetaType::fromType<QList<double>>()) {
        for (double d : value.value<QList<double>>())
            items.append(d);
    } else if (value.metaType() == QMetaType::fromType<QVariantList>()) {
        items = value.toList();
    } else {
        return std::nullopt;
    }
    if (items.size() != 3)
        return std::nullopt;
    double c[3];
    for (int i = 0; i < 3; ++i) {
        const QVariant& item = items[i];
        // Strings are refused although they convert: "1,5" is not a coordinate.
        if (item.metaType().id() == QMetaType::QString)
            return std::nullopt;
        bool ok = false;
        c[i] = item.toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    const AcadPoint p{c[0], c[1], c[2]};
    return p.isFinite() ? std::optional(p) : std::nullopt;
}
