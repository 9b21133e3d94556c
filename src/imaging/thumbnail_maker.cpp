#include "imaging/thumbnail_maker.h"

#include <vips/vips.h>
// After vips.h, which it needs.
#include <vips/vector.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "imaging/bmp_decoder.h"
#include "platform/fs.h"

namespace mirulane {
namespace {

using Clock = std::chrono::steady_clock;

// The only loaders left to run: those the picture kinds need, each over bytes in memory.
// The rest, ImageMagick's above all (which renders SVG with external files and starts
// programs), stay blocked.
constexpr const char* kLoaders[] = {
    "VipsForeignLoadJpegBuffer",
    "VipsForeignLoadPngBuffer",
    "VipsForeignLoadNsgifBuffer",
};

void Discard(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

bool StartOnce() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        // A damaged picture is told by its failure; the libraries' warnings about it, and
        // those of modules loaded at start, are not for the user's console.
        const auto quiet = static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE |
                                                       G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG);
        for (const char* domain : {"VIPS", "GLib", "GLib-GObject", "GModule", "JXL"}) {
            g_log_set_handler(domain, quiet, Discard, nullptr);
        }
        started = VIPS_INIT("mirulane") == 0;
        if (!started) return;
        // Each thumbnail runs on one thread; the caller spreads pictures over the cores, which
        // is what pays for pictures this small. No operation cache: every picture is new.
        vips_concurrency_set(1);
        vips_cache_set_max(0);
        // Run-time generated vector code is off: its compiler is not safe on several threads
        // at once, and thumbnails this small do not need it.
        vips_vector_set_enabled(FALSE);
        vips_block_untrusted_set(TRUE);
        vips_operation_block_set("VipsForeignLoad", TRUE);
        for (const char* loader : kLoaders) vips_operation_block_set(loader, FALSE);
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
    void Reset(VipsImage* other) {
        if (image) g_object_unref(image);
        image = other;
    }
};

// Per-thread state of libvips goes when the call ends: the callers' threads are not libvips's
// own, and most end after one picture.
struct ThreadShutdown {
    ~ThreadShutdown() { vips_thread_shutdown(); }
};

MadeThumbnail Failure(ThumbnailProblem problem, std::string detail) {
    MadeThumbnail made;
    made.problem = problem;
    made.error = std::move(detail);
    return made;
}

// A libvips failure: the process-wide error text is taken and cleared in one step (it may
// hold another thread's words too; it is only a detail).
MadeThumbnail VipsFailure(ThumbnailProblem problem, const char* what) {
    std::string detail = what;
    if (char* text = vips_error_buffer_copy()) {
        if (*text) detail += std::string(": ") + text;
        g_free(text);
    }
    while (!detail.empty() && detail.back() == '\n') detail.pop_back();
    return Failure(problem, std::move(detail));
}

// Stops the decoding of a picture once its time is up: at the deadline a watcher thread sets
// the kill flag of the watched images, which libvips checks on every later read of their
// pixels (the decoder's strips among them), so the work stops mid-picture with an error.
class Deadline {
  public:
    explicit Deadline(Clock::time_point at) : at_(at) {}
    ~Deadline() { Stop(); }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

    // The images must outlive this object, or Stop() must come first.
    void Watch(VipsImage* decoded, VipsImage* thumbnail) {
        images_[0] = decoded;
        images_[1] = thumbnail;
        watcher_ = std::thread([this] {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!done_.wait_until(lock, at_, [this] { return stopped_; })) {
                killed_ = true;
                for (VipsImage* image : images_) vips_image_set_kill(image, TRUE);
            }
        });
    }
    void Stop() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopped_ = true;
        }
        done_.notify_all();
        if (watcher_.joinable()) watcher_.join();
    }
    bool Killed() {
        std::lock_guard<std::mutex> lock(mutex_);
        return killed_;
    }

  private:
    Clock::time_point at_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool stopped_ = false;
    bool killed_ = false;
    VipsImage* images_[2] = {};
    std::thread watcher_;
};

// Shrink-on-load for a JPEG: a power of two no larger than an eighth of the reduction still
// to come, so the final resize has pixels to spare.
int JpegShrink(VipsImage* header, int boxWidth, int boxHeight) {
    double width = vips_image_get_width(header);
    double height = vips_image_get_height(header);
    if (vips_image_get_orientation_swap(header)) std::swap(width, height);
    const double factor = std::max(width / boxWidth, height / boxHeight);
    return factor >= 16 ? 8 : factor >= 8 ? 4 : factor >= 4 ? 2 : 1;
}

