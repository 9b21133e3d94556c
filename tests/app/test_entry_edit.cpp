// The editing behind the entry dialogs: stepping through the album with saves, deleting the
// shown entry, the group box, the selection left behind, the batch edit, and the limits and
// mending of typed texts.

#include <gtest/gtest.h>

#include "album/album_file.h"
#include "app/entry_edit.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "support/scripted_interaction.h"

namespace mirulane {
namespace {

struct Fixture {
    explicit Fixture(int count) : s(ui) {
        for (int i = 0; i < count; ++i) {
            int row = s.album.entries.Append("e" + std::to_string(i) + ".jpg");
            s.album.entries.SetField(row, COL_TITLE, "t" + std::to_string(i));
        }
    }
    std::vector<int> Selected() const {
        std::vector<int> out;
        for (int i = 0; i < s.album.entries.Count(); ++i) {
            if (s.album.entries.IsSelected(i)) out.push_back(i);
        }
        return out;
    }
    const std::string& Title(int row) const { return s.album.entries.Field(row, COL_TITLE); }
    ScriptedInteraction ui;
    Session s;
};

EditTexts WithTitle(EditTexts texts, const std::string& title) {
    texts[0] = title;
    return texts;
}

TEST(FileInfoEdit, StepsWrapAroundAndSaveTheEntryLeft) {
    Fixture f(10);
    f.s.album.entries.Select(3);
    f.s.album.entries.Select(7);
    FileInfoEdit edit(f.s);
    EXPECT_EQ(edit.Current(), 3);
    EditTexts shown = edit.Load();
    EXPECT_EQ(shown[0], "t3");
    edit.Step(WithTitle(shown, "three"), +1);
    EXPECT_EQ(edit.Current(), 4);
    EXPECT_EQ(f.Title(3), "three");
    EXPECT_EQ(edit.Load()[0], "t4");
    EXPECT_EQ(f.Selected(), (std::vector<int>{4, 7}));  // the entry left is deselected
    EXPECT_TRUE(f.s.album.modified);

    for (int i = 4; i < 9; ++i) edit.Step(edit.Load(), +1);
    EXPECT_EQ(edit.Current(), 9);
    edit.Step(WithTitle(edit.Load(), "nine"), +1);  // past the last: back to 0
    EXPECT_EQ(edit.Current(), 0);
    EXPECT_EQ(f.Title(9), "nine");
    edit.Step(WithTitle(edit.Load(), "zero"), -1);  // before the first: the last
    EXPECT_EQ(edit.Current(), 9);
    EXPECT_EQ(f.Title(0), "zero");
    EXPECT_EQ(edit.Load()[0], "nine");
}

TEST(FileInfoEdit, OpensOnEntryZeroWithNothingSelectedAndEverySaveMarksTheAlbumModified) {
    Fixture f(2);
    FileInfoEdit edit(f.s);
    EXPECT_EQ(edit.Current(), 0);
    edit.Confirm(edit.Load());  // nothing changed, still an edit
    EXPECT_TRUE(f.s.album.modified);
    EXPECT_EQ(f.Title(0), "t0");
}

TEST(FileInfoEdit, CancelKeepsEarlierStepsAndLeavesTheShownEntrySelected) {
    Fixture f(3);
    f.s.album.entries.SelectAll();
    f.s.album.groups = {"keep"};
    {
        FileInfoEdit edit(f.s);
        EditTexts t = WithTitle(edit.Load(), "first");
        t[2] = "new group";
        edit.Step(t, +1);
        edit.Load();
        // Cancel: the shown texts are dropped, the walk just ends.
    }
    EXPECT_EQ(f.Title(0), "first");
    EXPECT_EQ(f.Title(1), "t1");
    EXPECT_EQ(f.s.album.groups, (std::vector<std::string>{"keep"}));
    EXPECT_EQ(f.Selected(), (std::vector<int>{1, 2}));
    EXPECT_EQ(f.s.album.entries.At(1).focused, false);
    EXPECT_NE(ToDisplay(f.ui.status.back().second).find("2 行"), std::string::npos);
}

TEST(FileInfoEdit, DeletingTheFourthOfFiveShowsTheFormerFifthAndTheLastShowsTheNewLast) {
    Fixture f(5);
    f.s.album.entries.Select(3);
    f.s.album.currentEntry = 4;
    FileInfoEdit edit(f.s);
    edit.Load();
    EXPECT_TRUE(edit.DeleteCurrent());
    EXPECT_EQ(edit.Current(), 3);
    EXPECT_EQ(edit.Load()[0], "t4");
    EXPECT_EQ(f.s.album.entries.Count(), 4);
    EXPECT_EQ(f.s.album.currentEntry, 3);  // still the same entry
    EXPECT_TRUE(f.s.album.modified);
    EXPECT_EQ(ToDisplay(f.ui.status.back().second), "　　     4 行");

    EXPECT_TRUE(edit.DeleteCurrent());  // the last one: the new last is shown
    EXPECT_EQ(edit.Current(), 2);
    EXPECT_EQ(f.s.album.currentEntry, -1);
    EXPECT_EQ(edit.Load()[0], "t2");
}

TEST(FileInfoEdit, DeletingTheOnlyEntryLeavesNothingToShow) {
    Fixture f(1);
    f.s.album.entries.Select(0);
    FileInfoEdit edit(f.s);
    edit.Load();
    EXPECT_FALSE(edit.DeleteCurrent());
    EXPECT_EQ(f.s.album.entries.Count(), 0);
    edit.Finish();  // nothing to select
    EXPECT_EQ(edit.Load()[0], "");
}

TEST(FileInfoEdit, GroupBoxIsSortedIgnoresLetterCaseAndReplacesTheGroupsOnlyOnConfirm) {
    Fixture f(2);
    f.s.album.groups = {"trip", "Beach", Sj("山")};
    FileInfoEdit edit(f.s);
    EXPECT_EQ(edit.GroupBox(), (std::vector<std::string>{"Beach", "trip", Sj("山")}));
    EditTexts t = edit.Load();
    t[2] = "Trip";
    edit.Step(t, +1);
    EXPECT_EQ(edit.GroupBox().size(), 3u);
    EXPECT_EQ(f.s.album.entries.Field(0, COL_GROUP), "Trip");  // the entry keeps its spelling
    t = edit.Load();
    t[2] = Sj("旅行");
    edit.Save(t);
    t[2] = "apple";
    edit.Confirm(t);
    EXPECT_EQ(f.s.album.groups,
              (std::vector<std::string>{"apple", "Beach", "trip", Sj("山"), Sj("旅行")}));
}

TEST(GroupBox, HoldsAtMost128NamesOf127Bytes) {
    std::vector<std::string> box;
    for (int i = 0; i < kGroupCapacity; ++i) EXPECT_TRUE(AddToGroupBox(box, std::to_string(i)));
    EXPECT_FALSE(AddToGroupBox(box, "one more"));
    box.clear();
    EXPECT_FALSE(AddToGroupBox(box, ""));
    EXPECT_TRUE(AddToGroupBox(box, std::string(126, 'a') + Sj("表")));
    EXPECT_EQ(box[0], std::string(126, 'a'));  // cut before the two-byte character
}

TEST(BatchEdit, ACheckedEmptyFieldClearsItsColumnOfTheSelectedEntriesOnly) {
    Fixture f(4);
    for (int i = 0; i < 4; ++i) f.s.album.entries.SetField(i, COL_GROUP, "g");
    f.s.album.entries.Select(1);
    f.s.album.entries.Select(3);
    BatchTexts texts;
    texts[2] = "";
    EXPECT_EQ(ApplyBatchEdit(f.s.album, texts), 2);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f.s.album.entries.Field(i, COL_GROUP), i % 2 ? "" : "g") << i;
        EXPECT_EQ(f.Title(i), "t" + std::to_string(i));
    }
    EXPECT_TRUE(f.s.album.modified);

