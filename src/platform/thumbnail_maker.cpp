#include "platform/thumbnail_maker.h"

#include <vips/vips.h>

#include <mutex>

#include "platform/fs.h"

namespace mirulane {
namespace {

// Larger files are refused rather than read whole into memory.
constexpr size_t kMaxPictureBytes = 256u << 20;

// libvips keeps process-wide state that must be set up once before its first use; it is done
// here, on the first thumbnail, so that a run that never makes one never starts it.
bool StartVips() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        started = VIPS_INIT("mirulane") == 0;
        if (!started) return;
        // Each thumbnail runs on one thread; the caller spreads pictures over the cores, which
        // is what pays for pictures this small. No operation cache: every picture is new.
        vips_concurrency_set(1);
        vips_cache_set_max(0);
        // A damaged picture is told by its failure; the decoder's warnings about it are not
        // for the user's console.
        g_log_set_handler(
            "VIPS", G_LOG_LEVEL_WARNING,
            [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    });
    return started;
}

// Owns a VipsImage reference.
struct ImageRef {
    VipsImage* image = nullptr;
    ImageRef() = default;
    ImageRef(const ImageRef&) = delete;
    ImageRef& operator=(const ImageRef&) = delete;
    ~ImageRef() {
        if (image) g_object_unref(image);
    }
};

MadeThumbnail Failure(const char* what, ThumbnailProblem problem = ThumbnailProblem::NotDecodable) {
    MadeThumbnail made;
    made.problem = problem;
    const char* detail = vips_error_buffer();
    made.error = detail && *detail ? detail : what;
    vips_error_clear();
    return made;
}

}  // namespace

MadeThumbnail MakeThumbnailJpeg(std::string_view path, int boxWidth, int boxHeight) {
    if (!StartVips()) return Failure("libvips could not be started");
    if (boxWidth < 1 || boxHeight < 1) return Failure("empty thumbnail box");
    std::string bytes;
    if (ReadFileBytes(path, bytes, kMaxPictureBytes + 1) != 0)
        return Failure("unreadable file", ThumbnailProblem::Unreadable);
    if (bytes.size() > kMaxPictureBytes)
        return Failure("file too large", ThumbnailProblem::TooLarge);

    // From memory rather than by name: libvips reads options out of a file name ("a[x].jpg").
    // Shrink-on-load decodes a JPEG at 1/2, 1/4 or 1/8 of its size when that is enough.
    ImageRef thumb;
    if (vips_thumbnail_buffer(bytes.data(), bytes.size(), &thumb.image, boxWidth, "height",
                              boxHeight, "size", VIPS_SIZE_DOWN, "auto_rotate", TRUE,
                              nullptr) != 0) {
        return Failure("cannot decode");
    }
    // Transparent parts of a PNG or GIF become white, as they look on a page.
    if (vips_image_hasalpha(thumb.image)) {
        ImageRef flat;
        double white[] = {255.0, 255.0, 255.0};
        VipsArrayDouble* background = vips_array_double_new(white, 3);
        int status = vips_flatten(thumb.image, &flat.image, "background", background, nullptr);
        vips_area_unref(VIPS_AREA(background));
        if (status != 0) return Failure("cannot flatten");
        std::swap(thumb.image, flat.image);
    }
    void* out = nullptr;
    size_t outLength = 0;
    if (vips_jpegsave_buffer(thumb.image, &out, &outLength, "Q", 85, "strip", TRUE, nullptr) != 0) {
        return Failure("cannot encode");
    }
    MadeThumbnail made;
    made.ok = true;
    made.jpeg.assign(static_cast<const char*>(out), outLength);
    g_free(out);
    return made;
}

}  // namespace mirulane
