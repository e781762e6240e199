#pragma once

#include <pugixml.hpp>

#include <string>

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

private:
    pugi::xml_node Child(const char* element, int index) const;

    std::string m_path;
    pugi::xml_document m_doc;
    pugi::xml_node m_parent;
};
