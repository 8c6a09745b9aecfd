// Byte sources the picture readers load from: an open file or a block of
// memory. Reads return fewer bytes than asked only at the end of the data.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "base/files.h"

class TInputStream {
public:
    virtual ~TInputStream() = default;
    // Copies up to `count` bytes into `buffer`; 0 means the data has ended.
    virtual size_t Read(void* buffer, size_t count) = 0;
};

class TFileInputStream : public TInputStream {
public:
    // Opens `path` (code page 932 on Windows) for reading; throws EFOpenError.
    explicit TFileInputStream(const std::string& path);
    ~TFileInputStream() override;
    TFileInputStream(const TFileInputStream&) = delete;
    TFileInputStream& operator=(const TFileInputStream&) = delete;

    size_t Read(void* buffer, size_t count) override;

private:
    std::FILE* FFile;
};

// Reads from memory the caller keeps alive.
class TMemoryInputStream : public TInputStream {
public:
    TMemoryInputStream(const void* data, size_t size)
        : FData(static_cast<const uint8_t*>(data)), FSize(size) {}
    size_t Read(void* buffer, size_t count) override;

private:
    const uint8_t* FData;
    size_t FSize;
    size_t FPosition = 0;
};
