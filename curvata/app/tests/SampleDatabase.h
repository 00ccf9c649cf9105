#pragma once

#include "FuseDatabaseLoader.h"
#include "FuseModel.h"

#include <QStringList>
#include <memory>
#include <vector>

// The sample fuse database the build installs, loaded once per test binary.
struct SampleDatabase
{
    std::unique_ptr<CharacteristicTypeTable> types;
    std::unique_ptr<FuseDatabase> fuses;

    static const SampleDatabase& get()
    {
        static const SampleDatabase sample = [] {
            SampleDatabase s;
            const QString dir = QStringLiteral(SAMPLE_DIR "/curvata/fuseDbDir/fuse");
            s.types = FuseDatabaseLoader::loadTypes(FuseDatabaseLoader::directorySource(dir));
            FuseDatabaseLoader loader(FuseDatabaseLoader::directorySource(dir));
            const CharacteristicTypeTable* types = s.types.get();
            loader.useTypeTable([types]() -> const CharacteristicTypeTable& { return *types; });
            s.fuses = loader.load();
            return s;
        }();
        return sample;
    }

    std::vector<const Fuse*> find(const QStringList& names) const
    {
        std::vector<const Fuse*> found;
        for (const QString& name : names)
            found.push_back(fuses->findFuse(name));
        return found;
    }
};
