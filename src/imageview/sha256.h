// SHA-256 of a block of bytes, for fingerprints of decoded pictures.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Lower-case hexadecimal digest.
std::string Sha256Hex(const void* data, size_t size);
