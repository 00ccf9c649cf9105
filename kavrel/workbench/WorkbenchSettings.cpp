#include "WorkbenchSettings.h"

#include <QLocale>
#include <cmath>

namespace {

const QString kScales = QStringLiteral("SetSymDim");
const QString kOptions = QStringLiteral("SetAcadAtt");
const QString kCustomer = QStringLiteral("Customer");

QString flag(bool on)
{
    return on ? QStringLiteral("T") : QStringLiteral("F");
}

} // namespace

const std::array<const char*, WorkbenchSettings::OptionCount>& WorkbenchSettings::optionKeys()
{
    static const std::array<const char*, OptionCount> keys{
        "CBManufacturer", "CBItemNo", "CBItem",        "CBBlockNo",  "BlockNumber",
        "ConnBOM",        "Connlive", "ConnSyncStart", "ConnSyncEnd"};
    return keys;
}

WorkbenchSettings WorkbenchSettings::load(const ConfigAccess& config)
{
    WorkbenchSettings s;
    const QString one = QStringLiteral("1");
    s.scaleSym1 = config.read(kScales, QStringLiteral("ScaleSym1"), one);
    s.scaleSym2 = config.read(kScales, QStringLiteral("ScaleSym2"), one);
    s.scaleDim1 = config.read(kScales, QStringLiteral("ScaleDim1"), one);
    s.scaleDim2 = config.read(kScales, QStringLiteral("ScaleDim2"), one);
    const QString on = flag(true);
    s.projectView = config.read(kScales, QStringLiteral("ProjectView1"), on) == on;
    for (int i = 0; i < OptionCount; ++i)
        s.options[size_t(i)] = config.read(kOptions, QLatin1String(optionKeys()[size_t(i)]), on) == on;
    for (int i = 0; i < 5; ++i)
        s.customer[size_t(i)] = config.read(kCustomer, QStringLiteral("N%1E1").arg(i + 1), QString());
    return s;
}

bool WorkbenchSettings::save(const ConfigAccess& config, QString* error) const
{
    bool ok = true;
    const auto put = [&](const QString& section, const QString& key, const QString& value) {
        if (!config.write(section, key, value) && ok) {
            ok = false;
            if (error)
                *error = section + u'/' + key;
        }
    };
    put(kScales, QStringLiteral("ScaleSym1"), scaleSym1);
    put(kScales, QStringLiteral("ScaleSym2"), scaleSym2);
    put(kScales, QStringLiteral("ScaleDim1"), scaleDim1);
    put(kScales, QStringLiteral("ScaleDim2"), scaleDim2);
    put(kScales, QStringLiteral("ProjectView1"), flag(projectView));
    for (int i = 0; i < OptionCount; ++i)
        put(kOptions, QLatin1String(optionKeys()[size_t(i)]), flag(options[size_t(i)]));
    for (int i = 0; i < 5; ++i)
        put(kCustomer, QStringLiteral("N%1E1").arg(i + 1), customer[size_t(i)]);
    return ok;
}

std::optional<double> WorkbenchSettings::parseNumber(const QString& text)
{
    bool ok = false;
    double value = QLocale::c().toDouble(text, &ok);
    if (!ok)
        value = QLocale().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString WorkbenchSettings::conversionError(const QString& text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

std::optional<double> WorkbenchSettings::factor(const QString& first, const QString& second)
{
    const std::optional<double> a = parseNumber(first);
    const std::optional<double> b = parseNumber(second);
    if (!a || !b || *a == 0.0)
        return std::nullopt;
    const double f = *b / *a;
    if (!std::isfinite(f))
        return std::nullopt;
    return f;
}

std::optional<WorkbenchSettings::Measured> WorkbenchSettings::fromContactDistance(double d)
{
    if (!(d > 0.0) || !std::isfinite(d))
        return std::nullopt;
    const auto text = [](double v) {
        return QString::number(v, 'g', QLocale::FloatingPointShortest);
    };
    Measured m;
    m.factor = d / 15.0;
    if (d > 15.0) {
        m.first = QStringLiteral("1");
        m.second = text(d / 15.0);
    } else {
        m.first = text(15.0 / d);
        m.second = QStringLiteral("1");
    }
    return m;
}
