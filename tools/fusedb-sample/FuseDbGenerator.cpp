#include "FuseDbGenerator.h"

#include "FuseDbSample.h"
#include "FuseDbWriter.h"

#include <QSet>

#include <random>

namespace {

// Fixed order of the standard types, see FuseDbWriter::standardTypes().
enum TypeSlot
{
    TimeCurrent,
    CutOff,
    PreArcing,
    PowerLoss,
    Operating,
    TypeCount
};

std::vector<CurveSample> curveFor(int slot, const FuseCurveModel& model, const FuseLink& link,
                                  int points)
{
    switch (slot) {
    case CutOff:
        return model.cutOff(points, link.breakingCapacityKA());
    case PreArcing:
        return model.preArcingI2t(points, link.breakingCapacityKA());
    case PowerLoss:
        return model.powerDissipation(points, link.ratedPowerLoss());
    case Operating:
        return model.operatingI2t(points, link.breakingCapacityKA());
    default:
        return model.timeCurrent(points);
    }
}

} // namespace

bool generateFuseDatabase(const QString& fuseDir, const FuseDbGeneratorOptions& options,
                          QString* error)
{
    if (options.fuses < 0 || options.characteristicsPerFuse < 0 ||
        options.pointsPerCharacteristic < 0) {
        if (error)
            *error =
                QStringLiteral("Counts of fuses, characteristics and points must not be negative");
        return false;
    }
    FuseDbWriter writer;
    for (const CharacteristicTypeDef& type : FuseDbWriter::standardTypes())
        writer.addType(type);

    const std::vector<FuseLink> range = sampleFuseRange();
    std::mt19937 random(options.seed);
    QSet<QString> groups;
    const auto group = [&](const QString& name, int level, const QString& parent) {
        if (!groups.contains(name)) {
            groups.insert(name);
            writer.addGroup(name, level, parent);
        }
    };

    for (int i = 0; i < options.fuses; ++i) {
        const FuseLink& link = range[size_t(i) % range.size()];
        const int series = i / int(range.size());
        // Later series repeat the range under their own prefix, so that names
        // stay unique and still end in the rating.
        const QString prefix =
            series == 0 ? QString() : QStringLiteral("S%1 ").arg(series, 2, 10, QLatin1Char('0'));
        const QString system = prefix + link.systemGroupName();
        const QString category = prefix + link.categoryGroupName();
        const QString size = prefix + link.sizeGroupName();
        group(system, 1, QString());
        group(category, 2, system);
        group(size, 3, category);
        const QString name = prefix + link.name();
        writer.addFuse(name, link.catalogueNumber(), size);

        // Spread of production: the whole curve shifts by up to +-3 %.
        const double shift = (double(random()) / double(std::mt19937::max()) - 0.5) * 0.06;
        const FuseCurveModel model(link.category, link.rating, shift);
        for (int k = 0; k < options.characteristicsPerFuse; ++k) {
            const int slot = k % TypeCount;
            writer.addCharacteristic(name, slot,
                                     curveFor(slot, model, link, options.pointsPerCharacteristic));
        }
    }
    return writer.write(fuseDir, error);
}
