#include "versionlib/RX40CByteView.h"

bool RX40CByteView::Fits(std::uint64_t offset, std::uint64_t size) const {
    return offset <= m_size && size <= m_size - offset;
}

std::uint64_t RX40CByteView::little(std::uint64_t offset, int bytes) const {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | m_data[offset + static_cast<std::uint64_t>(i)];
    }
    return value;
}

bool RX40CByteView::U16(std::uint64_t offset, std::uint16_t& value) const {
    if (!Fits(offset, 2)) {
        return false;
    }
    value = static_cast<std::uint16_t>(little(offset, 2));
    return true;
}

bool RX40CByteView::U32(std::uint64_t offset, std::uint32_t& value) const {
    if (!Fits(offset, 4)) {
        return false;
    }
    value = static_cast<std::uint32_t>(little(offset, 4));
    return true;
}

bool RX40CByteView::U64(std::uint64_t offset, std::uint64_t& value) const {
    if (!Fits(offset, 8)) {
        return false;
    }
    value = little(offset, 8);
    return true;
}
