#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/buffer.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <type_traits>

// Owns an FFmpeg object through its library free function; accepts both the T** style
// (which also clears the pointer) and the plain T* style of free function.
template <typename T, auto Free> struct CAVPtr {
    void operator()(T* object) const {
        if constexpr (std::is_invocable_v<decltype(Free), T**>) {
            Free(&object);
        } else {
            Free(object);
        }
    }

    using Pointer = std::unique_ptr<T, CAVPtr>;
};

using AVFormatContextPtr = CAVPtr<AVFormatContext, avformat_close_input>::Pointer;
using AVCodecContextPtr = CAVPtr<AVCodecContext, avcodec_free_context>::Pointer;
using AVFramePtr = CAVPtr<AVFrame, av_frame_free>::Pointer;
using AVPacketPtr = CAVPtr<AVPacket, av_packet_free>::Pointer;
using AVFilterGraphPtr = CAVPtr<AVFilterGraph, avfilter_graph_free>::Pointer;
using SwsContextPtr = CAVPtr<SwsContext, sws_freeContext>::Pointer;
// A context made for writing: freed, never "closed" as an input.
using AVOutputContextPtr = CAVPtr<AVFormatContext, avformat_free_context>::Pointer;
using AVBufferPoolPtr = CAVPtr<AVBufferPool, av_buffer_pool_uninit>::Pointer;
