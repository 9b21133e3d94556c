// A generation run over an album written before: pages that would not change are left alone,
// the program's own pages are replaced without a question, pages edited by hand are asked
// about, and the run tells what it did with each.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>

#include "app/generation_run.h"
#include "app/thumbnail_run.h"
#include "fixtures/exif_builder.h"
#include "platform/output_manifest.h"
#include "session_album.h"

namespace mirulane {
namespace {

using PageAlbum = testing::SessionAlbum;

ino_t Inode(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

struct RerunAlbum : PageAlbum {
    RerunAlbum() {
        style().MakeAutorun = 1;
        Add("A.JPG", "一");
        Add("B.JPG", "二");
        OutputTally tally;
        EXPECT_EQ(GenerationResult::Done, GenerationRun(session, &tally));
        EXPECT_EQ(tally.written, 5);
        EXPECT_TRUE(ui.overwriteAsked.empty());
    }
    std::map<std::string, ino_t> Inodes() const {
        std::map<std::string, ino_t> out;
        for (const char* name : kFiles) out[name] = Inode(Path(name));
        return out;
    }
    static constexpr const char* kFiles[] = {"index.html", "autorun.inf", "html/list.html",
                                             "html/A.html", "html/B.html"};
};

TEST(GenerationRerun, AnEntryAddedSinceRewritesOnlyWhatChangesWithoutAsking) {
    RerunAlbum a;
    const std::map<std::string, ino_t> before = a.Inodes();
    OutputTally tally;
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session, &tally));
    EXPECT_EQ(before, a.Inodes());  // nothing written again
    EXPECT_EQ(tally.written, 0);
    EXPECT_EQ(tally.unchanged, 5);

    const std::string listBefore = a.Get("html/list.html");
    a.Add("C.JPG", "三");
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session, &tally));
    EXPECT_TRUE(a.ui.overwriteAsked.empty());
    EXPECT_TRUE(a.ui.messages.empty());
    EXPECT_NE(a.Get("html/list.html"), listBefore);
    EXPECT_NE(std::string::npos, a.Get("html/list.html").find("href=\"C.html\""));
    EXPECT_TRUE(a.Exists("html/C.html"));
    const std::map<std::string, ino_t> after = a.Inodes();
    EXPECT_EQ(after.at("index.html"), before.at("index.html"));
    EXPECT_EQ(after.at("autorun.inf"), before.at("autorun.inf"));
    int rewritten = 0;
    for (const auto& [name, inode] : after) rewritten += inode != before.at(name);
    EXPECT_EQ(tally.written, rewritten + 1);  // and the new page
    EXPECT_EQ(tally.unchanged, 5 - rewritten);
    EXPECT_TRUE(tally.keptEdited.empty());
    EXPECT_TRUE(tally.keptUnknown.empty());
}

TEST(GenerationRerun, PagesEditedByHandAreAskedAboutAndNamedWhenKept) {
    RerunAlbum a;
    a.Put("html/A.html", "edited by hand");
    a.Put("html/list.html", "edited by hand");
    a.Put("html/stray.html", "");
    a.Add("stray.JPG");  // its page is there already, not written by the program
    OutputTally tally;
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session, &tally));
    EXPECT_EQ(a.ui.overwriteAsked,
              (std::vector<std::string>{a.Path("html/list.html"), a.Path("html/A.html"),
                                        a.Path("html/stray.html")}));
    EXPECT_EQ("edited by hand", a.Get("html/A.html"));
    EXPECT_EQ(tally.keptEdited,
              (std::vector<std::string>{a.Path("html/list.html"), a.Path("html/A.html")}));
    EXPECT_EQ(tally.keptUnknown, std::vector<std::string>{a.Path("html/stray.html")});

    // Asked again the next time, until the user lets the program replace them. "All" answers
    // for the program's own pages only: the page it never wrote is still asked about.
    a.ui.overwriteAsked.clear();
    a.ui.overwriteAnswers = {OverwriteAnswer::All};
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session, &tally));
    EXPECT_EQ(a.ui.overwriteAsked,
              (std::vector<std::string>{a.Path("html/list.html"), a.Path("html/stray.html")}));
    EXPECT_NE("edited by hand", a.Get("html/A.html"));
    EXPECT_EQ("", a.Get("html/stray.html"));
    EXPECT_EQ(tally.written, 2);
}

