// The thumbnail maker on several threads at once, as the thumbnail run uses it: pictures of
// every kind, each made on a thread of its own, several in flight. Run in the sanitizer
// build, it is a check for heap corruption and races, not a timing.

#include <gtest/gtest.h>

#include <deque>
#include <future>
#include <string>
#include <vector>

#include "fixtures/bmp_builder.h"
#include "fixtures/image_builder.h"
#include "fixtures/picture_builder.h"
#include "imaging/thumbnail_maker.h"

namespace mirulane {
namespace {

using fixtures::PictureFormat;

TEST(ThumbnailMakerParallel, ManyPicturesOfEveryKindOnSeveralThreadsAllComeOutWhole) {
    ASSERT_TRUE(StartPictureDecoding());
    fixtures::TempDir dir;
    std::vector<std::string> paths;
    constexpr int kEach = 8;
    const fixtures::BmpLayout layouts[] = {
        fixtures::BmpLayout::Rgb24,    fixtures::BmpLayout::Rle8,
        fixtures::BmpLayout::Palette4, fixtures::BmpLayout::BitFieldsAlpha,
        fixtures::BmpLayout::Rgb16,    fixtures::BmpLayout::Palette1,
    };
    for (int i = 0; i < kEach; ++i) {
        // Sizes that need shrinking by different factors, some that need none.
        const int w = 90 + 83 * i;
        const int h = 70 + 61 * i;
        const std::string n = std::to_string(i);
        paths.push_back(dir.Write("a" + n + ".jpg", fixtures::MakePicture(PictureFormat::Jpeg, w, h,
                                                                          1 + i % 8, false, 10)));
        paths.push_back(
            dir.Write("b" + n + ".jpg",
                      fixtures::MakePicture(PictureFormat::ProgressiveJpeg, h, w, 1, false, 10)));
        paths.push_back(dir.Write(
            "c" + n + ".png", fixtures::MakePicture(PictureFormat::Png, w, h, 1, i % 2 == 1, 10)));
        paths.push_back(dir.Write(
            "d" + n + ".png", fixtures::MakePicture(PictureFormat::InterlacedPng, h, w, 1, false)));
        paths.push_back(dir.Write("e" + n + ".gif",
                                  fixtures::MakePicture(PictureFormat::Gif, w, h, 1, i % 2 == 1)));
        paths.push_back(dir.Write("f" + n + ".bmp",
                                  fixtures::MakeBmpPicture(w, h, layouts[i % std::size(layouts)])));
    }

    // One by one first: what every picture must come out as.
    std::vector<std::string> expected;
    for (const std::string& path : paths) {
        MadeThumbnail made = MakeThumbnailJpeg(path, 160, 120);
        ASSERT_TRUE(made.ok) << path << ": " << made.error;
        auto d = fixtures::DecodePicture(made.jpeg);
        ASSERT_TRUE(d && d->jpeg) << path;
        EXPECT_TRUE(d->width <= 160 && d->height <= 120 && d->bands == 3) << path;
        expected.push_back(std::move(made.jpeg));
    }

    // Then six in flight at a time, each on a new thread, three times over: every thumbnail
    // must be byte for byte what it was alone.
    constexpr size_t kInFlight = 6;
    int differing = 0;
    for (int round = 0; round < 3; ++round) {
        std::deque<std::pair<size_t, std::future<MadeThumbnail>>> running;
        size_t next = 0;
        while (next < paths.size() || !running.empty()) {
            while (next < paths.size() && running.size() < kInFlight) {
                running.emplace_back(
                    next, std::async(std::launch::async, MakeThumbnailJpeg, paths[next], 160, 120));
                ++next;
            }
            auto [index, future] = std::move(running.front());
            running.pop_front();
            MadeThumbnail made = future.get();
            EXPECT_TRUE(made.ok) << paths[index] << ": " << made.error;
            if (made.jpeg != expected[index]) ++differing;
        }
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace mirulane
