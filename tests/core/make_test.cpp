// Making a program: the settings a user writes, the commands made from them,
// and the tools' lines that lead back into the code.
#include <gtest/gtest.h>

#include "core/make_settings.h"
#include "core/tool_output.h"

namespace kelp {
namespace {

TEST(MakeSettings, AUsersFileIsReadAndItsMistakesAreNamedByLine) {
  const MakeSettingsRead read = ReadMakeSettings(
      "; mine\r\n"
      "Assemble = \"C:\\masm32\\bin\\ml.exe\" /c /coff /Fo\"{object}\" \"{source}\"\r\n"
      "\r\n"
      "Link=link.exe /OUT:\"{program}\" {objects}\n"
      "Linker = x\n"
      "no equals here\n"
      "Link = again\n");
  EXPECT_EQ(read.settings.assemble, "\"C:\\masm32\\bin\\ml.exe\" /c /coff /Fo\"{object}\" \"{source}\"");
  EXPECT_EQ(read.settings.link, "link.exe /OUT:\"{program}\" {objects}");
  EXPECT_EQ(read.settings.objectExtension, ".obj");
  ASSERT_EQ(read.problems.size(), 3u);
  EXPECT_EQ(read.problems[0].line, 5u);
  EXPECT_NE(read.problems[0].message.find("Linker"), std::string::npos);
  EXPECT_EQ(read.problems[1].line, 6u);
  EXPECT_EQ(read.problems[2].line, 7u);
  EXPECT_NE(read.problems[2].message.find("twice"), std::string::npos);
}

TEST(MakeSettings, TheTemplateReadsAsEmptySettingsThatSayWhatIsMissing) {
  const MakeSettingsRead read = ReadMakeSettings(MakeSettingsTemplate());
  EXPECT_TRUE(read.problems.empty());
  EXPECT_EQ(read.settings, MakeSettings{});
  EXPECT_EQ(AssembleCommandProblem(read.settings.assemble, true), "no assembler is set: give the Assemble command");
}

TEST(MakeSettings, CommandsMustNameTheirFiles) {
  EXPECT_EQ(AssembleCommandProblem("ml /c /Fo{object} {source}", true), "");
  EXPECT_NE(AssembleCommandProblem("ml /c {source}", true), "");
  EXPECT_EQ(AssembleCommandProblem("jwasm -pe -Fo{program} {source}", false), "");
  EXPECT_NE(AssembleCommandProblem("jwasm -pe {source}", false), "");
  EXPECT_NE(AssembleCommandProblem("ml {source} {objct}", true).find("{objct}"), std::string::npos);
  EXPECT_EQ(LinkCommandProblem("link /OUT:{program} {objects}"), "");
  EXPECT_NE(LinkCommandProblem("link {objects}"), "");
}

TEST(MakeSettings, PlaceholdersBecomeThePaths) {
  CommandFiles files{"C:\\p\\build\\Form1.asm", "C:\\p\\build\\Form1.obj",
                     {"C:\\p\\build\\Form1.obj", "C:\\p\\build\\Module1.obj"}, "C:\\p\\Hello.exe"};
  EXPECT_EQ(ExpandCommand("ml /Fo\"{object}\" \"{source}\"", files),
            "ml /Fo\"C:\\p\\build\\Form1.obj\" \"C:\\p\\build\\Form1.asm\"");
  EXPECT_EQ(ExpandCommand("link /OUT:\"{program}\" {objects} {unknown", files),
            "link /OUT:\"C:\\p\\Hello.exe\" \"C:\\p\\build\\Form1.obj\" \"C:\\p\\build\\Module1.obj\" {unknown");
}

TEST(ToolOutput, AssemblersLinesLeadToTheirFileAndLine) {
  const auto ml = ParseToolLine("Form1.asm(12) : error A2008: syntax error : xyz\r\n");
  ASSERT_TRUE(ml);
  EXPECT_EQ(ml->file, "Form1.asm");
  EXPECT_EQ(ml->line, 12u);
  EXPECT_TRUE(ml->error);
  EXPECT_EQ(ml->text, "error A2008: syntax error : xyz");
  const auto jwasm = ParseToolLine("C:\\p\\build\\Form1.asm(7): Warning A4014: x");
  ASSERT_TRUE(jwasm);
  EXPECT_EQ(jwasm->file, "C:\\p\\build\\Form1.asm");
  EXPECT_FALSE(jwasm->error);
  for (const char* other : {"Assembling: Form1.asm", "Form1.o:Form1.asm:(.text+0x1c): undefined reference to `F'",
                            "f(0) : error", "f(99999999999) : error", "(3) : error", "f(1x) : e", ""}) {
    EXPECT_FALSE(ParseToolLine(other)) << other;
  }
}

}  // namespace
}  // namespace kelp
