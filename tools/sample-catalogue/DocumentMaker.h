#pragma once

#include "SampleCatalogue.h"

#include <QString>

class QPainter;
class QPdfWriter;

// The PDF documents of the sample installation, generated from the catalogue:
// chapter documents whose page numbers are those of the catalogue's page rows,
// the technical data document, certificates and the user manuals. Each
// function throws std::runtime_error when the file cannot be written.
class DocumentMaker
{
public:
    explicit DocumentMaker(const SampleCatalogue& catalogue) : m_cat(catalogue) {}

    // Pages: 1 title and contents; every other page lists the groups and
    // products whose catalogue page (SORT 10) is that page.
    void chapter(int chapter, const QString& language, const QString& path) const;
    // Pages: 1 title; then each product on its technical data page (SORT 20).
    void technicalData(const QString& path) const;
    void certificate(const QString& file, const QString& path) const;
    // The user manual in "ANG", "HRV" or "SLO".
    void manual(const QString& language, const QString& path) const;

    // Number of pages a chapter document has.
    int chapterPages(int chapter) const;
    int technicalDataPages() const;

private:
    void header(QPainter& p, const QString& left, const QString& right) const;
    void footer(QPainter& p, int page) const;
    int productRows(QPainter& p, int y, const QVector<int>& nodes, const QString& language,
                    bool technical) const;

    const SampleCatalogue& m_cat;
};
