#pragma once
// A saver window host for tests: surfaces that keep their properties and
// what was printed, a timer that only records, StretchBlt calls kept as
// records, and an unload request that asks the form as the real window does.
// Calls whose order matters go to an optional journal.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/saver_window_host.h"
#include "runtime/runtime_error.h"

namespace tarvex::testing {

struct Journaled {
  std::vector<std::string>* journal = nullptr;
  void Note(const std::string& what) const {
    if (journal != nullptr) journal->push_back(what);
  }
};

class FakePictureSurface : public platform::PictureSurface, public Journaled {
 public:
  static constexpr float kLineHeight = 20;  // pixels
  struct Printed {
    std::string text;
    float pixelY;
  };

  FakePictureSurface(float left, float top, float width, float height)
      : left_(left), top_(top), width_(width), height_(height) {}

  float fontSize = 20.4f;
  std::string fontName = "ＭＳ Ｐ明朝";
  platform::OleColor foreColor = 0;
  std::vector<Printed> printed;

  float Left() const override { return left_; }
  float Top() const override { return top_; }
  float Width() const override { return width_; }
  float Height() const override { return height_; }
  void SetLeft(float value) override { left_ = value; }
  void SetTop(float value) override { top_ = value; }
  void SetWidth(float value) override { width_ = value; }
  void SetHeight(float value) override { height_ = value; }
  float CurrentX() const override { return 0; }
  float CurrentY() const override { return currentY_; }
  void SetCurrentX(float) override {}
  void SetCurrentY(float value) override { currentY_ = value; }
  float ScaleHeight() const override { return scale_ != 0 ? scale_ : height_; }
  void SetScaleHeight(float value) override { scale_ = value; }
  void SetFontSize(float points) override {
    Refuse(!(points > 0 && points <= platform::kMaxFontPoints));
    fontSize = points;
  }
  void SetFontName(const std::string& face) override {
    Refuse(face != "IPAPMincho" && face != "IPAGothic");  // the faces installed
    fontName = face;
  }
  void SetFontBold(bool) override {}
  void SetForeColor(platform::OleColor color) override { foreColor = color; }
  // Positions are in user units; a zero scale leaves them in pixels.
  void PrintLine(const std::string& text) override {
    const float pixels = scale_ != 0 ? height_ / scale_ : 1;
    printed.push_back({text, currentY_ * pixels});
    currentY_ += kLineHeight / pixels;
  }
  void Cls() override { currentY_ = 0, Note("Cls"); }
  void Refresh() override { Note("Refresh"); }

 private:
  static void Refuse(bool refused) {
    if (refused) throw runtime::RuntimeError(runtime::kInvalidPropertyValue);
  }

  float left_, top_, width_, height_;
  float currentY_ = 0, scale_ = 0;
};

struct FakeSaverTimer : platform::SaverTimer, Journaled {
  std::int32_t interval = 100;
  bool enabled = false;

  std::int32_t Interval() const override { return interval; }
  void SetInterval(std::int32_t ms) override {
    Note("SetInterval(" + std::to_string(interval = ms) + ")");
  }
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool on) override { Note((enabled = on) ? "SetEnabled(1)" : "SetEnabled(0)"); }
};

// Picture indexes and rectangles: dest, x, y, width, height, source, then the
// source's x, y, width and height.
using BlitRecord = std::array<int, 10>;

class FakeSaverWindowHost : public platform::SaverWindowHost, public Journaled {
 public:
  static constexpr platform::WindowHandle kHandle = 0x5A17;

  // The design layout at 96 dots per inch on a screen of the given size.
  FakeSaverWindowHost(float screenWidth, float screenHeight)
      : width_(screenWidth), height_(screenHeight) {}

  bool recordBlits = true;
  std::function<void(FakeSaverWindowHost&)> onShowModal;  // the events of the modal show
  std::array<FakePictureSurface, 3> pictures{FakePictureSurface(84, 20, 600, 300),
                                             FakePictureSurface(8, 56, 696, 301),
                                             FakePictureSurface(0, 0, 696, 301)};
  FakeSaverTimer timer;
  platform::OleColor foreColor = 0;
  platform::SaverWindowEvents* form = nullptr;
  std::vector<BlitRecord> blits;
  bool closed = false;

  // Routes the timer's and the surfaces' records into `log` as well.
  void SetJournal(std::vector<std::string>* log) {
    journal = timer.journal = log;
    for (auto& picture : pictures) picture.journal = log;
  }

  void Attach(platform::SaverWindowEvents& events) override { form = &events; }
  platform::PictureSurface& Picture(int index) override { return pictures.at(std::size_t(index)); }
  platform::SaverTimer& Timer() override { return timer; }
  float ScaleWidth() const override { return width_; }
  float ScaleHeight() const override { return height_; }
  platform::WindowHandle Handle() const override { return kHandle; }
  platform::OleColor ForeColor() const override { return foreColor; }
  void SetForeColor(platform::OleColor color) override { foreColor = color; }
  bool StretchBlt(platform::PictureSurface& dest, int x, int y, int width, int height,
                  platform::PictureSurface& source, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, std::uint32_t /*rop*/) override {
    if (recordBlits) {
      blits.push_back({IndexOf(dest), x, y, width, height, IndexOf(source), sourceX, sourceY,
                       sourceWidth, sourceHeight});
    }
    return true;
  }
  void ShowModal() override {
    Note("ShowModal");
    if (onShowModal) onShowModal(*this);
  }
  void RequestUnload() override {
    Note("RequestUnload");
    std::int16_t cancel = 0;
    form->Form_Unload(cancel);
    closed = closed || cancel == 0;
  }

 private:
  int IndexOf(const platform::PictureSurface& surface) const {
    return static_cast<int>(&static_cast<const FakePictureSurface&>(surface) - pictures.data());
  }

  float width_, height_;
};

}  // namespace tarvex::testing
