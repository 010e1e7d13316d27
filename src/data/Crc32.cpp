#include "Crc32.h"

#include <array>
#include <bit>
#include <cstring>

namespace larkspin {

namespace {

// Eight tables, so that eight bytes are taken at a time: a journal record may hold a whole
// import, tens of megabytes.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables MakeTables() {
  Tables tables{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t crc = byte;
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1) != 0 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    tables[0][byte] = crc;
  }
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    for (std::size_t n = 1; n < tables.size(); ++n)
      tables[n][byte] = (tables[n - 1][byte] >> 8) ^ tables[0][tables[n - 1][byte] & 0xFF];
  }
  return tables;
}

constexpr Tables kTables = MakeTables();

}  // namespace

std::uint32_t Crc32(std::uint32_t crc, std::string_view bytes) {
  crc = ~crc;
  const char* at = bytes.data();
  std::size_t left = bytes.size();
  if constexpr (std::endian::native == std::endian::little) {
    for (; left >= 8; at += 8, left -= 8) {
      std::uint32_t low = 0;
      std::uint32_t high = 0;
      std::memcpy(&low, at, 4);
      std::memcpy(&high, at + 4, 4);
      low ^= crc;
      crc = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^
            kTables[5][(low >> 16) & 0xFF] ^ kTables[4][low >> 24] ^ kTables[3][high & 0xFF] ^
            kTables[2][(high >> 8) & 0xFF] ^ kTables[1][(high >> 16) & 0xFF] ^
            kTables[0][high >> 24];
    }
  }
  for (; left > 0; ++at, --left)
    crc = kTables[0][(crc ^ static_cast<unsigned char>(*at)) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

}  // namespace larkspin
