#pragma once
// The trace sink. Every diagnostic line of the program goes through Trace(); by default
// nothing is recorded. OpenTraceFile() (korvane-cli --trace=FILE, or KORVANE_TRACE=FILE in
// the environment) appends each line to a file; tests can capture lines with SetTraceSink().
#include <functional>
#include <string>

namespace platform {

enum TraceLevel : int { TraceError = 1, TraceWarning = 2, TraceInfo = 3, TraceDebug = 4 };

void Trace(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Appends lines to the file; false when it cannot be opened (tracing stays as it was).
bool OpenTraceFile(const std::string& path);
// Opens the file named by KORVANE_TRACE when set. Returns true when tracing to a file.
bool OpenTraceFromEnvironment();
// Replaces the sink (nullptr: record nothing). Closes a trace file.
void SetTraceSink(std::function<void(int level, const std::string& line)> sink);
void CloseTrace();

} // namespace platform
