#include "app/CDocument.h"

#include "media/CAviVideoStream.h"
#include "mosaic/CCoverage.h"

void CDocument::FillCommandState(CCommandState& state) const {
    state.open = IsOpen();
    const CAviVideoStream* stream = GetStream();
    state.areasExist = stream && stream->m_mosaic.HasRegions();
    state.gapsExist = stream && CCoverage::HasGaps(stream->m_mosaic);
    state.trackOnFrame =
        stream && stream->m_mosaic.TopTrackAt(static_cast<std::int32_t>(stream->m_nCurrentFrame)) >= 0;
    state.lineDouble = stream && stream->m_bLineDouble;
}
