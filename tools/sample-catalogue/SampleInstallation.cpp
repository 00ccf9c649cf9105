#include "SampleInstallation.h"

#include "DocumentMaker.h"
#include "DrawingMaker.h"
#include "PictureMaker.h"
#include "SampleCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& what)
{
    throw std::runtime_error(what.toStdString());
}

QString nativeDir(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// A path below the data directory as the program builds it ("\Uputstva\x.pdf ")
// mapped to the name that the file system holds: the separators turned and
// trailing blanks and dots of each component dropped, as Windows does.
QString fileSystemName(const QString& winPath)
{
    QStringList parts = winPath.split(u'\\', Qt::SkipEmptyParts);
    for (QString& part : parts) {
        while (part.endsWith(u' ') || part.endsWith(u'.'))
            part.chop(1);
    }
    return parts.join(u'/');
}

} // namespace

SampleInstallation::SampleInstallation(const QString& sourceDir, const QString& sampleDir)
    : m_source(nativeDir(sourceDir)), m_sample(nativeDir(sampleDir))
{
    QFile omittedList(QDir(m_source).filePath(QStringLiteral("omitted.txt")));
    if (omittedList.open(QIODevice::ReadOnly)) {
        for (const QByteArray& raw : omittedList.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (!line.isEmpty() && !line.startsWith(u'#'))
                m_omitted << line;
        }
    }
}

QString SampleInstallation::dataDir() const
{
    return m_sample + QStringLiteral("/kavrel/data");
}

QString SampleInstallation::dbDir() const
{
    return m_sample + QStringLiteral("/kavrel/db");
}

QStringList SampleInstallation::helpPaths()
{
    return {QStringLiteral("\\Instructions\\Brontel instructions.pdf"),
            QStringLiteral("\\Uputstva\\Uputstvo Brontel .pdf "),
            QStringLiteral("\\Navodila\\Brontel navodila za uporabo.pdf ")};
}

QByteArray SampleInstallation::configuration(const QString& dataDir, const QString& dbDir)
{
    // Placement keys are present but empty, so that the windows take their
    // default placement on the first start and store their own afterwards.
    const QStringList lines = {
        QStringLiteral("[KAVREL]"),
        QStringLiteral("JEZIK=ANG"),
        QStringLiteral("DIR=") + dataDir,
        QStringLiteral("DIRDB=") + dbDir,
        QString(),
        QStringLiteral("[WWW]"),
        QStringLiteral("DIR=http://www.kavrel.example/"),
        QString(),
        QStringLiteral("[CENIK]"),
        QStringLiteral("DIR="),
        QStringLiteral("FILE=CENIK.XLS"),
        QString(),
        QStringLiteral("[OknoPDF]"),
        QStringLiteral("Left="),
        QStringLiteral("Top="),
        QStringLiteral("Width="),
        QStringLiteral("Height="),
        QString(),
        QStringLiteral("[OknoKosovnica]"),
        QStringLiteral("Left="),
        QStringLiteral("Top="),
        QStringLiteral("Width="),
        QStringLiteral("Height="),
        QStringLiteral("PanelHeight=110"),
        QString(),
        QStringLiteral("[NAR]"),
        QStringLiteral("STNAR=1"),
        QStringLiteral("DATNAR=15.03.2024"),
        QStringLiteral("N1E1=KAVREL d.d."),
        QString(),
        QStringLiteral("[SetSymDim]"),
        QStringLiteral("ScaleSym1=1"),
        QStringLiteral("ScaleSym2=1"),
        QStringLiteral("ScaleDim1=1"),
        QStringLiteral("ScaleDim2=1"),
        QStringLiteral("ProjectView1=T"),
        QString(),
        QStringLiteral("[SetAcadAtt]"),
        QStringLiteral("CBManufacturer=T"),
        QStringLiteral("CBItemNo=T"),
        QStringLiteral("CBItem=T"),
        QStringLiteral("CBBlockNo=T"),
        QStringLiteral("BlockNumber=T"),
        QStringLiteral("Connlive=T"),
        QStringLiteral("ConnBOM=T"),
        QStringLiteral("ConnSyncStart=T"),
        QStringLiteral("ConnSyncEnd=T"),
        QString(),
        QStringLiteral("[Customer]"),
        QStringLiteral("N1E1="),
        QStringLiteral("N2E1="),
        QStringLiteral("N3E1="),
        QStringLiteral("N4E1="),
        QStringLiteral("N5E1="),
    };
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QByteArray SampleInstallation::bootstrapProfile(const QString& configPath)
{
    return (QStringLiteral("[KAVREL]\r\nINI=") + configPath + QStringLiteral("\r\n")).toUtf8();
}

bool SampleInstallation::omitted(const QString& relative) const
{
    return m_omitted.contains(relative);
}

void SampleInstallation::writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    m_written << path;
}

