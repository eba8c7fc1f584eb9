// korvane-cli: the device link, settings store and documents from the command line.
#include "cli/CliCommand.h"

#include "app/device/sim/SimScenario.h"
#include "platform/Paths.h"
#include "platform/Trace.h"

#include <cstdlib>
#include <iostream>

namespace {

const char* GlobalUsage = "usage: korvane-cli [--simulate[=KEY=VALUE,...]] [--model=TYPE] [--trace=FILE] "
                          "[--wire-log=FILE] COMMAND [ARGS...]";

bool StartsWith(const std::string& s, const char* prefix)
{
    return s.rfind(prefix, 0) == 0;
}

int RunHelp(CliContext& context)
{
    context.Out() << GlobalUsage << "\n\ncommands:\n";
    for (const CliCommandInfo& c : CliCommands())
        context.Out() << "  " << c.usage << "\n      " << c.summary << "\n";
    return 0;
}

} // namespace

KORVANE_CLI_COMMAND("help", "help", "list the commands", RunHelp);

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliContext context;
    context.out = &out;
    context.err = &err;
    bool haveCommand = false;
    for (const std::string& arg : args) {
        if (haveCommand) {
            context.args.push_back(arg);
        } else if (arg == "--simulate") {
            context.simulate = true;
        } else if (StartsWith(arg, "--simulate=")) {
            context.simulate = true;
            context.scenario = arg.substr(11);
        } else if (StartsWith(arg, "--model=")) {
            char* end = nullptr;
            const long model = std::strtol(arg.c_str() + 8, &end, 10);
            if (!end || *end || model <= 0 || model > 1000000)
                return context.Usage("bad --model value: " + arg);
            context.model = static_cast<int>(model);
        } else if (StartsWith(arg, "--trace=") && arg.size() > 8) {
            context.tracePath = arg.substr(8);
        } else if (StartsWith(arg, "--wire-log=") && arg.size() > 11) {
            context.wireLogPath = arg.substr(11);
        } else if (arg == "--help" || arg == "-h") {
            context.command = "help";
            haveCommand = true;
        } else if (StartsWith(arg, "-")) {
            err << "korvane-cli: unknown option " << arg << " (" << GlobalUsage << ")\n";
            return 2;
        } else {
            context.command = arg;
            haveCommand = true;
        }
    }
    if (!haveCommand) {
        err << "korvane-cli: no command given (" << GlobalUsage << ")\n";
        return 2;
    }
    const CliCommandInfo* info = FindCliCommand(context.command);
    if (!info) {
        err << "korvane-cli: unknown command " << context.command << " (try korvane-cli help)\n";
        return 2;
    }
    if (!context.wireLogPath.empty() && !context.simulate)
        return context.Usage("--wire-log needs --simulate");
    SimScenario scenario;
    std::string error;
    if (context.simulate && !SimScenario::Parse(context.scenario, scenario, error))
        return context.Usage(error);
    if (!context.tracePath.empty()) {
        if (!platform::OpenTraceFile(context.tracePath))
            return context.Fail("cannot open trace file " + context.tracePath);
    } else {
        platform::OpenTraceFromEnvironment();
    }
    const int status = info->handler(context);
    out.flush();
    platform::CloseTrace();
    return status;
}

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunCli(args, std::cout, std::cerr);
}
