// The names a saved project gives its files, and which paths may be followed.
#include <gtest/gtest.h>

#include "core/project_paths.h"

namespace kelp {
namespace {

TEST(ProjectPaths, PartsAreNamedFromNumbersOnly) {
  EXPECT_EQ(FormFileName(1), "Form1.kform");
  EXPECT_EQ(FormCodeFileName(12), "Form12.asm");
  EXPECT_EQ(ControlCodeFileName(1, kKindButton, 0), "Form1.Button0.asm");
  EXPECT_EQ(ControlCodeFileName(2, kKindListBox, 65535), "Form2.listbox65535.asm");
  EXPECT_EQ(ControlCodeFileName(1, kToolUnused65, 0), "") << "no control has kind 65";
  EXPECT_EQ(ModuleFileName(3), "Module3.asm");
  EXPECT_EQ(ClassModuleFileName(4294967295u), "Class4294967295.asm");
}

TEST(ProjectPaths, KnowsItsOwnPartsAndNothingElse) {
  for (const char* part : {"Form1.kform", "Form1.asm", "Form1.Button0.asm", "Form9.drivelistbox65535.asm",
                           "Module1.asm", "Class2.asm"}) {
    EXPECT_TRUE(IsPartFileName(part)) << part;
  }
  for (const char* other : {"Form01.kform", "Form1.Button65536.asm", "Form1.Shape0.asm", "Form1.button0.asm",
                            "Module1.txt", "notes.asm", "Form.kform", "Form1.kform.bak", "Hello.kproj"}) {
    EXPECT_FALSE(IsPartFileName(other)) << other;
  }
}

TEST(ProjectPaths, SafePathsStayInTheFolder) {
  for (const char* safe : {"Form1.asm", "code/Form1.asm", "code\\sub\\a b.asm", ".hidden", "a..b",
                           "COM10.asm", "console.asm", "nul_device.asm"}) {
    EXPECT_EQ(PathProblem(safe), "") << safe;
  }
}

TEST(ProjectPaths, UnsafePathsSayWhatIsWrong) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "is empty"},
      {"..", "leaves its folder"},
      {"a/../../b", "leaves its folder"},
      {"/etc/passwd", "absolute"},
      {"\\\\server\\share\\x", "absolute"},
      {"C:x.asm", "names a drive (C:)"},
      {"a//b", "empty part"},
      {"a/", "empty part"},
      {"CON", "device"},
      {"con.asm", "device"},
      {"sub/NUL.txt.asm", "device"},
      {"COM1", "device"},
      {"lpt9.kform", "device"},
      {"AUX .asm", "device"},
      {"PRN", "device"},
      {"conin$", "device"},
      {"x.asm.", "ending in a dot or a blank"},
      {"x.asm ", "ending in a dot or a blank"},
      {"a|b", "'|'"},
      {"a:b", "drive"},
      {"stream.asm:hidden", "':'"},
      {"tab\there", "not printable ASCII"},
      {"caf\xE9", "not printable ASCII"},
  };
  for (const auto& [path, words] : cases) {
    EXPECT_NE(PathProblem(path).find(words), std::string::npos) << path << ": " << PathProblem(path);
  }
  EXPECT_NE(PathProblem(std::string(kMaxRelativePathBytes + 1, 'a')), "");
}

TEST(ProjectPaths, AProjectFileNameIsOneSafeNameEndingInKproj) {
  EXPECT_EQ(ProjectFileNameProblem("Hello.kproj"), "");
  EXPECT_NE(ProjectFileNameProblem("Hello.txt"), "");
  EXPECT_NE(ProjectFileNameProblem(".kproj"), "");
  EXPECT_NE(ProjectFileNameProblem("sub/Hello.kproj"), "");
  EXPECT_NE(ProjectFileNameProblem("CON.kproj"), "");
}

TEST(ProjectPaths, FieldTextsFitTheRecord) {
  EXPECT_EQ(FieldTextProblem(std::string(kMaxTextBytes, 'x')), "");
  EXPECT_NE(FieldTextProblem(std::string(kMaxTextBytes + 1, 'x')), "");
  EXPECT_NE(FieldTextProblem(std::string("a\0b", 3)), "");
  EXPECT_EQ(FieldTextProblem("\xFF\x01 \"=;"), "") << "any other byte is the user's";
}

TEST(ProjectPaths, TwoSpellingsOfOneFileHaveOneKey) {
  EXPECT_EQ(PathKey("Code\\Form1.ASM"), PathKey("code/form1.asm"));
  EXPECT_NE(PathKey("Form1.asm"), PathKey("Form2.asm"));
}

}  // namespace
}  // namespace kelp
