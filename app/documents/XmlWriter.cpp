#include "app/documents/XmlWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "platform/Text.h"
#include "platform/Trace.h"

struct XmlWriter::Node
{
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<std::unique_ptr<Node>> children;
    Node* parent = nullptr;
};

XmlWriter::XmlWriter(std::string header)
    : m_header(std::move(header)), m_root(std::make_unique<Node>()), m_parent(m_root.get())
{
}

XmlWriter::~XmlWriter() = default;

void XmlWriter::AddElem(const char* name)
{
    auto node = std::make_unique<Node>();
    node->name = name;
    node->parent = m_parent;
    Node* added = node.get();
    auto& siblings = m_parent->children;
    auto at = siblings.end();
    if (m_current) {
        at = std::find_if(siblings.begin(), siblings.end(),
                          [&](const auto& n) { return n.get() == m_current; });
        if (at != siblings.end()) ++at;
    }
    siblings.insert(at, std::move(node));
    m_current = added;
}

bool XmlWriter::AddAttrib(const char* name, const std::wstring& value)
{
    if (!m_current) return false;
    m_current->attributes.emplace_back(name, platform::ToUtf8(value));
    return true;
}

bool XmlWriter::AddAttrib(const char* name, int value)
{
    return AddAttrib(name, std::to_wstring(value));
}

bool XmlWriter::IntoElem()
{
    if (!m_current) return false;
    m_parent = m_current;
    m_current = m_parent->children.empty() ? nullptr : m_parent->children.back().get();
    return true;
}

bool XmlWriter::OutOfElem()
{
    if (m_parent == m_root.get()) return false;
    m_current = m_parent;
    m_parent = m_parent->parent;
    return true;
}

std::string EscapeXml(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void XmlWriter::Write(const Node& node, std::string& out) const
{
    out += '<';
    out += node.name;
    for (const auto& [name, value] : node.attributes) {
        out += ' ';
        out += name;
        out += "=\"";
        out += EscapeXml(value);
        out += '"';
    }
    if (node.children.empty()) {
        out += "/>\r\n";
        return;
    }
    out += ">\r\n";
    for (const auto& child : node.children)
        Write(*child, out);
    out += "</";
    out += node.name;
    out += ">\r\n";
}

std::string XmlWriter::ToString() const
{
    std::string out = m_header + "\r\n";
    for (const auto& child : m_root->children)
        Write(*child, out);
    return out;
}

bool XmlWriter::Save(const std::string& path) const
{
    const std::string text = ToString();
    const std::string temp = path + ".tmp-" + std::to_string(getpid());
    FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file) {
        platform::Trace(platform::TraceWarning, "xml: cannot write %s: %s", path.c_str(),
                        std::strerror(errno));
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
        platform::Trace(platform::TraceWarning, "xml: cannot save %s: %s", path.c_str(),
                        std::strerror(errno));
        std::remove(temp.c_str());
        return false;
    }
    return true;
}
