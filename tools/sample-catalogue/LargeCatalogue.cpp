#include "LargeCatalogue.h"

#include "CsvTable.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace {

// Buffered CSV output; the fields written here never need quoting except the
// texts, which go through CsvTable::quote.
class Out
{
public:
    Out(const QString& path, const char* header) : m_file(path)
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw std::runtime_error(QStringLiteral("cannot write %1: %2")
                                         .arg(path, m_file.errorString())
                                         .toStdString());
        m_buffer.reserve(1 << 20);
        m_buffer += header;
        m_buffer += '\n';
    }
    ~Out() { flush(); }
    void row(const QStringList& fields)
    {
        for (int i = 0; i < fields.size(); ++i) {
            if (i)
                m_buffer += ',';
            m_buffer += CsvTable::quote(fields[i]).toUtf8();
        }
        m_buffer += '\n';
        ++m_rows;
        if (m_buffer.size() > (1 << 20) - 4096)
            flush();
    }
    void flush()
    {
        if (!m_buffer.isEmpty() && m_file.write(m_buffer) != m_buffer.size())
            throw std::runtime_error(QStringLiteral("cannot write %1: %2")
                                         .arg(m_file.fileName(), m_file.errorString())
                                         .toStdString());
        m_buffer.clear();
    }
    int rows() const { return m_rows; }

private:
    QFile m_file;
    QByteArray m_buffer;
    int m_rows = 0;
};

const char* const Date = "2024-03-15";

struct Family
{
    const char* slo;
    const char* ang;
    const char* nem;
    const char* hrv;
    const char* symbol;
};

const Family Families[] = {
    {"Talilni vložek", "Fuse link", "Sicherungseinsatz", "Rastalni uložak", "KS_FUSE"},
    {"Varovalčni podstavek", "Fuse base", "Sicherungsunterteil", "Podnožje osigurača", "KS_FUSE"},
    {"Inštalacijski odklopnik", "Miniature circuit breaker", "Leitungsschutzschalter",
     "Instalacijski prekidač", "KS_MCB"},
    {"Stikalo na dif. tok", "Residual current device", "FI-Schutzschalter", "Zašt. strujna sklopka",
     "KS_RCD"},
    {"Prenapetostni odvodnik", "Surge arrester", "Überspannungsableiter", "Odvodnik prenapona",
     "KS_SPD"},
};

} // namespace

QString LargeCatalogue::code(int index)
{
    return QString::number(2000000 + index);
}

