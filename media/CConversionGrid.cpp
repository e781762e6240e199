#include "media/CConversionGrid.h"

#include "media/CStreamProbe.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/common.h>
#include <libavutil/mathematics.h>
}

#include <algorithm>
#include <cmath>

namespace {

// The picture's time on the grid in fractions of a frame, as the converter works it out: the
// file's start moved to 0 on the stream's clock, then on a finer clock of extra bits, then nudged
// off exact half frames (time 0 counts as negative there).
double GridTime(std::int64_t pts, const CConversionGrid::Timing& timing, AVRational grid) {
    const std::int64_t shifted = pts + av_rescale_q(-timing.fileStart, AV_TIME_BASE_Q, timing.timeBase);
    const int extraBits = av_clip(29 - av_log2(static_cast<unsigned>(grid.den)), 0, 16);
    AVRational fine = grid;
    fine.den <<= extraBits;
    double time = static_cast<double>(av_rescale_q(shifted, timing.timeBase, fine));
    time /= static_cast<double>(1 << extraBits);
    return time + (time > 0 ? 1.0 : -1.0) / (1 << 17);
}

bool Positive(AVRational value) {
    return value.num > 0 && value.den > 0;
}

} // namespace

std::int64_t CConversionGrid::TimeZero(const AVFormatContext& format) {
    if (format.start_time == AV_NOPTS_VALUE) {
        return 0;
    }
    const int video = CStreamProbe::FirstVideoStream(format);
    if ((format.iformat->flags & AVFMT_TS_DISCONT) == 0 || video < 0 ||
        format.streams[video]->start_time == AV_NOPTS_VALUE) {
        return format.start_time;
    }
    const AVStream& stream = *format.streams[video];
    return std::max(format.start_time,
                    av_rescale_q(stream.start_time, stream.time_base, AV_TIME_BASE_Q));
}

CConversionGrid::CConversionGrid(const std::vector<CSourceIndex::Picture>& pictures,
                                 const Timing& timing) {
    Fill(Place(pictures, timing));
}

std::vector<CConversionGrid::Placement>
CConversionGrid::Place(const std::vector<CSourceIndex::Picture>& pictures, const Timing& timing) {
    const AVRational grid = av_inv_q(timing.rate);
    // Without a source rate the converter starts from no length at all.
    double frameLength =
        Positive(timing.sourceRate) ? 1.0 / (av_q2d(timing.sourceRate) * av_q2d(grid)) : 0.0;
    frameLength = std::fmin(frameLength, 1.0 / (av_q2d(timing.rate) * av_q2d(grid)));
    std::vector<Placement> placements;
    std::int64_t next = 0;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const std::int64_t picture = static_cast<std::int64_t>(i);
        double time = GridTime(pictures[i].pts, timing, grid);
        double duration = frameLength;
        const long own = std::lrintf(static_cast<float>(
            static_cast<double>(pictures[i].duration) * av_q2d(timing.timeBase) / av_q2d(grid)));
        if (timing.pictureDurations && own > 0) {
            duration = static_cast<double>(own);
        }
        double ahead = time - static_cast<double>(next);
        const double reach = ahead + duration;
        if (ahead < 0 && reach > 0) {
            time = static_cast<double>(next);
            ahead = 0;
        }
        if (!timing.constantRate) {
            if (reach <= -0.6) {
                continue;
            }
            if (reach > 0.6) {
                next = std::llrint(time);
            }
            placements.push_back(Placement{next++, picture});
            continue;
        }
        std::int64_t copies = 1;
        std::int64_t copiesOfLast = 0;
        if (reach < -1.1) {
            copies = 0;
        } else if (reach > 1.1) {
            copies = std::llrintf(static_cast<float>(reach));
            if (ahead > 1.1) {
                copiesOfLast = std::llrintf(static_cast<float>(ahead - 0.6));
            }
        }
        for (std::int64_t copy = 0; copy < copies; ++copy) {
            // Copies of the picture before go first; the first picture has none before it.
            const bool before = copy < copiesOfLast && picture > 0;
            placements.push_back(Placement{next++, before ? picture - 1 : picture});
        }
    }
    return placements;
}

// An AVI writes its first picture in the first slot whatever its time, and fills the gaps
// after it with empty frames.
void CConversionGrid::Fill(std::vector<Placement> placements) {
    if (placements.empty()) {
        return;
    }
    placements.front().slot = 0;
    m_pictureOf.assign(static_cast<std::size_t>(placements.back().slot + 1), -1);
    std::size_t at = 0;
    for (std::size_t slot = 0; slot < m_pictureOf.size(); ++slot) {
        while (placements[at].slot < static_cast<std::int64_t>(slot)) {
            ++at;
        }
        m_pictureOf[slot] = placements[at].picture;
    }
}

std::int64_t CConversionGrid::PictureOf(std::int64_t frame) const {
    return frame >= 0 && frame < Frames() ? m_pictureOf[static_cast<std::size_t>(frame)] : -1;
}
