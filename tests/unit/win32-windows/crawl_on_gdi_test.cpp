// The saver's own composition and tick drawn through the GDI host: the page
// in the configured colour, the one-to-one page copy, and the crawl's rows
// and taper on the display surface.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "platform/win32/saver_window_host.h"
#include "saver/frmKORVAN.h"
#include "tests/support/fake_desktop.h"

namespace tarvex::platform::win32 {
namespace {

constexpr RECT kScreen{0, 0, 1024, 768};
constexpr int kW1 = 824;  // the display: the screen less a 100-pixel margin
constexpr int kH1 = 568;
constexpr int kH0 = 768;  // the page: the screen's height

bool RowLit(const GdiPictureSurface& surface, int y, int* first = nullptr, int* last = nullptr) {
  bool lit = false;
  for (int x = 0; x < static_cast<int>(surface.Width()); ++x) {
    if (surface.Pixel(x, y) == 0) continue;
    if (!lit && first != nullptr) *first = x;
    if (last != nullptr) *last = x;
    lit = true;
  }
  return lit;
}

// The row's brightest pixel (text edges are smoothed into the background).
std::uint32_t Brightest(const GdiPictureSurface& surface, int y) {
  std::uint32_t brightest = 0;
  int best = -1;
  for (int x = 0; x < static_cast<int>(surface.Width()); ++x) {
    const std::uint32_t pixel = surface.Pixel(x, y);
    const int sum = static_cast<int>((pixel >> 16) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF));
    if (sum > best) {
      best = sum;
      brightest = pixel;
    }
  }
  return brightest;
}

class CrawlOnGdiTest : public ::testing::Test {
 protected:
  CrawlOnGdiTest() {
    desktop.saver_host_factory = [this]() -> std::unique_ptr<SaverWindowHost> {
      auto made = std::make_unique<Win32SaverWindowHost>(kScreen, 96, nullptr);
      host = made.get();
      return made;
    };
    state.Settings.FontColor = "16777215";
    state.MessageLines = {"", "■■■■■■", "", "■■■■■■■■■■■■"};
    state.LineCount = 3;
  }

  // Loads the window and composes the page, as the first activation does.
  void Compose() {
    form.SetTimerInterval(25);
    form.Form_Activate();
  }

  // One tick drawn with the crawl position at `position`.
  void TickAt(std::int16_t position) {
    form.ScrollPos = position;
    form.tmrStr_Timer();
  }

  testing::FakeDesktop desktop;
  basKORVAN::SharedState state;
  saver::frmKORVAN form{state, desktop};
  Win32SaverWindowHost* host = nullptr;
};

TEST_F(CrawlOnGdiTest, CompositionLaysOutTheSurfacesForTheScreen) {
  Compose();
  EXPECT_EQ(host->Picture(1).Width(), kW1);
  EXPECT_EQ(host->Picture(1).Height(), kH1);
  EXPECT_EQ(host->Picture(1).Left(), 100);
  EXPECT_EQ(host->Picture(2).Width(), 696);
  EXPECT_EQ(host->Picture(2).Height(), kH0);
  EXPECT_TRUE(host->Timer().Enabled());
}

TEST_F(CrawlOnGdiTest, ThePageHoldsTheLinesFromTheTopLeftAndItsCopyIsExact) {
  Compose();
  const GdiPictureSurface& page = host->Surface(2);
  const GdiPictureSurface& copy = host->Surface(0);
  const int line = page.LineHeight();
  int first = -1;
  ASSERT_TRUE(RowLit(page, line / 2, &first));
  EXPECT_LT(first, 5);
  EXPECT_FALSE(RowLit(page, line + line / 2));  // the empty line
  EXPECT_TRUE(RowLit(page, 2 * line + line / 2));
  EXPECT_EQ(Brightest(page, line / 2), 0xFFFFFFu);
  for (int y = 0; y < kH0; y += 7) {
    for (int x = 0; x < 696; x += 5) ASSERT_EQ(copy.Pixel(x, y), page.Pixel(x, y)) << x << "," << y;
  }
}

TEST_F(CrawlOnGdiTest, TheFirstTickShowsABlackDisplay) {
  Compose();
  TickAt(0);
  for (int y = 0; y < kH1; ++y) ASSERT_FALSE(RowLit(host->Surface(1), y)) << y;
  EXPECT_EQ(form.ScrollPos, 1);
}

TEST_F(CrawlOnGdiTest, PageRowsStandOnDisplayRowsOffsetByTheCrawlPosition) {
  Compose();
  const int position = 3 * host->Surface(2).LineHeight();
  TickAt(static_cast<std::int16_t>(position));
  const GdiPictureSurface& display = host->Surface(1);
  const GdiPictureSurface& copy = host->Surface(0);
  for (int y = 0; y < kH1; ++y) {
    const int pageRow = y - (kH1 - position);
    const bool expected = pageRow >= 0 && RowLit(copy, pageRow);
    ASSERT_EQ(RowLit(display, y), expected) << "display row " << y;
  }
}

TEST_F(CrawlOnGdiTest, EachBandIsNarrowedAndCentredByItsHeightAboveTheBottom) {
  Compose();
  const int position = 3 * host->Surface(2).LineHeight();
  TickAt(static_cast<std::int16_t>(position));
  const GdiPictureSurface& display = host->Surface(1);
  const GdiPictureSurface& copy = host->Surface(0);
  for (int y = kH1 - position; y < kH1; ++y) {
    const int pageRow = y - (kH1 - position);
    int first = 0;
    int last = 0;
    int pageFirst = 0;
    if (!RowLit(display, y, &first, &last) || !RowLit(copy, pageRow, &pageFirst)) continue;
    const int d = position - pageRow / 3 * 3;         // the band's height above the bottom edge
    const double bandLeft = std::nearbyint(d / 2.0);  // halves to even
    const double scale = static_cast<double>(kW1 - d) / 696;
    EXPECT_NEAR(first, bandLeft + pageFirst * scale, scale + 1) << "row " << y;
    EXPECT_LT(last, bandLeft + kW1 - d) << "row " << y;
  }
}

TEST_F(CrawlOnGdiTest, TheCrawlRestartsAfterThePageHasLeftTheTop) {
  Compose();
  TickAt(static_cast<std::int16_t>(kH0 + kH1 - 1));
  EXPECT_EQ(form.ScrollPos, kH0 + kH1);
  form.tmrStr_Timer();
  EXPECT_EQ(form.ScrollPos, 0);
}

TEST_F(CrawlOnGdiTest, TheSettingsAtLoadChangeTheTextAndAnUnknownFaceKeepsTheDesign) {
  state.Settings.FontColor = "255";
  state.Settings.FontSize = 30;
  state.Settings.FontName = "No Such Face 4711";
  Compose();
  const GdiPictureSurface& page = host->Surface(2);
  EXPECT_EQ(page.FontFace(), kDesignFace);
  EXPECT_DOUBLE_EQ(page.FontPoints(), 30);
  EXPECT_EQ(host->ForeColor(), 255u);
  EXPECT_EQ(Brightest(page, page.LineHeight() / 2), 0xFF0000u);
}

}  // namespace
}  // namespace tarvex::platform::win32
