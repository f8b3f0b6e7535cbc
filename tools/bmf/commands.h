#pragma once

#include <string>
#include <vector>

// Subcommands of the bmf tool. A new one is a function here, its own source
// file, and one line in the command table of bmf.cpp.

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the file is missing or damaged
constexpr int kExitUsage = 2;    // bad arguments: the usage text is printed

struct BmfCommand {
    const char* name;
    const char* arguments;  // for the usage text, e.g. "FILE"
    const char* summary;
    // args are the words after the command name; returns the exit status.
    int (*run)(const std::vector<std::string>& args);
};

// Text from a file (paths, names, a library's messages) made safe for a
// terminal: control and non-ASCII bytes and the backslash become \xNN, so
// that neither an escape sequence nor a stray zero byte passes through.
std::string printable(const std::string& text);

int runInfo(const std::vector<std::string>& args);
int runImport(const std::vector<std::string>& args);
