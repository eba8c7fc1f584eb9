#include "platform/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace platform {
namespace {

std::mutex g_mutex;
std::function<void(int, const std::string&)> g_sink;
FILE* g_file = nullptr;

void CloseFileLocked()
{
    if (g_file) {
        std::fclose(g_file);
        g_file = nullptr;
    }
}

} // namespace

void Trace(int level, const char* format, ...)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_sink && !g_file) return;
    char stack[512];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(stack, sizeof stack, format, args);
    va_end(args);
    std::string line;
    if (n < 0) {
        line = format;
    } else if (static_cast<size_t>(n) < sizeof stack) {
        line.assign(stack, static_cast<size_t>(n));
    } else {
        line.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(line.data(), line.size(), format, copy);
        line.resize(static_cast<size_t>(n));
    }
    va_end(copy);
    if (g_file) {
        std::fprintf(g_file, "%s\n", line.c_str());
        std::fflush(g_file);
    }
    if (g_sink) g_sink(level, line);
}

bool OpenTraceFile(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "a");
    if (!f) return false;
    std::lock_guard<std::mutex> lock(g_mutex);
    CloseFileLocked();
    g_file = f;
    return true;
}

bool OpenTraceFromEnvironment()
{
    const char* path = std::getenv("KORVANE_TRACE");
    return path && *path && OpenTraceFile(path);
}

void SetTraceSink(std::function<void(int, const std::string&)> sink)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    CloseFileLocked();
    g_sink = std::move(sink);
}

void CloseTrace()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    CloseFileLocked();
}

} // namespace platform
