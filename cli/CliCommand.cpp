#include "cli/CliCommand.h"

#include <algorithm>
#include <map>

namespace {

std::map<std::string, CliCommandInfo>& Table()
{
    static std::map<std::string, CliCommandInfo> table;
    return table;
}

} // namespace

int CliContext::Fail(const std::string& message)
{
    Err() << "korvane-cli: " << message << "\n";
    return 1;
}

int CliContext::Usage(const std::string& message)
{
    Err() << "korvane-cli: " << message;
    if (const CliCommandInfo* info = FindCliCommand(command))
        Err() << " (usage: korvane-cli " << info->usage << ")";
    Err() << "\n";
    return 2;
}

bool RegisterCliCommand(const char* name, const char* usage, const char* summary, CliHandler handler)
{
    Table()[name] = CliCommandInfo{name, usage, summary, handler};
    return true;
}

const CliCommandInfo* FindCliCommand(const std::string& name)
{
    auto it = Table().find(name);
    return it == Table().end() ? nullptr : &it->second;
}

std::vector<CliCommandInfo> CliCommands()
{
    std::vector<CliCommandInfo> list;
    for (const auto& [name, info] : Table())
        list.push_back(info);
    return list;
}
