#include "qmtool.h"

#include <cstdio>
#include <cstring>

namespace {
std::vector<const QmCommand*>& Registry() {
    static std::vector<const QmCommand*> commands;
    return commands;
}

int Usage() {
    std::fprintf(stderr, "usage: qmtool COMMAND [ARGS...]\ncommands:\n");
    for (const QmCommand* c : Registry()) std::fprintf(stderr, "  %s %s\n", c->name, c->usage);
    return 2;
}
}  // namespace

QmCommand::QmCommand(const char* n, const char* u, Fn f) : name(n), usage(u), fn(f) {
    Registry().push_back(this);
}

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    for (const QmCommand* c : Registry()) {
        if (std::strcmp(c->name, argv[1]) == 0) {
            return c->fn(std::vector<std::string>(argv + 2, argv + argc));
        }
    }
    return Usage();
}
