#include "imaging/movie_copy.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>

namespace mirulane {
namespace {

bool PlayableSound(AVCodecID id, MovieContainer c) {
    if (c == MovieContainer::WebM) return id == AV_CODEC_ID_OPUS || id == AV_CODEC_ID_VORBIS;
    return id == AV_CODEC_ID_AAC || id == AV_CODEC_ID_MP3;
}

bool PlayableVideo(const AVCodecParameters* par, MovieContainer c) {
    const AVCodecID id = par->codec_id;
    if (c == MovieContainer::WebM) {
        return id == AV_CODEC_ID_VP8 || id == AV_CODEC_ID_VP9 || id == AV_CODEC_ID_AV1;
    }
    if (c != MovieContainer::QuickTime) return false;
    if (id == AV_CODEC_ID_VP9 || id == AV_CODEC_ID_AV1) return true;
    // Browsers decode 8-bit 4:2:0 H.264 only (a camera's 10-bit or 4:2:2 clip is not played).
    const auto format = static_cast<AVPixelFormat>(par->format);
    return id == AV_CODEC_ID_H264 && (format == AV_PIX_FMT_YUV420P ||
                                      format == AV_PIX_FMT_YUVJ420P || format == AV_PIX_FMT_NONE);
}

// Everything a copy holds while it is made, released in the right order.
struct Copier {
    MovieInput in;
    AVFormatContext* out = nullptr;
    AVCodecContext* venc = nullptr;
    AVCodecContext* aenc = nullptr;
    AVStream* vstream = nullptr;
    AVStream* astream = nullptr;
    SwsContext* sws = nullptr;
    SwrContext* swr = nullptr;
    AVAudioFifo* fifo = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVPacket* encoded = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    AVFrame* scaled = av_frame_alloc();
    int64_t lastVideoPts = AV_NOPTS_VALUE;
    int64_t audioSamples = 0;
    bool writeFailed = false;

    ~Copier() {
        av_packet_free(&packet);
        av_packet_free(&encoded);
        av_frame_free(&frame);
        av_frame_free(&scaled);
        av_audio_fifo_free(fifo);
        swr_free(&swr);
        sws_freeContext(sws);
        avcodec_free_context(&venc);
        avcodec_free_context(&aenc);
        if (out) {
            if (out->pb) avio_closep(&out->pb);
            avformat_free_context(out);
        }
    }
};

MovieCopy Failed(ThumbnailProblem problem, std::string detail) {
    MovieCopy copy;
    copy.problem = problem;
    copy.detail = std::move(detail);
    return copy;
}

MovieCopy WriteFailed(int status) {
    MovieCopy copy = Failed(ThumbnailProblem::None, MovieErrorText(status));
    copy.writeFailed = true;
    return copy;
}

int Even(double v) { return std::max(2, static_cast<int>(std::lround(v / 2.0)) * 2); }

// Sends one frame (nullptr: the end) to an encoder and writes what comes out.
int Encode(Copier& c, AVCodecContext* enc, AVStream* stream, const AVFrame* frame) {
    int status = avcodec_send_frame(enc, frame);
    if (status < 0) return status;
    for (;;) {
        status = avcodec_receive_packet(enc, c.encoded);
        if (status == AVERROR(EAGAIN) || status == AVERROR_EOF) return 0;
        if (status < 0) return status;
        av_packet_rescale_ts(c.encoded, enc->time_base, stream->time_base);
        c.encoded->stream_index = stream->index;
        status = av_interleaved_write_frame(c.out, c.encoded);
        if (status < 0) {
            c.writeFailed = true;
            return status;
        }
    }
}

int OpenVideoEncoder(Copier& c, const MovieLimits& limits, std::string& detail) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) codec = avcodec_find_encoder(AV_CODEC_ID_H264);
    if (!codec) {
        detail = "no H.264 encoder";
        return AVERROR_ENCODER_NOT_FOUND;
    }
    const AVStream* source = c.in.format->streams[c.in.videoIndex];
    const AVCodecContext* dec = c.in.video;
    const double scale =
        std::min(1.0, static_cast<double>(limits.maxCopySide) / std::max(dec->width, dec->height));
    c.venc = avcodec_alloc_context3(codec);
    if (!c.venc) return AVERROR(ENOMEM);
    c.venc->width = Even(dec->width * scale);
    c.venc->height = Even(dec->height * scale);
    c.venc->pix_fmt = AV_PIX_FMT_YUV420P;
    c.venc->sample_aspect_ratio = dec->sample_aspect_ratio;
    c.venc->time_base = source->time_base;
    c.venc->framerate = av_guess_frame_rate(c.in.format, const_cast<AVStream*>(source), nullptr);
    c.venc->thread_count = 0;
    if (c.out->oformat->flags & AVFMT_GLOBALHEADER) c.venc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "preset", "veryfast", 0);
    av_dict_set(&options, "crf", "23", 0);
    int status = avcodec_open2(c.venc, codec, &options);
    av_dict_free(&options);
    if (status < 0) return status;
    c.vstream = avformat_new_stream(c.out, nullptr);
    if (!c.vstream) return AVERROR(ENOMEM);
    c.vstream->time_base = c.venc->time_base;
    c.vstream->sample_aspect_ratio = c.venc->sample_aspect_ratio;
    if ((status = avcodec_parameters_from_context(c.vstream->codecpar, c.venc)) < 0) return status;
    // A clip filmed with the phone on its side keeps its turn: browsers apply it.
    size_t size = 0;
    const uint8_t* matrix = av_stream_get_side_data(source, AV_PKT_DATA_DISPLAYMATRIX, &size);
    if (matrix && size >= 9 * sizeof(int32_t)) {
        uint8_t* copy = av_stream_new_side_data(c.vstream, AV_PKT_DATA_DISPLAYMATRIX, size);
        if (copy) std::memcpy(copy, matrix, size);
    }
    // The converter itself is made for each frame's own size and format (EncodeVideoFrame);
    // a stream that says from the start it cannot be converted is refused here.
    if (dec->pix_fmt != AV_PIX_FMT_NONE && !ConvertiblePixels(dec->pix_fmt)) {
        detail = "pixel format not converted";
        return AVERROR(EINVAL);
    }
    c.scaled->format = AV_PIX_FMT_YUV420P;
    c.scaled->width = c.venc->width;
    c.scaled->height = c.venc->height;
    return av_frame_get_buffer(c.scaled, 0);
}

