// Command registry of qmtool. A command file defines its function and a
// static QmCommand object; main() finds it by name.
#pragma once
#include <string>
#include <vector>

struct QmCommand {
    using Fn = int (*)(const std::vector<std::string>& args);
    QmCommand(const char* name, const char* usage, Fn fn);
    const char* name;
    const char* usage;
    Fn fn;
};
