#include "media/CTempoFilter.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/opt.h>
}

#include <charconv>

namespace {

constexpr double kSlowestStage = 0.5;
constexpr double kFastestStage = 2.0;

// Numbers in filter descriptions always use a decimal point, whatever the locale.
std::string Number(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}

std::string ChannelLayoutName(int channels) {
    AVChannelLayout layout;
    av_channel_layout_default(&layout, channels);
    char name[64] = {};
    const int written = av_channel_layout_describe(&layout, name, sizeof name);
    av_channel_layout_uninit(&layout);
    return written < 0 ? std::string() : std::string(name);
}

} // namespace

std::string CTempoFilter::TempoChain(double tempo) {
    std::string chain;
    auto addStage = [&chain](double stage) {
        chain += (chain.empty() ? "" : ",") + std::string("atempo=") + Number(stage);
    };
    while (tempo < kSlowestStage) {
        addStage(kSlowestStage);
        tempo /= kSlowestStage;
    }
    while (tempo > kFastestStage) {
        addStage(kFastestStage);
        tempo /= kFastestStage;
    }
    if (tempo != 1.0) {
        addStage(tempo);
    }
    return chain;
}

bool CTempoFilter::Build(const AVCodecContext& decoder, AVRational timeBase, double startSeconds,
                         double tempo, const Output& output) {
    m_source = nullptr;
    m_sink = nullptr;
    m_graph.reset(avfilter_graph_alloc());
    if (!m_graph) {
        return false;
    }
    char layout[128] = {};
    if (av_channel_layout_describe(&decoder.ch_layout, layout, sizeof layout) < 0) {
        return false;
    }
    const std::string sourceArgs =
        "time_base=" + std::to_string(timeBase.num) + "/" + std::to_string(timeBase.den) +
        ":sample_rate=" + std::to_string(decoder.sample_rate) +
        ":sample_fmt=" + av_get_sample_fmt_name(decoder.sample_fmt) + ":channel_layout=" + layout;
    if (avfilter_graph_create_filter(&m_source, avfilter_get_by_name("abuffer"), "in",
                                     sourceArgs.c_str(), nullptr, m_graph.get()) < 0 ||
        avfilter_graph_create_filter(&m_sink, avfilter_get_by_name("abuffersink"), "out",
                                     nullptr, nullptr, m_graph.get()) < 0) {
        return false;
    }
    const std::string outLayout = ChannelLayoutName(output.channels);
    if (outLayout.empty()) {
        return false;
    }
    std::string description = "atrim=start=" + Number(startSeconds);
    const std::string tempoChain = TempoChain(tempo);
    if (!tempoChain.empty()) {
        description += "," + tempoChain;
    }
    description += ",aformat=sample_fmts=s16:sample_rates=" + std::to_string(output.sampleRate) +
                   ":channel_layouts=" + outLayout;
    return Link(description);
}

bool CTempoFilter::Link(const std::string& description) {
    AVFilterInOut* outputs = avfilter_inout_alloc();
    AVFilterInOut* inputs = avfilter_inout_alloc();
    bool linked = false;
    if (outputs != nullptr && inputs != nullptr) {
        outputs->name = av_strdup("in");
        outputs->filter_ctx = m_source;
        inputs->name = av_strdup("out");
        inputs->filter_ctx = m_sink;
        linked = outputs->name != nullptr && inputs->name != nullptr &&
                 avfilter_graph_parse_ptr(m_graph.get(), description.c_str(), &inputs, &outputs,
                                          nullptr) >= 0 &&
                 avfilter_graph_config(m_graph.get(), nullptr) >= 0;
    }
    avfilter_inout_free(&inputs);
    avfilter_inout_free(&outputs);
    return linked;
}

bool CTempoFilter::Push(AVFrame* frame) {
    return m_source != nullptr &&
           av_buffersrc_add_frame_flags(m_source, frame, AV_BUFFERSRC_FLAG_KEEP_REF) >= 0;
}

int CTempoFilter::Pull(AVFrame& frame) {
    if (m_sink == nullptr) {
        return -1;
    }
    const int result = av_buffersink_get_frame(m_sink, &frame);
    if (result >= 0) {
        return 1;
    }
    return result == AVERROR(EAGAIN) ? 0 : -1;
}
