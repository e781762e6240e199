#pragma once

#include "media/CAVPtr.h"

#include <string>

// The filter chain between the sound decoder and the sound device: drops what lies before the
// start time, changes the tempo without changing the pitch, and converts to the device's
// interleaved 16-bit format.
class CTempoFilter {
public:
    struct Output {
        int sampleRate = 0;
        int channels = 0;
    };

    // The atempo stages for tempo (each stage accepts 0.5 to 2.0); empty for normal speed.
    static std::string TempoChain(double tempo);

    // Builds the chain for frames from decoder whose timestamps count in timeBase.
    bool Build(const AVCodecContext& decoder, AVRational timeBase, double startSeconds,
               double tempo, const Output& output);
    // Hands one decoded frame to the chain; null announces the end of the sound.
    bool Push(AVFrame* frame);
    // 1: frame holds output; 0: the chain wants more input; -1: the chain is drained or failed.
    int Pull(AVFrame& frame);

private:
    bool Link(const std::string& description);

    AVFilterGraphPtr m_graph;
    AVFilterContext* m_source = nullptr;
    AVFilterContext* m_sink = nullptr;
};
