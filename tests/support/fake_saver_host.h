#pragma once
// A saver window host for tests: surfaces that keep their properties and a
// log of what was printed, a timer that only records, StretchBlt calls kept
// as plain records, and an unload request that asks the form as the real
// window does.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/saver_window_host.h"
#include "runtime/runtime_error.h"

namespace tarvex::testing {

class FakePictureSurface : public platform::PictureSurface {
 public:
  struct Printed {
    std::string text;
    float pixelY;
  };

  FakePictureSurface(float left, float top, float width, float height)
      : left_(left), top_(top), width_(width), height_(height) {}

  // Answers and records.
  float lineHeight = 20;
  std::set<std::string> installedFaces = {"ＭＳ Ｐ明朝", "IPAPMincho", "IPAGothic"};
  float fontSize = 20.4f;
  std::string fontName = "ＭＳ Ｐ明朝";
  bool bold = true;
  platform::OleColor foreColor = 0;
  std::vector<Printed> printed;
  int clsCount = 0;
  int refreshCount = 0;
  std::vector<std::string>* journal = nullptr;

  float Left() const override { return left_; }
  float Top() const override { return top_; }
  float Width() const override { return width_; }
  float Height() const override { return height_; }
  void SetLeft(float value) override { left_ = value; }
  void SetTop(float value) override { top_ = value; }
  void SetWidth(float value) override { width_ = value; }
  void SetHeight(float value) override { height_ = value; }

  float CurrentX() const override { return currentX_; }
  float CurrentY() const override { return currentY_; }
  void SetCurrentX(float value) override { currentX_ = value; }
  void SetCurrentY(float value) override { currentY_ = value; }
  float ScaleHeight() const override { return userScale_ ? scaleHeight_ : height_; }
  void SetScaleHeight(float value) override {
    userScale_ = true;
    scaleHeight_ = value;
  }

  void SetFontSize(float points) override {
    if (!(points > 0 && points <= platform::kMaxFontPoints)) Refuse();
    fontSize = points;
  }
  void SetFontName(const std::string& face) override {
    if (installedFaces.count(face) == 0) Refuse();
    fontName = face;
  }
  void SetFontBold(bool value) override { bold = value; }
  void SetForeColor(platform::OleColor color) override { foreColor = color; }

  void PrintLine(const std::string& text) override {
    const float top = ToPixels(currentY_);
    printed.push_back({text, top});
    currentX_ = 0;
    currentY_ = ToUnits(top + lineHeight);
  }
  void Cls() override {
    ++clsCount;
    currentX_ = currentY_ = 0;
    Log("Cls");
  }
  void Refresh() override {
    ++refreshCount;
    Log("Refresh");
  }

 private:
  [[noreturn]] static void Refuse() { throw runtime::RuntimeError(runtime::kInvalidPropertyValue); }
  void Log(const char* what) {
    if (journal != nullptr) journal->emplace_back(what);
  }
  // Positions are kept in user units; a zero scale leaves them in pixels.
  float ToPixels(float units) const {
    return userScale_ && scaleHeight_ != 0 ? units * height_ / scaleHeight_ : units;
  }
  float ToUnits(float pixels) const {
    return userScale_ && scaleHeight_ != 0 ? pixels * scaleHeight_ / height_ : pixels;
  }

  float left_, top_, width_, height_;
  float currentX_ = 0, currentY_ = 0;
  bool userScale_ = false;
  float scaleHeight_ = 0;
};

class FakeSaverTimer : public platform::SaverTimer {
 public:
  std::vector<std::string>* journal = nullptr;

  std::int32_t Interval() const override { return interval_; }
  void SetInterval(std::int32_t milliseconds) override {
    interval_ = milliseconds;
    if (journal != nullptr) journal->push_back("SetInterval(" + std::to_string(milliseconds) + ")");
  }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    if (journal != nullptr) journal->push_back(enabled ? "SetEnabled(1)" : "SetEnabled(0)");
  }

 private:
  std::int32_t interval_ = 100;
  bool enabled_ = false;
};

struct BlitRecord {
  int dest;  // picTARVEX index, -1 for a surface of another window
  int x, y, width, height;
  int source;
  int sourceX, sourceY, sourceWidth, sourceHeight;
  std::uint32_t rop;

  bool operator==(const BlitRecord&) const = default;
};

class FakeSaverWindowHost : public platform::SaverWindowHost {
 public:
  // The design layout at 96 dots per inch on a screen of the given size.
  FakeSaverWindowHost(float screenWidth, float screenHeight)
      : scaleWidth(screenWidth),
        scaleHeight(screenHeight),
        pictures{FakePictureSurface(84, 20, 600, 300), FakePictureSurface(8, 56, 696, 301),
                 FakePictureSurface(0, 0, 696, 301)} {}

  // Settings of the fake.
  float scaleWidth;
  float scaleHeight;
  platform::WindowHandle handle = 0x5A17;
  bool recordBlits = true;
  // Runs inside ShowModal: the events of the modal show.
  std::function<void(FakeSaverWindowHost&)> onShowModal;

  // State and records.
  std::array<FakePictureSurface, 3> pictures;
  FakeSaverTimer timer;
  platform::OleColor foreColor = 0;
  platform::SaverWindowEvents* form = nullptr;
  std::vector<BlitRecord> blits;
  int unloadRequests = 0;
  bool closed = false;
  std::vector<std::string>* journal = nullptr;

  // Routes the timer's and the surfaces' records into `log` as well.
  void SetJournal(std::vector<std::string>* log) {
    journal = log;
    timer.journal = log;
    for (auto& picture : pictures) picture.journal = log;
  }

  void Attach(platform::SaverWindowEvents& events) override { form = &events; }
  platform::PictureSurface& Picture(int index) override {
    return pictures.at(static_cast<std::size_t>(index));
  }
  platform::SaverTimer& Timer() override { return timer; }
  float ScaleWidth() const override { return scaleWidth; }
  float ScaleHeight() const override { return scaleHeight; }
  platform::WindowHandle Handle() const override { return handle; }
  platform::OleColor ForeColor() const override { return foreColor; }
  void SetForeColor(platform::OleColor color) override { foreColor = color; }

  bool StretchBlt(platform::PictureSurface& dest, int x, int y, int width, int height,
                  platform::PictureSurface& source, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, std::uint32_t rop) override {
    if (recordBlits) {
      blits.push_back({IndexOf(dest), x, y, width, height, IndexOf(source), sourceX, sourceY,
                       sourceWidth, sourceHeight, rop});
    }
    return true;
  }

  void ShowModal() override {
    Log("ShowModal");
    if (onShowModal) onShowModal(*this);
  }

  void RequestUnload() override {
    ++unloadRequests;
    Log("RequestUnload");
    std::int16_t cancel = 0;
    form->Form_Unload(cancel);
    if (cancel == 0) closed = true;
  }

 private:
  int IndexOf(const platform::PictureSurface& surface) const {
    for (int i = 0; i < 3; ++i) {
      if (&pictures[static_cast<std::size_t>(i)] == &surface) return i;
    }
    return -1;
  }
  void Log(const char* what) {
    if (journal != nullptr) journal->emplace_back(what);
  }
};

}  // namespace tarvex::testing
