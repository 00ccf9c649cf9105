#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One INI file in memory, read and changed the way the Windows
// private-profile functions do it. Every line keeps its original bytes and
// line end, so that changing one value rewrites only that line; new lines
// get the file's line end (CR LF for a new file).
//
// Lines: "[name]" starts a section, "key=value" is an entry, a line starting
// with ';' is a comment. Lines before the first section belong to none.
// When a section or key occurs twice, the first one counts.
class ProfileDocument
{
public:
    explicit ProfileDocument(const QByteArray& bytes = QByteArray());

    // The file's bytes, unchanged lines byte for byte.
    QByteArray toBytes() const;
    bool isEmpty() const { return m_lines.isEmpty(); }
    // False when the file was read as Windows-1250 and is still written so.
    bool isUtf8() const { return m_utf8; }

    // The value of `key` (blanks around it trimmed, surrounding quotes kept),
    // or nothing when the section or key does not exist.
    std::optional<QString> rawValue(const QString& section, const QString& key) const;
    // The value as the program sees it: one pair of surrounding double or
    // single quotes removed.
    std::optional<QString> value(const QString& section, const QString& key) const;
    static QString unquote(const QString& value);

    // The entry lines of the first section called `section`, trimmed, as
    // "key=value" (lines without '=' as they stand); comments and blank
    // lines left out.
    QStringList sectionLines(const QString& section) const;
    QStringList sectionNames() const;
    bool hasSection(const QString& section) const { return findSection(section) >= 0; }

    // These return true if the document changed. A new section goes to the
    // end of the file; a new key after the last entry of its section.
    bool setValue(const QString& section, const QString& key, const QString& value);
    // Deletes every line of `key` in the section, so that no later duplicate
    // shows through.
    bool removeKey(const QString& section, const QString& key);
    // Deletes every section of that name with all its lines.
    bool removeSection(const QString& section);

    // Why a section name, key or value cannot be stored so that it reads
    // back the same (a line break would start a new line, a '=' in a key
    // would move the split); empty when it can. Names are trimmed first.
    static QString checkSection(const QString& section);
    static QString checkKey(const QString& key);
    static QString checkValue(const QString& value);
    // The text written after '=': quoted when blanks around it or its own
    // surrounding quotes would otherwise be lost on reading.
    static QString encodeValue(const QString& value);

private:
    enum class Kind
    {
        Blank,
        Comment,
        Section,
        Entry,
        Other // a line without '=' inside a section
    };
    struct Line
    {
        std::optional<QByteArray> raw; // original bytes; none for new lines
        QByteArray eol;                // "\r\n", "\n" or "" (last line)
        QString text;
        Kind kind = Kind::Blank;
        QString name;  // section name or key, trimmed
        QString value; // entries: text after the first '=', trimmed
    };

    static void classify(Line& line);
    int findSection(const QString& section, int from = 0) const;
    int sectionEnd(int header) const;
    int findKey(int header, const QString& key) const;
    void insertLine(int at, const QString& text);
    void replaceLine(int at, const QString& text);
    QByteArray encode(const QString& text) const;

    QList<Line> m_lines;
    bool m_bom = false;
    bool m_utf8 = true;
    QByteArray m_newline = "\r\n";
};
