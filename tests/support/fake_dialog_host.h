#pragma once
// A settings dialog window for tests: keeps the controls' states, answers
// the choosers from queues the test fills, records what the form asked of
// it, and while "shown" runs the test's user script against the form.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "dialog/layout.h"
#include "platform/dialog_window_host.h"

namespace tarvex::testing {

class FakeDialogHost : public platform::DialogWindowHost {
 public:
  struct List {
    std::vector<std::string> items;
    int index = -1;
  };
  struct OpenChooserCall {
    std::vector<platform::FileTypeFilter> filters;
    int filter_index = 0;
    std::string file_name;
  };

  // Control states.
  std::map<platform::DialogList, List> lists;
  std::map<platform::DialogTextBox, std::string> texts;
  std::int32_t swatch = dialog::kSwatchInitialColor;

  // Chooser answers, in order; an empty queue answers "cancelled".
  std::deque<std::optional<std::string>> open_answers;
  std::deque<std::optional<std::int32_t>> color_answers;

  // What the user does while the window is shown.
  std::function<void(FakeDialogHost&, platform::DialogEvents&)> user;

  // What happened.
  std::vector<OpenChooserCall> open_calls;
  std::vector<std::int32_t> color_calls;
  int show_count = 0;
  int close_count = 0;

  // The user picks the entry with this text; throws when there is none.
  void Choose(platform::DialogList list, const std::string& text) {
    auto& entries = lists[list].items;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i] == text) {
        lists[list].index = static_cast<int>(i);
        return;
      }
    }
    throw std::invalid_argument("no list entry " + text);
  }

  void AddItem(platform::DialogList list, const std::string& text) override {
    lists[list].items.push_back(text);
  }
  // A real list refuses an index it does not hold; so does this one.
  int ListCount(platform::DialogList list) override {
    return static_cast<int>(lists[list].items.size());
  }
  void SetListIndex(platform::DialogList list, int index) override {
    if (index < -1 || index >= ListCount(list)) throw std::out_of_range("list index");
    lists[list].index = index;
  }
  std::string ListText(platform::DialogList list) override {
    const auto& state = lists[list];
    return state.index < 0 ? std::string() : state.items.at(state.index);
  }

  void SetText(platform::DialogTextBox box, const std::string& text) override { texts[box] = text; }
  std::string Text(platform::DialogTextBox box) override { return texts[box]; }

  void SetSwatchColor(std::int32_t colour) override { swatch = colour; }
  std::int32_t SwatchColor() override { return swatch; }

  std::optional<std::string> ShowOpenChooser(const std::vector<platform::FileTypeFilter>& filters,
                                             int filter_index,
                                             const std::string& file_name) override {
    open_calls.push_back({filters, filter_index, file_name});
    return Next(open_answers);
  }
  std::optional<std::int32_t> ShowColorChooser(std::int32_t initial) override {
    color_calls.push_back(initial);
    return Next(color_answers);
  }

  void ShowModal(platform::DialogEvents& events) override {
    ++show_count;
    if (user) user(*this, events);
  }
  void Close() override { ++close_count; }

 private:
  template <class T>
  static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
};

// A window host handed to the form that forwards to a FakeDialogHost the test
// owns, so that the test can look at the window after the form is gone.
class BorrowedDialogHost : public platform::DialogWindowHost {
 public:
  explicit BorrowedDialogHost(FakeDialogHost& host) : host_(host) {}

  void AddItem(platform::DialogList list, const std::string& text) override {
    host_.AddItem(list, text);
  }
  int ListCount(platform::DialogList list) override { return host_.ListCount(list); }
  void SetListIndex(platform::DialogList list, int index) override {
    host_.SetListIndex(list, index);
  }
  std::string ListText(platform::DialogList list) override { return host_.ListText(list); }
  void SetText(platform::DialogTextBox box, const std::string& text) override {
    host_.SetText(box, text);
  }
  std::string Text(platform::DialogTextBox box) override { return host_.Text(box); }
  void SetSwatchColor(std::int32_t colour) override { host_.SetSwatchColor(colour); }
  std::int32_t SwatchColor() override { return host_.SwatchColor(); }
  std::optional<std::string> ShowOpenChooser(const std::vector<platform::FileTypeFilter>& filters,
                                             int filter_index,
                                             const std::string& file_name) override {
    return host_.ShowOpenChooser(filters, filter_index, file_name);
  }
  std::optional<std::int32_t> ShowColorChooser(std::int32_t initial) override {
    return host_.ShowColorChooser(initial);
  }
  void ShowModal(platform::DialogEvents& events) override { host_.ShowModal(events); }
  void Close() override { host_.Close(); }

 private:
  FakeDialogHost& host_;
};

}  // namespace tarvex::testing
