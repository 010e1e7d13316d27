// The journal's bytes: what is written reads back exactly, and a journal a crash cut short or
// damaged gives back every whole change before the damage, never more, never a crash.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "JournalFormat.h"

namespace larkspin {
namespace {

using Tail = JournalContents::Tail;

struct Written {
  std::uint32_t kind;
  std::int64_t timeMs;
  std::vector<std::string> cells;
};

std::string Journal(const std::vector<FileFingerprint>& files, const std::vector<Written>& changes,
                    std::vector<std::size_t>* starts = nullptr) {
  std::string bytes = JournalStart(1'700'000'000'000, files);
  for (const Written& change : changes) {
    if (starts) starts->push_back(bytes.size());
    JournalEntry entry(change.kind, change.timeMs);
    entry.AddAll(change.cells);
    bytes += entry.Bytes();
  }
  return bytes;
}

std::vector<Written> ReadBack(const JournalContents& contents) {
  std::vector<Written> changes;
  for (const JournalRecord& record : contents.Records()) {
    std::vector<std::string> cells;
    for (const std::string_view cell : CellsOf(record))
      cells.emplace_back(cell);
    changes.push_back({record.kind, record.timeMs, std::move(cells)});
  }
  return changes;
}

bool operator==(const Written& a, const Written& b) {
  return a.kind == b.kind && a.timeMs == b.timeMs && a.cells == b.cells;
}

const std::vector<FileFingerprint> kFiles = {FingerprintOf("lks.dat", "COURSE=Pine\r\n"),
                                             NothingRead("courses.dat")};

// A round of 74 cells holding every byte a cell may, and changes at the edges of the format;
// `large` adds a cell whose length takes three bytes.
std::vector<Written> Changes(bool large = true) {
  std::vector<std::string> round(74);
  for (std::size_t i = 0; i < round.size(); ++i)
    round[i] = std::string(1, static_cast<char>(i * 7)) + "\r\n" + std::string(1, '\0');
  round[1].clear();
  round[2] = std::string(300, '\xFF');  // a length of two bytes
  return {
      {1, 1'700'000'000'001, round},
      {2, 1'700'000'000'002, {}},  // no cells
      {0xFFFFFFFF, -1, {"", std::string(large ? 70'000 : 2, 'x'), "\x1A"}},
      {3, 1'700'000'000'003, {"COURSE=Oak"}},
  };
}

TEST(JournalFormat, BytesAreTheDocumentedOnes) {
  JournalEntry entry(300, 1'700'000'000'001);
  entry.AddAll(std::vector<std::string>{std::string("a\r\n\0", 4), ""});
  const std::string bytes =
      JournalStart(1'700'000'000'000, {NothingRead("lks.dat")}) + std::string(entry.Bytes());
  // Made by hand with zlib's crc32.
  const std::string expected(
      "LKSJ\x01"
      "\x12\x00\x00\x00\x00\x00\x00\x00\x99\x9e\x11\x02"
      "\x00\x00\x68\xe5\xcf\x8b\x01\x00\x00\x07lks.dat\x00"
      "\x10\x00\x00\x00\x00\x00\x00\x00\x93\xa2\xf4\x7a"
      "\xac\x02\x01\x68\xe5\xcf\x8b\x01\x00\x00\x04\x61\x0d\x0a\x00\x00",
      63);
  EXPECT_EQ(bytes, expected);
}

TEST(JournalFormat, WhatIsWritten_readsBackExactly) {
  const std::string bytes = Journal(kFiles, Changes());
  const JournalContents contents(bytes);
  ASSERT_TRUE(contents.Readable()) << contents.Problem().toStdString();
  EXPECT_EQ(contents.StartedMs(), 1'700'000'000'000);
  EXPECT_EQ(contents.Files(), kFiles);
  EXPECT_EQ(ReadBack(contents), Changes());
  EXPECT_EQ(contents.TailState(), Tail::kNone);
  EXPECT_EQ(contents.WholePart(), bytes);
  EXPECT_EQ(contents.LastChangeTime().toMSecsSinceEpoch(), 1'700'000'000'003);
  EXPECT_FALSE(JournalContents(Journal(kFiles, {})).LastChangeTime().isValid());
}

// Every cut a crash can make, in the header or in the last record, and the zeros some file
// systems show where a write had not reached the disk.
TEST(JournalFormat, CutAtAnyByte_givesTheWholeRecordsBefore) {
  std::vector<std::size_t> starts;
  const std::string bytes = Journal(kFiles, Changes(), &starts);
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    SCOPED_TRACE("cut at byte " + std::to_string(cut));
    const JournalContents contents(bytes.substr(0, cut));
    if (cut < starts.front()) {
      EXPECT_FALSE(contents.Readable());
      EXPECT_FALSE(contents.Problem().isEmpty());
      continue;
    }
    if (cut < starts.back()) continue;  // a cut only ever falls in the last record
    EXPECT_EQ(contents.Records().size(), starts.size() - 1);
    EXPECT_EQ(contents.WholePart(), bytes.substr(0, starts.back()));
    EXPECT_EQ(contents.TailState(), cut == starts.back() ? Tail::kNone : Tail::kTorn);
    EXPECT_EQ(contents.IgnoredBytes(), cut - starts.back());
  }
  for (const std::size_t zeros : {1, 12, 4096}) {
    const JournalContents contents(bytes + std::string(zeros, '\0'));
    EXPECT_EQ(contents.Records().size(), starts.size()) << zeros;
    EXPECT_EQ(contents.TailState(), Tail::kTorn) << zeros;
  }
}

// A byte changed anywhere: the records before its record are given back, that one and any after
// it are not; damage in the header makes the journal unreadable.
TEST(JournalFormat, ChangedByteAnywhere_givesTheWholeRecordsBeforeItsRecord) {
  std::vector<std::size_t> starts;
  const std::string bytes = Journal(kFiles, Changes(false), &starts);
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    for (const char flip : {'\x01', '\x80', '\xFF'}) {
      std::string damaged = bytes;
      damaged[at] = static_cast<char>(damaged[at] ^ flip);
      SCOPED_TRACE("byte " + std::to_string(at) + " ^ " + std::to_string(flip & 0xFF));
      const JournalContents contents(damaged);
      if (at < starts.front()) {
        EXPECT_FALSE(contents.Readable());
        continue;
      }
      const auto record = static_cast<std::size_t>(
          std::upper_bound(starts.begin(), starts.end(), at) - starts.begin() - 1);
      ASSERT_EQ(contents.Records().size(), record);
      EXPECT_EQ(contents.WholePart(), bytes.substr(0, starts[record]));
      EXPECT_NE(contents.TailState(), Tail::kNone);
      // Past the first 8 bytes, its length still finds the end of a record that is not the last.
      if (record + 1 < starts.size() && at >= starts[record] + 8) {
        EXPECT_EQ(contents.TailState(), Tail::kDamaged);
      }
    }
  }
}

TEST(JournalFormat, OnlyAJournalOfThisVersionIsRead) {
  const std::string journal = Journal(kFiles, Changes());
  std::string newer = journal;
  newer[4] = '\x02';
  JournalEntry header(0, 1);  // a second header where a change goes
  const struct {
    const char* behaviour;
    std::string bytes;
    const char* problem;
    std::size_t records;
  } cases[] = {
      {"empty", "", "it is not a Larkspin journal", 0},
      {"another file", "COURSE=Pine\r\n", "it is not a Larkspin journal", 0},
      {"a later version", newer, "it was written by another version of Larkspin", 0},
      {"a second header: damage", journal + std::string(header.Bytes()), "", 4},
  };
  for (const auto& c : cases) {
    const JournalContents contents(c.bytes);
    EXPECT_EQ(contents.Problem().toStdString(), c.problem) << c.behaviour;
    EXPECT_EQ(contents.Records().size(), c.records) << c.behaviour;
    if (contents.Readable()) {
      EXPECT_EQ(contents.TailState(), Tail::kDamaged) << c.behaviour;
    }
  }
}

TEST(JournalFormat, HeaderOfOtherFiles_doesNotContinueThem) {
  FileFingerprint rounds = FingerprintOf("lks.dat", "COURSE=Pine\r\n");
  EXPECT_EQ(rounds.size, 13u);
  // SHA-256 of "abc", as published.
  EXPECT_EQ(FingerprintOf("x", "abc").sha256[0], 0xBA);
  EXPECT_EQ(FingerprintOf("x", "abc").sha256[31], 0xAD);
  const std::vector<FileFingerprint> read = {rounds, NothingRead("courses.dat")};
  const JournalContents contents(JournalStart(0, read));
  const struct {
    const char* behaviour;
    std::vector<FileFingerprint> now;
    bool continues;
  } cases[] = {
      {"the same files", read, true},
      {"in another order", {NothingRead("courses.dat"), rounds}, true},
      {"another file, not read now either",
       {rounds, NothingRead("courses.dat"), NothingRead("ratings.dat")},
       true},
      {"another file, read now",
       {rounds, NothingRead("courses.dat"), FingerprintOf("ratings.dat", "")},
       false},
      {"a file the journal names as read, not read now", {NothingRead("courses.dat")}, false},
      {"a byte changed",
       {FingerprintOf("lks.dat", "COURSE=Pina\r\n"), NothingRead("courses.dat")},
       false},
      {"a byte added",
       {FingerprintOf("lks.dat", "COURSE=Pine\r\n\r\n"), NothingRead("courses.dat")},
       false},
      {"made since", {rounds, FingerprintOf("courses.dat", "")}, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(contents.Continues(c.now), c.continues) << c.behaviour;
}

}  // namespace
}  // namespace larkspin
