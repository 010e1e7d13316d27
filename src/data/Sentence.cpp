#include "Sentence.h"

namespace larkspin {

std::string EndSentence(std::string text) {
  if (!text.empty() && text.back() != '.' && text.back() != '!' && text.back() != '?') {
    text += '.';
  }
  return text;
}

}  // namespace larkspin
