#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace larkspin {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. Qt Core's check.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined become the C1 controls of
// the same number, as Windows itself maps them.
std::string Windows1252ToUtf8(std::string_view bytes);

// A value read from a data file, as UTF-8. Older files come from Windows systems that wrote
// Windows-1252; newer ones are UTF-8. Each value is judged on its own, so one stray byte garbles
// nothing but the value it stands in: kept as it is when it is UTF-8, otherwise converted into
// `converted`, which the result then points into.
std::string_view DecodeFileValue(std::string_view value, std::string& converted);

// Where the text of a data file lies in its bytes. A control-Z byte ends the text, as it did for
// the Windows programs that wrote these files and padded them with it; a UTF-8 byte-order mark
// at the start is not text.
struct DataFileText {
  static constexpr std::size_t kNone = std::string_view::npos;

  std::string_view text;
  std::size_t controlZ = kNone;  // offset of the control-Z that ends the text
  std::size_t unreadBytes = 0;   // the bytes after it, when they are more than control-Z padding
};
DataFileText FindDataFileText(std::string_view bytes);

}  // namespace larkspin

namespace larkspin {

// FindDataFileText for a file read a piece at a time: its text, the same text FindDataFileText
// finds in the whole file, handed on in pieces of whole lines (each ends with a line feed, but for
// the text's last), so that a reader never holds more than a piece and the start of a line.
class DataFileTextPieces {
 public:
  using TextSink = std::function<void(std::string_view)>;
  explicit DataFileTextPieces(TextSink onText);

  // The file's next bytes; text that completes a line goes on to the sink at once.
  void Add(std::string_view bytes);
  // The end of the file: the rest of the text goes on to the sink.
  void Finish();

  // As FindDataFileText tells them, once finished.
  std::size_t ControlZ() const { return controlZ_; }
  std::size_t UnreadBytes() const;

 private:
  void Hand(std::string_view text);

  TextSink onText_;
  std::string partial_;  // the start of a line the next bytes go on with
  std::size_t added_ = 0;
  std::size_t controlZ_ = DataFileText::kNone;
  bool notPadding_ = false;  // a byte after the control-Z is not control-Z
  bool started_ = false;     // text was handed on
};

}  // namespace larkspin