// The sound as AAC (stereo at most) at a rate the encoder takes; false when there is none to
// encode, and the copy is made without sound.
bool OpenAudioEncoder(Copier& c) {
    if (!c.in.OpenAudio()) return false;
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!codec) return false;
    c.aenc = avcodec_alloc_context3(codec);
    if (!c.aenc) return false;
    const AVCodecContext* dec = c.in.audio;
    static constexpr int kRates[] = {96000, 88200, 64000, 48000, 44100, 32000,
                                     24000, 22050, 16000, 12000, 11025, 8000};
    c.aenc->sample_rate = 48000;
    for (int rate : kRates) {
        if (rate == dec->sample_rate) c.aenc->sample_rate = rate;
    }
    av_channel_layout_default(&c.aenc->ch_layout, dec->ch_layout.nb_channels >= 2 ? 2 : 1);
    c.aenc->sample_fmt = AV_SAMPLE_FMT_FLTP;
    c.aenc->bit_rate = 128000;
    c.aenc->time_base = AVRational{1, c.aenc->sample_rate};
    if (c.out->oformat->flags & AVFMT_GLOBALHEADER) c.aenc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(c.aenc, codec, nullptr) < 0) return false;
    c.astream = avformat_new_stream(c.out, nullptr);
    if (!c.astream) return false;
    c.astream->time_base = c.aenc->time_base;
    if (avcodec_parameters_from_context(c.astream->codecpar, c.aenc) < 0) return false;
    if (swr_alloc_set_opts2(&c.swr, &c.aenc->ch_layout, c.aenc->sample_fmt, c.aenc->sample_rate,
                            const_cast<AVChannelLayout*>(&dec->ch_layout), dec->sample_fmt,
                            dec->sample_rate, 0, nullptr) < 0 ||
        swr_init(c.swr) < 0) {
        return false;
    }
    c.fifo = av_audio_fifo_alloc(c.aenc->sample_fmt, c.aenc->ch_layout.nb_channels,
                                 c.aenc->frame_size > 0 ? c.aenc->frame_size : 1024);
    return c.fifo != nullptr;
}

// Encodes whole encoder frames from the FIFO; at the end (`last`) the rest too.
int DrainFifo(Copier& c, bool last) {
    const int frameSize = c.aenc->frame_size > 0 ? c.aenc->frame_size : 1024;
    while (av_audio_fifo_size(c.fifo) >= frameSize || (last && av_audio_fifo_size(c.fifo) > 0)) {
        const int n = std::min(frameSize, av_audio_fifo_size(c.fifo));
        AVFrame* chunk = av_frame_alloc();
        if (!chunk) return AVERROR(ENOMEM);
        chunk->nb_samples = n;
        chunk->format = c.aenc->sample_fmt;
        chunk->sample_rate = c.aenc->sample_rate;
        av_channel_layout_copy(&chunk->ch_layout, &c.aenc->ch_layout);
        int status = av_frame_get_buffer(chunk, 0);
        if (status >= 0) {
            av_audio_fifo_read(c.fifo, reinterpret_cast<void**>(chunk->data), n);
            chunk->pts = c.audioSamples;
            c.audioSamples += n;
            status = Encode(c, c.aenc, c.astream, chunk);
        }
        av_frame_free(&chunk);
        if (status < 0) return status;
    }
    return 0;
}

