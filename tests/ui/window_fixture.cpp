#include <gtest/gtest.h>

#include "window_fixture.h"

#include <QDeadlineTimer>
#include <QtTest/QTest>

#include "album/album_file.h"
#include "support/scripted_interaction.h"

namespace mirulane::ui::testing {

void WaitForRun(const UiSession& session) {
    QDeadlineTimer deadline(60000);
    while (session.CurrentRun() && !deadline.hasExpired()) QTest::qWait(1);
    EXPECT_EQ(session.CurrentRun(), nullptr) << "the run did not end";
    // What the run's end queued (a close the close box asked for) comes next.
    QTest::qWait(0);
}

std::string WindowTest::WriteAlbum(const std::vector<std::string>& names,
                                   const std::string& file) const {
    Album album;
    for (const std::string& name : names) album.entries.Append(name);
    album.style.TargetFolder = dir.path() + "/photos";
    ScriptedInteraction ui;
    std::string path = dir.path() + "/" + file;
    EXPECT_EQ(WriteAlbumFile(album, path).value_or(-1), static_cast<int>(names.size()));
    return path;
}

std::string WindowTest::PhotoFolder(int count, const std::string& name) const {
    for (int i = 0; i < count; ++i) {
        dir.Write(name + "/IMG_" + std::to_string(1000 + i) + ".jpg", fixtures::MakeJpeg(8, 6));
    }
    return dir.path() + "/" + name;
}

}  // namespace mirulane::ui::testing
