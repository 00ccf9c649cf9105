#include "CsvTable.h"

#include <QFile>
#include <QSaveFile>

#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& source, int line, const QString& what)
{
    throw std::runtime_error(
        QStringLiteral("%1:%2: %3").arg(source).arg(line).arg(what).toStdString());
}

// Splits the text into records; a record ends at a line break outside quotes.
QVector<QStringList> records(const QString& text, const QString& source)
{
    QVector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    int startLine = 1;
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && field.isEmpty() && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == u',') {
            row << field;
            field.clear();
            fieldStarted = false;
        } else if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
            continue;
        } else if (c == u'\n') {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            fieldStarted = false;
            startLine = ++line;
        } else {
            field += c;
        }
    }
    if (quoted)
        fail(source, startLine, QStringLiteral("unterminated quoted field"));
    if (!field.isEmpty() || !row.isEmpty() || fieldStarted) {
        row << field;
        rows << row;
    }
    return rows;
}

} // namespace

CsvTable::CsvTable(const QStringList& header) : m_header(header)
{
    for (int i = 0; i < header.size(); ++i)
        m_columns.insert(header[i], i);
}

CsvTable CsvTable::parse(const QString& input, const QString& source)
{
    QString text = input;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QVector<QStringList> rows = records(text, source);
    if (rows.isEmpty())
        fail(source, 1, QStringLiteral("no header row"));
    CsvTable table(rows.takeFirst());
    int line = 1;
    for (const QStringList& row : rows) {
        ++line;
        if (row.size() == 1 && row[0].isEmpty())
            continue; // blank line
        if (row.size() != table.m_header.size())
            fail(source, line,
                 QStringLiteral("%1 fields where the header has %2")
                     .arg(row.size())
                     .arg(table.m_header.size()));
        table.m_rows << row;
    }
    return table;
}

CsvTable CsvTable::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("cannot read %1: %2").arg(path, file.errorString()).toStdString());
    return parse(QString::fromUtf8(file.readAll()), path);
}

int CsvTable::column(const QString& field) const
{
    const auto it = m_columns.constFind(field);
    if (it == m_columns.constEnd())
        throw std::runtime_error(QStringLiteral("no field %1").arg(field).toStdString());
    return *it;
}

QString CsvTable::value(int row, const QString& field) const
{
    return m_rows[row][column(field)];
}

int CsvTable::intValue(int row, const QString& field) const
{
    bool ok = false;
    const int v = value(row, field).toInt(&ok);
    if (!ok)
        throw std::runtime_error(QStringLiteral("row %1: %2 is not a whole number: \"%3\"")
                                     .arg(row + 2)
                                     .arg(field, value(row, field))
                                     .toStdString());
    return v;
}

void CsvTable::append(const QStringList& row)
{
    if (row.size() != m_header.size())
        throw std::runtime_error("row does not match the header");
    m_rows << row;
}

QString CsvTable::quote(const QString& field)
{
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') &&
        !field.contains(u'\r'))
        return field;
    QString q = field;
    q.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

QString CsvTable::toText() const
{
    QString out;
    auto line = [&out](const QStringList& fields) {
        for (int i = 0; i < fields.size(); ++i) {
            if (i)
                out += u',';
            out += quote(fields[i]);
        }
        out += u'\n';
    };
    line(m_header);
    for (const QStringList& row : m_rows)
        line(row);
    return out;
}

void CsvTable::write(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toText().toUtf8()) < 0 || !file.commit())
        throw std::runtime_error(
            QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
}
