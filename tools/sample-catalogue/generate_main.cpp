// catalogue-generate [--products N] [--tables <kavrel-tables>] <output dir>
// Writes a large catalogue as CSV files (default 20,000 products) and, given
// the table tool, turns them into T1.CDS ... T4.CDS and cert.cds beside them.
#include "LargeCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTextStream>

#include <exception>

namespace {

bool makeTables(const QString& tool, const QString& dir, QTextStream& err)
{
    const QList<std::pair<const char*, const char*>> tables = {{"tree", "T1.CDS"},
                                                               {"attributes", "T2.CDS"},
                                                               {"texts", "T3.CDS"},
                                                               {"pictures", "T4.CDS"},
                                                               {"certificates", "cert.cds"}};
    const QDir d(dir);
    for (const auto& [schema, file] : tables) {
        const QString csv = d.filePath(QString::fromLatin1(schema) + QStringLiteral(".csv"));
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(tool, {QStringLiteral("create"), QString::fromLatin1(schema), csv,
                       d.filePath(QString::fromLatin1(file))});
        if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode()) {
            err << "catalogue-generate: " << tool << " failed for " << schema << '\n';
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    int products = 20000;
    QString tool, out;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == u"--products" && !args.isEmpty()) {
            bool ok = false;
            products = args.takeFirst().toInt(&ok);
            if (!ok || products < 1) {
                err << "catalogue-generate: --products needs a positive whole number\n";
                return 2;
            }
        } else if (a == u"--tables" && !args.isEmpty()) {
            tool = args.takeFirst();
        } else if (out.isEmpty() && !a.startsWith(u'-')) {
            out = a;
        } else {
            out.clear();
            break;
        }
    }
    if (out.isEmpty()) {
        err << "usage: catalogue-generate [--products N] [--tables <kavrel-tables>] <dir>\n";
        return 2;
    }
    try {
        const auto c = LargeCatalogue::writeCsv(products, out);
        QTextStream(stdout) << "products " << c.products << ", tree rows " << c.treeRows
                            << ", attribute rows " << c.attributeRows << ", text rows "
                            << c.textRows << ", certificate rows " << c.certificateRows << '\n';
    } catch (const std::exception& e) {
        err << "catalogue-generate: " << e.what() << '\n';
        return 1;
    }
    if (!tool.isEmpty() && !makeTables(tool, out, err))
        return 1;
    return 0;
}
