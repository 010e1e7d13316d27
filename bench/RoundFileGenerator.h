#pragma once

#include <cstdint>
#include <string>

namespace larkspin::bench {

// Seed of the rounds the benchmarks use, so that every run works on the same file.
inline constexpr std::uint64_t kDefaultRoundSeed = 0x4C41524B5350494EULL;

// The bytes of an lks.dat holding `rounds` made-up rounds, laid out exactly as the program writes
// the file: the CREATOR line before the first record only, COURSE, DATE, S1..S18, D1..D18,
// P1..P18 and C1..C18 per record, CR LF line ends, one empty line between records and none after
// the last.
//
// The rounds are spread over 50 courses (two of them nine-hole courses) and twenty years of
// dates in no particular order. Strokes run 2 to 9, drives 100 to 300, putts 0 to 4, and all 17
// clubs turn up; a few drives, clubs and putts were not noted, and a few rounds stopped after
// the ninth hole. The same seed always gives the same bytes.
std::string GenerateRoundFile(int rounds, std::uint64_t seed = kDefaultRoundSeed);

// Writes GenerateRoundFile(rounds, seed) to `path`. False when the file cannot be written.
bool WriteGeneratedRoundFile(const std::string& path, int rounds,
                             std::uint64_t seed = kDefaultRoundSeed);

// The bytes of a courses.dat holding the 50 courses of the rounds made with the same seed, with
// their pars (nine for a nine-hole course), laid out as the program writes the file.
std::string GenerateCourseFile(std::uint64_t seed = kDefaultRoundSeed);
bool WriteGeneratedCourseFile(const std::string& path, std::uint64_t seed = kDefaultRoundSeed);

}  // namespace larkspin::bench