void SampleInstallation::cleanFolder(const QString& path)
{
    // Only folders that this generator fills entirely: the workbench keeps
    // its own tables beside them in the database directory.
    QDir dir(path);
    if (dir.exists() && !dir.removeRecursively())
        fail(QStringLiteral("cannot clear %1").arg(path));
    if (!QDir().mkpath(path))
        fail(QStringLiteral("cannot create %1").arg(path));
}

void SampleInstallation::build()
{
    const SampleCatalogue cat = SampleCatalogue::load(m_source);
    const QString data = dataDir(), db = dbDir();
    const QString config = m_sample + QStringLiteral("/kavrel/KAVREL.INI");
    writeFile(config, configuration(data, db));
    writeFile(m_sample + QStringLiteral("/WIN.INI"), bootstrapProfile(config));

    for (const char* folder : {"BMP", "PDF", "CERT", "Instructions", "Uputstva", "Navodila"})
        cleanFolder(data + u'/' + QLatin1String(folder));
    for (const char* folder : {"SYM", "SYM3", "DIM"})
        cleanFolder(db + u'/' + QLatin1String(folder));

    // Pictures.
    for (const auto& picture : cat.pictures()) {
        const QString rel = QStringLiteral("BMP/") + picture.name + QStringLiteral(".jpg");
        if (omitted(rel))
            continue;
        const QImage image = PictureMaker::draw(picture.name);
        if (image.isNull())
            fail(QStringLiteral("no drawing for picture %1").arg(picture.name));
        if (!image.save(data + u'/' + rel, "JPEG", 88))
            fail(QStringLiteral("cannot write %1/%2").arg(data, rel));
        m_written << data + u'/' + rel;
    }
    PictureMaker::blank().save(data + QStringLiteral("/BMP/blank.jpg"), "JPEG", 88);
    m_written << data + QStringLiteral("/BMP/blank.jpg");

    // Chapter documents, one per distinct chapter name in each language.
    const DocumentMaker docs(cat);
    for (int chapter : cat.chapters()) {
        QSet<QString> done;
        for (const QString& lang : SampleCatalogue::languages()) {
            const QString name = cat.name(chapter, lang);
            if (name.isEmpty() || done.contains(name))
                continue;
            if (name.contains(u'/') || name.contains(u'\\'))
                fail(QStringLiteral("chapter name is no file name: %1").arg(name));
            done.insert(name);
            const QString path = data + QStringLiteral("/PDF/") + name + QStringLiteral(".PDF");
            docs.chapter(chapter, lang, path);
            m_written << path;
        }
    }
    docs.technicalData(data + QStringLiteral("/PDF/TECH_DATA.PDF"));
    m_written << data + QStringLiteral("/PDF/TECH_DATA.PDF");

    QSet<QString> certFiles;
    for (const auto& c : cat.certificates())
        certFiles.insert(c.file);
    for (const QString& file : certFiles) {
        const QString rel = QStringLiteral("CERT/") + file + QStringLiteral(".PDF");
        if (omitted(rel))
            continue;
        docs.certificate(file, data + u'/' + rel);
        m_written << data + u'/' + rel;
    }

    const QStringList langs = {QStringLiteral("ANG"), QStringLiteral("HRV"), QStringLiteral("SLO")};
    for (int i = 0; i < langs.size(); ++i) {
        const QString path = data + u'/' + fileSystemName(helpPaths()[i]);
        docs.manual(langs[i], path);
        m_written << path;
    }

    // Block drawings named by the attribute rows.
    const QList<std::pair<int, QString>> kinds = {
        {11, QStringLiteral("DIM")}, {12, QStringLiteral("SYM")}, {13, QStringLiteral("SYM3")}};
    for (const auto& [sort, folder] : kinds) {
        const auto names = cat.drawings(sort);
        for (auto it = names.begin(); it != names.end(); ++it) {
            const auto drawing = DrawingMaker::make(it.key());
            if (!drawing)
                fail(QStringLiteral("no drawing for block %1 (node %2)").arg(it.key()).arg(*it));
            const QString path = db + u'/' + folder + u'/' + it.key() + QStringLiteral(".dxf");
            if (!drawing->writeDxf(path))
                fail(QStringLiteral("cannot write %1").arg(path));
            m_written << path;
        }
    }
}
