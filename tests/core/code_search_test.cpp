// Replace and Go to line as the code windows use them.
#include "core/code_search.h"

#include <gtest/gtest.h>

#include <string>

namespace kelp {
namespace {

TEST(ReplaceAll, ReplacesEveryMatchWithTheFindOptions) {
  const std::string text = "mov eax, Count\r\ninc count\r\nCountDown: dec COUNT ; count";
  EXPECT_EQ(ReplaceAll(text, "count", "n", {true, false}).text, "mov eax, Count\r\ninc n\r\nCountDown: dec COUNT ; n");
  const Replaced anyCase = ReplaceAll(text, "count", "n", {false, false});
  EXPECT_EQ(anyCase.text, "mov eax, n\r\ninc n\r\nnDown: dec n ; n");
  EXPECT_EQ(anyCase.count, 5u);
  EXPECT_EQ(anyCase.firstMatch, 9u);
  // Whole words: "CountDown" and "@count" are other names; ".if" holds the word "if".
  EXPECT_EQ(ReplaceAll("Count CountDown @count count_ (count) .if", "count", "n", {false, true}).text,
            "n CountDown @count count_ (n) .if");
  EXPECT_EQ(ReplaceAll(".if eax", "if", "while", {true, true}).text, ".while eax");
}

TEST(ReplaceAll, EndsWhenTheReplacementHoldsTheSearchedText) {
  const Replaced grown = ReplaceAll("eax eax", "eax", "eax, eax", {true, false});
  EXPECT_EQ(grown.text, "eax, eax eax, eax");
  EXPECT_EQ(grown.count, 2u);
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "a", {true, false}).text, "aa") << "matches do not overlap";
}

TEST(ReplaceAll, AnEmptySearchOrNoMatchChangesNothing) {
  const Replaced empty = ReplaceAll("mov eax, 1", "", "x", {true, false});
  EXPECT_EQ(empty.text, "mov eax, 1");
  EXPECT_EQ(empty.count, 0u);
  EXPECT_EQ(ReplaceAll("mov eax, 1", "ebx", "x", {true, false}).count, 0u);
  EXPECT_EQ(ReplaceAll("", "eax", "x", {true, false}).text, "");
  EXPECT_EQ(ReplaceAll("ea", "eax", "x", {true, false}).text, "ea") << "a text shorter than the search";
}

TEST(ReplaceAll, ReplacesNothingWhenTheResultWouldPassItsLimit) {
  const std::string blanks(100000, ' ');
  const std::string replacement(100000, 'x');
  const Replaced refused = ReplaceAll(blanks, " ", replacement, {true, false});
  EXPECT_TRUE(refused.tooLong) << "10 GB asked for";
  EXPECT_EQ(refused.count, 0u);
  EXPECT_EQ(refused.text, blanks);
  EXPECT_FALSE(ReplaceAll("ab", "a", "xyz", {true, false}, 4).tooLong) << "exactly the limit";
  EXPECT_TRUE(ReplaceAll("ab", "a", "xyzw", {true, false}, 4).tooLong);
}

TEST(ReplaceAll, HugeSearchReplacementAndLinesWork) {
  const std::string line(100000, 'a');
  const std::string search(100000, 'a');
  const std::string replacement(100000, 'b');
  EXPECT_EQ(ReplaceAll(line + "\r" + line, search, replacement, {true, true}).text,
            replacement + "\r" + replacement);
  EXPECT_EQ(ReplaceAll(line, search + "a", "x", {true, false}).count, 0u);
  std::string module;
  for (int i = 0; i < 20000; ++i) module += "    mov eax, ebx\r";
  const Replaced many = ReplaceAll(module, "eax", "ecx", {true, true});
  EXPECT_EQ(many.count, 20000u);
  EXPECT_EQ(many.text.size(), module.size());
}

TEST(ParseLineNumber, ReadsDigitsAndRefusesTheRest) {
  EXPECT_EQ(ParseLineNumber("42"), 42u);
  EXPECT_EQ(ParseLineNumber("  7\t"), 7u);
  EXPECT_EQ(ParseLineNumber("99999999999999999999"), 4294967295u) << "past the end: the last line";
  for (const char* refused : {"", "   ", "0", "-3", "+3", "12a", "1 2", "x", "3.5"}) {
    EXPECT_FALSE(ParseLineNumber(refused).has_value()) << '"' << refused << '"';
  }
}

}  // namespace
}  // namespace kelp

namespace kelp {
namespace {

TEST(FindCodeEntries, FindsProceduresMessagesAndHandlersWithTheirLines) {
  const std::string code =
      ";banner\r\n"
      "Form1Proc proc hWin:DWORD,uMsg:DWORD,wParam:DWORD,lParam:DWORD\r\n"
      "    .if uMsg == WM_CREATE\r\n"
      "    .ElseIf uMsg==WM_COMMAND && eax\r\n"
      "        .if wParam == IDC_BUTTON0 ; the button\r\n"
      "        .endif\n"
      "    .endif\r"
      "    ; .if wParam == IDC_COMMENTED\r\n"
      "    .if eax == 1\r\n"
      "Form1Proc endp\r\n"
      "Helper PROC\r\n";
  const std::vector<CodeEntry> entries = FindCodeEntries(code);
  ASSERT_EQ(entries.size(), 5u);
  const std::pair<std::string, std::uint32_t> expected[] = {
      {"Form1Proc", 1}, {"WM_CREATE", 2}, {"WM_COMMAND", 3}, {"IDC_BUTTON0", 4}, {"Helper", 10}};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].name, expected[i].first);
    EXPECT_EQ(entries[i].line, expected[i].second);
  }
  EXPECT_EQ(entries[3].kind, CodeEntry::Kind::kHandler);
  EXPECT_TRUE(FindCodeEntries("").empty());
  EXPECT_TRUE(FindCodeEntries(".if uMsg ==\r\n proc\r\n" + std::string(100000, 'x')).empty());
}

}  // namespace
}  // namespace kelp
