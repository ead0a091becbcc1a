// The article the editor shows at start, so a first check needs no paste.
#ifndef CHECKER_UI_SAMPLE_ARTICLE_H_
#define CHECKER_UI_SAMPLE_ARTICLE_H_

#include <string_view>

namespace checker_ui {

// A title line and 16 indented paragraphs, kept apart by lines holding a
// single space; 1,577 bytes in code page 936 with CR LF line breaks.
std::u16string_view SampleArticle();

}  // namespace checker_ui

#endif  // CHECKER_UI_SAMPLE_ARTICLE_H_
