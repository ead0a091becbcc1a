#include "core/text/characters.h"

#include <utility>

namespace core {

int SplitCharacters(const AnsiText& text, TextList& characters) {
  // Built aside first: `text` may be a member of `characters` itself.
  TextList split;
  const std::string_view bytes = text.view();
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t width = CharacterWidth(bytes, i);
    split.emplace_back(bytes.substr(i, width));
    i += width;
  }
  characters = std::move(split);
  return static_cast<int>(characters.size());
}

int CountCharacters(const AnsiText& text) {
  const std::string_view bytes = text.view();
  int count = 0;
  for (std::size_t i = 0; i < bytes.size(); i += CharacterWidth(bytes, i)) {
    ++count;
  }
  return count;
}

}  // namespace core
