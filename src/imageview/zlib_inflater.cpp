#include "imageview/zlib_inflater.h"

#include <climits>
#include <zlib.h>

struct TZlibInflater::TState {
    z_stream Stream{};
};

TZlibInflater::TZlibInflater() : FState(new TState) {}

TZlibInflater::~TZlibInflater() {
    End();
}

bool TZlibInflater::Init() {
    End();
    FState->Stream = z_stream{};
    if (inflateInit(&FState->Stream) != Z_OK) return false;
    FActive = true;
    return true;
}

void TZlibInflater::End() {
    if (FActive) inflateEnd(&FState->Stream);
    FActive = false;
}

bool TZlibInflater::Inflate(uint8_t* out, size_t size) {
    if (!FActive) return false;
    z_stream& z = FState->Stream;
    while (size > 0) {
        if (z.avail_in == 0) {
            const uint8_t* data = nullptr;
            size_t count = 0;
            if (!FSupply || !FSupply(data, count) || count == 0) return false;
            z.next_in = const_cast<Bytef*>(data);
            // A supplier never hands over more than fits zlib's counter.
            z.avail_in = static_cast<uInt>(count > UINT_MAX ? UINT_MAX : count);
        }
        uInt chunk = static_cast<uInt>(size > UINT_MAX ? UINT_MAX : size);
        z.next_out = out;
        z.avail_out = chunk;
        int rc = inflate(&z, Z_NO_FLUSH);
        size_t produced = chunk - z.avail_out;
        out += produced;
        size -= produced;
        if (rc == Z_STREAM_END) return size == 0;
        // Z_BUF_ERROR only says no progress was possible; more input may fix that.
        if (rc != Z_OK && rc != Z_BUF_ERROR) return false;
        if (rc == Z_BUF_ERROR && z.avail_in != 0) return false;
    }
    return true;
}
