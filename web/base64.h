// Base64 as proxy credentials need it.
#ifndef WEB_BASE64_H_
#define WEB_BASE64_H_

#include "core/text/ansi_text.h"

namespace web {

// Standard Base64 with "=" padding; an empty input gives "".
core::AnsiText Base64Encode(const core::ByteBuffer& bytes);

}  // namespace web

#endif  // WEB_BASE64_H_
