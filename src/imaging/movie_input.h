#pragma once
// Opening a movie file for decoding with FFmpeg's libraries, under the rules for untrusted
// input: only the demuxer of the container its name says, after its leading bytes agree; only
// the file itself (no other protocol, no file it names); only the decoders a camera or phone
// clip needs; a picture size budget checked before a decoder runs; and a deadline after which
// every blocking call of the libraries gives up.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/thumbnail_problem.h"

struct AVCodecContext;
struct AVFormatContext;

namespace mirulane {

// What one movie may cost.
struct MovieLimits {
    uint64_t maxPixels = 8192ull * 4320;  // a frame's width × height (8K)
    // A poster decodes a handful of frames.
    std::chrono::milliseconds posterTime{20'000};
    // A playable copy is given a fixed time plus a multiple of the clip's length.
    std::chrono::milliseconds copyTimeBase{120'000};
    int copyTimePerSecond = 30;
    double maxSeconds = 3 * 3600.0;  // longer clips are not copied
    int maxCopySide = 1920;          // a copy's longer side
};

// The container a movie's name says it is in, by its extension.
enum class MovieContainer { None, Avi, QuickTime, Mpeg, WebM };
MovieContainer MovieContainerOfName(std::string_view name);

// Quiets the libraries' console output, once per process; safe to call from any thread.
void StartMovieDecoding();

using MovieClock = std::chrono::steady_clock;

// One open movie: its demuxer, and the decoders opened on demand. Not copyable.
class MovieInput {
  public:
    MovieInput() = default;
    ~MovieInput();
    MovieInput(const MovieInput&) = delete;
    MovieInput& operator=(const MovieInput&) = delete;

    // Opens `path` (CP932) as the container its name says, giving up at `deadline`.
    // ThumbnailProblem::None on success; else the problem, and `detail` says why (UTF-8).
    ThumbnailProblem Open(std::string_view path, MovieClock::time_point deadline,
                          std::string& detail);

    // Opens the decoder of the first video stream (`threads`: 0 lets the library choose), after
    // its declared size is checked against `maxPixels`.
    ThumbnailProblem OpenVideo(uint64_t maxPixels, int threads, std::string& detail);
    // Opens the decoder of the first audio stream, when there is one the program decodes.
    bool OpenAudio();

    // The clockwise quarter turns (0 to 3) that stand the video upright, from its display
    // matrix.
    int QuarterTurns() const;
    // The clip's length in seconds, 0 when unknown.
    double Seconds() const;
    bool TimedOut() const;
    // Moves the deadline (a copy's time depends on the clip's length, known once it is open).
    void SetDeadline(MovieClock::time_point deadline) { deadline_ = deadline; }
    // True once `deadline` has passed or `stop` was set: every blocking call returns.
    bool Interrupted() const;
    // A flag read by the libraries' blocking calls: set from another thread to stop them.
    void SetStopFlag(const std::atomic<bool>* stop) { stop_ = stop; }

    AVFormatContext* format = nullptr;
    int videoIndex = -1;
    AVCodecContext* video = nullptr;
    int audioIndex = -1;
    AVCodecContext* audio = nullptr;

  private:
    static int InterruptCallback(void* self);
    MovieClock::time_point deadline_{};
    const std::atomic<bool>* stop_ = nullptr;
    mutable bool timedOut_ = false;
};

// The demuxer's reason as text (UTF-8), for logs.
std::string MovieErrorText(int averror);

// True when the converter takes frames of this pixel format (an AVPixelFormat). A damaged
// stream can leave it unknown, and the converter aborts the process on a format it does not
// know rather than refusing it.
bool ConvertiblePixels(int format);

}  // namespace mirulane
