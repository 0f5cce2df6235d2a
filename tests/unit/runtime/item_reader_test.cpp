#include "runtime/item_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex::runtime {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Every item of the text, read as the message-file reader does: the end test
// before each read.
std::vector<std::string> ReadAll(std::string text) {
  ItemReader reader(std::move(text));
  std::vector<std::string> items;
  while (!reader.AtEnd()) {
    items.push_back(reader.Next());
    if (items.size() > 1000) {
      ADD_FAILURE() << "the reader does not come to an end";
      break;
    }
  }
  return items;
}

struct ItemCase {
  std::string name;
  std::string text;
  std::vector<std::string> items;
};

class ItemReaderTest : public ::testing::TestWithParam<ItemCase> {};

TEST_P(ItemReaderTest, ReadsTheItems) {
  EXPECT_EQ(ReadAll(GetParam().text), GetParam().items) << "text: \"" << GetParam().text << '"';
}

std::string CaseName(const ::testing::TestParamInfo<ItemCase>& info) {
  return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ItemReaderTest,
    ::testing::Values(
        ItemCase{"EmptyText", "", {}}, ItemCase{"OneLineWithoutLineEnd", "abc", {"abc"}},
        ItemCase{"OneLineCrLf", "abc\r\n", {"abc"}},
        ItemCase{"TwoLinesCrLf", "abc\r\ndef\r\n", {"abc", "def"}},
        ItemCase{"LineFeedOnly", "a\nb\n", {"a", "b"}},
        ItemCase{"LoneCarriageReturn", "a\rb\r", {"a", "b"}},
        ItemCase{"MixedLineEnds", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        ItemCase{"LfCrIsTwoLineEnds", "a\n\rb", {"a", "", "b"}},
        ItemCase{"EmptyLineInBetween", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        ItemCase{"OnlyALineEnd", "\r\n", {""}}, ItemCase{"EmptyLineAtTheEnd", "a\n\n", {"a", ""}},
        ItemCase{"BlankLineAtTheEndWithoutLineEnd", "a\r\n   ", {"a", ""}},
        ItemCase{"Japanese", "日本語の文章\r\nテキスト\r\n", {"日本語の文章", "テキスト"}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Commas, ItemReaderTest,
    ::testing::Values(
        ItemCase{"TwoWordsLeadingBlankSkipped", "hello, world\r\n", {"hello", "world"}},
        ItemCase{"QuotedCommaKept", "\"hello, world\"\r\n", {"hello, world"}},
        ItemCase{"CommaAtEndOfLine", "a,\r\nb\r\n", {"a", "", "b"}},
        ItemCase{"CommaAtEndOfText", "a,", {"a", ""}},
        ItemCase{"CommaThenBlanksAtEndOfText", "a,   ", {"a", ""}},
        ItemCase{"LeadingComma", ",a", {"", "a"}}, ItemCase{"TwoCommas", "a,,b", {"a", "", "b"}},
        ItemCase{"OnlyAComma", ",", {"", ""}}, ItemCase{"Japanese", "日本,語\r\n", {"日本", "語"}},
        ItemCase{
            "FullWidthAndIdeographicCommasDoNotDelimit", "a\uFF0Cb\u3001c", {"a\uFF0Cb\u3001c"}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Blanks, ItemReaderTest,
    ::testing::Values(ItemCase{"AsciiSpacesAroundAnItemDropped", "  a b  ,  c  ", {"a b", "c"}},
                      ItemCase{"IndentationDropped", "    indented\r\n", {"indented"}},
                      ItemCase{"TabsKept", "\ta\t", {"\ta\t"}},
                      ItemCase{"FullWidthSpaceKept", "\u3000a\u3000", {"\u3000a\u3000"}},
                      ItemCase{"BlanksOnlyLine", "   \r\nb", {"", "b"}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Quotes, ItemReaderTest,
    ::testing::Values(
        ItemCase{"QuotesDropped", "\"abc\"", {"abc"}},
        ItemCase{"BlanksInsideQuotesKept", "\" a \"", {" a "}},
        ItemCase{"BlanksBeforeQuoteSkipped", "   \"a\"", {"a"}},
        ItemCase{"EmptyQuoted", "\"\",x", {"", "x"}},
        ItemCase{"LineEndsInsideQuotes", "\"a\r\nb\",c", {"a\r\nb", "c"}},
        ItemCase{"TextAfterClosingQuoteDropped", "\"a\" junk,b", {"a", "b"}},
        ItemCase{"TextAfterClosingQuoteToLineEndDropped", "\"a\" junk\r\nb", {"a", "b"}},
        ItemCase{"QuotedThenCommaAtEnd", "\"a\",", {"a", ""}},
        ItemCase{"QuotedThenLineEnd", "\"a\"\r\n", {"a"}},
        ItemCase{"UnterminatedQuoteRunsToTheEnd", "\"abc\r\ndef,ghi\r\n", {"abc\r\ndef,ghi\r\n"}},
        ItemCase{"LoneQuote", "\"", {""}},
        ItemCase{"QuoteInsideUnquotedItemIsOrdinary", "a\"b,c\"d", {"a\"b", "c\"d"}},
        ItemCase{"QuotedJapaneseWithCommas", "\"日本、語,です\"\r\n", {"日本、語,です"}}),
    CaseName);

TEST(ItemReaderTest, NextAtTheEndGivesAnEmptyItem) {
  ItemReader reader("a\r\n");
  EXPECT_EQ(reader.Next(), "a");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.Next(), "");
  EXPECT_TRUE(reader.AtEnd());
}

TEST(ItemReaderTest, EmptyTextIsAtEndAtOnce) {
  ItemReader reader("");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_THAT(ReadAll(""), IsEmpty());
}

TEST(ItemReaderTest, TrailingCommaKeepsTheReaderOpenForOneMoreItem) {
  ItemReader reader("a,");
  EXPECT_EQ(reader.Next(), "a");
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_EQ(reader.Next(), "");
  EXPECT_TRUE(reader.AtEnd());
}

TEST(ItemReaderTest, ManyItemsInOrder) {
  std::string text;
  for (int i = 1; i <= 500; ++i) {
    text += std::to_string(i) + (i % 3 == 0 ? "\r\n" : ",");
  }
  const std::vector<std::string> items = ReadAll(text);
  ASSERT_EQ(items.size(), 501u);  // the last comma promises one more, empty, item
  EXPECT_EQ(items.front(), "1");
  EXPECT_EQ(items[499], "500");
  EXPECT_EQ(items.back(), "");
}

TEST(ItemReaderTest, NulBytesAreOrdinaryCharacters) {
  EXPECT_THAT(ReadAll(std::string("a\0b,c", 5)), ElementsAre(std::string("a\0b", 3), "c"));
}

}  // namespace
}  // namespace tarvex::runtime