// Decodes a BMP with our own decoder into memory that the image frees when it closes.
MadeThumbnail LoadBmp(std::string_view bytes, ImageRef& out) {
    BmpHeader header;
    std::string detail;
    BmpStatus status = ReadBmpHeader(bytes, header, detail);
    const size_t size = size_t{header.width} * header.height * header.bands;
    void* pixels = nullptr;
    if (status == BmpStatus::Ok) {
        pixels = g_try_malloc(size);
        if (!pixels) return Failure(ThumbnailProblem::TooLarge, "no memory for the BMP pixels");
        status = DecodeBmpPixels(bytes, header, static_cast<uint8_t*>(pixels), detail);
    }
    if (status != BmpStatus::Ok) {
        g_free(pixels);
        return Failure(status == BmpStatus::Unsupported ? ThumbnailProblem::NotDecodable
                                                        : ThumbnailProblem::Damaged,
                       detail);
    }
    VipsImage* image = vips_image_new_from_memory(pixels, size, static_cast<int>(header.width),
                                                  static_cast<int>(header.height), header.bands,
                                                  VIPS_FORMAT_UCHAR);
    if (!image) {
        g_free(pixels);
        return VipsFailure(ThumbnailProblem::NotDecodable, "BMP pixels not taken");
    }
    g_signal_connect(image, "postclose", G_CALLBACK(+[](VipsImage*, void* p) { g_free(p); }),
                     pixels);
    ImageRef raw;
    raw.image = image;
    if (vips_copy(raw.image, &out.image, "interpretation", VIPS_INTERPRETATION_sRGB, nullptr)) {
        return VipsFailure(ThumbnailProblem::NotDecodable, "BMP pixels not taken");
    }
    return MadeThumbnail{true, {}, ThumbnailProblem::None, {}};
}

// Opens the picture with the one loader of its kind (never by sniffing its bytes, which
// would let every loader look at them).
MadeThumbnail Load(PictureKind kind, std::string_view bytes, int boxWidth, int boxHeight,
                   ImageRef& out) {
    const void* data = bytes.data();
    const size_t size = bytes.size();
    // A JPEG or PNG cut short is damaged, not a picture with a grey end. A GIF cut short shows
    // what it has, as browsers show it.
    const VipsFailOn failOn = VIPS_FAIL_ON_TRUNCATED;
    int status = -1;
    switch (kind) {
        case PictureKind::Jpeg: {
            ImageRef header;
            if (vips_jpegload_buffer(const_cast<void*>(data), size, &header.image, "fail_on",
                                     failOn, nullptr) != 0) {
                break;
            }
            status = vips_jpegload_buffer(const_cast<void*>(data), size, &out.image, "shrink",
                                          JpegShrink(header.image, boxWidth, boxHeight), "access",
                                          VIPS_ACCESS_SEQUENTIAL, "fail_on", failOn, nullptr);
            break;
        }
        case PictureKind::Png:
            status = vips_pngload_buffer(const_cast<void*>(data), size, &out.image, "access",
                                         VIPS_ACCESS_SEQUENTIAL, "fail_on", failOn, nullptr);
            break;
        case PictureKind::Gif:
            status = vips_gifload_buffer(const_cast<void*>(data), size, &out.image, "access",
                                         VIPS_ACCESS_SEQUENTIAL, nullptr);
            break;
        case PictureKind::Bmp:
            return LoadBmp(bytes, out);
        case PictureKind::Tiff:
        case PictureKind::Unknown:
            return Failure(ThumbnailProblem::NotDecodable, "not a picture kind that is decoded");
    }
    if (status != 0) return VipsFailure(ThumbnailProblem::Damaged, "cannot decode");
    return MadeThumbnail{true, {}, ThumbnailProblem::None, {}};
}

