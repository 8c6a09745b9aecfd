#include "imageview/input_stream.h"

#include <cstring>

TFileInputStream::TFileInputStream(const std::string& path)
    : FFile(std::fopen(path.c_str(), "rb")) {
    if (FFile == nullptr) throw EFOpenError(path);
}

TFileInputStream::~TFileInputStream() {
    std::fclose(FFile);
}

size_t TFileInputStream::Read(void* buffer, size_t count) {
    return std::fread(buffer, 1, count, FFile);
}

size_t TMemoryInputStream::Read(void* buffer, size_t count) {
    size_t left = FSize - FPosition;
    if (count > left) count = left;
    if (count > 0) std::memcpy(buffer, FData + FPosition, count);
    FPosition += count;
    return count;
}
