// The record of what the program wrote into an output folder, and what a run does with each
// output file it finds there.

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/problem_text.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "platform/output_manifest.h"
#include "platform/text.h"
#include "support/scripted_interaction.h"

namespace mirulane {
namespace {

namespace fs = std::filesystem;
using fixtures::TempDir;

// A run's overwrite question, answered from a list (then "no"), with the paths it was asked.
struct Questions {
    std::vector<OutputDecision> answers;
    std::vector<std::string> asked;

    OutputConfirm For(const std::string& path) {
        return [this, path](OutputState) {
            asked.push_back(path);
            if (answers.empty()) return OutputDecision::Skip;
            OutputDecision d = answers.front();
            answers.erase(answers.begin());
            return d;
        };
    }
};

ino_t Inode(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(OutputLedger, ARerunLeavesAlikeFilesAloneAndReplacesItsOwnWithoutAsking) {
    TempDir dir;
    const std::string page = dir.path() + "/page.html";
    const std::string other = dir.path() + "/other.html";
    Questions q;
    {
        OutputLedger first;
        EXPECT_EQ(first.Write(page, "one", nullptr, q.For(page)).outcome, OutputOutcome::Written);
        EXPECT_EQ(first.Write(other, "other", nullptr, q.For(other)).outcome,
                  OutputOutcome::Written);
        EXPECT_TRUE(first.Save().empty());
    }
    const ino_t before = Inode(other);

    OutputLedger second;
    EXPECT_EQ(second.Write(other, "other", nullptr, q.For(other)).outcome,
              OutputOutcome::Unchanged);
    EXPECT_EQ(Inode(other), before);  // not written again
    EXPECT_EQ(second.Write(page, "two", nullptr, q.For(page)).outcome, OutputOutcome::Written);
    EXPECT_EQ(dir.Read("page.html"), "two");
    EXPECT_TRUE(q.asked.empty());
    EXPECT_EQ(second.Tally().written, 1);
    EXPECT_EQ(second.Tally().unchanged, 1);
    EXPECT_TRUE(second.Save().empty());

    // What the second run wrote is the program's own from then on.
    OutputLedger third;
    EXPECT_EQ(third.Write(page, "three", nullptr, q.For(page)).outcome, OutputOutcome::Written);
    EXPECT_TRUE(q.asked.empty());
}

TEST(OutputLedger, FilesEditedOrNotWrittenByTheProgramAreAskedAboutAndCountedWhenKept) {
    TempDir dir;
    const std::string edited = dir.path() + "/edited.html";
    const std::string foreign = dir.path() + "/foreign.html";
    const std::string linked = dir.path() + "/linked.html";
    const std::string target = dir.path() + "/target.html";
    Questions q;
    {
        OutputLedger first;
        first.Write(edited, "page", nullptr, q.For(edited));
        first.Write(target, "page", nullptr, q.For(target));
        (void)first.Save();
    }
    dir.Write("edited.html", "page, edited by hand");
    dir.Write("foreign.html", "the user's own");
    // A link is never the program's, even to a file it wrote.
    fs::create_symlink("target.html", linked);

    for (int round = 0; round < 2; ++round) {
        OutputLedger ledger;
        q.asked.clear();
        EXPECT_EQ(ledger.Write(edited, "new", nullptr, q.For(edited)).outcome, OutputOutcome::Kept);
        EXPECT_EQ(ledger.Write(foreign, "new", nullptr, q.For(foreign)).outcome,
                  OutputOutcome::Kept);
        EXPECT_EQ(ledger.Write(linked, "page", nullptr, q.For(linked)).outcome,
                  OutputOutcome::Kept);
        EXPECT_EQ(q.asked, (std::vector<std::string>{edited, foreign, linked}));
        EXPECT_EQ(ledger.Tally().keptEdited, std::vector<std::string>{edited});
        EXPECT_EQ(ledger.Tally().keptUnknown, (std::vector<std::string>{foreign, linked}));
        EXPECT_EQ(ledger.Tally().written, 0);
        (void)ledger.Save();  // a kept file keeps its old record: the next run asks again
    }
    EXPECT_EQ(dir.Read("edited.html"), "page, edited by hand");
    EXPECT_EQ(dir.Read("foreign.html"), "the user's own");
    EXPECT_TRUE(fs::is_symlink(linked));

    // "Yes" and cancel; without a question (a companion file) a file of the program's is
    // replaced, one of someone else's kept.
    OutputLedger ledger;
    q.answers = {OutputDecision::Write, OutputDecision::Cancel};
    EXPECT_EQ(ledger.Write(edited, "new", nullptr, q.For(edited)).outcome, OutputOutcome::Written);
    EXPECT_EQ(ledger.Write(foreign, "new", nullptr, q.For(foreign)).outcome,
              OutputOutcome::Cancelled);
    EXPECT_EQ(dir.Read("foreign.html"), "the user's own");
    EXPECT_EQ(ledger.Write(foreign, "new", nullptr, nullptr).outcome, OutputOutcome::Kept);
    EXPECT_EQ(dir.Read("foreign.html"), "the user's own");
    dir.Write("edited.html", "edited again");
    EXPECT_EQ(ledger.Write(edited, "newer", nullptr, nullptr).outcome, OutputOutcome::Written);
    EXPECT_EQ(dir.Read("edited.html"), "newer");
}

// A manifest that is not whole, or not one at all, says nothing: every file is asked about.
TEST(OutputLedger, ADamagedManifestMeansAsking) {
    const std::string hash = Format("%016llx", static_cast<unsigned long long>(ContentHash("old")));
    for (const std::string& manifest : {
             "mirulane-manifest 1\n" + hash + "\tpage.html",                // cut short
             hash + "\tpage.html\n",                                        // no header
             "mirulane-manifest 1\n" + hash.substr(1) + "\tpage.html\n",    // short hash
             "mirulane-manifest 1\n" + hash + " page.html\n",               // no tab
             "mirulane-manifest 1\nzz" + hash.substr(2) + "\tpage.html\n",  // not hex
         }) {
        TempDir dir;
        dir.Write("page.html", "old");
        dir.Write(std::string(kManifestName), manifest);
        OutputLedger ledger;
        EXPECT_EQ(ledger.Examine(dir.path() + "/page.html", "new"), OutputState::Unknown)
            << manifest;
    }
    TempDir dir;
    dir.Write("page.html", "old");
    dir.Write(std::string(kManifestName), "mirulane-manifest 1\n" + hash + "\tpage.html\n");
    OutputLedger ledger;
    EXPECT_EQ(ledger.Examine(dir.path() + "/page.html", "new"), OutputState::Own);
}

// A thumbnail takes the name of a photo, and an album file may name any file: a name with a
// line break must not be able to add a record of its own to the manifest.
TEST(OutputLedger, NamesThatCouldForgeARecordAreNeverRecorded) {
    TempDir dir;
    dir.Write("index.html", "the user's own");
    const std::string forged = Format(
        "x\n%016llx\tindex.html", static_cast<unsigned long long>(ContentHash("the user's own")));
    Questions q;
    {
        OutputLedger first;
        const std::string path = dir.path() + "/" + forged;
        EXPECT_EQ(first.Write(path, "thumb", nullptr, q.For(path)).outcome, OutputOutcome::Written);
        (void)first.Save();
    }
    OutputLedger second;
    const std::string index = dir.path() + "/index.html";
    EXPECT_EQ(second.Write(index, "page", nullptr, q.For(index)).outcome, OutputOutcome::Kept);
    EXPECT_EQ(q.asked, std::vector<std::string>{index});
    EXPECT_EQ(dir.Read("index.html"), "the user's own");
}

TEST(OutputLedger, SavingKeepsWhatAnotherRunRecordedAndForgetsVanishedFiles) {
    TempDir dir;
    Questions q;
    const std::string a = dir.path() + "/a.html";
    const std::string b = dir.path() + "/b.html";
    const std::string gone = dir.path() + "/gone.html";
    {
        OutputLedger earlier;
        earlier.Write(gone, "gone", nullptr, q.For(gone));
        (void)earlier.Save();
    }
    fs::remove(gone);
    // Two runs at once in one folder: each saves what it wrote, neither loses the other's.
    OutputLedger one;
    OutputLedger two;
    EXPECT_EQ(one.Examine(a, "a"), OutputState::Absent);
    EXPECT_EQ(two.Examine(b, "b"), OutputState::Absent);
    one.Write(a, "a", nullptr, q.For(a));
    two.Write(b, "b", nullptr, q.For(b));
    EXPECT_TRUE(one.Save().empty());
    EXPECT_TRUE(two.Save().empty());

    OutputLedger next;
    EXPECT_EQ(next.Examine(a, "a2"), OutputState::Own);
    EXPECT_EQ(next.Examine(b, "b2"), OutputState::Own);
    // A file of the same name made later is not the program's.
    dir.Write("gone.html", "gone");
    EXPECT_EQ(next.Examine(gone, "new"), OutputState::Unknown);
    EXPECT_EQ(dir.Read(std::string(kManifestName)).find("gone.html"), std::string::npos);
    EXPECT_TRUE(q.asked.empty());
}

// Nothing recorded, nothing saved: a rerun that changes nothing writes nothing, not even the
// manifest; one that cannot save it says so and counts it.
TEST(OutputLedger, TheManifestIsSavedOnlyWhenSomethingWasRecordedAndFailuresAreTold) {
    TempDir dir;
    const std::string page = dir.path() + "/page.html";
    {
        OutputLedger first;
        first.Write(page, "page", nullptr, nullptr);
        (void)first.Save();
    }
    const std::string manifest = dir.path() + "/" + std::string(kManifestName);
    const ino_t before = Inode(manifest);
    OutputLedger again;
    EXPECT_EQ(again.Write(page, "page", nullptr, nullptr).outcome, OutputOutcome::Unchanged);
    EXPECT_TRUE(again.Save().empty());
    EXPECT_EQ(Inode(manifest), before);

    fs::remove(manifest);
    fs::create_directory(manifest);
    // Without its manifest the page is no longer known as the program's: the user lets it go.
    Questions yes;
    yes.answers = {OutputDecision::Write};
    OutputLedger blocked;
    EXPECT_EQ(blocked.Write(page, "changed", nullptr, yes.For(page)).outcome,
              OutputOutcome::Written);
    std::vector<Problem> unsaved = blocked.Save();
    EXPECT_EQ(blocked.Tally().recordFailures, 1);
    ASSERT_EQ(unsaved.size(), 1u);
    const std::string told = ToDisplay(ProblemText(unsaved[0]).text);
    EXPECT_EQ(told.find("出力ファイルの記録を保存できません(errno="), 0u);
    EXPECT_NE(told.find("\n" + manifest), std::string::npos);
}

// A run killed before it saves has still told, file by file, what it wrote: the next run
// replaces those files as its own, without a question. A line cut short by the kill is
// passed over, and the lines after it still count.
TEST(OutputLedger, FilesOfARunKilledBeforeItSavesAreStillItsOwn) {
    TempDir dir;
    Questions q;
    const std::string page = dir.path() + "/page.html";
    const std::string thumb = dir.path() + "/t.jpg";
    const std::string journal = dir.path() + "/" + std::string(kJournalName);
    {
        OutputLedger killed;  // never saves, as a killed run
        killed.Write(page, "one", nullptr, q.For(page));
        killed.Write(thumb, "thumb", nullptr, q.For(thumb), OutputKind::Thumbnail);
    }
    EXPECT_FALSE(fs::exists(dir.path() + "/" + std::string(kManifestName)));
    dir.Write(std::string(kJournalName), dir.Read(std::string(kJournalName)) + "00ab\t12");
    {
        OutputLedger killedToo;
        EXPECT_EQ(killedToo.Write(page, "two", nullptr, q.For(page)).outcome,
                  OutputOutcome::Written);
    }
    OutputLedger next;
    EXPECT_EQ(next.Write(page, "three", nullptr, q.For(page)).outcome, OutputOutcome::Written);
    EXPECT_EQ(next.Write(thumb, "thumb 2", nullptr, q.For(thumb)).outcome, OutputOutcome::Written);
    EXPECT_TRUE(q.asked.empty());
    EXPECT_TRUE(next.Save().empty());
    EXPECT_FALSE(fs::exists(journal));  // merged into the manifest
    OutputLedger after;
    EXPECT_EQ(after.Examine(page, "four"), OutputState::Own);
}

// A made thumbnail is current while its picture and box are those it was made from and the
// file is as written; kept as current, it is no leftover. Manifests of the first version,
// which say nothing of that, still tell the program's files.
TEST(OutputLedger, AThumbnailIsCurrentOnlyForTheSourceItWasMadeFrom) {
    TempDir dir;
    const std::string thumb = dir.path() + "/a.jpg";
    const SourceStamp source{1234, 1700000000123456789, 160, 120};
    {
        OutputLedger first;
        first.Write(thumb, "made", nullptr, nullptr, OutputKind::Thumbnail, &source);
        EXPECT_TRUE(first.IsCurrent(thumb, source));
        (void)first.Save();
    }
    OutputLedger second;
    EXPECT_TRUE(second.IsCurrent(thumb, source));
    for (SourceStamp other : {SourceStamp{1235, source.mtimeNs, 160, 120},
                              SourceStamp{1234, source.mtimeNs + 1, 160, 120},
                              SourceStamp{1234, source.mtimeNs, 120, 120}}) {
        EXPECT_FALSE(second.IsCurrent(thumb, other));
    }
    second.KeepCurrent(thumb);
    EXPECT_EQ(second.Tally().unchanged, 1);
    EXPECT_EQ(second.RemoveLeftovers(dir.path(), OutputKind::Thumbnail), 0);
    EXPECT_EQ(dir.Read("a.jpg"), "made");
    dir.Write("a.jpg", "edited");
    EXPECT_FALSE(OutputLedger().IsCurrent(thumb, source));

    TempDir old;
    old.Write("page.html", "old");
    old.Write(std::string(kManifestName),
              Format("mirulane-manifest 1\n%016llx\tpage.html\n",
                     static_cast<unsigned long long>(ContentHash("old"))));
    OutputLedger reader;
    EXPECT_EQ(reader.Examine(old.path() + "/page.html", "new"), OutputState::Own);
    EXPECT_EQ(reader.Examine(old.path() + "/page.html", "old"), OutputState::Unchanged);
}

// A manifest is a file anyone can edit: a record naming a file outside the folder, the
// manifest itself or a writer's temporary file never makes the program remove it.
TEST(OutputLedger, LeftoversAreRemovedOnlyInsideTheFolder) {
    TempDir dir;
    dir.Write("outside.html", "x");
    dir.Write("out/.mrl-1-AAAAAA", "x");
    dir.Write("out/gone.html", "x");
    std::string manifest = "mirulane-manifest 2\n";
    for (const char* name :
         {"../outside.html", ".mirulane-manifest", ".mrl-1-AAAAAA", "gone.html"}) {
        manifest += Format("%016llx\t-\t-\tp\t-\t%s\n",
                           static_cast<unsigned long long>(ContentHash("x")), name);
    }
    dir.Write("out/" + std::string(kManifestName), manifest);
    OutputLedger ledger;
    EXPECT_EQ(ledger.RemoveLeftovers(dir.path() + "/out", OutputKind::Page), 1);
    EXPECT_FALSE(fs::exists(dir.path() + "/out/gone.html"));
    EXPECT_TRUE(fs::exists(dir.path() + "/outside.html"));
    EXPECT_TRUE(fs::exists(dir.path() + "/out/.mrl-1-AAAAAA"));
    EXPECT_TRUE(fs::exists(dir.path() + "/out/" + std::string(kManifestName)));
}

}  // namespace
}  // namespace mirulane
