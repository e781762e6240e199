#include "versionlib/RX40CVersionRecord.h"

#include "versionlib/RX40CByteView.h"
#include "versionlib/RX40CUtf16.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::uint64_t HeaderSize = 6;
constexpr std::uint16_t TextType = 1;
constexpr int MaxDepth = 8;
constexpr std::string_view RootKey = "VS_VERSION_INFO";

std::uint64_t align4(std::uint64_t offset) {
    return (offset + 3) & ~std::uint64_t{3};
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lower(x) == lower(y); });
}
} // namespace

RX40CVersionRecord::RX40CVersionRecord(std::vector<std::uint8_t> bytes)
    : m_bytes(std::move(bytes)) {
    m_valid = parse(0, m_bytes.size(), 0, m_root) && m_root.key == RootKey;
}

bool RX40CVersionRecord::parse(std::uint64_t offset, std::uint64_t limit, int depth,
                               Node& node) const {
    const RX40CByteView view(m_bytes);
    std::uint16_t length = 0;
    std::uint16_t valueLength = 0;
    std::uint16_t type = 0;
    if (depth > MaxDepth || !view.U16(offset, length) || !view.U16(offset + 2, valueLength) ||
        !view.U16(offset + 4, type) || length < HeaderSize || length > limit - offset) {
        return false;
    }
    node.end = offset + length;
    return parseKey(offset + HeaderSize, node) && parseValue(valueLength, type, node) &&
           parseChildren(depth, node);
}

bool RX40CVersionRecord::parseKey(std::uint64_t offset, Node& node) const {
    for (std::uint64_t at = offset; at + 2 <= node.end; at += 2) {
        if (m_bytes[at] == 0 && m_bytes[at + 1] == 0) {
            node.key = RX40CUtf16::ToUtf8(m_bytes.data() + offset, (at - offset) / 2);
            node.valueOffset = std::min(align4(at + 2), node.end);
            return true;
        }
    }
    return false;
}

// Text values count 16-bit units; some writers count bytes instead, so a text value that
// runs past its node is cut at the node's end rather than rejected.
bool RX40CVersionRecord::parseValue(std::uint16_t valueLength, std::uint16_t type,
                                    Node& node) const {
    const std::uint64_t room = node.end - node.valueOffset;
    if (type == TextType) {
        node.valueSize = std::min<std::uint64_t>(std::uint64_t{valueLength} * 2, room);
        return true;
    }
    node.valueSize = valueLength;
    return node.valueSize <= room;
}

bool RX40CVersionRecord::parseChildren(int depth, Node& node) const {
    for (std::uint64_t at = align4(node.valueOffset + node.valueSize);
         at + HeaderSize <= node.end;) {
        Node child;
        if (!parse(at, node.end, depth + 1, child)) {
            return false;
        }
        at = align4(child.end);
        node.children.push_back(std::move(child));
    }
    return true;
}

const RX40CVersionRecord::Node*
RX40CVersionRecord::find(std::initializer_list<std::string_view> path) const {
    const Node* node = m_valid ? &m_root : nullptr;
    for (std::string_view key : path) {
        if (node == nullptr) {
            return nullptr;
        }
        const auto found =
            std::find_if(node->children.begin(), node->children.end(),
                         [key](const Node& child) { return sameKey(child.key, key); });
        node = found == node->children.end() ? nullptr : &*found;
    }
    return node;
}

void RX40CVersionRecord::CopyFixed(std::uint32_t (&fixed)[FixedCount]) const {
    std::fill(std::begin(fixed), std::end(fixed), 0u);
    if (!m_valid) {
        return;
    }
    const RX40CByteView view(m_bytes);
    const std::uint64_t count = std::min<std::uint64_t>(m_root.valueSize / 4, FixedCount);
    for (std::uint64_t i = 0; i < count; ++i) {
        view.U32(m_root.valueOffset + 4 * i, fixed[i]);
    }
}

bool RX40CVersionRecord::FirstTranslation(std::uint16_t& language, std::uint16_t& codePage) const {
    const Node* node = find({"VarFileInfo", "Translation"});
    const RX40CByteView view(m_bytes);
    return node != nullptr && node->valueSize >= 4 && view.U16(node->valueOffset, language) &&
           view.U16(node->valueOffset + 2, codePage);
}

bool RX40CVersionRecord::Text(std::string_view table, std::string_view name,
                              std::string& out) const {
    const Node* node = find({"StringFileInfo", table, name});
    if (node == nullptr) {
        return false;
    }
    out = RX40CUtf16::ToUtf8(m_bytes.data() + node->valueOffset, node->valueSize / 2);
    return true;
}
