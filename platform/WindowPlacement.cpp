#include "WindowPlacement.h"

#include "AppSettings.h"

#include <QtEndian>

namespace {

int32_t field(const QByteArray& bytes, int index)
{
    return qFromLittleEndian<int32_t>(bytes.constData() + 4 * index);
}

} // namespace

std::optional<WindowPlacement> WindowPlacement::decode(const QByteArray& bytes)
{
    if (bytes.size() != RecordSize)
        return std::nullopt;
    WindowPlacement p;
    p.length = uint32_t(field(bytes, 0));
    p.flags = uint32_t(field(bytes, 1));
    p.showCommand = uint32_t(field(bytes, 2));
    p.minPosition = QPoint(field(bytes, 3), field(bytes, 4));
    p.maxPosition = QPoint(field(bytes, 5), field(bytes, 6));
    const int64_t left = field(bytes, 7), top = field(bytes, 8);
    const int64_t right = field(bytes, 9), bottom = field(bytes, 10);
    // The desktop refuses a record whose length is not its own size; a
    // rectangle without area, or one wider than any coordinate can hold,
    // would make the window vanish.
    if (p.length != uint32_t(RecordSize) || right <= left || bottom <= top ||
        right - left > INT32_MAX || bottom - top > INT32_MAX)
        return std::nullopt;
    p.normalRect = QRect(QPoint(int(left), int(top)), QSize(int(right - left), int(bottom - top)));
    return p;
}

std::optional<WindowPlacement> WindowPlacement::read(const AppSettings& settings,
                                                     const QString& section)
{
    return decode(settings.getBinary(section, QString::fromLatin1(EntryName)));
}
