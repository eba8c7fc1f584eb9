#pragma once
// The command table of korvane-cli.
//
// Adding a command: in any cli/*.cpp file (each file is compiled into the program), write
//
//     static int RunFrobnicate(CliContext& context) { ... return 0; }
//     KORVANE_CLI_COMMAND("frobnicate", "frobnicate [COUNT]", "one line of help", RunFrobnicate);
//
// main.cpp parses the global options into the CliContext and calls the handler with the
// command's own arguments in context.args. A handler returns 0 on success, 1 when the operation
// failed and 2 for a usage error; for 1 and 2 use context.Fail() / context.Usage(), which write
// the one-line message on stderr that every non-zero exit carries.
// For device access, open a CliDeviceSession (cli/CliDeviceSession.h): it honours --simulate,
// --wire-log and --model.
#include <ostream>
#include <string>
#include <vector>

struct CliContext
{
    bool simulate = false;         // --simulate[=SCENARIO]
    std::string scenario;          // the SCENARIO text (key=value,...), empty for the defaults
    int model = 0;                 // --model=<device_type>: the device type to select (0: saved one)
    std::string tracePath;         // --trace=FILE
    std::string wireLogPath;       // --wire-log=FILE (with --simulate)
    std::string command;           // the command's name
    std::vector<std::string> args; // the command's own arguments
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;

    std::ostream& Out() { return *out; }
    std::ostream& Err() { return *err; }
    // Writes "korvane-cli: <message>" on stderr; returns 1.
    int Fail(const std::string& message);
    // Writes "korvane-cli: <message>" and the command's usage on one line; returns 2.
    int Usage(const std::string& message);
};

using CliHandler = int (*)(CliContext&);

struct CliCommandInfo
{
    std::string name;
    std::string usage;
    std::string summary;
    CliHandler handler = nullptr;
};

bool RegisterCliCommand(const char* name, const char* usage, const char* summary, CliHandler handler);
const CliCommandInfo* FindCliCommand(const std::string& name);
// Sorted by name.
std::vector<CliCommandInfo> CliCommands();

// Runs korvane-cli with the given arguments (without the program name).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

#define KORVANE_CLI_CONCAT_INNER(a, b) a##b
#define KORVANE_CLI_CONCAT(a, b) KORVANE_CLI_CONCAT_INNER(a, b)
#define KORVANE_CLI_COMMAND(name, usage, summary, handler)                                                   \
    static const bool KORVANE_CLI_CONCAT(korvaneCliCommand_, __LINE__) =                                     \
        RegisterCliCommand(name, usage, summary, handler)
