#pragma once

#include "FuseModel.h"

#include <utility>
#include <vector>

// A small fuse database built in code. Curves are given in axis values and
// stored normalized, as the loader stores them.
struct ProjectTestData
{
    FuseDatabase database;
    CharacteristicTypeTable types;
    const CharacteristicType* linear = nullptr; // 0..100 on both axes
    const CharacteristicType* timeCurrent = nullptr; // log, 1..100000 A, 0.001..10000 s
    const CharacteristicType* other = nullptr; // another linear type

    ProjectTestData()
    {
        linear = types.append(CharacteristicType("Linear", AxisDefinition{"U", false, 0, 100},
                                                 AxisDefinition{"P", false, 0, 100}));
        timeCurrent = types.append(CharacteristicType(
            "Time-Current", AxisDefinition{"A", true, 1, 100000}, AxisDefinition{"s", true, 0.001, 10000}));
        other = types.append(CharacteristicType("Other", AxisDefinition{"V", false, 0, 10},
                                                AxisDefinition{"W", false, 0, 10}));
    }

    Fuse* addFuse(const QString& name)
    {
        return database.addFuse(name, QStringLiteral("K-") + name);
    }
    void addCurve(Fuse* fuse, const CharacteristicType* type,
                  const std::vector<std::pair<double, double>>& values)
    {
        Characteristic* c = fuse->appendCharacteristic(++m_ids, type, database.pointMemory());
        int n = 0;
        for (auto [x, y] : values)
            c->appendPoint(CurvePoint{++n, type->xPosition(x), type->yPosition(y)});
    }
    // F1: falling line on "Linear" (x 10..90, y 90..10) and a time-current
    // curve; F2: a "Linear" curve that turns back in x; F3: only "Other".
    void addStandardFuses()
    {
        Fuse* f1 = addFuse("F1");
        addCurve(f1, linear, {{10, 90}, {90, 10}});
        addCurve(f1, timeCurrent, {{10, 1000}, {1000, 0.01}});
        addCurve(f1, other, {{1, 1}, {9, 9}});
        Fuse* f2 = addFuse("F2");
        addCurve(f2, linear, {{10, 80}, {50, 60}, {30, 40}, {70, 20}});
        addCurve(f2, other, {{1, 9}, {9, 1}});
        Fuse* f3 = addFuse("F3");
        addCurve(f3, other, {{2, 2}, {8, 8}});
        database.finishBuilding();
    }
    std::vector<const Fuse*> fuses(std::initializer_list<const char*> names) const
    {
        std::vector<const Fuse*> out;
        for (const char* name : names)
            out.push_back(database.findFuse(QString::fromUtf8(name)));
        return out;
    }

private:
    int m_ids = 0;
};
