// Writes the curated sample fuse database or a large generated one.
#include "FuseDbGenerator.h"
#include "FuseDbSample.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

bool readCount(const QCommandLineParser& parser, const QString& option, int* value)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const int n = parser.value(option).toInt(&ok);
    if (!ok || n < 0) {
        std::fprintf(stderr, "--%s needs a whole number of 0 or more\n", qPrintable(option));
        return false;
    }
    *value = n;
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a fuse database directory (table list \"fuse\", .des and .rec files)."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("sample"), QStringLiteral("Write the curated sample database.")},
        {QStringLiteral("fuses"), QStringLiteral("Number of fuses (large database)."),
         QStringLiteral("n")},
        {QStringLiteral("characteristics"), QStringLiteral("Characteristics per fuse."),
         QStringLiteral("n")},
        {QStringLiteral("points"), QStringLiteral("Points per characteristic."),
         QStringLiteral("n")},
        {QStringLiteral("seed"), QStringLiteral("Random seed."), QStringLiteral("n")},
    });
    parser.addPositionalArgument(QStringLiteral("directory"),
                                 QStringLiteral("Directory to write the database into."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }
    const QString dir = parser.positionalArguments().front();
    QString error;
    bool ok = false;
    if (parser.isSet(QStringLiteral("sample"))) {
        ok = writeSampleFuseDatabase(dir, &error);
    } else {
        FuseDbGeneratorOptions options{5000, 5, 40, 1};
        int seed = 1;
        if (!readCount(parser, QStringLiteral("fuses"), &options.fuses) ||
            !readCount(parser, QStringLiteral("characteristics"),
                       &options.characteristicsPerFuse) ||
            !readCount(parser, QStringLiteral("points"), &options.pointsPerCharacteristic) ||
            !readCount(parser, QStringLiteral("seed"), &seed))
            return 2;
        options.seed = unsigned(seed);
        ok = generateFuseDatabase(dir, options, &error);
    }
    if (!ok) {
        std::fprintf(stderr, "fusedb-sample: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
