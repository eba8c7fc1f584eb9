#pragma once
// Runs the korvane-cli program of the build tree in a private XDG home.
#include "TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

struct CliResult
{
    int status = -1;
    std::string out;
    std::string err;
};

class CliRunner
{
public:
    CliResult Run(const std::string& args)
    {
        const std::string out = m_home.Folder().File("stdout.txt");
        const std::string err = m_home.Folder().File("stderr.txt");
        const std::string command =
            std::string(KORVANE_RUNTIME_DIR) + "/korvane-cli " + args + " >" + out + " 2>" + err;
        const int raw = std::system(command.c_str());
        CliResult r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = Read(out);
        r.err = Read(err);
        return r;
    }
    std::string File(const std::string& name) const { return m_home.Folder().File(name); }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    ScopedXdgHome m_home;
};

inline int Lines(const std::string& text)
{
    int n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}
