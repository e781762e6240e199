#pragma once

#include "media/CAviVideoStream.h"

#include <cstdint>
#include <optional>
#include <string>

// The stream the renderer works on: a working movie or bitmap with the mosaic of its progress
// files, painted with the type those files saved unless another one is asked for.
class CWorkStream {
public:
    // workFiles, the working files of an open, go with the stream.
    CWorkStream(const std::string& workPath, std::optional<int> type, bool deinterlace,
                CWorkFiles workFiles);

    // Opens the working file and reads its progress; false when it cannot be opened.
    bool Open();
    CAviVideoStream& Stream() { return m_stream; }

private:
    // The settings' default type id, before the progress files say otherwise.
    static constexpr std::int32_t kDefaultSizeId = 2;

    // The setting the stream paints with; declared first, so it outlives the stream.
    std::int32_t m_sizeId = kDefaultSizeId;
    CAviVideoStream m_stream;
    std::optional<int> m_type;
    bool m_deinterlace;
};
