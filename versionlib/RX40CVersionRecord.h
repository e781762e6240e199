#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// A VS_VERSIONINFO record: nodes of wLength, wValueLength, wType, a UTF-16LE key and a value,
// each aligned to 32 bits, with their children. The whole tree is checked once; a record with
// any node that does not fit its parent is not valid and answers no query.
class RX40CVersionRecord {
public:
    static constexpr int FixedCount = 13;

    explicit RX40CVersionRecord(std::vector<std::uint8_t> bytes);

    bool IsValid() const { return m_valid; }
    // Copies the fixed part (at most its 52 bytes) into `fixed`, which is zeroed first.
    void CopyFixed(std::uint32_t (&fixed)[FixedCount]) const;
    bool FirstTranslation(std::uint16_t& language, std::uint16_t& codePage) const;
    // The entry `name` of the string table `table`, as UTF-8.
    bool Text(std::string_view table, std::string_view name, std::string& out) const;

private:
    struct Node {
        std::string key;
        std::uint64_t end = 0;
        std::uint64_t valueOffset = 0;
        std::uint64_t valueSize = 0;
        std::vector<Node> children;
    };

    bool parse(std::uint64_t offset, std::uint64_t limit, int depth, Node& node) const;
    bool parseKey(std::uint64_t offset, Node& node) const;
    bool parseValue(std::uint16_t valueLength, std::uint16_t type, Node& node) const;
    bool parseChildren(int depth, Node& node) const;
    const Node* find(std::initializer_list<std::string_view> path) const;

    std::vector<std::uint8_t> m_bytes;
    Node m_root;
    bool m_valid = false;
};
