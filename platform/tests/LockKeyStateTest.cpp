// The lock keys' state read from the keyboards' indicator lights.
#include "LockKeyState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void light(const QTemporaryDir& dir, const QString& name, const QByteArray& brightness)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(name));
    QFile file(dir.filePath(name + "/brightness"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(brightness);
}

} // namespace

TEST(LockKeyState, AnyKeyboardsLightCountsAndMissingLightsAreUnknown)
{
    QTemporaryDir dir;
    light(dir, "input3::capslock", "0\n");
    light(dir, "input9::capslock", "1\n"); // a second keyboard with Caps Lock on
    light(dir, "input3::numlock", "0\n");
    light(dir, "input3::kana", "1\n");
    light(dir, "input4::scrolllock", "garbage");
    const LockKeyState state = LockKeyState::Read(dir.path());
    EXPECT_EQ(state.caps, std::optional<bool>(true));
    EXPECT_EQ(state.num, std::optional<bool>(false));
    EXPECT_FALSE(state.scroll.has_value());

    const LockKeyState none = LockKeyState::Read(dir.filePath("missing"));
    EXPECT_FALSE(none.caps || none.num || none.scroll);
}
