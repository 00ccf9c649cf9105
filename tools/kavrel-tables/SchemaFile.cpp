#include "SchemaFile.h"

#include "TableError.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

TableSchema SchemaFile::parse(const QString& text, const QString& fileName)
{
    TableSchema schema;
    schema.name = QFileInfo(fileName).completeBaseName();
    const QStringList lines = text.split(QLatin1Char('\n'));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        auto fail = [&](const QString& why) {
            throw TableError(QStringLiteral("%1:%2: %3").arg(fileName).arg(n + 1).arg(why));
        };
        const QStringList words = line.split(blanks);
        const QString keyword = words[0].toLower();
        if (keyword == QLatin1String("name") && words.size() == 2) {
            schema.name = words[1];
        } else if (keyword == QLatin1String("field") && (words.size() == 3 || words.size() == 4)) {
            FieldDef f;
            f.name = words[1];
            if (!TableSchema::parseTypeName(words[2], &f.type))
                fail(QStringLiteral("unknown field type \"%1\"").arg(words[2]));
            if (f.type == FieldType::String) {
                bool ok = false;
                f.width = words.size() == 4 ? words[3].toInt(&ok) : 0;
                if (!ok || f.width <= 0)
                    fail(QStringLiteral("a string field needs a width: field NAME string 40"));
            } else if (words.size() == 4) {
                fail(QStringLiteral("only string fields have a width"));
            }
            schema.fields.push_back(f);
        } else if (keyword == QLatin1String("index") && words.size() >= 3) {
            IndexDef idx;
            idx.name = words[1];
            idx.fields = words[2].split(QLatin1Char(';'), Qt::SkipEmptyParts);
            for (qsizetype w = 3; w < words.size(); ++w) {
                if (words[w].compare(QLatin1String("primary"), Qt::CaseInsensitive) == 0)
                    idx.primary = true;
                else if (words[w].compare(QLatin1String("unique"), Qt::CaseInsensitive) == 0)
                    idx.unique = true;
                else
                    fail(QStringLiteral("unknown index option \"%1\"").arg(words[w]));
            }
            schema.indexes.push_back(idx);
        } else {
            fail(QStringLiteral("cannot read \"%1\"").arg(line));
        }
    }
    try {
        schema.validate();
    } catch (const TableError& e) {
        throw TableError(QStringLiteral("%1: %2").arg(fileName, e.reason()));
    }
    return schema;
}

TableSchema SchemaFile::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TableError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return parse(QString::fromUtf8(file.readAll()), path);
}

QString SchemaFile::help()
{
    return QStringLiteral("Schema file: one statement a line, '#' starts a comment.\n"
                          "  name  <schema name>\n"
                          "  field <NAME> int32|int16|float|date|datetime\n"
                          "  field <NAME> string <width>\n"
                          "  index <NAME> <FIELD;FIELD;...> [primary] [unique]\n");
}
