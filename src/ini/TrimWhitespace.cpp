#include "ini/TrimWhitespace.h"

namespace scuffler {

void TrimWhitespace(std::string& text) {
  const std::string_view kept = Trimmed(text);
  const auto begin = static_cast<std::size_t>(kept.data() - text.data());
  text.erase(begin + kept.size());
  text.erase(0, begin);
}

}  // namespace scuffler
