// The test texts iconv wrote in each encoding at build time
// (make_encoded_texts.sh), read by file name ("prose.euc").
#pragma once
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

inline std::string EncodedTextPath(const std::string& file) {
    const char* bin = std::getenv("QM_BIN_DIR");
    std::string path = std::string(bin ? bin : ".") + "/../tests/encoded_texts/" + file;
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
    path = "Z:" + path;
#endif
    return path;
}

inline std::string EncodedText(const std::string& file) {
    std::ifstream in(EncodedTextPath(file), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
