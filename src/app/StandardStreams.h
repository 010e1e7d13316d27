#pragma once

namespace larkspin {

// Opens each of standard input, output and error that is closed when the program starts on
// /dev/null, the wrong way round (output for reading, input for writing): otherwise the first
// file the program opens would take its number, and an export to standard output would land in
// it. A write to standard output then fails as on the closed one, and is told.
void OpenClosedStandardStreams();

// Flushes standard output; false, with errno set, when what was printed could not all be written
// (it was closed, or its disk is full).
bool FlushStandardOutput();

}  // namespace larkspin
