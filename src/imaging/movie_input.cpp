#include "imaging/movie_input.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <cmath>
#include <mutex>

#include "platform/fs.h"
#include "platform/text.h"

namespace mirulane {
namespace {

// The decoders a clip from a camera or a phone needs, and nothing else the libraries carry.
constexpr AVCodecID kVideoCodecs[] = {
    AV_CODEC_ID_MJPEG,      AV_CODEC_ID_H264,  AV_CODEC_ID_HEVC,      AV_CODEC_ID_MPEG1VIDEO,
    AV_CODEC_ID_MPEG2VIDEO, AV_CODEC_ID_MPEG4, AV_CODEC_ID_MSMPEG4V3, AV_CODEC_ID_H263,
    AV_CODEC_ID_VP8,        AV_CODEC_ID_VP9,   AV_CODEC_ID_AV1,
};
constexpr AVCodecID kAudioCodecs[] = {
    AV_CODEC_ID_PCM_S16LE, AV_CODEC_ID_PCM_S16BE, AV_CODEC_ID_PCM_U8,        AV_CODEC_ID_PCM_S24LE,
    AV_CODEC_ID_PCM_MULAW, AV_CODEC_ID_PCM_ALAW,  AV_CODEC_ID_ADPCM_IMA_WAV, AV_CODEC_ID_ADPCM_MS,
    AV_CODEC_ID_AAC,       AV_CODEC_ID_MP3,       AV_CODEC_ID_MP2,           AV_CODEC_ID_AC3,
    AV_CODEC_ID_OPUS,      AV_CODEC_ID_VORBIS,    AV_CODEC_ID_AMR_NB,
};

template <size_t N>
bool Listed(const AVCodecID (&list)[N], AVCodecID id) {
    for (AVCodecID c : list) {
        if (c == id) return true;
    }
    return false;
}

// The demuxer of each container, and whether the file's first bytes are those of it.
const char* DemuxerName(MovieContainer c, std::string_view head) {
    auto at = [&](size_t pos, std::string_view what) {
        return head.size() >= pos + what.size() && head.substr(pos, what.size()) == what;
    };
    switch (c) {
        case MovieContainer::Avi:
            return at(0, "RIFF") && at(8, "AVI") ? "avi" : nullptr;
        case MovieContainer::QuickTime:
            for (std::string_view box : {"ftyp", "moov", "mdat", "wide", "free", "skip", "pnot"}) {
                if (at(4, box)) return "mov";
            }
            return nullptr;
        case MovieContainer::Mpeg:
            if (at(0, std::string_view("\0\0\1\xBA", 4))) return "mpeg";
            if (at(0, std::string_view("\0\0\1\xB3", 4))) return "mpegvideo";
            return nullptr;
        case MovieContainer::WebM:
            return at(0, "\x1A\x45\xDF\xA3") ? "matroska" : nullptr;
        case MovieContainer::None:
            break;
    }
    return nullptr;
}

void OpenCodecContext(AVCodecContext*& context, const AVStream* stream, int threads,
                      int64_t maxPixels, int& error) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    error = AVERROR_DECODER_NOT_FOUND;
    if (!codec) return;
    context = avcodec_alloc_context3(codec);
    if (!context) {
        error = AVERROR(ENOMEM);
        return;
    }
    if ((error = avcodec_parameters_to_context(context, stream->codecpar)) < 0) return;
    context->thread_count = threads;
    if (maxPixels > 0) context->max_pixels = maxPixels;
    context->pkt_timebase = stream->time_base;
    // Only this decoder, whatever the stream says about others.
    context->codec_whitelist = av_strdup(codec->name);
    error = avcodec_open2(context, codec, nullptr);
}

}  // namespace

MovieContainer MovieContainerOfName(std::string_view name) {
    size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return MovieContainer::None;
    const std::string ext = AsciiLower(name.substr(dot + 1));
    if (ext == "avi") return MovieContainer::Avi;
    if (ext == "mp4" || ext == "m4v" || ext == "mov") return MovieContainer::QuickTime;
    if (ext == "mpg" || ext == "mpeg") return MovieContainer::Mpeg;
    if (ext == "webm") return MovieContainer::WebM;
    return MovieContainer::None;
}

void StartMovieDecoding() {
    static std::once_flag once;
    // A damaged clip is told by its failure, not by the libraries' console lines.
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

std::string MovieErrorText(int averror) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(averror, text, sizeof text);
    return text;
}

MovieInput::~MovieInput() {
    avcodec_free_context(&video);
    avcodec_free_context(&audio);
    avformat_close_input(&format);
}

int MovieInput::InterruptCallback(void* self) {
    return static_cast<MovieInput*>(self)->Interrupted() ? 1 : 0;
}

bool MovieInput::Interrupted() const {
    if (stop_ && stop_->load(std::memory_order_relaxed)) return true;
    if (MovieClock::now() >= deadline_) timedOut_ = true;
    return timedOut_;
}

bool MovieInput::TimedOut() const { return timedOut_; }