LargeCatalogue::Counts LargeCatalogue::writeCsv(int products, const QString& directory)
{
    if (products < 1 || products > 5000000)
        throw std::runtime_error("product count out of range (1 to 5000000)");
    QDir().mkpath(directory);
    const QDir dir(directory);
    Out tree(dir.filePath(QStringLiteral("tree.csv")), "LINK1,LOOK,SORT,LINK2,DATUM");
    Out attrs(dir.filePath(QStringLiteral("attributes.csv")), "LINK2,LOOK,SORT,LINK3,TIPTX,DATUM");
    Out texts(dir.filePath(QStringLiteral("texts.csv")),
              "LINK3,SORT,JEZIK,KODA,SLO,ANG,NEM,HRV,DATUM");
    Out pictures(dir.filePath(QStringLiteral("pictures.csv")), "LINK3,SORT,IME");
    Out certs(dir.filePath(QStringLiteral("certificates.csv")),
              "SIFRA,SIFRAAT,ST_ATESTA,ST_POROC,Files");

    // Ten products per level-2 group, ten level-2 groups per level-1 group,
    // ten level-1 groups per chapter.
    const int perL2 = 10, perL1 = 10, perChapter = 10;
    const int l2Groups = (products + perL2 - 1) / perL2;
    const int l1Groups = (l2Groups + perL1 - 1) / perL1;
    const int chapters = (l1Groups + perChapter - 1) / perChapter;
    constexpr int Pictures = 100, Pages = 400;
    const QString date = QString::fromLatin1(Date);
    const auto n = [](qint64 v) { return QString::number(v); };

    int nextText = 1;
    auto text = [&](const QString& koda, const QString& slo, const QString& ang, const QString& nem,
                    const QString& hrv) {
        const int number = nextText++;
        texts.row({n(number), n(1), QString(), koda, slo.left(40), ang.left(40), nem.left(40),
                   hrv.left(40), date});
        return number;
    };
    auto same = [&](const QString& s) { return text(QString(), s, s, s, s); };

    // Shared texts: page numbers and drawing names.
    QVector<int> pageText(Pages + 1);
    for (int p = 1; p <= Pages; ++p)
        pageText[p] = same(n(p));
    QVector<int> drawingText;
    for (const Family& f : Families)
        drawingText << same(QString::fromLatin1(f.symbol));
    const int dimText = same(QStringLiteral("KD_MOD1M"));
    const int sym3Text = same(QStringLiteral("KS3_FUSE"));
    for (int p = 1; p <= Pictures; ++p)
        pictures.row({n(p), n(1), QStringLiteral("PIC%1").arg(p, 3, 10, QLatin1Char('0'))});

    for (int s = 0; s < 3; ++s)
        tree.row({n(0), QStringLiteral("A"), n(s + 1), n(s + 2), date});
    const int chapterBase = 100, l1Base = 10000, l2Base = 100000, productBase = 1000000;
    for (int c = 0; c < chapters; ++c) {
        // Most chapters in the first segment, a few in the others.
        const int segment = c % 5 == 3 ? 3 : (c % 5 == 4 ? 4 : 2);
        tree.row({n(segment), QStringLiteral("A"), n(c + 1), n(chapterBase + c), date});
        const int t = same(QStringLiteral("Chapter %1").arg(c + 1));
        attrs.row({n(chapterBase + c), QStringLiteral("A"), n(0), n(t), QString(), date});
    }
    for (int g = 0; g < l1Groups; ++g) {
        tree.row({n(chapterBase + g / perChapter), QStringLiteral("A"), n(g % perChapter + 1),
                  n(l1Base + g), date});
        const int t = same(QStringLiteral("Group %1").arg(g + 1));
        attrs.row({n(l1Base + g), QStringLiteral("A"), n(0), n(t), QString(), date});
    }
    for (int g = 0; g < l2Groups; ++g) {
        tree.row(
            {n(l1Base + g / perL1), QStringLiteral("A"), n(g % perL1 + 1), n(l2Base + g), date});
        const int t = same(QStringLiteral("Series %1").arg(g + 1));
        attrs.row({n(l2Base + g), QStringLiteral("A"), n(0), n(t), QString(), date});
    }

    for (int i = 0; i < products; ++i) {
        const int node = productBase + i;
        const Family& f = Families[(i / perL2) % 5];
        const int amps = 6 + (i * 7) % 625;
        tree.row({n(l2Base + i / perL2), QStringLiteral("A"), n(i % perL2 + 1), n(node), date});
        const QString rating = QStringLiteral(" %1 A").arg(amps);
        const int nameText =
            text(code(i), QString::fromUtf8(f.slo) + rating, QString::fromUtf8(f.ang) + rating,
                 QString::fromUtf8(f.nem) + rating, QString::fromUtf8(f.hrv) + rating);
        attrs.row({n(node), QStringLiteral("A"), n(0), n(nameText), QString(), date});
        for (int sort = 1; sort <= 9; ++sort) {
            const QString v = QStringLiteral(" %1.%2").arg(sort).arg(i % 997);
            const int t =
                text(QString(), QStringLiteral("Podatek") + v, QStringLiteral("Data line") + v,
                     QStringLiteral("Angabe") + v, QStringLiteral("Podatak") + v);
            const QString style =
                sort == 1 ? QStringLiteral("B") : (sort == 2 ? QStringLiteral("C") : QString());
            attrs.row({n(node), QStringLiteral("A"), n(sort), n(t), style, date});
        }
        attrs.row({n(node), QStringLiteral("A"), n(10), n(pageText[1 + (i / 12) % Pages]),
                   QString(), date});
        attrs.row({n(node), QStringLiteral("A"), n(11), n(dimText), QString(), date});
        attrs.row({n(node), QStringLiteral("A"), n(12), n(drawingText[(i / perL2) % 5]), QString(),
                   date});
        attrs.row({n(node), QStringLiteral("A"), n(13), n(sym3Text), QString(), date});
        attrs.row({n(node), QStringLiteral("A"), n(20), n(pageText[1 + (i / 10) % Pages]),
                   QString(), date});
        attrs.row({n(node), QStringLiteral("0"), n(1), n(1 + i % Pictures), QString(), date});
        if (i % 2 == 0)
            certs.row({code(i), QStringLiteral("CB test certificate"),
                       QStringLiteral("CB-%1").arg(i % 500), QStringLiteral("R-%1").arg(i % 900),
                       QStringLiteral("CB_%1").arg(i % 50)});
    }
    Counts counts;
    counts.products = products;
    tree.flush();
    attrs.flush();
    texts.flush();
    pictures.flush();
    certs.flush();
    counts.treeRows = tree.rows();
    counts.attributeRows = attrs.rows();
    counts.textRows = texts.rows();
    counts.pictureRows = pictures.rows();
    counts.certificateRows = certs.rows();
    return counts;
}
