#pragma once

#include <string>

namespace larkspin {

// `text` as the end of a sentence: a message that ends with a path or with the system's reason
// for a failure reads as one sentence before the next, also when its lines are joined into one.
// A full stop is added unless the text ends in ".", "!" or "?" already.
std::string EndSentence(std::string text);

}  // namespace larkspin
