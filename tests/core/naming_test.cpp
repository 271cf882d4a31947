// Numbers and names as the user reads them in titles, names and properties.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "core/form_names.h"
#include "core/number_format.h"
#include "core/text.h"

namespace kelp {
namespace {

std::string Unsigned(std::uint32_t value) {
  char text[kNumberTextSize];
  FormatNumber(value, text);
  return text;
}

std::string Signed(std::int32_t value) {
  char text[kNumberTextSize];
  FormatDecimal(value, text);
  return text;
}

TEST(NumberFormat, UnsignedDecimalWithoutPadding) {
  EXPECT_EQ(Unsigned(0), "0");
  EXPECT_EQ(Unsigned(7), "7");
  EXPECT_EQ(Unsigned(2000), "2000");
  EXPECT_EQ(Unsigned(4294967295u), "4294967295");
}

TEST(NumberFormat, SignedDecimalWithMinusAndNoPadding) {
  EXPECT_EQ(Signed(0), "0");
  EXPECT_EQ(Signed(-5), "-5");
  EXPECT_EQ(Signed(65535), "65535");
  EXPECT_EQ(Signed(INT32_MAX), "2147483647");
  EXPECT_EQ(Signed(INT32_MIN), "-2147483648");
}

TEST(FormNames, FirstFormOfTheFirstProject) {
  char name[kTextFieldSize];
  char title[kTextFieldSize];
  char handle[kTextFieldSize];
  ComposeFormName(1, name);
  ComposeFormTitle(1, 1, title);
  ComposeHandleName(name, handle);
  EXPECT_STREQ(name, "Form1");
  EXPECT_STREQ(title, "Project1 - Form1 (Form)");
  EXPECT_STREQ(handle, "hForm1");
}

TEST(FormNames, TheMdiFormIsTitledByItsName) {
  char name[kTextFieldSize];
  char title[kTextFieldSize];
  ComposeNumberedName(kMdiFormPrefix, 2, name);
  ComposeNamedFormTitle(1, name, kMdiFormTitleSuffix, title);
  EXPECT_STREQ(title, "Project1 - MDIForm2 (MDIForm)");
  ComposeNamedFormTitle(3, "Main", kFormTitleSuffix, title);
  EXPECT_STREQ(title, "Project3 - Main (Form)");
  const std::string longName(400, 'x');
  ComposeNamedFormTitle(1, longName.c_str(), kFormTitleSuffix, title);
  EXPECT_EQ(std::strlen(title), kTextFieldSize - 1) << "cut to the field";
}

TEST(FormNames, LargestNumbersStillFit) {
  char title[kTextFieldSize];
  ComposeFormTitle(4294967295u, 4294967295u, title);
  EXPECT_STREQ(title, "Project4294967295 - Form4294967295 (Form)");
}

TEST(CodeWindowNames, ModulesAndClassModulesAreNumberedAndTitled) {
  char name[kTextFieldSize];
  char title[kTextFieldSize];
  ComposeNumberedName("Module", 1, name);
  ComposeCodeTitle(name, title);
  EXPECT_STREQ(name, "Module1");
  EXPECT_STREQ(title, "Module1 (Code)");
  ComposeNumberedName("Class", 12, name);
  ComposeCodeTitle(name, title);
  EXPECT_STREQ(title, "Class12 (Code)");
  const std::string longName(400, 'x');
  ComposeCodeTitle(longName.c_str(), title);
  EXPECT_EQ(std::strlen(title), kTextFieldSize - 1) << "cut to the field";
}

TEST(FormNames, HandleNameOfALongNameIsCutToTheField) {
  const std::string longName(400, 'x');
  char handle[kTextFieldSize];
  ComposeHandleName(longName.c_str(), handle);
  EXPECT_EQ(std::strlen(handle), kTextFieldSize - 1);
  EXPECT_EQ(handle[0], 'h');
}

TEST(BoundedText, CopyAndAppendCutAndAlwaysTerminate) {
  char small[6];
  EXPECT_EQ(CopyText(small, "Arial"), 5u);
  EXPECT_STREQ(small, "Arial");
  EXPECT_EQ(CopyText(small, "Courier New"), 5u);
  EXPECT_STREQ(small, "Couri");
  CopyText(small, "ab");
  EXPECT_EQ(AppendText(small, "cdefgh"), 5u);
  EXPECT_STREQ(small, "abcde");
  EXPECT_EQ(AppendText(small, "more"), 5u);
  EXPECT_STREQ(small, "abcde");
}

TEST(BoundedText, FieldTextStopsAtTheFieldEndWithoutTerminator) {
  char field[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(FieldText(field), "abcd");
  field[2] = '\0';
  EXPECT_EQ(FieldText(field), "ab");
}

}  // namespace
}  // namespace kelp
