// Every text the runs show the user (UTF-8).
#ifndef DEDUP_RUNS_MESSAGES_H_
#define DEDUP_RUNS_MESSAGES_H_

#include <string>

namespace dedup {

inline constexpr const char* kImportFilter = "文本|*.txt";
inline constexpr const char* kExportFilter = "执行文件|*.txt";
inline constexpr const char* kExportFileName = "去重复";
inline constexpr const char* kExportExtension = "txt";

inline constexpr const char* kDoneText = "处理完毕！";
inline constexpr const char* kDoneCaption = "信息：";
inline constexpr const char* kErrorCaption = "错误：";

inline std::string CannotReadText(const std::string& file,
                                  const std::string& reason) {
  return "无法读取文件“" + file + "”：" + reason + "。未导入任何内容。";
}

inline std::string NotCodePageTextText(const std::string& file) {
  return "文件“" + file +
         "”含有零字节，不是代码页 936 的文本文件。未导入任何内容。";
}

inline std::string TooManyLinesText(const std::string& file) {
  return "文件“" + file + "”的行数超出列表的容量。未导入任何内容。";
}

inline std::string CannotWriteText(const std::string& file,
                                   const std::string& reason) {
  return "无法写入文件“" + file + "”：" + reason + "。列表保持不变。";
}

inline std::string OutOfMemoryText() {
  return "内存不足，操作未完成。列表保持不变。";
}

}  // namespace dedup

#endif  // DEDUP_RUNS_MESSAGES_H_
