// Turns the bytes of an article file into the text the editor would hold.
#ifndef CHECKER_CLI_ARTICLE_FILE_H_
#define CHECKER_CLI_ARTICLE_FILE_H_

#include <string>
#include <string_view>

#include "core/text/ansi_text.h"

namespace cli {

struct DecodedArticle {
  core::AnsiText text;  // code page 936, every line break CR LF
  // Characters of a UTF-8 file that code page 936 cannot hold and that the
  // conversion replaced.
  bool lost_characters = false;
};

// UTF-8 (with a byte-order mark, or valid and holding non-ASCII bytes) is
// converted; anything else is taken as code page 936. False, with the reason
// in `error`, for bytes no article can be made of (zero bytes, UTF-16).
bool DecodeArticle(std::string_view bytes, DecodedArticle& article,
                   std::string& error);

// The whole file; false with the reason in `error` when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes,
                   std::string& error);

bool IsValidUtf8(std::string_view bytes);

// CR LF, LF and a lone CR each become CR LF.
std::string NormaliseLineBreaks(std::string_view text);

}  // namespace cli

#endif  // CHECKER_CLI_ARTICLE_FILE_H_