MadeThumbnail Make(std::string_view path, int boxWidth, int boxHeight,
                   const PictureLimits& limits) {
    if (!StartOnce()) return Failure(ThumbnailProblem::NotDecodable, "libvips did not start");
    if (boxWidth < 1 || boxHeight < 1) {
        return Failure(ThumbnailProblem::NotDecodable, "empty thumbnail box");
    }
    const PictureKind kind = PictureKindOfName(path);
    if (kind == PictureKind::Unknown) {
        return Failure(ThumbnailProblem::NotDecodable, "not a picture kind that is decoded");
    }
    const Clock::time_point deadline = Clock::now() + limits.time;
    std::string bytes;
    if (int err = ReadFileBytes(path, bytes, limits.maxFileBytes + 1); err != 0) {
        return Failure(ThumbnailProblem::Unreadable, g_strerror(err));
    }
    if (bytes.size() > limits.maxFileBytes) {
        return Failure(ThumbnailProblem::TooLarge, "file larger than a picture may be");
    }
    const PictureHeader header = CheckPictureHeader(kind, bytes, limits.budget);
    if (header.problem != ThumbnailProblem::None) return Failure(header.problem, header.detail);

    // Declared after the bytes, so every image (which may point into them) goes first.
    ThreadShutdown shutdown;
    ImageRef image;
    if (MadeThumbnail loaded = Load(kind, bytes, boxWidth, boxHeight, image); !loaded.ok) {
        return loaded;
    }
    ImageRef thumb;
    if (vips_thumbnail_image(image.image, &thumb.image, boxWidth, "height", boxHeight, "size",
                             VIPS_SIZE_DOWN, nullptr) != 0) {
        return VipsFailure(ThumbnailProblem::Damaged, "cannot scale");
    }
    // Transparent parts of a PNG, GIF or BMP become white, as they look on a page.
    if (vips_image_hasalpha(thumb.image)) {
        ImageRef flat;
        double white[] = {255.0, 255.0, 255.0};
        VipsArrayDouble* background = vips_array_double_new(white, 3);
        int status = vips_flatten(thumb.image, &flat.image, "background", background, nullptr);
        vips_area_unref(VIPS_AREA(background));
        if (status != 0) return VipsFailure(ThumbnailProblem::Damaged, "cannot flatten");
        std::swap(thumb.image, flat.image);
    }
    // The pixels are decoded while the thumbnail is encoded.
    Deadline timer(deadline);
    timer.Watch(image.image, thumb.image);
    void* out = nullptr;
    size_t outLength = 0;
    const int saved =
        vips_jpegsave_buffer(thumb.image, &out, &outLength, "Q", 85, "strip", TRUE, nullptr);
    timer.Stop();
    if (saved != 0) {
        return VipsFailure(timer.Killed() ? ThumbnailProblem::TimedOut : ThumbnailProblem::Damaged,
                           "cannot decode");
    }
    MadeThumbnail made;
    made.ok = true;
    made.jpeg.assign(static_cast<const char*>(out), outLength);
    g_free(out);
    return made;
}

}  // namespace

bool StartPictureDecoding() { return StartOnce(); }

MadeThumbnail MakeThumbnailJpeg(std::string_view path, int boxWidth, int boxHeight) {
    return Make(path, boxWidth, boxHeight, PictureLimits{});
}

MadeThumbnail EncodeRgbThumbnail(const uint8_t* rgb, int width, int height) {
    if (!StartOnce()) return Failure(ThumbnailProblem::NotDecodable, "libvips did not start");
    if (!rgb || width < 1 || height < 1) return Failure(ThumbnailProblem::Damaged, "no pixels");
    ThreadShutdown shutdown;
    ImageRef image;
    const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
    image.image = vips_image_new_from_memory(rgb, size, width, height, 3, VIPS_FORMAT_UCHAR);
    if (!image.image) return VipsFailure(ThumbnailProblem::NotDecodable, "cannot wrap pixels");
    void* out = nullptr;
    size_t outLength = 0;
    if (vips_jpegsave_buffer(image.image, &out, &outLength, "Q", 85, "strip", TRUE, nullptr) != 0) {
        return VipsFailure(ThumbnailProblem::NotDecodable, "cannot encode");
    }
    MadeThumbnail made;
    made.ok = true;
    made.jpeg.assign(static_cast<const char*>(out), outLength);
    g_free(out);
    return made;
}

MadeThumbnail MakeThumbnailJpegWithin(std::string_view path, int boxWidth, int boxHeight,
                                      const PictureLimits& limits) {
    return Make(path, boxWidth, boxHeight, limits);
}

}  // namespace mirulane
