#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "DiskFile.h"
#include "PackedRound.h"
#include "RoundTable.h"
#include "SkippedContent.h"

namespace larkspin {

inline constexpr char kRoundFileName[] = "lks.dat";
inline constexpr char kDataFileHeader[] = "CREATOR=LARKSP 1.0";

// The column a key of lks.dat fills, or -1 when the key is not one of the file's own
// (keys are exact and case-sensitive: "S5" is a key, "s5" and "S05" are not).
int RoundFileKeyColumn(std::string_view key);

// The rounds of an lks.dat text (see FindDataFileText) in the order the file holds them, each
// value decoded on its own (see DecodeFileValue). Each "COURSE=" line starts a fresh round; a
// round whose course name is empty is left out. What the reader passes over is counted in
// `skipped`.
std::vector<PackedRound> ParseRoundFile(std::string_view text, SkippedContent* skipped = nullptr);

// Whether a data file's text holds anything but empty lines and the "CREATOR" header: a text that
// does, and yet gives no record, was not understood.
bool HoldsMoreThanHeader(std::string_view text);

// Hands lks.dat bytes for the table to `sink`, a record at a time, the bottom row's record first
// so that reading the file back (each round going to the top) gives the table's order again.
// Empty table: no bytes at all. False when the sink fails.
bool WriteRoundFile(const RoundTable& table, const ByteSink& sink);

// Appends a cell text as a file value. Line feeds and control-Z would end the value or the whole
// file when read back, so they are written as spaces.
void AppendFileValue(std::string& out, std::string_view value);

}  // namespace larkspin
