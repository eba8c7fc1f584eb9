#pragma once
// Writing side of the XML engine: builds a document element by element and saves it in the
// exchange format, byte for byte: the header line, one element per line, CR LF line ends, no
// indentation, "/>" directly after the last attribute of an empty element, all values as
// attributes with the five XML characters escaped, UTF-8.
#include <memory>
#include <string>
#include <utility>
#include <vector>

class XmlWriter
{
public:
    // The document starts with `header` (written as its own line).
    explicit XmlWriter(std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    ~XmlWriter();
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;

    // Adds an element after the current one (at the current level) and makes it current.
    void AddElem(const char* name);
    // Adds an attribute to the current element; false when there is none.
    bool AddAttrib(const char* name, const std::wstring& value);
    bool AddAttrib(const char* name, int value);
    // Enters the current element (later elements become its children) / leaves it.
    bool IntoElem();
    bool OutOfElem();

    // The whole document as it is saved.
    std::string ToString() const;
    // Writes the document to `path` through a temporary file in the same folder that then
    // replaces the target, so a failed write never leaves a cut-off file behind. False, with a
    // trace line, when it cannot be written.
    bool Save(const std::string& path) const;

private:
    struct Node;
    void Write(const Node& node, std::string& out) const;

    std::string m_header;
    std::unique_ptr<Node> m_root; // holds the top-level elements as children
    Node* m_parent;
    Node* m_current = nullptr;
};

// The text with &, <, >, " and ' replaced by their entities.
std::string EscapeXml(const std::string& utf8);
