#include "WorkbenchPlacement.h"

namespace {

const QString kSection = QStringLiteral("OknoKosovnica");

// A whole decimal number filling the whole text.
bool wholeNumber(const QString& text, int* value)
{
    if (text.isEmpty() || text.trimmed() != text)
        return false;
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    if (ok)
        *value = n;
    return ok;
}

} // namespace

WorkbenchPlacement WorkbenchPlacement::load(const ConfigAccess& config, const QRect& current)
{
    WorkbenchPlacement p;
    int values[5] = {current.left(), current.top(), current.width(), current.height(), 110};
    const char* keys[5] = {"Left", "Top", "Width", "Height", "PanelHeight"};
    bool all = true;
    for (int i = 0; i < 5; ++i) {
        // A marker that no configuration value equals tells "absent" apart.
        const QString text = config.read(kSection, QLatin1String(keys[i]), QStringLiteral("\n"));
        all = wholeNumber(text, &values[i]) && all;
    }
    p.geometry = QRect(values[0], values[1], values[2], values[3]);
    p.panelHeight = values[4];
    p.stored = all;
    return p;
}

bool WorkbenchPlacement::save(const ConfigAccess& config) const
{
    const int values[5] = {geometry.left(), geometry.top(), geometry.width(), geometry.height(),
                           panelHeight};
    const char* keys[5] = {"Left", "Top", "Width", "Height", "PanelHeight"};
    bool ok = true;
    for (int i = 0; i < 5; ++i)
        ok = config.write(kSection, QLatin1String(keys[i]), QString::number(values[i])) && ok;
    return ok;
}
