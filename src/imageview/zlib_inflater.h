// zlib inflate with its compressed input pulled from a callback on demand,
// so the PNG reader can feed it straight from its read-ahead buffer, chunk
// after chunk, without gathering the image data first.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

class TZlibInflater {
public:
    // Points `data`/`size` at the next piece of compressed input; returns
    // false when there is none.
    using TSupply = std::function<bool(const uint8_t*& data, size_t& size)>;

    TZlibInflater();
    ~TZlibInflater();
    TZlibInflater(const TZlibInflater&) = delete;
    TZlibInflater& operator=(const TZlibInflater&) = delete;

    // Starts a zlib stream; false when zlib cannot.
    bool Init();
    // Releases zlib's state; Init may be called again afterwards.
    void End();

    void SetSupply(TSupply supply) { FSupply = std::move(supply); }

    // Fills all `size` bytes of `out`. False when the input ran out, the
    // stream ended early or the data is corrupt.
    bool Inflate(uint8_t* out, size_t size);

private:
    struct TState;
    std::unique_ptr<TState> FState;
    bool FActive = false;
    TSupply FSupply;
};
