#pragma once

#include <string>
#include <string_view>

#include "RoundRecord.h"

namespace larkspin {

// What lks.dat and courses.dat can hold of a typed cell and give back unchanged: line breaks and
// the other control characters (below 0x20, and 0x7F) become spaces, and trailing spaces are
// dropped, since a line ends at a line feed, a control-Z ends the file and the reader drops
// trailing white space. A text that is not UTF-8 is taken as Windows-1252, as the reader takes it.
// A table only ever holds such texts, so what the window shows is what the next start reads.
std::string StorableText(std::string_view text);

// Whether StorableText leaves `text` as it is: most cells, which an import then takes unchanged.
bool IsStorable(std::string_view text);

// Every cell of a round.
void MakeStorable(RoundRecord& record);

}  // namespace larkspin
