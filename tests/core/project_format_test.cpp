// The saved form of a project: what the files say, that every byte of a
// text and of code comes back, and that reading and writing again gives
// the same files.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/project_paths.h"
#include "project_samples.h"

namespace kelp {
namespace {

using test::kProjectName;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

TEST(ProjectModel, ADefaultControlIsNamedAsTheDesignerNamesIt) {
  const Control button = DefaultControl(kKindButton, 3);
  EXPECT_EQ(button.name, "hButton3");
  EXPECT_EQ(button.idName, "IDC_BUTTON3");
  EXPECT_EQ(button.ctrlId, 2003u);
  EXPECT_EQ(button.caption, "Button3");
  EXPECT_EQ(button.backBrush, SystemColourBrush(15)) << "the creators store COLOR_BTNFACE + 1";
  EXPECT_EQ(button.font, Font{}) << "Arial, -13";
  EXPECT_EQ(DefaultControl(kKindListBox, 0).name, "hlistbox0");
  EXPECT_EQ(DefaultControl(kKindTimer, 0).caption, "") << "the timer does not take its name as text";
  const Form form = DefaultForm(2);
  EXPECT_EQ(form.name, "hForm2");
  EXPECT_EQ(form.caption, "Form2");
}

TEST(ProjectModel, EveryKindThatPlacesAControlHasAPrefixThatLeadsBackToIt) {
  int kinds = 0;
  for (std::uint32_t kind = 40; kind < 80; ++kind) {
    const char* prefix = KindPrefix(kind);
    if (prefix == nullptr) continue;
    ++kinds;
    EXPECT_EQ(KindOfPrefix(prefix), kind);
  }
  EXPECT_EQ(kinds, 19);
  for (std::uint32_t none : {48u, 49u, 50u, 65u, 66u}) EXPECT_FALSE(IsControlKind(none)) << none;
}

TEST(ProjectWriter, ASmallProjectIsWrittenAsItsFilesShow) {
  const std::vector<ProjectFile> files = WriteProject(test::SmallProject(), kProjectName);
  std::vector<std::string> paths;
  for (const ProjectFile& file : files) paths.push_back(file.path);
  EXPECT_EQ(paths, (std::vector<std::string>{kProjectName, "Form1.kform", "Form1.asm", "Form1.Button0.asm",
                                             "Module1.asm"}));
  EXPECT_EQ(files[0].bytes,
            "KelpProject 1\r\n"
            "Begin Project\r\n"
            "  StartupForm = 1\r\n"
            "  FormCounter = 1\r\n"
            "  ModuleCounter = 1\r\n"
            "  ClassModuleCounter = 0\r\n"
            "  Form = \"Form1.kform\"\r\n"
            "  Module = 1, \"Module1\", \"Module1.asm\"\r\n"
            "End\r\n");
  // What equals its default (names, identifiers, styles, font) is left out.
  EXPECT_EQ(files[1].bytes,
            "KelpForm 1\r\n"
            "Begin Form1\r\n"
            "  Left = 20\r\n"
            "  Top = 20\r\n"
            "  Width = 342\r\n"
            "  Height = 222\r\n"
            "  BackColour = 00F0F0F0h\r\n"
            "  Code = \"Form1.asm\"\r\n"
            "  Begin Static0\r\n"
            "    Caption = \"Name:\"\r\n"
            "    Left = 8\r\n"
            "    Top = 8\r\n"
            "    Width = 120\r\n"
            "    Height = 16\r\n"
            "    BackColour = 00A0A0A0h\r\n"
            "  End\r\n"
            "  Begin Button0\r\n"
            "    Caption = \"Say Hello\"\r\n"
            "    Left = 16\r\n"
            "    Top = 40\r\n"
            "    Width = 75\r\n"
            "    Height = 23\r\n"
            "    BackColour = 00A0A0A0h\r\n"
            "    Code = \"Form1.Button0.asm\"\r\n"
            "  End\r\n"
            "End\r\n");
  EXPECT_EQ(files[3].bytes, "\t.if wParam == IDC_BUTTON0\r\n\t.endif\r\n");
}

TEST(ProjectWriter, MovingOneButtonChangesOneLineOfOneFile) {
  Project project = test::SmallProject();
  const std::vector<ProjectFile> before = WriteProject(project, kProjectName);
  project.forms[0].controls[1].left += 8;
  const std::vector<ProjectFile> after = WriteProject(project, kProjectName);
  ASSERT_EQ(before.size(), after.size());
  int changedLines = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    const std::vector<std::string> old = LinesOf(before[i].bytes);
    const std::vector<std::string> now = LinesOf(after[i].bytes);
    ASSERT_EQ(old.size(), now.size()) << before[i].path;
    for (std::size_t line = 0; line < old.size(); ++line) changedLines += old[line] != now[line];
  }
  EXPECT_EQ(changedLines, 1);
}

TEST(ProjectWriter, WindowsMovedAndClosedAddOneLineEachToAFreshProjectsFiles) {
  Project project = test::SmallProject();
  const std::vector<std::string> fresh = LinesOf(WriteProject(project, kProjectName)[1].bytes);
  Form& form = project.forms[0];
  form.formName = "Main";
  form.title = "Hello - Main";
  form.frame = WindowPlace{30, -10, 358, 260};
  form.hidden = true;
  form.codeShown = false;
  form.controls[1].window = WindowPlace{16, 40, 79, 27};
  project.modules[0].shown = false;
  const std::vector<ProjectFile> files = WriteProject(project, kProjectName);
  EXPECT_NE(files[0].bytes.find("  Module = 1, \"Module1\", \"Module1.asm\", Hidden\r\n"), std::string::npos);
  const std::vector<std::string> lines = LinesOf(files[1].bytes);
  EXPECT_EQ(lines.size(), fresh.size() + 6) << files[1].bytes;
  for (const char* line :
       {"  FormName = \"Main\"", "  Title = \"Hello - Main\"", "  Frame = 30, -10, 358, 260", "  Hidden = 1",
        "  CodeShown = 0", "    Window = 16, 40, 79, 27"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line << "\n" << files[1].bytes;
  }
}

TEST(ProjectFormat, AFormsNameOrTitleEqualToWhatEmptyStandsForIsLeftOutAndReadsBackEmpty) {
  Project plain = test::SmallProject();
  plain.number = 2;
  plain.mdiForm = 1;
  Project spelt = plain;
  spelt.forms[0].formName = "MDIForm1";
  spelt.forms[0].title = "Project2 - MDIForm1 (MDIForm)";
  EXPECT_EQ(WriteProject(spelt, kProjectName), WriteProject(plain, kProjectName));
  EXPECT_EQ(test::ReadFiles(test::ToMap(WriteProject(spelt, kProjectName))).project, plain);
  // Renamed, the title a new form would get follows the name.
  spelt.forms[0].formName = "Main";
  spelt.forms[0].title = "Project2 - Main (MDIForm)";
  const std::string form = WriteProject(spelt, kProjectName)[1].bytes;
  EXPECT_NE(form.find("FormName = \"Main\""), std::string::npos);
  EXPECT_EQ(form.find("Title"), std::string::npos) << form;
}

TEST(ProjectFormat, ARichProjectReadsBackExactlyAndWritesTheSameBytesAgain) {
  const Project project = test::RichProject();
  const std::vector<ProjectFile> files = WriteProject(project, kProjectName);
  const test::MemoryFiles written = test::ToMap(files);
  const ReadResult read = test::ReadFiles(written);
  ASSERT_FALSE(read.Refused()) << FormatDiagnostic(read.diagnostics.front());
  EXPECT_TRUE(read.diagnostics.empty()) << FormatDiagnostic(read.diagnostics.front());
  EXPECT_EQ(*read.project, project);
  EXPECT_EQ(WriteProject(*read.project, kProjectName), files) << "write(read(x)) == x";
  EXPECT_EQ(read.files.size(), files.size() - 1) << "every file but the project file is named in it";
}

TEST(ProjectFormat, CodeFilesHoldTheCodeByteForByte) {
  const Project project = test::RichProject();
  const test::MemoryFiles files = test::ToMap(WriteProject(project, kProjectName));
  EXPECT_EQ(files.at("Module1.asm"), test::AwkwardCode());
  EXPECT_EQ(files.at("Module4.asm"), "") << "an empty module is an empty file";
  EXPECT_EQ(files.at("Form7.statusbar0.asm"), "") << "an opened, empty code window";
  EXPECT_EQ(files.count("Form7.timer1.asm"), 0u) << "a code window never opened has no file";
  EXPECT_EQ(files.at(ControlCodeFileName(3, kKindListBox, 8 * 4099 % 65536)),
            project.forms[0].controls[8].code.value());
}

TEST(ProjectFormat, TextsNeverBreakALineWhateverBytesTheyHold) {
  const test::MemoryFiles files = test::ToMap(WriteProject(test::RichProject(), kProjectName));
  for (const char* path : {kProjectName, "Form3.kform", "Form7.kform"}) {
    const std::string& text = files.at(path);
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto byte = static_cast<unsigned char>(text[i]);
      const bool lineEnd = text.compare(i, 2, "\r\n") == 0 || (byte == '\n' && i > 0 && text[i - 1] == '\r');
      ASSERT_TRUE(byte >= 0x20 || lineEnd) << path << " byte " << i;
      ASSERT_NE(byte, 0x7F) << path << " byte " << i;
    }
  }
}

}  // namespace
}  // namespace kelp
