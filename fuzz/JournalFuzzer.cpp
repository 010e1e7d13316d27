// libFuzzer target: any bytes as the journal, as they are and with every record's check made
// right (so that changed bytes inside a record reach the parts that read it rather than stop at
// the check). Whatever is read must be what a writer makes: the header and the whole records
// written again give back the very bytes they were read from, and those bytes alone read the same
// with nothing left over.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Crc32.h"
#include "JournalFormat.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

// The bytes with the check of each record, found by its length, made to fit.
std::string WithChecksRight(std::string bytes) {
  std::size_t at = 5;  // after the magic and the version
  while (at <= bytes.size() && bytes.size() - at >= 12) {
    std::uint64_t length = 0;
    for (int i = 0; i < 8; ++i)
      length |= std::uint64_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    if (length > bytes.size() - at - 12) break;
    const std::string_view all(bytes);
    const std::uint32_t check =
        larkspin::Crc32(larkspin::Crc32(0, all.substr(at, 8)), all.substr(at + 12, length));
    for (int i = 0; i < 4; ++i)
      bytes[at + 8 + i] = static_cast<char>((check >> (8 * i)) & 0xFF);
    at += 12 + length;
  }
  return bytes;
}

void Check(std::string bytes) {
  using larkspin::JournalContents;
  const std::size_t size = bytes.size();
  const JournalContents contents(std::move(bytes));
  if (!contents.Readable()) {
    if (contents.Problem().isEmpty() || !contents.Records().empty()) Fail("unreadable, untold");
    return;
  }
  std::string written = larkspin::JournalStart(contents.StartedMs(), contents.Files());
  for (const larkspin::JournalRecord& record : contents.Records()) {
    larkspin::JournalEntry entry(record.kind, record.timeMs);
    entry.AddAll(larkspin::CellsOf(record));
    written += entry.Bytes();
  }
  if (written != contents.WholePart()) Fail("the records read are not the bytes they came from");
  if (contents.WholePart().size() + contents.IgnoredBytes() != size) Fail("bytes lost count");
  if ((contents.IgnoredBytes() == 0) != (contents.TailState() == JournalContents::Tail::kNone)) {
    Fail("a tail told wrongly");
  }
  const JournalContents again(written);
  if (again.Records().size() != contents.Records().size() || again.IgnoredBytes() != 0) {
    Fail("the whole part does not read the same");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Check(bytes);
  if (bytes.size() > 5) Check(WithChecksRight(bytes));
  return 0;
}
