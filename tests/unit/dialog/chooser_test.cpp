#include "dialog/chooser.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/case_name.h"

namespace tarvex::dialog {
namespace {

struct FilterCase {
  const char* name;
  const char* filter;
  std::vector<platform::FileTypeFilter> pairs;
};
TARVEX_PRINT_CASE_AS_NAME(FilterCase)

const FilterCase kFilterCases[] = {
    {"EmptyLabelsLetEveryFileThrough", "*.*||*.txt", {{"*.*", ""}, {"*.txt", ""}}},
    {"LabelsWithPatterns", "Text|*.txt;*.log|All|*.*", {{"Text", "*.txt;*.log"}, {"All", "*.*"}}},
    {"NothingForAnEmptyText", "", {}},
    {"ATrailingBarAddsNoEntry", "Text|*.txt|", {{"Text", "*.txt"}}},
};

class TypeFilterText : public ::testing::TestWithParam<FilterCase> {};

TEST_P(TypeFilterText, SplitsIntoLabelPatternPairs) {
  EXPECT_EQ(ParseTypeFilter(GetParam().filter), GetParam().pairs);
}

INSTANTIATE_TEST_SUITE_P(Filters, TypeFilterText, ::testing::ValuesIn(kFilterCases),
                         testing::CaseName());

}  // namespace
}  // namespace tarvex::dialog
