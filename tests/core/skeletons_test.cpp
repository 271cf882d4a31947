// The skeletons are the user's starting source: every byte counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/skeletons.h"

namespace kelp {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

TEST(Skeletons, TextsHaveTheirExactLengths) {
  EXPECT_EQ(kFormBanner.size(), 182u);
  EXPECT_EQ(kFormProcedureText.size(), 205u);
  EXPECT_EQ(kControlHandlerOpening.size(), 169u);
  EXPECT_EQ(kControlHandlerClosing.size(), 24u);
}

TEST(Skeletons, FormTextNamesTheProcedureAfterTheForm) {
  const std::string text = FormSkeleton("Form1");
  const std::vector<std::string> lines = Lines(text);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], ";" + std::string(85, '*'));
  EXPECT_EQ(lines[1], ";");
  EXPECT_EQ(lines[3], ";" + std::string(85, '*'));
  EXPECT_EQ(lines[4], "Form1Proc proc hWin:DWORD,uMsg:DWORD,wParam:DWORD,lParam:DWORD");
  EXPECT_EQ(lines[8], "            .if uMsg == WM_CREATE");
  EXPECT_EQ(lines[lines.size() - 2], "            ret");
  EXPECT_EQ(lines.back(), "") << "an empty line ends the text";
  EXPECT_EQ(text.size(), 182u + 5u + 205u);
  EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
}

TEST(Skeletons, ControlTextTestsItsOwnIdentifierAndNothingElse) {
  const std::string text = ControlSkeleton("IDC_BUTTON1");
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], ";" + std::string(47, '-'));
  EXPECT_EQ(lines[1], ";TODO: Place code here for this Click action.");
  EXPECT_EQ(lines[3], "        .if wParam == IDC_BUTTON1");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[7], "        .endif");
  EXPECT_EQ(text.back(), '\n');
}

TEST(Skeletons, CodeWindowTitle) { EXPECT_EQ(CodeWindowTitle("Form1"), "Form1 (Code)"); }

}  // namespace
}  // namespace kelp
