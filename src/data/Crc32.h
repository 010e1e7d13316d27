#pragma once

#include <cstdint>
#include <string_view>

namespace larkspin {

// The CRC-32 of zlib, gzip and PNG (polynomial 0xEDB88320, reflected), continued from `crc`: the
// CRC of a whole is Crc32(Crc32(0, first), second). Crc32(0, "123456789") is 0xCBF43926.
std::uint32_t Crc32(std::uint32_t crc, std::string_view bytes);

}  // namespace larkspin
