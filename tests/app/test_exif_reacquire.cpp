// The Exif re-acquire run: camera data read again into the entries, progress,
// summary and the modified flag.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/exif_reacquire.h"
#include "app/session.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "support/scripted_interaction.h"

namespace mirulane {
namespace {

class ReacquireTest : public ::testing::Test {
  protected:
    ReacquireTest() : session(ui) { session.album.style.TargetFolder = dir.path() + "/photos"; }

    void AddFile(const std::string& name, const std::string& bytes) {
        dir.Write("photos/" + name, bytes);
        session.album.entries.Append(name);
    }
    const std::string& Field(int row, int column) const {
        return session.album.entries.Field(row, column);
    }

    fixtures::TempDir dir;
    ScriptedInteraction ui;
    Session session;
};

TEST_F(ReacquireTest, HundredEntriesSixtyCameraJpegsAndDamagedFilesAreFailures) {
    std::string camera = fixtures::MakeCameraJpeg();
    std::string cut = camera.substr(0, camera.size() / 3);  // Exif data cut off mid-way
    for (int i = 0; i < 100; ++i) {
        std::string name = "P" + std::to_string(1000 + i) + ".jpg";
        if (i % 5 < 3) {
            AddFile(name, camera);  // 60 of them
        } else if (i % 10 == 3) {
            AddFile(name, cut);
        } else if (i % 10 == 4) {
            AddFile(name, fixtures::MakeJpeg(8, 6));  // no Exif data
        } else if (i % 10 == 8) {
            AddFile("P" + std::to_string(1000 + i) + ".png", fixtures::MakePng(8, 6));
        } else {
            session.album.entries.Append(name);  // the file is gone
        }
    }
    session.album.entries.SetField(0, COL_MAKER, "edited");
    session.settings.EnvGetExif = 0;  // does not apply here

    ReacquireResult r = ReacquireExif(session, false);
    EXPECT_EQ(r.processed, 100);
    EXPECT_EQ(r.succeeded, 60);
    EXPECT_FALSE(r.cancelled);
    EXPECT_EQ(ui.MessagesUtf8(),
              std::vector<std::string>{"エントリ 100件のうち、60件のExif情報取得に成功しました"});
    EXPECT_EQ(ToDisplay(ui.messages[0].caption), "Exif情報取得結果");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Information);
    EXPECT_TRUE(session.album.modified);
    // The window runs it on a thread of its own: the wait cursor goes on once.
    EXPECT_EQ(ui.waitCursorOn, 1);
    ASSERT_EQ(ui.progress.size(), 101u);
    EXPECT_EQ(ui.progress[1], std::make_pair(1, 100));
    EXPECT_EQ(ui.progress.back(), std::make_pair(100, 100));
    // The camera data replaces what was typed.
    EXPECT_EQ(Field(0, COL_MAKER), "MIRU");
    EXPECT_EQ(Field(1, COL_MODEL), "MIRU DC-200");
}

TEST_F(ReacquireTest, SelectedEntriesOnlyAndTheSummarySaysSo) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) {
        AddFile(name, fixtures::MakeCameraJpeg());
    }
    EntryList& entries = session.album.entries;
    entries.Select(1);
    entries.Select(3);
    ReacquireResult r = ReacquireExif(session, true);
    EXPECT_EQ(r.processed, 2);
    EXPECT_EQ(r.succeeded, 2);
    EXPECT_EQ(ui.MessagesUtf8(),
              std::vector<std::string>{"選択エントリ 2件のうち、2件のExif情報取得に成功しました"});
    EXPECT_EQ(Field(0, COL_MAKER), "");
    EXPECT_EQ(Field(1, COL_MAKER), "MIRU");
    EXPECT_EQ(Field(2, COL_MAKER), "");
    EXPECT_EQ(Field(3, COL_MAKER), "MIRU");
    EXPECT_EQ(ui.progress, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}}));
}

TEST_F(ReacquireTest, CancelledProgressStopsAndCountsWhatWasRead) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) AddFile(name, fixtures::MakeCameraJpeg());
    ui.cancelAtDone = 1;
    ReacquireResult r = ReacquireExif(session, false);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.processed, 1);
    EXPECT_EQ(Field(0, COL_MAKER), "MIRU");
    EXPECT_EQ(Field(1, COL_MAKER), "");
    EXPECT_EQ(ui.MessagesUtf8(),
              std::vector<std::string>{"エントリ 1件のうち、1件のExif情報取得に成功しました"});
    EXPECT_TRUE(session.album.modified);
}

}  // namespace
}  // namespace mirulane
