// libFuzzer target: any bytes as CSV, read, written and read again (see CsvRoundTrip.h).
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "support/CsvRoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failure = larkspin::testing::CheckCsvRoundTrip(
      std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
