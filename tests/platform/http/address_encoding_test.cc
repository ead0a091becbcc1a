#include "platform/http/address_encoding.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct Case {
  const char* cp936;
  const char* wire;
};

TEST(EncodeAddressForWire, EscapesWhatMayNotStandInAUrl) {
  const Case cases[] = {
      // Chinese (cp936 for two characters) becomes percent-encoded UTF-8.
      {"http://h/s?wd=\xCE\xC4\xD7\xD6", "http://h/s?wd=%E6%96%87%E5%AD%97"},
      {"http://h/a b?q=x y", "http://h/a%20b?q=x%20y"},
      {"http://h/?q=\t\x01\x7F", "http://h/?q=%09%01%7F"},
      // Valid escapes and reserved characters are left alone.
      {"http://h/p%20q?a=1&b=%2F#f", "http://h/p%20q?a=1&b=%2F#f"},
      {"http://h/?q=:@!$'()*+,;=/?", "http://h/?q=:@!$'()*+,;=/?"},
      // A '%' that starts no escape is escaped itself, even at the end.
      {"http://h/?q=100%", "http://h/?q=100%25"},
      {"http://h/?q=%zz%4", "http://h/?q=%25zz%254"},
      // Host and scheme stay; so does an address that is only a host.
      {"https://\xCE\xC4.example:8443/x",
       "https://\xE6\x96\x87.example:8443/x"},
      {"http://host.example", "http://host.example"},
      // A double-byte sequence with no character behind it decodes to '?'.
      {"http://h/?q=\x81", "http://h/?q=?"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeAddressForWire(c.cp936), c.wire) << c.cp936;
  }
}

}  // namespace
}  // namespace platform