ThumbnailProblem MovieInput::Open(std::string_view path, MovieClock::time_point deadline,
                                  std::string& detail) {
    StartMovieDecoding();
    deadline_ = deadline;
    const MovieContainer container = MovieContainerOfName(path);
    if (container == MovieContainer::None) {
        detail = "not a movie kind that is decoded";
        return ThumbnailProblem::NotDecodable;
    }
    std::optional<std::string> sys = ToSystemPath(path);
    InputFile file;
    if (!sys || file.Open(path) != 0) {
        detail = "cannot open";
        return ThumbnailProblem::Unreadable;
    }
    char headBytes[16] = {};
    const size_t got = file.Read(headBytes, sizeof headBytes);
    file.Close();
    const char* demuxer = DemuxerName(container, std::string_view(headBytes, got));
    if (!demuxer) {
        detail = "leading bytes are not those of the container its name says";
        return ThumbnailProblem::NotItsKind;
    }
    const AVInputFormat* input = av_find_input_format(demuxer);
    format = avformat_alloc_context();
    if (!input || !format) {
        detail = "demuxer missing";
        return ThumbnailProblem::NotDecodable;
    }
    format->interrupt_callback = {&MovieInput::InterruptCallback, this};
    // The file alone: no other protocol, no other demuxer, no decoder but those listed.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "format_whitelist", input->name, 0);
    av_dict_set(&options, "probesize", "8000000", 0);
    av_dict_set(&options, "analyzeduration", "5000000", 0);
    // The file protocol by name, so that nothing in the path reads as another protocol.
    const std::string url = "file:" + *sys;
    int error = avformat_open_input(&format, url.c_str(), input, &options);
    av_dict_free(&options);
    if (error < 0) {
        detail = MovieErrorText(error);
        return TimedOut() ? ThumbnailProblem::TimedOut : ThumbnailProblem::Damaged;
    }
    if ((error = avformat_find_stream_info(format, nullptr)) < 0) {
        detail = MovieErrorText(error);
        return TimedOut() ? ThumbnailProblem::TimedOut : ThumbnailProblem::Damaged;
    }
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVCodecParameters* par = format->streams[i]->codecpar;
        if (videoIndex < 0 && par->codec_type == AVMEDIA_TYPE_VIDEO &&
            !(format->streams[i]->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            videoIndex = static_cast<int>(i);
        } else if (audioIndex < 0 && par->codec_type == AVMEDIA_TYPE_AUDIO &&
                   Listed(kAudioCodecs, par->codec_id)) {
            audioIndex = static_cast<int>(i);
        }
    }
    if (videoIndex < 0) {
        detail = "no video stream";
        return ThumbnailProblem::Damaged;
    }
    return ThumbnailProblem::None;
}

ThumbnailProblem MovieInput::OpenVideo(uint64_t maxPixels, int threads, std::string& detail) {
    const AVStream* stream = format->streams[videoIndex];
    const AVCodecParameters* par = stream->codecpar;
    if (!Listed(kVideoCodecs, par->codec_id)) {
        detail = std::string("video codec not decoded here: ") + avcodec_get_name(par->codec_id);
        return ThumbnailProblem::NotDecodable;
    }
    if (par->width < 1 || par->height < 1) {
        detail = "no frame size";
        return ThumbnailProblem::Damaged;
    }
    if (static_cast<uint64_t>(par->width) * static_cast<uint64_t>(par->height) > maxPixels) {
        detail = "frame larger than a movie may be";
        return ThumbnailProblem::TooLarge;
    }
    int error = 0;
    OpenCodecContext(video, stream, threads, static_cast<int64_t>(maxPixels), error);
    if (error < 0) {
        detail = MovieErrorText(error);
        return ThumbnailProblem::NotDecodable;
    }
    return ThumbnailProblem::None;
}

bool MovieInput::OpenAudio() {
    if (audioIndex < 0) return false;
    int error = 0;
    OpenCodecContext(audio, format->streams[audioIndex], 1, 0, error);
    if (error < 0 || audio->ch_layout.nb_channels < 1 || audio->sample_rate < 1) {
        avcodec_free_context(&audio);
        audioIndex = -1;
        return false;
    }
    return true;
}

int MovieInput::QuarterTurns() const {
    const AVStream* stream = format->streams[videoIndex];
    size_t size = 0;
    const uint8_t* matrix = av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, &size);
    if (!matrix || size < 9 * sizeof(int32_t)) return 0;
    // Counter-clockwise degrees; the frame is turned the other way to stand upright.
    const double degrees = av_display_rotation_get(reinterpret_cast<const int32_t*>(matrix));
    if (std::isnan(degrees)) return 0;
    const long quarters = std::lround(-degrees / 90.0);
    return static_cast<int>(((quarters % 4) + 4) % 4);
}

double MovieInput::Seconds() const {
    if (!format || format->duration <= 0) return 0.0;
    return static_cast<double>(format->duration) / AV_TIME_BASE;
}

bool ConvertiblePixels(int format) {
    const auto pixels = static_cast<AVPixelFormat>(format);
    return av_pix_fmt_desc_get(pixels) != nullptr && sws_isSupportedInput(pixels) > 0;
}

}  // namespace mirulane
