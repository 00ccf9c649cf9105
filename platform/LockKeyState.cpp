#include "LockKeyState.h"

#include <QDir>
#include <QFile>

namespace {

void merge(std::optional<bool>& state, bool lit)
{
    state = state.value_or(false) || lit;
}

} // namespace

LockKeyState LockKeyState::Read(const QString& ledDirectory)
{
    LockKeyState result;
    const QDir dir(ledDirectory);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        std::optional<bool>* state = nullptr;
        if (name.endsWith(QLatin1String("::capslock")))
            state = &result.caps;
        else if (name.endsWith(QLatin1String("::numlock")))
            state = &result.num;
        else if (name.endsWith(QLatin1String("::scrolllock")))
            state = &result.scroll;
        if (!state)
            continue;
        QFile brightness(dir.filePath(name + QStringLiteral("/brightness")));
        if (!brightness.open(QIODevice::ReadOnly))
            continue;
        bool ok = false;
        const int value = brightness.readAll().trimmed().toInt(&ok);
        if (ok)
            merge(*state, value > 0);
    }
    return result;
}
