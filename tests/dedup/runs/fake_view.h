// A window stand-in that records what a run does with it.
#ifndef TESTS_DEDUP_RUNS_FAKE_VIEW_H_
#define TESTS_DEDUP_RUNS_FAKE_VIEW_H_

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dedup/runs/dedup_view.h"

namespace dedup {

class FakeView : public DedupView {
 public:
  explicit FakeView(std::vector<std::string> items = {}) {
    for (const std::string& item : items) lines_->Append(item);
  }

  int ItemCount() override { return static_cast<int>(lines_->size()); }
  core::AnsiText ItemText(int index) override {
    if (index < 0 || index >= ItemCount()) return {};
    return core::AnsiText((*lines_)[static_cast<std::size_t>(index)]);
  }
  std::shared_ptr<const LineList> Items() override { return lines_; }
  void AppendItems(LineList lines) override {
    log.push_back("append " + std::to_string(lines.size()));
    auto grown = std::make_shared<LineList>(*lines_);
    grown->Append(lines);
    lines_ = grown;
  }
  void ClearItems() override {
    log.push_back("clear");
    lines_ = std::make_shared<LineList>();
  }
  void SetProgressMaximum(int maximum) override {
    log.push_back("max " + std::to_string(maximum));
  }
  void SetProgressPosition(int position) override {
    log.push_back("pos " + std::to_string(position));
  }
  void SetCountCaption(const core::AnsiText& caption) override {
    count_caption = caption.bytes();
    log.push_back("count " + caption.bytes());
  }
  void SetButtonEnabled(ActionButton button, bool enabled) override {
    static const std::map<ActionButton, std::string> names = {
        {ActionButton::kRemove, "按钮1"},
        {ActionButton::kClear, "按钮7"},
        {ActionButton::kExport, "按钮5"},
        {ActionButton::kImport, "按钮4"}};
    enabled_[button] = enabled;
    log.push_back((enabled ? "enable " : "disable ") + names.at(button));
  }
  std::optional<std::filesystem::path> ChooseOpenFile(
      const FileDialogRequest& request) override {
    return Answer("open", request);
  }
  std::optional<std::filesystem::path> ChooseSaveFile(
      const FileDialogRequest& request) override {
    return Answer("save", request);
  }
  void ShowMessage(const Message& message) override {
    messages.push_back(message);
    log.push_back("message " + message.caption + " " + message.text);
    if (on_message) on_message(message);
  }

  bool AllActionButtonsDisabled() const {
    for (const ActionButton button : kActionButtons) {
      auto it = enabled_.find(button);
      if (it == enabled_.end() || it->second) return false;
    }
    return true;
  }

  std::vector<std::string> items() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines_->size(); ++i) {
      out.emplace_back((*lines_)[i]);
    }
    return out;
  }

  // The log with every run of rising positions folded into its last one,
  // which is what a person sees of a pass.
  std::vector<std::string> Folded() const {
    std::vector<std::string> folded;
    int last = -1;
    for (const std::string& entry : log) {
      if (entry.rfind("pos ", 0) == 0) {
        const int position = std::stoi(entry.substr(4));
        if (!folded.empty() && folded.back().rfind("pos ", 0) == 0 &&
            position > last) {
          folded.back() = entry;
          last = position;
          continue;
        }
        last = position;
      }
      folded.push_back(entry);
    }
    return folded;
  }

  int PositionReports() const {
    int reports = 0;
    for (const std::string& entry : log) reports += entry.rfind("pos ", 0) == 0;
    return reports;
  }

  // Dialog answers in order; nullopt cancels. Requests are kept.
  std::deque<std::optional<std::filesystem::path>> answers;
  std::vector<FileDialogRequest> requests;
  std::vector<std::string> log;
  std::vector<Message> messages;
  std::string count_caption = "(unset)";
  std::function<void(const Message&)> on_message;

 private:
  std::optional<std::filesystem::path> Answer(
      const std::string& kind, const FileDialogRequest& request) {
    requests.push_back(request);
    log.push_back(kind + " dialog");
    if (answers.empty()) return std::nullopt;
    std::optional<std::filesystem::path> answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::shared_ptr<LineList> lines_ = std::make_shared<LineList>();
  std::map<ActionButton, bool> enabled_;
};

}  // namespace dedup

#endif  // TESTS_DEDUP_RUNS_FAKE_VIEW_H_
