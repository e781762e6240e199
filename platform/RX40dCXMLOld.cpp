#include "platform/RX40dCXMLOld.h"

#include "platform/CDurableFile.h"

#include <cstring>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace {

// Next element after node in document order, without recursion so deep documents are safe.
pugi::xml_node NextInDocumentOrder(pugi::xml_node node) {
    if (pugi::xml_node child = node.first_child()) {
        return child;
    }
    for (; node; node = node.parent()) {
        if (pugi::xml_node sibling = node.next_sibling()) {
            return sibling;
        }
    }
    return {};
}

bool IsElementNamed(const pugi::xml_node& node, const char* name) {
    return node.type() == pugi::node_element && std::strcmp(node.name(), name) == 0;
}

// True when nothing but node's own content follows it in document order.
bool IsLastInDocument(pugi::xml_node node) {
    for (; node; node = node.parent()) {
        if (node.next_sibling()) {
            return false;
        }
    }
    return true;
}

} // namespace

RX40dCXMLOld::RX40dCXMLOld(const std::string& path) : m_path(path) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error) && !m_doc.load_file(path.c_str())) {
        m_doc.reset();
    }
    m_parent = m_doc;
}

int RX40dCXMLOld::SetTopNode(const char* name) {
    m_doc.reset();
    m_elements.clear();
    m_parent = m_doc.append_child(name);
    return m_parent ? 1 : 0;
}

int RX40dCXMLOld::SetParentNode(const char* name, int index) {
    m_parent = pugi::xml_node();
    if (index < 0) {
        return 0;
    }
    const std::vector<pugi::xml_node>& elements = Elements(name);
    if (static_cast<std::size_t>(index) >= elements.size()) {
        return 0;
    }
    m_parent = elements[static_cast<std::size_t>(index)];
    return 1;
}

const std::vector<pugi::xml_node>& RX40dCXMLOld::Elements(const char* name) {
    const auto [found, added] = m_elements.try_emplace(name);
    if (added) {
        for (pugi::xml_node node = m_doc.first_child(); node; node = NextInDocumentOrder(node)) {
            ++m_visited;
            if (IsElementNamed(node, name)) {
                found->second.push_back(node);
            }
        }
    }
    return found->second;
}

// A node appended at the end of the document ends its name's list; one appended anywhere else
// changes the counting after it, so that list is found afresh when it is next asked for.
void RX40dCXMLOld::Added(pugi::xml_node node) {
    const auto found = m_elements.find(node.name());
    if (found == m_elements.end()) {
        return;
    }
    if (IsLastInDocument(node)) {
        found->second.push_back(node);
    } else {
        m_elements.erase(found);
    }
}

int RX40dCXMLOld::AddNode(const char* name, int /*index*/, const char* text, int /*options*/) {
    pugi::xml_node node = m_parent.append_child(name);
    if (!node) {
        return 0;
    }
    if (text) {
        node.text().set(text);
    }
    Added(node);
    return 1;
}

int RX40dCXMLOld::SetAttribute(const char* attribute, const char* value, const char* element,
                               int index, const char* /*ns*/, int /*options*/) {
    pugi::xml_node node = Child(element, index);
    if (!node) {
        return 0;
    }
    pugi::xml_attribute attr = node.attribute(attribute);
    if (!attr) {
        attr = node.append_attribute(attribute);
    }
    return attr.set_value(value) ? 1 : 0;
}

int RX40dCXMLOld::GetAttributeValue(std::string& out, const char* attribute, const char* element,
                                    int index, const char* /*ns*/, int /*options*/) {
    const pugi::xml_attribute attr = Child(element, index).attribute(attribute);
    out = attr.value();
    return attr ? 1 : 0;
}

int RX40dCXMLOld::GetNodeCount(const char* element, const char* /*ns*/, int /*options*/) {
    int count = 0;
    for (pugi::xml_node node = m_parent.first_child(); node; node = node.next_sibling()) {
        count += IsElementNamed(node, element) ? 1 : 0;
    }
    return count;
}

int RX40dCXMLOld::Save() {
    std::ostringstream text;
    m_doc.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
    return CDurableFile::Write(m_path, text.str()) ? 1 : 0;
}

pugi::xml_node RX40dCXMLOld::Child(const char* element, int index) const {
    if (index < 0) {
        return {};
    }
    int seen = 0;
    for (pugi::xml_node node = m_parent.first_child(); node; node = node.next_sibling()) {
        if (IsElementNamed(node, element) && seen++ == index) {
            return node;
        }
    }
    return {};
}
