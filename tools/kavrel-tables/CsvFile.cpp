#include "CsvFile.h"

#include "TableError.h"

std::vector<CsvFile::Record> CsvFile::parse(const QString& input)
{
    QStringView text(input);
    if (text.startsWith(QChar(0xFEFF)))
        text = text.mid(1);
    std::vector<Record> records;
    Record record;
    QString field;
    int line = 1;
    record.line = 1;
    bool quoted = false;    // inside a quoted field
    bool wasQuoted = false; // the current field was quoted (closing seen)
    bool any = false;       // the record has content
    auto endField = [&] {
        record.fields << field;
        field.clear();
        wasQuoted = false;
    };
    auto endRecord = [&] {
        endField();
        if (any)
            records.push_back(record);
        record = Record();
        any = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                    wasQuoted = true;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char(',')) {
            endField();
            any = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            endRecord();
            ++line;
            record.line = line;
        } else if (c == QLatin1Char('"')) {
            if (!field.isEmpty() || wasQuoted)
                throw TableError(
                    QStringLiteral("line %1: a quote inside an unquoted field").arg(line));
            quoted = true;
            any = true;
        } else {
            if (wasQuoted)
                throw TableError(
                    QStringLiteral("line %1: text after the closing quote of a field").arg(line));
            field += c;
            any = true;
        }
    }
    if (quoted)
        throw TableError(QStringLiteral("line %1: a quoted field is not closed").arg(record.line));
    if (any || !field.isEmpty())
        endRecord();
    return records;
}

QString CsvFile::quote(const QString& field)
{
    const bool needs = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
                       field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'));
    if (!needs)
        return field;
    QString out = field;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString CsvFile::formatRecord(const QStringList& fields)
{
    QStringList out;
    for (const QString& f : fields)
        out << quote(f);
    return out.join(QLatin1Char(','));
}
