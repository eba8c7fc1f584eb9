#include "app/documents/XmlReader.h"

#include <climits>
#include <cstdio>
#include <cwctype>
#include <fstream>
#include <vector>

#include "platform/Text.h"
#include "platform/Trace.h"

bool XmlReader::Load(const std::string& path)
{
    m_doc.reset();
    m_parent = m_doc;
    m_current = pugi::xml_node();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        platform::Trace(platform::TraceWarning, "xml: cannot open %s", path.c_str());
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<unsigned long long>(size) > kMaxXmlFileBytes) {
        platform::Trace(platform::TraceWarning, "xml: %s is too large (%lld bytes)", path.c_str(),
                        static_cast<long long>(size));
        return false;
    }
    std::vector<char> bytes(static_cast<size_t>(size));
    in.seekg(0);
    if (size > 0 && !in.read(bytes.data(), size)) {
        platform::Trace(platform::TraceWarning, "xml: cannot read %s", path.c_str());
        return false;
    }
    if (!LoadFromMemory(bytes.data(), bytes.size())) {
        platform::Trace(platform::TraceWarning, "xml: %s is not a readable document", path.c_str());
        return false;
    }
    return true;
}

bool XmlReader::LoadFromMemory(const void* data, size_t bytes)
{
    m_doc.reset();
    m_parent = m_doc;
    m_current = pugi::xml_node();
    if (bytes > kMaxXmlFileBytes) {
        platform::Trace(platform::TraceWarning, "xml: document too large (%zu bytes)", bytes);
        return false;
    }
    if (bytes == 0) {
        platform::Trace(platform::TraceWarning, "xml: empty document");
        return false;
    }
    return Loaded(m_doc.load_buffer(data, bytes, pugi::parse_default, pugi::encoding_auto), "parse");
}

bool XmlReader::Loaded(const pugi::xml_parse_result& result, const char* what)
{
    if (result) return true;
    platform::Trace(platform::TraceWarning, "xml: %s failed: %s at offset %lld", what, result.description(),
                    static_cast<long long>(result.offset));
    m_doc.reset();
    m_parent = m_doc;
    return false;
}

bool XmlReader::FindElem(const char* name)
{
    if (!m_parent) return false;
    pugi::xml_node node = m_current ? m_current.next_sibling() : m_parent.first_child();
    for (; node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element && std::string_view(node.name()) == name) {
            m_current = node;
            return true;
        }
    }
    return false;
}

bool XmlReader::IntoElem()
{
    if (!m_current) return false;
    m_parent = m_current;
    m_current = pugi::xml_node();
    return true;
}

bool XmlReader::OutOfElem()
{
    if (!m_parent || m_parent == m_doc) return false;
    m_current = m_parent;
    m_parent = m_parent.parent();
    return true;
}

std::wstring XmlReader::GetAttrib(const char* name) const
{
    if (!m_current) return {};
    const pugi::xml_attribute attribute = m_current.attribute(name);
    if (!attribute) return {};
    return platform::FromUtf8(attribute.value());
}

int XmlReader::GetAttribInt(const char* name) const
{
    return DecimalPrefix(GetAttrib(name));
}

namespace {

int Clamp(long long value)
{
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

size_t SkipBlanks(std::wstring_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t' || text[i] == L'\r' || text[i] == L'\n'))
        ++i;
    return i;
}

} // namespace

int DecimalPrefix(std::wstring_view text)
{
    size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        // Past 2^32 the result is clamped anyway; stop growing so nothing overflows.
        if (value < (1LL << 40)) value = value * 10 + (text[i] - L'0');
    }
    return Clamp(negative ? -value : value);
}

int HexValue(std::wstring_view text)
{
    size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X') &&
        i + 2 < text.size() && HexDigit(text[i + 2]) >= 0)
        i += 2;
    long long value = 0;
    for (; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
        if (value < (1LL << 40)) value = value * 16 + HexDigit(text[i]);
    }
    return Clamp(negative ? -value : value);
}
