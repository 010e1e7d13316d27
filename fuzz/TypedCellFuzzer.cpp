// libFuzzer target: any bytes as cells typed into the form, made storable, through lks.dat and
// courses.dat and back (see DataFileRoundTrip.h).
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "support/DataFileRoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failure = larkspin::testing::CheckTypedCellsRoundTrip(
      std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
