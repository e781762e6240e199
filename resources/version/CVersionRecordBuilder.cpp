#include "resources/version/CVersionRecordBuilder.h"

#include <stdexcept>

namespace {
constexpr std::uint32_t Signature = 0xFEEF04BD;
constexpr std::uint32_t StructVersion = 0x00010000;
constexpr std::uint32_t FlagsMask = 0x3F;
constexpr std::uint16_t TextType = 1;

void putU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    if (value > 0xFFFF) {
        throw std::length_error("version record node larger than 64 KiB");
    }
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void appendU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    appendU16(out, value & 0xFFFF);
    appendU16(out, value >> 16);
}

void pad4(std::vector<std::uint8_t>& out) {
    while (out.size() % 4 != 0) {
        out.push_back(0);
    }
}

std::uint32_t pair(std::uint16_t high, std::uint16_t low) {
    return (std::uint32_t{high} << 16) | low;
}

// Decodes one UTF-8 sequence at `i`, advancing it; rejects overlong forms and surrogates.
std::uint32_t decodeUtf8(const std::string& text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead > 0xF4 || text.size() - i < static_cast<std::size_t>(extra)) {
        throw std::invalid_argument("invalid UTF-8 in version text");
    }
    std::uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        const auto next = static_cast<unsigned char>(text[i++]);
        if ((next & 0xC0) != 0x80) {
            throw std::invalid_argument("invalid UTF-8 in version text");
        }
        code = (code << 6) | (next & 0x3F);
    }
    static const std::uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < smallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
        throw std::invalid_argument("invalid UTF-8 in version text");
    }
    return code;
}
} // namespace

void CVersionRecordBuilder::AddStringTable(const std::string& key, const Entries& entries) {
    Node table{key, TextType, {}, 0, {}};
    for (const auto& [name, text] : entries) {
        table.children.push_back(textNode(name, text));
    }
    m_tables.push_back(std::move(table));
}

void CVersionRecordBuilder::AddTranslation(std::uint16_t language, std::uint16_t codePage) {
    appendU16(m_translations, language);
    appendU16(m_translations, codePage);
}

std::vector<std::uint8_t> CVersionRecordBuilder::Build() const {
    const std::vector<std::uint8_t> fixed = fixedPart();
    Node root{"VS_VERSION_INFO", 0, fixed, static_cast<std::uint16_t>(fixed.size()), {}};
    if (!m_tables.empty()) {
        root.children.push_back(Node{"StringFileInfo", TextType, {}, 0, m_tables});
    }
    if (!m_translations.empty()) {
        const auto size = static_cast<std::uint16_t>(m_translations.size());
        const Node translation{"Translation", 0, m_translations, size, {}};
        root.children.push_back(Node{"VarFileInfo", TextType, {}, 0, {translation}});
    }
    std::vector<std::uint8_t> out;
    write(root, out);
    return out;
}

CVersionRecordBuilder::Node CVersionRecordBuilder::textNode(const std::string& key,
                                                            const std::string& text) {
    std::vector<std::uint8_t> value = utf16(text);
    const auto units = static_cast<std::uint16_t>(value.size() / 2);
    return Node{key, TextType, std::move(value), units, {}};
}

// Each node starts on a 32-bit boundary; its length covers its children but not the padding
// after the last one.
void CVersionRecordBuilder::write(const Node& node, std::vector<std::uint8_t>& out) {
    pad4(out);
    const std::size_t start = out.size();
    out.resize(start + 6, 0);
    const std::vector<std::uint8_t> key = utf16(node.key);
    out.insert(out.end(), key.begin(), key.end());
    pad4(out);
    out.insert(out.end(), node.value.begin(), node.value.end());
    for (const Node& child : node.children) {
        write(child, out);
    }
    putU16(out, start, static_cast<std::uint32_t>(out.size() - start));
    putU16(out, start + 2, node.valueLength);
    putU16(out, start + 4, node.type);
}

// UTF-16LE with the terminating zero.
std::vector<std::uint8_t> CVersionRecordBuilder::utf16(const std::string& text) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const std::uint32_t code = decodeUtf8(text, i);
        if (code >= 0x10000) {
            appendU16(out, 0xD800 + ((code - 0x10000) >> 10));
            appendU16(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            appendU16(out, code);
        }
    }
    appendU16(out, 0);
    return out;
}

std::vector<std::uint8_t> CVersionRecordBuilder::fixedPart() const {
    const std::uint32_t values[] = {
        Signature,
        StructVersion,
        pair(m_fileVersion[0], m_fileVersion[1]),
        pair(m_fileVersion[2], m_fileVersion[3]),
        pair(m_productVersion[0], m_productVersion[1]),
        pair(m_productVersion[2], m_productVersion[3]),
        FlagsMask,
        0, // flags
        0, // operating system: unknown
        0, // file type: unknown, one record serves programs and libraries alike
        0, // subtype
        0, // date high
        0, // date low
    };
    std::vector<std::uint8_t> out;
    for (std::uint32_t value : values) {
        appendU32(out, value);
    }
    return out;
}
