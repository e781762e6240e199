#include "cli/CWorkStream.h"

#include "media/CWorkPaths.h"

#include <utility>

CWorkStream::CWorkStream(const std::string& workPath, std::optional<int> type, bool deinterlace,
                         CWorkFiles workFiles)
    : m_stream(workPath, m_sizeId, std::move(workFiles)), m_type(type), m_deinterlace(deinterlace) {
}

bool CWorkStream::Open() {
    const bool opened = CWorkPaths::EndsWithNoCase(m_stream.m_strWorkPath, ".bmp")
                            ? m_stream.LoadBitmapFile(m_stream.m_strWorkPath) != 0
                            : m_stream.OpenVideo() != 0;
    if (!opened) {
        return false;
    }
    m_sizeId = m_stream.m_mosaic.type;
    if (m_type) {
        m_stream.m_mosaic.SetType(*m_type, m_sizeId, true);
    }
    m_stream.m_bLineDouble = m_deinterlace;
    return true;
}
