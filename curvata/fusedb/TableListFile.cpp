#include "TableListFile.h"

#include "WinPath.h"

#include <QFile>
#include <array>
#include <set>
#include <string>

namespace {

constexpr std::array<std::string_view, 5> kTables = {"var_grup", "vars", "tip_kar", "karakt",
                                                     "tocka"};

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Collects the words that are table names; a word is only kept while it
// could still be one, so a huge file costs no memory.
class WordScanner
{
public:
    void feed(std::string_view text)
    {
        for (char c : text) {
            if (isCSpace(c)) {
                endWord();
            } else if (m_word.size() <= kLongest) {
                m_word.push_back(c);
            }
        }
    }
    void endWord()
    {
        if (!m_word.empty() && m_word.size() <= kLongest)
            m_found.insert(m_word);
        m_word.clear();
    }
    QString firstMissing() const
    {
        for (std::string_view table : kTables) {
            if (m_found.find(std::string(table)) == m_found.end())
                return QString::fromLatin1(table.data(), qsizetype(table.size()));
        }
        return QString();
    }

private:
    static constexpr size_t kLongest = 8; // "var_grup"
    std::string m_word;
    std::set<std::string> m_found;
};

} // namespace

QStringList TableListFile::requiredTables()
{
    QStringList names;
    for (std::string_view table : kTables)
        names.append(QString::fromLatin1(table.data(), qsizetype(table.size())));
    return names;
}

QString TableListFile::firstMissingTable(std::string_view contents)
{
    WordScanner scanner;
    scanner.feed(contents);
    scanner.endWord();
    return scanner.firstMissing();
}

bool TableListFile::check(const QString& directory, QString* problem)
{
    const QString path = WinPath::toNative(directory + QStringLiteral("\\fuse"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (problem)
            *problem = QStringLiteral("the table list file %1 cannot be read: %2")
                           .arg(path, file.errorString());
        return false;
    }
    WordScanner scanner;
    char piece[1 << 14];
    for (;;) {
        const qint64 got = file.read(piece, sizeof piece);
        if (got < 0) {
            if (problem)
                *problem = QStringLiteral("the table list file %1 cannot be read: %2")
                               .arg(path, file.errorString());
            return false;
        }
        if (got == 0)
            break;
        scanner.feed(std::string_view(piece, size_t(got)));
    }
    scanner.endWord();
    const QString missing = scanner.firstMissing();
    if (!missing.isEmpty() && problem)
        *problem = QStringLiteral("the table list file %1 does not name the table \"%2\"")
                       .arg(path, missing);
    return missing.isEmpty();
}
