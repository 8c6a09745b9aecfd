// qmtool classify PATH...: the file kind of each path, GIF option off and on.
#include <cstdio>

#include "app/file_kind.h"
#include "qmtool.h"

static int Classify(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "classify: no path given\n");
        return 2;
    }
    for (const std::string& path : args) {
        std::printf("%s\t%s\t%s\n", FileKindName(ClassifyFile(path, false)),
                    FileKindName(ClassifyFile(path, true)), path.c_str());
    }
    return 0;
}

static const QmCommand command("classify", "PATH...   kind of each path (GIF option off, on)", Classify);
