#include "imaging/movie_poster.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <vector>

namespace mirulane {
namespace {

constexpr double kPosterSecond = 1.0;
// A seek lands on a key frame before the second; no camera puts them further apart.
constexpr int kMostFramesDecoded = 900;

struct Frames {
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    AVFrame* kept = av_frame_alloc();
    ~Frames() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        av_frame_free(&kept);
    }
};

MadeThumbnail Failed(ThumbnailProblem problem, std::string detail) {
    MadeThumbnail made;
    made.problem = problem;
    made.error = std::move(detail);
    return made;
}

// Decodes frames of the video stream until one at `target` (stream time) or later; the last
// frame decoded when the clip ends first. False when no frame came at all.
bool DecodeUntil(MovieInput& in, Frames& f, int64_t target, std::string& detail) {
    bool have = false;
    int decoded = 0;
    bool draining = false;
    while (decoded < kMostFramesDecoded && !in.Interrupted()) {
        int status = avcodec_receive_frame(in.video, f.frame);
        if (status == 0) {
            ++decoded;
            av_frame_unref(f.kept);
            av_frame_move_ref(f.kept, f.frame);
            have = true;
            const int64_t pts = f.kept->best_effort_timestamp;
            if (target == AV_NOPTS_VALUE || pts == AV_NOPTS_VALUE || pts >= target) return true;
            continue;
        }
        if (status == AVERROR_EOF) return have;
        if (status != AVERROR(EAGAIN)) {
            detail = MovieErrorText(status);
            return have;
        }
        if (draining) return have;
        status = av_read_frame(in.format, f.packet);
        if (status < 0) {
            draining = true;
            avcodec_send_packet(in.video, nullptr);
            continue;
        }
        if (f.packet->stream_index == in.videoIndex) {
            // A damaged packet is passed over: the next key frame may still decode.
            avcodec_send_packet(in.video, f.packet);
        }
        av_packet_unref(f.packet);
    }
    if (in.Interrupted()) detail = "decoding took too long";
    return have && !in.Interrupted();
}

// Turns packed RGB pixels clockwise by quarter turns.
std::vector<uint8_t> Turned(const std::vector<uint8_t>& rgb, int w, int h, int quarters, int& outW,
                            int& outH) {
    if (quarters == 0) {
        outW = w;
        outH = h;
        return rgb;
    }
    outW = quarters % 2 ? h : w;
    outH = quarters % 2 ? w : h;
    std::vector<uint8_t> out(rgb.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int nx = x;
            int ny = y;
            if (quarters == 1) {
                nx = h - 1 - y;
                ny = x;
            } else if (quarters == 2) {
                nx = w - 1 - x;
                ny = h - 1 - y;
            } else {
                nx = y;
                ny = w - 1 - x;
            }
            const size_t from = (static_cast<size_t>(y) * w + x) * 3;
            const size_t to = (static_cast<size_t>(ny) * outW + nx) * 3;
            std::copy_n(&rgb[from], 3, &out[to]);
        }
    }
    return out;
}

}  // namespace

MadeThumbnail MakeMoviePoster(std::string_view path, int boxWidth, int boxHeight,
                              const MovieLimits& limits, const std::atomic<bool>* stop) {
    if (boxWidth < 1 || boxHeight < 1) return Failed(ThumbnailProblem::NotDecodable, "no box");
    MovieInput in;
    in.SetStopFlag(stop);
    std::string detail;
    ThumbnailProblem problem = in.Open(path, MovieClock::now() + limits.posterTime, detail);
    if (problem == ThumbnailProblem::None) problem = in.OpenVideo(limits.maxPixels, 1, detail);
    if (problem != ThumbnailProblem::None) return Failed(problem, detail);

    Frames f;
    if (!f.packet || !f.frame || !f.kept) return Failed(ThumbnailProblem::NotDecodable, "memory");
    const AVStream* stream = in.format->streams[in.videoIndex];
    const int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
    int64_t target = AV_NOPTS_VALUE;
    // A clip shorter than about two seconds shows its first frame.
    if (in.Seconds() >= 2 * kPosterSecond) {
        target = start + av_rescale_q(static_cast<int64_t>(kPosterSecond * AV_TIME_BASE),
                                      AVRational{1, AV_TIME_BASE}, stream->time_base);
        if (av_seek_frame(in.format, in.videoIndex, target, AVSEEK_FLAG_BACKWARD) < 0) {
            // Not seekable (an index missing): read from the start.
            av_seek_frame(in.format, in.videoIndex, start, AVSEEK_FLAG_BACKWARD);
        }
        avcodec_flush_buffers(in.video);
    }
    if (!DecodeUntil(in, f, target, detail)) {
        if (in.TimedOut()) return Failed(ThumbnailProblem::TimedOut, "decoding took too long");
        return Failed(ThumbnailProblem::Damaged, detail.empty() ? "no frame decoded" : detail);
    }

    const AVFrame* frame = f.kept;
    if (frame->width < 1 || frame->height < 1 ||
        static_cast<uint64_t>(frame->width) * static_cast<uint64_t>(frame->height) >
            limits.maxPixels) {
        return Failed(ThumbnailProblem::Damaged, "frame of no size");
    }
    if (!ConvertiblePixels(frame->format)) {
        return Failed(ThumbnailProblem::NotDecodable, "pixel format not converted");
    }
    // The frame as shown: its pixels stretched by their aspect ratio, then turned.
    double shownW = frame->width;
    const AVRational sar = frame->sample_aspect_ratio.num > 0 ? frame->sample_aspect_ratio
                                                              : stream->sample_aspect_ratio;
    if (sar.num > 0 && sar.den > 0) shownW = shownW * sar.num / sar.den;
    const double shownH = frame->height;
    const int quarters = in.QuarterTurns();
    const double uprightW = quarters % 2 ? shownH : shownW;
    const double uprightH = quarters % 2 ? shownW : shownH;
    const double scale = std::min({1.0, boxWidth / uprightW, boxHeight / uprightH});
    // The scaled frame before it is turned.
    const int w = std::max(1, static_cast<int>(std::lround(shownW * scale)));
    const int h = std::max(1, static_cast<int>(std::lround(shownH * scale)));

    SwsContext* sws =
        sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), w, h,
                       AV_PIX_FMT_RGB24, SWS_AREA, nullptr, nullptr, nullptr);
    if (!sws) return Failed(ThumbnailProblem::NotDecodable, "pixel format not converted");
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    uint8_t* planes[4] = {rgb.data(), nullptr, nullptr, nullptr};
    int strides[4] = {w * 3, 0, 0, 0};
    const int rows =
        sws_scale(sws, frame->data, frame->linesize, 0, frame->height, planes, strides);
    sws_freeContext(sws);
    if (rows != h) return Failed(ThumbnailProblem::Damaged, "frame not converted");
    int outW = 0;
    int outH = 0;
    std::vector<uint8_t> upright = Turned(rgb, w, h, quarters, outW, outH);
    return EncodeRgbThumbnail(upright.data(), outW, outH);
}

}  // namespace mirulane
