#pragma once

#include <QString>
#include <QStringList>

// Builds the catalogue half of the sample installation from the CSV sources:
// configuration files, pictures, PDF documents and block drawings. The table
// files themselves are made by the table tool.
class SampleInstallation
{
public:
    // `sourceDir` holds the CSV files and omitted.txt; `sampleDir` receives
    // WIN.INI and kavrel/. Throws std::runtime_error on the first failure.
    SampleInstallation(const QString& sourceDir, const QString& sampleDir);

    void build();

    // The configuration file's text (CR LF line ends) for the given
    // directories: every section and key that the catalogue program knows.
    static QByteArray configuration(const QString& dataDir, const QString& dbDir);
    static QByteArray bootstrapProfile(const QString& configPath);
    // Help documents below the data directory, as the program names them
    // (with backslashes and, for HRV and SLO, a trailing blank).
    static QStringList helpPaths();

    QString dataDir() const;
    QString dbDir() const;

    QStringList written() const { return m_written; }

private:
    void writeFile(const QString& path, const QByteArray& content);
    void cleanFolder(const QString& path);
    bool omitted(const QString& relativeToData) const;

    QString m_source;
    QString m_sample;
    QStringList m_omitted;
    QStringList m_written;
};
