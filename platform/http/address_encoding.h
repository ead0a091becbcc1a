// Turns an address handed over in code page 936 into the form that may stand
// on the wire: UTF-8, with the bytes a URL cannot carry percent-encoded.
#ifndef PLATFORM_HTTP_ADDRESS_ENCODING_H_
#define PLATFORM_HTTP_ADDRESS_ENCODING_H_

#include <string>
#include <string_view>

namespace platform {

// Converts to UTF-8, then percent-encodes (upper-case hex) every byte from
// 0x80 up, every space and control byte, and a '%' that does not start a
// valid %XX, in the path, query and fragment. Reserved characters and valid
// %XX stay. The scheme and host are left as they are (a non-ASCII host is
// the URL parser's to convert); an address without "://" is only converted.
std::string EncodeAddressForWire(std::string_view cp936_address);

}  // namespace platform

#endif  // PLATFORM_HTTP_ADDRESS_ENCODING_H_