    texts = {};
    texts[kEditFieldCount - 1] = "640x480";
    texts[0] = "same";
    ApplyBatchEdit(f.s.album, texts);
    EXPECT_EQ(f.Title(3), "same");
    EXPECT_EQ(f.s.album.entries.Field(1, COL_IMGSZ), "640x480");
    EXPECT_EQ(f.Title(2), "t2");
}

TEST(TypedText, LimitsCountShiftJisBytesOfTheStoredForm) {
    TypedText empty;
    // 127 bytes fit the group; a two-byte character that would pass them does not.
    std::string a126(126, 'a');
    EXPECT_EQ(CheckTypedEdit(empty, FromTyped(a126 + "b"), kGroupNameMax), TypedEdit::Accepted);
    EXPECT_EQ(CheckTypedEdit(FromTyped(a126), FromTyped(a126 + "表"), kGroupNameMax),
              TypedEdit::TooLong);
    // A line break is stored as "<br>": four bytes.
    EXPECT_EQ(FromTyped("a\nb\tc").cp932, "a<br>b c");
    EXPECT_EQ(CheckTypedEdit(empty, FromTyped(std::string(252, 'x') + "\n"), kEditTextMax),
              TypedEdit::TooLong);
    // Characters Shift-JIS cannot hold are refused, and counted without splitting them.
    TypedText smile = FromTyped("ok😀é");
    EXPECT_EQ(smile.unencodable, 2);
    EXPECT_EQ(smile.cp932, "ok??");
    EXPECT_EQ(CheckTypedEdit(empty, smile, kEditTextMax), TypedEdit::NotShiftJis);
    EXPECT_EQ(FromTyped("表①").cp932, Sj("表①"));
    // A text read from a file beyond the limit can still be shortened, not lengthened.
    TypedText long300 = FromTyped(std::string(300, 'x'));
    EXPECT_EQ(CheckTypedEdit(long300, FromTyped(std::string(299, 'x')), kEditTextMax),
              TypedEdit::Accepted);
    EXPECT_EQ(CheckTypedEdit(long300, FromTyped(std::string(301, 'x')), kEditTextMax),
              TypedEdit::TooLong);
}

TEST(TypedText, AnythingTypedIntoEveryFieldSavesAndReadsBackUnchanged) {
    fixtures::TempDir dir;
    Fixture f(1);
    FileInfoEdit edit(f.s);
    EditTexts typed;
    for (int i = 0; i < kEditFieldCount; ++i) {
        // The longest text each field takes: line breaks and TABs, mended as typed.
        std::string text;
        while (FromTyped(text + "\n\t表").cp932.size() <= kEditFields[i].maxBytes) {
            text += "\n\t表";
        }
        typed[i] = FromTyped(text).cp932;
        ASSERT_LE(typed[i].size(), kEditFields[i].maxBytes);
    }
    edit.Confirm(typed);
    std::string path = dir.path() + "/album.txt";
    ASSERT_EQ(WriteAlbumFile(f.s.album, path).value_or(-1), 1);
    Album back;
    ASSERT_EQ(ReadAlbumFile(back, path, nullptr).value_or({.entries = -1}).entries, 1);
    for (int i = 0; i < kEditFieldCount; ++i) {
        EXPECT_EQ(back.entries.Field(0, kEditFields[i].column), typed[i]) << i;
    }
}

}  // namespace
}  // namespace mirulane
