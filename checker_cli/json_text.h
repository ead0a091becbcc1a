// Writing texts into JSON documents.
#ifndef CHECKER_CLI_JSON_TEXT_H_
#define CHECKER_CLI_JSON_TEXT_H_

#include <string>
#include <string_view>

namespace cli {

// Appends `utf8` as a quoted JSON string. Bytes that are not UTF-8 become
// U+FFFD, so the document stays valid whatever the text held.
void AppendJsonString(std::string& out, std::string_view utf8);

}  // namespace cli

#endif  // CHECKER_CLI_JSON_TEXT_H_
