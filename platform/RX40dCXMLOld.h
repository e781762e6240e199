#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

// The XML document class the progress file is written and read with. It keeps a "current
// parent" element; children are addressed by name and index below it. Every call answers 1 on
// success and 0 on failure (a missing element or attribute, a failed write).
class RX40dCXMLOld {
public:
    // Binds the document to path and loads it when it is an existing file; one that does not parse
    // gives an empty document.
    explicit RX40dCXMLOld(const std::string& path);
    virtual ~RX40dCXMLOld() = default;
    RX40dCXMLOld(const RX40dCXMLOld&) = delete;
    RX40dCXMLOld& operator=(const RX40dCXMLOld&) = delete;

    // Starts the document afresh with a root element of that name, which becomes the parent.
    int SetTopNode(const char* name);
    // Makes the index-th element of that name, counted in document order over the whole
    // document, the current parent. When there is none, no element is the parent.
    int SetParentNode(const char* name, int index);
    // Appends a child element to the current parent, with text when text is not null. The index
    // is the number of same-named siblings the caller expects before it.
    int AddNode(const char* name, int index, const char* text, int options);
    // Sets an attribute of the index-th child element with that name of the current parent.
    int SetAttribute(const char* attribute, const char* value, const char* element, int index,
                     const char* ns, int options);
    // Reads an attribute of the index-th child with that name of the current parent; out is
    // empty when there is no such attribute.
    int GetAttributeValue(std::string& out, const char* attribute, const char* element, int index,
                          const char* ns, int options);
    // Number of children with that name of the current parent.
    int GetNodeCount(const char* element, const char* ns, int options);
    // Writes the document to the bound path.
    int Save();

    // Nodes the searches for parents have stepped over so far: one walk of the document per
    // element name, however many parents are looked up.
    std::size_t NodesVisited() const { return m_visited; }

private:
    pugi::xml_node Child(const char* element, int index) const;
    // The elements of that name in document order, found by one walk of the document.
    const std::vector<pugi::xml_node>& Elements(const char* name);
    // Keeps the list of the new element's name true without walking the document again.
    void Added(pugi::xml_node node);

    std::string m_path;
    pugi::xml_document m_doc;
    pugi::xml_node m_parent;
    // Lists of Elements, by name: a file of n areas is then read and written in linear time.
    std::unordered_map<std::string, std::vector<pugi::xml_node>> m_elements;
    std::size_t m_visited = 0;
};
