#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "KeyValueLines.h"
#include "RoundFile.h"
#include "SkippedContent.h"
#include "TextEncoding.h"

namespace larkspin {

// courses.dat and ratings.dat are laid out alike: the header line, then one record of text cells
// per course, each record begun by its "COURSE=" line (cell 0) and the others under keys of their
// own, records apart by an empty line. Only the keys differ.

template <std::size_t Cells>
using FileRecord = std::array<std::string, Cells>;

template <std::size_t Cells>
struct RecordFileContents {
  std::vector<FileRecord<Cells>> records;  // in the order the file holds them
  FileRecord<Cells> last;                  // the last record read, kept even when its name is empty
  SkippedContent skipped;                  // what the reader passed over
};

// The records of a data file's text (see FindDataFileText), each value decoded on its own (see
// DecodeFileValue). `cellOfKey(key)` is the cell a key fills, -1 for a key the file does not have.
// Each "COURSE=" line starts a fresh record, every cell empty; a record whose name is empty is
// left out.
template <std::size_t Cells, typename CellOfKey>
RecordFileContents<Cells> ParseRecordFile(std::string_view text, CellOfKey&& cellOfKey) {
  RecordFileContents<Cells> contents;
  FileRecord<Cells>& pending = contents.last;
  SkippedContent& skipped = contents.skipped;
  bool holdsValues = false;
  const auto finishRecord = [&] {
    if (!pending[0].empty()) {
      contents.records.push_back(pending);
    } else if (holdsValues) {
      ++skipped.records;
    }
  };
  std::string converted;
  ForEachKeyValueLine(text, [&](std::string_view key, std::string_view value) {
    const int cell = cellOfKey(key);
    if (cell < 0) return skipped.UnknownLine(key, value);
    const std::string_view decoded = DecodeFileValue(value, converted);
    if (cell == 0) {
      finishRecord();
      pending = FileRecord<Cells>{};
      holdsValues = false;
    } else if (!pending[cell].empty() && pending[cell] != decoded) {
      ++skipped.repeatedLines;  // the value before is lost
    }
    pending[cell] = decoded;
    holdsValues = holdsValues || !value.empty();
  });
  finishRecord();
  return contents;
}

// The bytes of a data file holding `count` records, recordAt(0) first: the header, then for each
// record its cells in cell order, each as "\r\n" + keys[cell] + "=" + value, an empty line between
// records and CR LF after the last. No records: no bytes at all.
template <std::size_t Cells, typename RecordAt>
std::string SerializeRecordFile(int count, RecordAt&& recordAt,
                                const std::array<std::string_view, Cells>& keys) {
  std::string out;
  if (count <= 0) return out;
  out += kDataFileHeader;
  for (int i = 0; i < count; ++i) {
    const FileRecord<Cells>& record = recordAt(i);
    if (i > 0) out += "\r\n";
    for (std::size_t cell = 0; cell < Cells; ++cell) {
      out += "\r\n";
      out += keys[cell];
      out += '=';
      AppendFileValue(out, record[cell]);
    }
  }
  out += "\r\n";
  return out;
}

}  // namespace larkspin
