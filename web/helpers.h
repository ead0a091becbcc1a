// The header, cookie and Base64 operations the web request rests on.
#ifndef WEB_HELPERS_H_
#define WEB_HELPERS_H_

#include "web/base64.h"       // IWYU pragma: export
#include "web/cookies.h"      // IWYU pragma: export
#include "web/header_line.h"  // IWYU pragma: export

#endif  // WEB_HELPERS_H_