// Resamples decoded sound (nullptr: what the resampler still holds) into the FIFO.
int QueueSound(Copier& c, const AVFrame* decoded) {
    const int in = decoded ? decoded->nb_samples : 0;
    const int room = swr_get_out_samples(c.swr, in);
    if (room < 0) return room;
    if (room == 0) return DrainFifo(c, false);
    uint8_t** buffers = nullptr;
    int status = av_samples_alloc_array_and_samples(
        &buffers, nullptr, c.aenc->ch_layout.nb_channels, room, c.aenc->sample_fmt, 0);
    if (status < 0) return status;
    const int made =
        swr_convert(c.swr, buffers, room,
                    decoded ? const_cast<const uint8_t**>(decoded->extended_data) : nullptr, in);
    if (made > 0 && av_audio_fifo_write(c.fifo, reinterpret_cast<void**>(buffers), made) < made) {
        status = AVERROR(ENOMEM);
    } else {
        status = made < 0 ? made : 0;
    }
    av_freep(&buffers[0]);
    av_freep(&buffers);
    if (status < 0) return status;
    return DrainFifo(c, false);
}

int EncodeVideoFrame(Copier& c, AVFrame* decoded) {
    // A damaged stream can change its frames' size or format midway, or never say its format
    // before the first frame: a converter made for other frames would read past this one.
    const auto format = static_cast<AVPixelFormat>(decoded->format);
    if (decoded->width < 1 || decoded->height < 1 || !ConvertiblePixels(format)) {
        return 0;  // passed over, as a damaged frame
    }
    c.sws = sws_getCachedContext(c.sws, decoded->width, decoded->height, format, c.venc->width,
                                 c.venc->height, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr,
                                 nullptr);
    if (!c.sws) return 0;
    int status = av_frame_make_writable(c.scaled);
    if (status < 0) return status;
    sws_scale(c.sws, decoded->data, decoded->linesize, 0, decoded->height, c.scaled->data,
              c.scaled->linesize);
    // Timestamps the encoder takes: increasing, whatever the container said.
    int64_t pts = decoded->best_effort_timestamp;
    if (pts == AV_NOPTS_VALUE || (c.lastVideoPts != AV_NOPTS_VALUE && pts <= c.lastVideoPts)) {
        pts = c.lastVideoPts == AV_NOPTS_VALUE ? 0 : c.lastVideoPts + 1;
    }
    c.lastVideoPts = pts;
    c.scaled->pts = pts;
    return Encode(c, c.venc, c.vstream, c.scaled);
}

// Takes every frame a decoder has ready (after a packet, or at the end) to its encoder.
int Pass(Copier& c, AVCodecContext* dec, bool isVideo) {
    for (;;) {
        int status = avcodec_receive_frame(dec, c.frame);
        if (status == AVERROR(EAGAIN) || status == AVERROR_EOF) return 0;
        if (status < 0) return 0;  // a damaged frame is passed over
        status = isVideo ? EncodeVideoFrame(c, c.frame) : QueueSound(c, c.frame);
        av_frame_unref(c.frame);
        if (status < 0) return status;
    }
}

}  // namespace

MovieFacts ProbeMovie(std::string_view path, const MovieLimits& limits) {
    MovieFacts facts;
    MovieInput in;
    facts.problem = in.Open(path, MovieClock::now() + limits.posterTime, facts.detail);
    if (facts.problem != ThumbnailProblem::None) return facts;
    const AVCodecParameters* video = in.format->streams[in.videoIndex]->codecpar;
    facts.videoCodec = avcodec_get_name(video->codec_id);
    const MovieContainer container = MovieContainerOfName(path);
    bool soundPlays = true;
    for (unsigned i = 0; i < in.format->nb_streams; ++i) {
        const AVCodecParameters* par = in.format->streams[i]->codecpar;
        if (par->codec_type == AVMEDIA_TYPE_AUDIO && !PlayableSound(par->codec_id, container)) {
            soundPlays = false;
        }
    }
    facts.playable = PlayableVideo(video, container) && soundPlays;
    return facts;
}

