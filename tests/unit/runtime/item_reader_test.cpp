// Splitting a message file into items at commas and line ends.

#include "runtime/item_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/support/case_name.h"

namespace tarvex::runtime {
namespace {

using Items = std::vector<std::string>;
class ItemReaderTest
    : public ::testing::TestWithParam<std::tuple<const char*, std::string, Items>> {};

// As the message-file reader reads: the end test before each item; reading
// past the end gives empty items.
TEST_P(ItemReaderTest, ReadsTheItems) {
  ItemReader reader(std::get<1>(GetParam()));
  Items items;
  while (!reader.AtEnd() && items.size() <= 100) items.push_back(reader.Next());
  EXPECT_EQ(items, std::get<2>(GetParam()));
  EXPECT_EQ(reader.Next(), "");
}

const std::tuple<const char*, std::string, Items> kItems[] = {
    {"EmptyTextHasNoItems", "", {}},
    {"EveryLineEndEndsAnItem", "a\r\nb\nc\rd\n\re", {"a", "b", "c", "d", "", "e"}},
    {"CommasDelimit", ",a,,b", {"", "a", "", "b"}},
    {"CommaAtTheEndPromisesAnEmptyItem", "a,", {"a", ""}},
    {"AsciiSpacesAroundAnItemDropped", "  a b  ,  c  ", {"a b", "c"}},
    {"TabsFullWidthSpacesAndCommasKept", "\ta\u3000\uFF0Cb,x", {"\ta\u3000\uFF0Cb", "x"}},
    {"QuotesDropped", "   \"a\"", {"a"}},
    {"QuotedCommasBlanksAndLineEndsKept", "\" a,\r\nb \",c", {" a,\r\nb ", "c"}},
    {"TextAfterTheClosingQuoteDropped", "\"a\" junk,b\"c\" junk\r\nd", {"a", "b\"c\" junk", "d"}},
    {"UnterminatedQuoteRunsToTheEnd", "\"abc\r\ndef,ghi", {"abc\r\ndef,ghi"}},
    {"NulIsAnOrdinaryCharacter", std::string("a\0b,c", 5), {std::string("a\0b", 3), "c"}},
};
INSTANTIATE_TEST_SUITE_P(Texts, ItemReaderTest, ::testing::ValuesIn(kItems), testing::CaseName());

}  // namespace
}  // namespace tarvex::runtime