TEST(GenerationRerun, ARecordThatCannotBeSavedFailsTheRun) {
    PageAlbum a;
    a.Add("A.JPG");
    std::filesystem::create_directories(a.Path("html/" + std::string(kManifestName)));
    OutputTally tally;
    EXPECT_EQ(GenerationResult::RecordFailed, GenerationRun(a.session, &tally));
    EXPECT_TRUE(a.Exists("html/A.html"));
    EXPECT_EQ(tally.recordFailures, 1);
    ASSERT_EQ(1u, a.ui.MessagesUtf8().size());
    EXPECT_EQ(a.ui.MessagesUtf8()[0], "出力ファイルの記録を保存できません(errno=21)\n" +
                                          a.Path("html/" + std::string(kManifestName)));
}

// Thumbnails and pages in one folder: each complete run takes away its own kind of leftover
// of the entries taken out of the album, when the program's file there is as it wrote it.
TEST(GenerationRerun, OutputsOfEntriesTakenOutOfTheAlbumGoUnlessChanged) {
    PageAlbum a;
    for (const char* name : {"A.JPG", "B.JPG", "C.JPG"}) {
        a.Put(name, fixtures::MakeCameraJpeg());
        a.Add(name);
    }
    const std::string html = a.Path("html");
    auto thumbnails = [&](bool selectedOnly) {
        ThumbnailRunRequest request{a.target, html, selectedOnly};
        return RunThumbnailExtraction(a.session, request).outputs;
    };
    EXPECT_EQ(thumbnails(false).written, 3);
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    a.Put("html/B.html", "edited by hand");
    a.Put("html/mine.html", "the user's own");
    a.session.album.entries.Delete(2);  // C
    a.session.album.entries.Delete(1);  // B

    OutputTally tally;
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session, &tally));
    EXPECT_EQ(tally.removed, 1);
    EXPECT_FALSE(a.Exists("html/C.html"));
    EXPECT_EQ(a.Get("html/B.html"), "edited by hand");
    EXPECT_EQ(a.Get("html/mine.html"), "the user's own");
    EXPECT_TRUE(a.Exists("html/B.JPG") && a.Exists("html/C.JPG"));  // not the pages' to remove

    // A run over the selected entries only knows nothing of the others.
    EXPECT_EQ(thumbnails(true).removed, 0);
    EXPECT_TRUE(a.Exists("html/B.JPG") && a.Exists("html/C.JPG"));
    a.Put("html/C.JPG", "changed");
    EXPECT_EQ(thumbnails(false).removed, 1);
    EXPECT_FALSE(a.Exists("html/B.JPG"));
    EXPECT_EQ(a.Get("html/C.JPG"), "changed");
    for (const char* kept :
         {"html/A.html", "html/A.JPG", "html/list.html", "index.html", "html/.mirulane-manifest"}) {
        EXPECT_TRUE(a.Exists(kept)) << kept;
    }

    // The edited page is still known as the program's: back in the album, it is asked about.
    a.Add("B.JPG");
    a.ui.overwriteAsked.clear();
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_EQ(a.ui.overwriteAsked, std::vector<std::string>{a.Path("html/B.html")});
}

// autorun.inf is written without a question only when it is the program's own: one the user
// put there is asked about, overwrite-all or not.
TEST(GenerationRerun, AnAutorunFileOfTheUsersIsAskedAboutEvenWithOverwriteAll) {
    PageAlbum a;
    a.style().MakeAutorun = 1;
    a.Add("A.JPG");
    a.Put("autorun.inf", "[autorun]\nopen=mine.exe\n");
    a.session.settings.EnvForceOverWrite = 1;
    OutputTally tally;
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session, &tally));
    EXPECT_EQ(a.ui.overwriteAsked, std::vector<std::string>{a.Path("autorun.inf")});
    EXPECT_EQ(a.Get("autorun.inf"), "[autorun]\nopen=mine.exe\n");
    EXPECT_EQ(tally.keptUnknown, std::vector<std::string>{a.Path("autorun.inf")});

    // Once the user let the program write it, an edit is replaced without a question.
    a.ui.overwriteAnswers = {OverwriteAnswer::Yes};
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    a.Put("autorun.inf", "edited");
    a.session.settings.EnvForceOverWrite = 0;
    a.ui.overwriteAsked.clear();
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_TRUE(a.ui.overwriteAsked.empty());
    EXPECT_NE(a.Get("autorun.inf"), "edited");
}

}  // namespace
}  // namespace mirulane
