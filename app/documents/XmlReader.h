#pragma once
// Reading side of the XML engine: a document loaded through pugixml and a cursor that moves
// forward among sibling elements, into and out of elements, as the readers of config.xml, the
// device descriptions and the exchange files expect. A search never looks back: an element
// standing before the one found last is not seen.
#include <cstddef>
#include <string>
#include <string_view>

#include <pugixml.hpp>

// Files larger than this are refused: no document the program reads comes near it, and a
// runaway file must not take the process's memory.
inline constexpr size_t kMaxXmlFileBytes = 32u * 1024u * 1024u;

class XmlReader
{
public:
    // Loads a UTF-8 or UTF-16 file (byte-order mark or not). False, with a trace line, when the
    // file is missing, too big or not well-formed; the cursor then finds nothing.
    bool Load(const std::string& path);
    bool LoadFromMemory(const void* data, size_t bytes);

    // Looks for the next sibling element named `name` after the current element (or from the
    // first child of the entered element). On success it becomes the current element; on
    // failure the position does not move.
    bool FindElem(const char* name);
    // Enters the current element: the next search starts at its first child.
    bool IntoElem();
    // Leaves the entered element: it becomes the current element again.
    bool OutOfElem();

    // The attribute of the current element as text; empty when missing or when no element is current.
    std::wstring GetAttrib(const char* name) const;
    // The attribute read as an integer by its leading decimal digits (0 when missing).
    int GetAttribInt(const char* name) const;

private:
    bool Loaded(const pugi::xml_parse_result& result, const char* what);

    pugi::xml_document m_doc;
    pugi::xml_node m_parent;
    pugi::xml_node m_current;
};

// The integer given by the leading decimal digits of a text, after optional blanks and sign;
// 0 when there are none. Values beyond 32 bits are clamped to the int range.
int DecimalPrefix(std::wstring_view text);
// A hexadecimal text with or without a "0x" prefix (leading blanks allowed); 0 when it has no
// hexadecimal digit. Clamped to the int range.
int HexValue(std::wstring_view text);
