// The profile written at the end of a run: two windows open at once each keep what they chose.

#include <gtest/gtest.h>

#include <cstdio>

#include "album/settings.h"
#include "app/settings_profile.h"
#include "fixtures/image_builder.h"

namespace mirulane {
namespace {

TEST(SettingsProfile, RunsEndingInTurnKeepEachOthersChangesAndKeysTheyDoNotKnow) {
    fixtures::TempDir dir;
    const std::string path = dir.path() + "/mirulane.ini";
    dir.Write("mirulane.ini", "[Environment]\r\nEnvLstGrid=1\r\n[Mine]\r\nKey=kept\r\n");
    SettingsProfile first(path);
    SettingsProfile second(path);
    Settings a;
    Settings b;
    first.Load(a);
    second.Load(b);
    a.EnvLstGrid = false;
    a.EnvThumbView = true;
    b.EnvSortUpLow = true;  // a key the file did not hold yet
    ASSERT_EQ(first.Save(a), 0);
    ASSERT_EQ(second.Save(b), 0);

    Settings read;
    SettingsProfile(path).Load(read);
    EXPECT_FALSE(read.EnvLstGrid);
    EXPECT_TRUE(read.EnvThumbView);
    EXPECT_TRUE(read.EnvSortUpLow);
    EXPECT_NE(dir.Read("mirulane.ini").find("[Mine]\r\nKey=kept\r\n"), std::string::npos);

    // A profile removed meanwhile is written whole again.
    ASSERT_EQ(std::remove(path.c_str()), 0);
    b.EnvSortUpLow = false;
    ASSERT_EQ(second.Save(b), 0);
    SettingsProfile(path).Load(read);
    EXPECT_FALSE(read.EnvSortUpLow);
    EXPECT_TRUE(read.EnvLstGrid);  // b's own, written whole
}

}  // namespace
}  // namespace mirulane
