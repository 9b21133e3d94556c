// A folder as today's cameras and phones leave it, through mirulane-cli: photos named .jpeg,
// an H.264 MP4 and an old camera's Motion-JPEG AVI all become entries by default, each movie's
// detail page plays a file browsers play with a poster that exists, the list shows a picture
// of each, and the frameless layout makes the same album.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "fixtures/cli_runner.h"
#include "fixtures/image_builder.h"
#include "fixtures/movie_builder.h"
#include "fixtures/picture_builder.h"

namespace {

namespace fs = std::filesystem;
using namespace mirulane::fixtures;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The value of `attribute` in the first `tag` element of the page.
std::string Attribute(const std::string& page, const std::string& tag, const std::string& attr) {
    std::smatch m;
    const std::regex element("<" + tag + "\\b[^>]*\\b" + attr + "=\"([^\"]*)\"");
    return std::regex_search(page, m, element) ? m[1].str() : std::string();
}

TEST(MoviesE2e, TodaysFolderBecomesAnAlbumWhoseMoviesPlayWithPosters) {
    TempDir dir;
    const fs::path root = dir.path();
    {
        std::ofstream(root / "IMG_0001.jpeg", std::ios::binary)
            << MakePicture(PictureFormat::Jpeg, 640, 480);
        std::ofstream(root / "DSC_0002.jpg", std::ios::binary)
            << MakePicture(PictureFormat::Jpeg, 320, 240);
    }
    ASSERT_TRUE(WriteClip((root / "phone.mp4").string(), {ClipKind::H264Mp4, 320, 180, 10, 1.5}));
    ASSERT_TRUE(
        WriteClip((root / "MVI_0003.AVI").string(), {ClipKind::MjpegAvi, 320, 240, 10, 1.5}));

    CliResult r = RunCli(MIRULANE_CLI_PATH, "album --thumbs " + ShellQuote(root.string()), root);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string list = ReadAll(root / "html" / "list.html");
    for (const char* name : {"IMG_0001", "DSC_0002", "phone", "MVI_0003"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(fs::exists(root / "html" / (std::string(name) + ".html")));
    }
    for (const char* movie : {"phone.mp4", "MVI_0003.AVI"}) {
        SCOPED_TRACE(movie);
        const std::string base = fs::path(movie).stem().string();
        const std::string page = ReadAll(root / "html" / (base + ".html"));
        const std::string source = Attribute(page, "source", "src");
        const std::string poster = Attribute(page, "video", "poster");
        ASSERT_FALSE(source.empty()) << page;
        ASSERT_FALSE(poster.empty()) << page;
        EXPECT_TRUE(fs::exists(root / "html" / source));
        EXPECT_TRUE(fs::exists(root / "html" / poster));
        EXPECT_EQ(fs::path(source).extension(), ".mp4");
        // The list shows the movie's poster.
        EXPECT_NE(list.find("../thumb/" + std::string(movie) + ".jpg"), std::string::npos);
    }
    EXPECT_EQ(Attribute(ReadAll(root / "html" / "phone.html"), "source", "src"), "../phone.mp4");
    EXPECT_EQ(Attribute(ReadAll(root / "html" / "MVI_0003.html"), "source", "src"),
              "../movie/MVI_0003.AVI.mp4");

    // The frameless layout: index.html is the grid, every page fits a phone's width.
    r = RunCli(MIRULANE_CLI_PATH, "album --layout 4 " + ShellQuote(root.string()), root);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string index = ReadAll(root / "index.html");
    EXPECT_NE(index.find("name=\"viewport\""), std::string::npos);
    EXPECT_EQ(index.find("<frameset"), std::string::npos);
    EXPECT_NE(index.find("thumb/MVI_0003.AVI.jpg"), std::string::npos);
    EXPECT_NE(ReadAll(root / "html" / "MVI_0003.html").find("<video"), std::string::npos);
}

}  // namespace
