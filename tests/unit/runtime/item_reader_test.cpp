// Splitting a message file into items at commas and line ends.

#include "runtime/item_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/case_name.h"

namespace tarvex::runtime {
namespace {

struct ItemCase {
  const char* name;
  std::string text;
  std::vector<std::string> items;
};
TARVEX_PRINT_CASE_AS_NAME(ItemCase)

class ItemReaderTest : public ::testing::TestWithParam<ItemCase> {};

// As the message-file reader reads: the end test before each item; reading
// past the end gives empty items.
TEST_P(ItemReaderTest, ReadsTheItems) {
  ItemReader reader(GetParam().text);
  std::vector<std::string> items;
  while (!reader.AtEnd() && items.size() <= 100) items.push_back(reader.Next());
  EXPECT_EQ(items, GetParam().items);
  EXPECT_EQ(reader.Next(), "");
}

const ItemCase kItems[] = {
    {"EmptyTextHasNoItems", "", {}},
    {"EveryLineEndEndsAnItem", "a\r\nb\nc\rd\n\re", {"a", "b", "c", "d", "", "e"}},
    {"BlanksAfterTheLastLineAreAnEmptyItem", "a\r\n   ", {"a", ""}},
    {"CommasDelimit", ",a,,b", {"", "a", "", "b"}},
    {"CommaAtTheEndPromisesAnEmptyItem", "a,", {"a", ""}},
    {"CommaAtALineEndGivesAnEmptyItem", "a,\r\nb", {"a", "", "b"}},
    {"FullWidthCommasDoNotDelimit", "a\uFF0Cb\u3001c", {"a\uFF0Cb\u3001c"}},
    {"AsciiSpacesAroundAnItemDropped", "  a b  ,  c  ", {"a b", "c"}},
    {"TabsAndFullWidthSpacesKept", "\ta\u3000,x", {"\ta\u3000", "x"}},
    {"QuotesDropped", "   \"a\"", {"a"}},
    {"QuotedCommasBlanksAndLineEndsKept", "\" a,\r\nb \",c", {" a,\r\nb ", "c"}},
    {"EmptyQuotedItem", "\"\",x", {"", "x"}},
    {"TextAfterTheClosingQuoteDropped", "\"a\" junk,b\"c\" junk\r\nd", {"a", "b\"c\" junk", "d"}},
    {"UnterminatedQuoteRunsToTheEnd", "\"abc\r\ndef,ghi", {"abc\r\ndef,ghi"}},
    {"NulIsAnOrdinaryCharacter", std::string("a\0b,c", 5), {std::string("a\0b", 3), "c"}},
};
INSTANTIATE_TEST_SUITE_P(Texts, ItemReaderTest, ::testing::ValuesIn(kItems),
                         tarvex::testing::CaseName());

}  // namespace
}  // namespace tarvex::runtime
