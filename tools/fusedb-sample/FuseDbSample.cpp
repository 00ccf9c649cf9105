#include "FuseDbSample.h"

#include "FuseCurveModel.h"
#include "FuseDbWriter.h"

#include <algorithm>

namespace {

enum TypeSlot
{
    TimeCurrent,
    CutOff,
    PreArcing,
    PowerLoss,
    Operating
};

constexpr int kTimeCurrentPoints = 24;
constexpr int kCutOffPoints = 12;
constexpr int kI2tPoints = 12;
constexpr int kPowerPoints = 6;

// Deliberate irregularities of the sample, each documented in its README.
const QString kOrphanFuse = QStringLiteral("NH00 gG 35 A");
const QString kOrphanGroup = QStringLiteral("NH00 gG (withdrawn)");
const QString kTurningBackFuse = QStringLiteral("NH1 gR 250 A");
const QString kSinglePointFuse = QStringLiteral("D01 gG 2 A");

struct RangeRow
{
    int sizeDigit;
    FuseCategory category;
    std::vector<double> ratings;
};

const std::vector<RangeRow>& rangeRows()
{
    using C = FuseCategory;
    static const std::vector<RangeRow> rows = {
        {0, C::gG, {2, 4, 6, 10, 16, 20, 25, 32, 35, 40, 50, 63, 80, 100, 125, 160}},
        {1, C::gG, {6, 6.3, 10, 16, 20, 25, 32, 35, 40, 50, 63, 80, 100, 125, 160}},
        {2, C::gG, {32, 35, 40, 50, 63, 80, 100, 125, 160, 200, 224, 250}},
        {3, C::gG, {63, 80, 100, 125, 160, 200, 224, 250, 300, 315, 355, 400}},
        {4, C::gG, {250, 300, 315, 355, 400, 425, 500, 630}},
        {1, C::aM, {16, 20, 25, 32, 35, 40, 50, 63, 80, 100, 125, 160}},
        {2, C::aM, {50, 63, 80, 100, 125, 160, 200, 250}},
        {3, C::aM, {125, 160, 200, 250, 315, 400}},
        {4, C::aM, {315, 355, 400, 500, 630}},
        {1, C::gR, {32, 40, 50, 63, 80, 100, 125, 160}},
        {2, C::gR, {100, 125, 160, 200, 250, 315}},
        {3, C::gR, {250, 315, 350, 400, 450, 500}},
        {4, C::gR, {500, 630, 710, 800}},
        {5, C::gG, {2, 4, 6, 10, 13, 16, 20, 25}},
        {6, C::gG, {35, 50, 63}},
        {7, C::gG, {2, 4, 6, 10, 13, 16}},
        {8, C::gG, {20, 25, 32, 35, 40, 50, 63}},
        {9, C::gG, {0.5, 1, 2, 4, 6, 8, 10, 12, 16, 20, 25, 32}},
        {9, C::aM, {0.5, 1, 2, 4, 6, 8, 10, 12, 16, 20, 25, 32}},
        {9, C::gR, {2, 4, 6, 10, 16, 20, 25, 32}},
    };
    return rows;
}

// NH00 semiconductor links sit directly in their category group, next to
// the subgroups of the larger sizes.
bool inCategoryGroup(const FuseLink& link)
{
    return link.category == FuseCategory::gR && link.sizeDigit == 1;
}

QString groupOf(const FuseLink& link)
{
    if (link.name() == kOrphanFuse)
        return kOrphanGroup;
    return inCategoryGroup(link) ? link.categoryGroupName() : link.sizeGroupName();
}

// Writes the three group levels depth first, each group once.
void writeGroups(FuseDbWriter& writer, const std::vector<FuseLink>& range)
{
    std::vector<QString> systems;
    for (const FuseLink& link : range) {
        if (std::find(systems.begin(), systems.end(), link.systemGroupName()) == systems.end())
            systems.push_back(link.systemGroupName());
    }
    for (const QString& system : systems) {
        writer.addGroup(system, 1, QString());
        std::vector<QString> categories;
        for (const FuseLink& link : range) {
            if (link.systemGroupName() == system &&
                std::find(categories.begin(), categories.end(), link.categoryGroupName()) ==
                    categories.end())
                categories.push_back(link.categoryGroupName());
        }
        for (const QString& category : categories) {
            writer.addGroup(category, 2, system);
            std::vector<QString> sizes;
            for (const FuseLink& link : range) {
                if (link.categoryGroupName() == category && !inCategoryGroup(link) &&
                    std::find(sizes.begin(), sizes.end(), link.sizeGroupName()) == sizes.end())
                    sizes.push_back(link.sizeGroupName());
            }
            for (const QString& size : sizes)
                writer.addGroup(size, 3, category);
        }
    }
}

// A recorded curve whose current falls back for a moment below 50 ms before
// it rises again: a vertical line there meets the curve twice or more.
std::vector<CurveSample> turnBack(std::vector<CurveSample> curve)
{
    const auto knee =
        std::find_if(curve.begin(), curve.end(), [](const CurveSample& p) { return p.y < 0.05; });
    if (knee == curve.end())
        return curve;
    const CurveSample k = *knee;
    std::vector<CurveSample> out(curve.begin(), knee + 1);
    out.push_back({k.x * 0.90, k.y * 0.7});
    out.push_back({k.x * 0.93, k.y * 0.5});
    for (auto it = knee + 1; it != curve.end(); ++it) {
        if (it->y < k.y * 0.45)
            out.push_back(*it);
    }
    return out;
}

void writeCharacteristics(FuseDbWriter& writer, const FuseLink& link)
{
    const QString name = link.name();
    const FuseCurveModel model(link.category, link.rating);
    std::vector<CurveSample> timeCurrent = model.timeCurrent(kTimeCurrentPoints);
    if (name == kTurningBackFuse)
        timeCurrent = turnBack(timeCurrent);
    writer.addCharacteristic(name, TimeCurrent, timeCurrent);
    writer.addCharacteristic(name, CutOff, model.cutOff(kCutOffPoints, link.breakingCapacityKA()));
    writer.addCharacteristic(name, PreArcing,
                             model.preArcingI2t(kI2tPoints, link.breakingCapacityKA()));
    // Only the rated loss is published for the smallest D0 link.
    const int powerPoints = name == kSinglePointFuse ? 1 : kPowerPoints;
    writer.addCharacteristic(name, PowerLoss,
                             model.powerDissipation(powerPoints, link.ratedPowerLoss()));
    // Semiconductor links are chosen by their let-through energy as well.
    if (link.category == FuseCategory::gR)
        writer.addCharacteristic(name, Operating,
                                 model.operatingI2t(kI2tPoints, link.breakingCapacityKA()));
}

} // namespace

std::vector<FuseLink> sampleFuseRange()
{
    std::vector<FuseLink> range;
    for (const RangeRow& row : rangeRows()) {
        for (double rating : row.ratings)
            range.push_back({row.sizeDigit, row.category, rating});
    }
    return range;
}

bool writeSampleFuseDatabase(const QString& fuseDir, QString* error)
{
    FuseDbWriter writer;
    for (const CharacteristicTypeDef& type : FuseDbWriter::standardTypes())
        writer.addType(type);
    const std::vector<FuseLink> range = sampleFuseRange();
    writeGroups(writer, range);
    for (const FuseLink& link : range)
        writer.addFuse(link.name(), link.catalogueNumber(), groupOf(link));
    for (const FuseLink& link : range)
        writeCharacteristics(writer, link);
    return writer.write(fuseDir, error);
}
