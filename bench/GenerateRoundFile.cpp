// larkspin_generate ROUNDS FILE [SEED]: writes an lks.dat with ROUNDS made-up rounds, for the
// benchmarks or for trying the program on a big file.
// larkspin_generate --courses FILE [SEED]: writes the courses.dat of those rounds' courses.
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "RoundFileGenerator.h"

namespace {

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && argc <= 4 && std::string_view(argv[1]) == "--courses") {
    std::uint64_t seed = larkspin::bench::kDefaultRoundSeed;
    if (argc == 4 && !ParseNumber(argv[3], seed)) {
      std::fprintf(stderr, "usage: %s --courses FILE [SEED]\n", argv[0]);
      return 2;
    }
    if (!larkspin::bench::WriteGeneratedCourseFile(argv[2], seed)) {
      std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[2], std::strerror(errno));
      return 1;
    }
    std::printf("courses written to %s\n", argv[2]);
    return 0;
  }
  int rounds = 0;
  std::uint64_t seed = larkspin::bench::kDefaultRoundSeed;
  if (argc < 3 || argc > 4 || !ParseNumber(argv[1], rounds) || rounds < 0 ||
      (argc == 4 && !ParseNumber(argv[3], seed))) {
    std::fprintf(stderr, "usage: %s ROUNDS FILE [SEED]\n       %s --courses FILE [SEED]\n", argv[0],
                 argv[0]);
    return 2;
  }
  const std::string path = argv[2];
  if (!larkspin::bench::WriteGeneratedRoundFile(path, rounds, seed)) {
    std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], path.c_str(), std::strerror(errno));
    return 1;
  }
  std::printf("%d rounds written to %s\n", rounds, path.c_str());
  return 0;
}
