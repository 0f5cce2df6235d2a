// The chooser's type filter text beyond the two the dialog uses, which the
// form test reads through the buttons.

#include "dialog/chooser.h"

#include <gtest/gtest.h>

namespace tarvex::dialog {
namespace {

using Filters = std::vector<platform::FileTypeFilter>;

TEST(ParseTypeFilter, SplitsIntoLabelPatternPairsAndSkipsEmptyOnes) {
  EXPECT_EQ(ParseTypeFilter(""), Filters{});
  EXPECT_EQ(ParseTypeFilter("Text|*.txt;*.log||"), (Filters{{"Text", "*.txt;*.log"}}));
  EXPECT_EQ(ParseTypeFilter("Text|*.txt|All"), (Filters{{"Text", "*.txt"}, {"All", ""}}));
}

}  // namespace
}  // namespace tarvex::dialog