MovieCopy MakePlayableCopy(std::string_view path, const std::string& outSystemPath,
                           const MovieLimits& limits, const std::atomic<bool>* stop) {
    Copier c;
    if (!c.packet || !c.encoded || !c.frame || !c.scaled) {
        return Failed(ThumbnailProblem::NotDecodable, "memory");
    }
    c.in.SetStopFlag(stop);
    std::string detail;
    const MovieClock::time_point start = MovieClock::now();
    ThumbnailProblem problem = c.in.Open(path, start + limits.copyTimeBase, detail);
    if (problem == ThumbnailProblem::None && c.in.Seconds() > limits.maxSeconds) {
        problem = ThumbnailProblem::TooLarge;
        detail = "clip longer than a copy is made of";
    }
    if (problem == ThumbnailProblem::None) problem = c.in.OpenVideo(limits.maxPixels, 0, detail);
    if (problem != ThumbnailProblem::None) {
        MovieCopy failed = Failed(problem, detail);
        failed.cancelled = stop && stop->load();
        return failed;
    }
    const double seconds = std::max(c.in.Seconds(), 1.0);
    c.in.SetDeadline(start + limits.copyTimeBase +
                     std::chrono::milliseconds(static_cast<int64_t>(
                         seconds * 1000.0 * std::max(limits.copyTimePerSecond, 0))));

    // A write the deadline or a stop cut short is no failure of the disk.
    auto writeFailed = [&](int status) {
        if (!c.in.Interrupted()) return WriteFailed(status);
        MovieCopy stopped = Failed(
            c.in.TimedOut() ? ThumbnailProblem::TimedOut : ThumbnailProblem::Damaged, "stopped");
        stopped.cancelled = stop && stop->load();
        return stopped;
    };
    const std::string url = "file:" + outSystemPath;
    if (avformat_alloc_output_context2(&c.out, nullptr, "mp4", url.c_str()) < 0 || !c.out) {
        return Failed(ThumbnailProblem::NotDecodable, "no MP4 muxer");
    }
    c.out->interrupt_callback = c.in.format->interrupt_callback;
    c.out->protocol_whitelist = av_strdup("file");
    int status = OpenVideoEncoder(c, limits, detail);
    if (status < 0) {
        return Failed(ThumbnailProblem::NotDecodable,
                      detail.empty() ? MovieErrorText(status) : detail);
    }
    const bool withSound = OpenAudioEncoder(c);
    if (!withSound) c.in.audioIndex = -1;
    AVDictionary* ioOptions = nullptr;
    av_dict_set(&ioOptions, "protocol_whitelist", "file", 0);
    status = avio_open2(&c.out->pb, url.c_str(), AVIO_FLAG_WRITE, &c.out->interrupt_callback,
                        &ioOptions);
    av_dict_free(&ioOptions);
    if (status < 0) return writeFailed(status);
    AVDictionary* muxOptions = nullptr;
    av_dict_set(&muxOptions, "movflags", "+faststart", 0);
    status = avformat_write_header(c.out, &muxOptions);
    av_dict_free(&muxOptions);
    if (status < 0) return writeFailed(status);

    bool sawVideo = false;
    while (status >= 0) {
        status = av_read_frame(c.in.format, c.packet);
        if (status < 0) break;
        if (c.packet->stream_index == c.in.videoIndex) {
            // A damaged packet is passed over, as a player would.
            if (avcodec_send_packet(c.in.video, c.packet) >= 0) sawVideo = true;
            status = Pass(c, c.in.video, true);
        } else if (withSound && c.packet->stream_index == c.in.audioIndex) {
            if (avcodec_send_packet(c.in.audio, c.packet) >= 0) status = Pass(c, c.in.audio, false);
        }
        av_packet_unref(c.packet);
    }
    const bool interrupted = c.in.Interrupted();
    if (c.writeFailed) return writeFailed(status);
    if (status != AVERROR_EOF && (status < 0 || interrupted)) {
        MovieCopy failed =
            Failed(c.in.TimedOut() ? ThumbnailProblem::TimedOut : ThumbnailProblem::Damaged,
                   interrupted ? "stopped" : MovieErrorText(status));
        failed.cancelled = stop && stop->load();
        return failed;
    }
    // The end: what the decoders and encoders still hold.
    avcodec_send_packet(c.in.video, nullptr);
    status = Pass(c, c.in.video, true);
    if (status >= 0 && withSound) {
        avcodec_send_packet(c.in.audio, nullptr);
        status = Pass(c, c.in.audio, false);
        if (status >= 0) status = QueueSound(c, nullptr);
        if (status >= 0) status = DrainFifo(c, true);
        if (status >= 0) status = Encode(c, c.aenc, c.astream, nullptr);
    }
    if (status >= 0) status = Encode(c, c.venc, c.vstream, nullptr);
    if (c.writeFailed) return writeFailed(status);
    if (status < 0) return Failed(ThumbnailProblem::Damaged, MovieErrorText(status));
    if (!sawVideo || c.lastVideoPts == AV_NOPTS_VALUE) {
        return Failed(ThumbnailProblem::Damaged, "no frame decoded");
    }
    if ((status = av_write_trailer(c.out)) < 0) return writeFailed(status);
    if ((status = avio_closep(&c.out->pb)) < 0) return writeFailed(status);
    MovieCopy copy;
    copy.ok = true;
    return copy;
}

}  // namespace mirulane
