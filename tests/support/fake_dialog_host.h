#pragma once
// A settings dialog window for tests. Its state lives in a FakeDialog the test
// owns, so that the test can look at it after the form and its host are gone;
// the choosers answer from queues the test fills (empty: cancelled) and note
// their calls, and while "shown" the window runs the test's user script.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialog/layout.h"
#include "platform/dialog_window_host.h"

namespace tarvex::testing {

struct FakeDialog {
  struct List {
    std::vector<std::string> items;
    int index = -1;
  };

  std::map<platform::DialogList, List> lists;
  std::map<platform::DialogTextBox, std::string> texts;
  std::int32_t swatch = dialog::kSwatchInitialColor;
  std::deque<std::optional<std::string>> open_answers;
  std::deque<std::optional<std::int32_t>> color_answers;
  std::function<void(FakeDialog&, platform::DialogEvents&)> user;
  std::vector<std::string> calls;  // "Open(filters,index,name)", "Color(initial)", "Close"
  int show_count = 0;

  std::string ListText(platform::DialogList list) {
    const List& l = lists[list];
    return l.index < 0 ? std::string() : l.items.at(std::size_t(l.index));
  }
  // The user picks the entry with this text.
  void Choose(platform::DialogList list, const std::string& text) {
    auto& items = lists[list].items;
    const auto found = std::find(items.begin(), items.end(), text);
    if (found == items.end()) throw std::invalid_argument("no list entry " + text);
    lists[list].index = static_cast<int>(found - items.begin());
  }
};

class FakeDialogHost : public platform::DialogWindowHost {
 public:
  explicit FakeDialogHost(FakeDialog& window) : w_(window) {}

  void AddItem(platform::DialogList list, const std::string& text) override {
    w_.lists[list].items.push_back(text);
  }
  int ListCount(platform::DialogList list) override {
    return static_cast<int>(w_.lists[list].items.size());
  }
  // A real list refuses an index it does not hold; so does this one.
  void SetListIndex(platform::DialogList list, int index) override {
    if (index < -1 || index >= ListCount(list)) throw std::out_of_range("list index");
    w_.lists[list].index = index;
  }
  std::string ListText(platform::DialogList list) override { return w_.ListText(list); }
  void SetText(platform::DialogTextBox box, const std::string& text) override {
    w_.texts[box] = text;
  }
  std::string Text(platform::DialogTextBox box) override { return w_.texts[box]; }
  void SetSwatchColor(std::int32_t colour) override { w_.swatch = colour; }
  std::int32_t SwatchColor() override { return w_.swatch; }
  std::optional<std::string> ShowOpenChooser(const std::vector<platform::FileTypeFilter>& filters,
                                             int filter_index,
                                             const std::string& file_name) override {
    std::string call = "Open(";
    for (const auto& filter : filters) call += filter.label + "|" + filter.pattern + "|";
    w_.calls.push_back(call + "," + std::to_string(filter_index) + "," + file_name + ")");
    return Next(w_.open_answers);
  }
  std::optional<std::int32_t> ShowColorChooser(std::int32_t initial) override {
    w_.calls.push_back("Color(" + std::to_string(initial) + ")");
    return Next(w_.color_answers);
  }
  void ShowModal(platform::DialogEvents& events) override {
    ++w_.show_count;
    if (w_.user) w_.user(w_, events);
  }
  void Close() override { w_.calls.emplace_back("Close"); }

 private:
  template <class T>
  static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    const std::optional<T> answer = answers.front();
    answers.pop_front();
    return answer;
  }

  FakeDialog& w_;
};

}  // namespace tarvex::testing
