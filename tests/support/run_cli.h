// Runs the tallivan-cli program as a whole process and collects what it prints.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tallivan::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuote(const std::string& word) {
    std::string q = "'";
    for (char c : word)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// `environment` holds "NAME=value" words set for the program alone. Runs may go on at once from
// several threads: each collects its standard error in a file of its own.
inline CliResult runCli(const std::string& program, const std::vector<std::string>& args,
                        const std::string& scratchDir,
                        const std::vector<std::string>& environment = {}) {
    static std::atomic<int> runs{0};
    const std::string errFile =
        scratchDir + "/.cli-stderr-" + std::to_string(::getpid()) + "-" + std::to_string(runs++);
    std::string command = environment.empty() ? "" : "env ";
    for (const std::string& assignment : environment)
        command += shellQuote(assignment) + " ";
    command += shellQuote(program);
    for (const std::string& a : args)
        command += " " + shellQuote(a);
    command += " 2>" + shellQuote(errFile) + " </dev/null";
    CliResult r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return r;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
        r.out.append(buf, n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(errFile, std::ios::binary);
    r.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::remove(errFile.c_str());
    return r;
}

}  // namespace tallivan::testing
