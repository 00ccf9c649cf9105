#include "PrivateProfile.h"

#include "ProfileDocument.h"
#include "WinPath.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <limits>

namespace {

ProfileDocument load(const QString& file)
{
    QFile f(WinPath::toNative(file));
    if (!f.open(QIODevice::ReadOnly))
        return ProfileDocument(); // missing or unreadable: no keys
    return ProfileDocument(f.readAll());
}

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

QString firstProblem(const QString& section, const std::optional<QString>& key,
                     const std::optional<QString>& value)
{
    QString problem = ProfileDocument::checkSection(section);
    if (problem.isEmpty() && key)
        problem = ProfileDocument::checkKey(*key);
    if (problem.isEmpty() && key && value)
        problem = ProfileDocument::checkValue(*value);
    return problem;
}

} // namespace

QString PrivateProfile::getString(const QString& section, const QString& key,
                                  const QString& defaultValue, const QString& file)
{
    return load(file).value(section, key).value_or(defaultValue);
}

std::optional<int> PrivateProfile::parseLeadingInt(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-')) {
        negative = t[0] == QLatin1Char('-');
        ++i;
    }
    long long v = 0;
    constexpr long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < t.size() && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9'); ++i) {
        v = v * 10 + (t[i].unicode() - '0');
        if (v > limit)
            v = limit;
    }
    if (negative)
        return static_cast<int>(-v); // -limit is INT_MIN
    return static_cast<int>(std::min(v, limit - 1));
}

int PrivateProfile::getInt(const QString& section, const QString& key, int defaultValue,
                           const QString& file)
{
    const std::optional<QString> v = load(file).value(section, key);
    if (!v)
        return defaultValue;
    return parseLeadingInt(*v).value_or(defaultValue);
}

QStringList PrivateProfile::getSection(const QString& section, const QString& file)
{
    return load(file).sectionLines(section);
}

QStringList PrivateProfile::getSectionNames(const QString& file)
{
    return load(file).sectionNames();
}

bool PrivateProfile::write(const QString& section, const std::optional<QString>& key,
                           const std::optional<QString>& value, const QString& file, QString* error)
{
    if (const QString problem = firstProblem(section, key, value); !problem.isEmpty())
        return fail(error, problem);

    const QString native = WinPath::toNative(file);
    const QFileInfo info(native);
    ProfileDocument doc;
    if (info.exists()) {
        QFile in(native);
        if (!in.open(QIODevice::ReadOnly))
            return fail(error, in.errorString());
        doc = ProfileDocument(in.readAll());
        // Like the read-only attribute on Windows: no write permission bit
        // at all stops the write, also for a user who could override it.
        constexpr QFile::Permissions anyWrite =
            QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        if (!info.isWritable() || !(info.permissions() & anyWrite))
            return fail(error, QStringLiteral("the file is read-only"));
    }

    bool changed = false;
    if (!key)
        changed = doc.removeSection(section);
    else if (!value)
        changed = doc.removeKey(section, *key);
    else
        changed = doc.setValue(section, *key, *value);
    if (!changed)
        return true;

    QSaveFile out(native);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return fail(error, out.errorString());
    const QByteArray bytes = doc.toBytes();
    if (out.write(bytes) != bytes.size() || !out.commit())
        return fail(error, out.errorString());
    return true;
}
