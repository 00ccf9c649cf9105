#pragma once

// A small catalogue of our own in a temporary directory: the five table
// files, a configuration file and a bootstrap profile that KAVREL_WININI
// points to for the life of the object.
//
// Segment 2 ("Building and industry"):
//   10 NH system (code 10)
//     100 NH00 (code 100)
//       1000 gG fuses
//         10000 "NH00 gG 10 A" 1110100 (two name rows, two text rows)
//         10001 (no name row)
//         10003 "no code" (a name text without KODA)
//       1001 aM fuses
//         10010 "NH00 aM 20 A" 1210200
//     101 (no name row, no children)
//   11 (no name row, no children)
// Segment 3 ("Energy"): nothing below it.
// Segment 4: 12 Semiconductor fuses / 120 Size 1.
// Row 1000,B,9,10002 has another branch code and is never shown.

#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

class SmallCatalogue
{
public:
    explicit SmallCatalogue(const QString& language = QStringLiteral("ANG"));
    ~SmallCatalogue();

    QString dir() const { return m_dir.path(); }
    QString dbDir() const { return m_dir.path() + QStringLiteral("/db"); }
    QString dataDir() const { return m_dir.path() + QStringLiteral("/data"); }
    QString configPath() const { return m_dir.path() + QStringLiteral("/KAVREL.INI"); }
    QString bootstrapPath() const { return m_dir.path() + QStringLiteral("/WIN.INI"); }

    // Rewrites the configuration file with these KAVREL keys (a null value
    // leaves the key out).
    void writeConfig(const QString& language, const QString& dataDir, const QString& dbDir);
    // Rewrites the bootstrap profile with arbitrary content.
    void writeBootstrap(const QByteArray& content);

    static void writeTable(const QString& path, const QString& schema,
                           const QList<QVariantList>& rows);

private:
    void writeTables();
    QTemporaryDir m_dir;
    QByteArray m_oldWinIni;
    bool m_hadWinIni = false;
};
