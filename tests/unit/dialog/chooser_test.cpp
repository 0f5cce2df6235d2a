#include "dialog/chooser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex::dialog {
namespace {

using platform::FileTypeFilter;

struct FilterCase {
  std::string filter;
  std::vector<FileTypeFilter> pairs;
};

class ParseTypeFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(ParseTypeFilterTest, SplitsIntoLabelPatternPairs) {
  EXPECT_EQ(ParseTypeFilter(GetParam().filter), GetParam().pairs);
}

INSTANTIATE_TEST_SUITE_P(Filters, ParseTypeFilterTest,
                         ::testing::Values(FilterCase{"*.*||*.txt", {{"*.*", ""}, {"*.txt", ""}}},
                                           FilterCase{"*.*||*.mp3", {{"*.*", ""}, {"*.mp3", ""}}},
                                           FilterCase{"Text|*.txt;*.log|All|*.*",
                                                      {{"Text", "*.txt;*.log"}, {"All", "*.*"}}},
                                           FilterCase{"Music|*.mp3", {{"Music", "*.mp3"}}},
                                           FilterCase{"", {}},
                                           FilterCase{"Text|*.txt|", {{"Text", "*.txt"}}}));

}  // namespace
}  // namespace tarvex::dialog
