#pragma once

#include "FuseModel.h"

#include <memory>
#include <vector>

// A logarithmic time-current type and a few fuses with falling curves, for
// the window tests.
struct ViewTestData
{
    CharacteristicType type{"Time-Current", AxisDefinition{"I [A]", true, 1, 100000},
                            AxisDefinition{"t [s]", true, 0.001, 10000}};
    std::vector<std::unique_ptr<Fuse>> fuses;

    explicit ViewTestData(int count = 3)
    {
        for (int i = 0; i < count; ++i) {
            const double rated = 16.0 * (i + 1);
            fuses.push_back(std::make_unique<Fuse>(QStringLiteral("NH %1A").arg(rated),
                                                   QStringLiteral("%1").arg(100 + i)));
            Characteristic* c = fuses.back()->appendCharacteristic(i + 1, &type);
            c->appendPoint(CurvePoint{1, type.xPosition(rated * 1.6), type.yPosition(5000)});
            c->appendPoint(CurvePoint{2, type.xPosition(rated * 3), type.yPosition(20)});
            c->appendPoint(CurvePoint{3, type.xPosition(rated * 8), type.yPosition(0.2)});
            c->appendPoint(CurvePoint{4, type.xPosition(rated * 20), type.yPosition(0.005)});
        }
    }
    std::vector<const Fuse*> list() const
    {
        std::vector<const Fuse*> out;
        for (const auto& f : fuses)
            out.push_back(f.get());
        return out;
    }
};
