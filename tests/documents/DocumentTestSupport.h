#pragma once
// Shared helpers of the document tests: files in temp folders and a trace-line recorder.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Trace.h"

inline void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// UTF-16 LE bytes with a byte-order mark (characters of the basic plane only).
inline std::string Utf16LeWithBom(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

// Records the trace lines written while it lives.
class TraceRecorder
{
public:
    TraceRecorder()
    {
        platform::SetTraceSink([this](int, const std::string& line) { m_lines.push_back(line); });
    }
    ~TraceRecorder() { platform::SetTraceSink(nullptr); }
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
};
