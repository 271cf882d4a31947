// What opening a damaged or doubtful project does: a refusal naming the
// file, the line and what is wrong, or an open with a warning where the
// project can be opened soundly; never a crash, whatever the bytes.
#include <gtest/gtest.h>

#include "core/project_paths.h"
#include "project_samples.h"

namespace kelp {
namespace {

using test::kProjectName;
using test::MemoryFiles;

MemoryFiles SmallFiles() {
  return test::ToMap(WriteProject(test::SmallProject(), kProjectName));
}

// The files with one piece of text in one of them replaced.
MemoryFiles Damaged(const std::string& path, const std::string& from, const std::string& to) {
  MemoryFiles files = SmallFiles();
  std::string& text = files.at(path);
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return files;
}

::testing::AssertionResult RefusedAt(const ReadResult& read, const std::string& file, std::uint32_t line,
                                     const std::string& words) {
  if (!read.Refused()) return ::testing::AssertionFailure() << "the project opened";
  std::string seen;
  for (const Diagnostic& diagnostic : read.diagnostics) {
    seen += "\n  " + FormatDiagnostic(diagnostic);
    if (diagnostic.severity == Severity::kError && diagnostic.file == file && diagnostic.line == line &&
        diagnostic.message.find(words) != std::string::npos) {
      return ::testing::AssertionSuccess();
    }
  }
  return ::testing::AssertionFailure() << "no error at " << file << ", line " << line << " saying \"" << words
                                       << "\"; the diagnostics:" << seen;
}

struct Damage {
  const char* what;
  const char* file;
  std::string from;
  std::string to;
  std::uint32_t line;
  const char* words;
};

TEST(ProjectReader, RefusesEachKindOfDamageNamingTheFileAndLine) {
  const std::string form = "Form1.kform";
  const std::string tooLong = "\"" + std::string(kMaxTextBytes + 1, 'x') + "\"";
  const std::vector<Damage> damages = {
      {"an unclosed quote", "Form1.kform", "\"Say Hello\"", "\"Say Hello", 18, "no closing quote"},
      {"a negative width", "Form1.kform", "Width = 75", "Width = -75", 21, "between 0 and 32767"},
      {"a huge height", "Form1.kform", "Height = 23", "Height = 99999", 22, "between 0 and 32767"},
      {"a number past 32 bits", "Form1.kform", "Top = 40", "Top = 4294967296", 20, "32 bits"},
      {"an unknown kind", "Form1.kform", "Begin Button0", "Begin Shape0", 17, "unknown kind of control"},
      {"a slot past 65535", "Form1.kform", "Begin Button0", "Begin Button65536", 17, "0 to 65535"},
      {"a control twice", "Form1.kform", "Begin Static0", "Begin Button0", 17, "already at line 9"},
      {"a property twice", "Form1.kform", "Left = 16", "Left = 16\r\n    Left = 17", 20, "given twice"},
      {"an unknown property", "Form1.kform", "Top = 40", "Tip = 40", 20, "unknown property"},
      {"a caption longer than the record", "Form1.kform", "\"Say Hello\"", tooLong, 18, "259 bytes"},
      {"a zero byte in a text", "Form1.kform", "Say Hello", "Say\\x00Hello", 18, "zero byte"},
      {"a system colour past 30", "Form1.kform", "Left = 8", "BackBrush = SystemColour 31", 11, "0 to 30"},
      {"a newer version", "Form1.kform", "KelpForm 1", "KelpForm 2", 1, "newer Kelp"},
      {"another kind of file", "Form1.kform", "KelpForm 1", "KelpProject 1", 1, "not a Kelp form file"},
      {"a binary file", "Form1.kform", "Left = 8", std::string("Left = \0", 8), 11, "zero byte"},
      {"a byte-order mark", "Form1.kform", "KelpForm", "\xEF\xBB\xBFKelpForm", 1, "byte-order mark"},
      {"a control inside a control", "Form1.kform", "  End\r\n  Begin Button0", "  Begin Button0", 16,
       "cannot hold another"},
      {"text after the end", "Form1.kform", "  End\r\nEnd\r\n", "  End\r\nEnd\r\nBegin Button1\r\n", 27,
       "after the End"},
      {"a code file named twice", "Form1.kform", "\"Form1.asm\"", "\"Form1.Button0.asm\"", 24,
       "already named at Form1.kform, line 8"},
      {"a form file named twice", kProjectName, "  Form = \"Form1.kform\"",
       "  Form = \"Form1.kform\"\r\n  Form = \"form1.KFORM\"", 8, "already named at Hello.kproj, line 7"},
      {"the project file as a form", kProjectName, "\"Form1.kform\"", "\"Hello.kproj\"", 7,
       "the project file itself"},
      {"a module number twice", kProjectName, "End", "  Module = 1, \"Other\", \"Other.asm\"\r\nEnd", 9,
       "given twice"},
      {"an unknown project kind", kProjectName, "StartupForm = 1", "Kind = \"Fortran\"", 3, "unknown kind"},
      {"a startup form that is not there", kProjectName, "StartupForm = 1", "StartupForm = 2", 3,
       "names no form"},
      {"a form's property in a control", "Form1.kform", "Left = 16", "Frame = 16, 40, 75, 23", 19,
       "Frame is a property of the form, not of a control"},
      {"a negative window width", "Form1.kform", "Left = 16", "Left = 16\r\n    Window = 16, 40, -1, 23", 20,
       "the width of Window must lie between 0 and 32767, not -1"},
      {"a frame past 16 bits", "Form1.kform", "Left = 20", "Frame = 20, 32768, 300, 200", 3,
       "the top of Frame must lie between -32768 and 32767"},
      {"a flag given twice", "Form1.kform", "Top = 40", "CodeShown = 0\r\n    CodeShown = 0", 21,
       "CodeShown is given twice (first at line 20)"},
      {"a module closed in words unknown", kProjectName, "\"Module1.asm\"", "\"Module1.asm\", Closed", 8,
       "only Hidden may follow"},
  };
  for (const Damage& damage : damages) {
    EXPECT_TRUE(RefusedAt(test::ReadFiles(Damaged(damage.file, damage.from, damage.to)), damage.file,
                          damage.line, damage.words))
        << damage.what;
  }
}

TEST(ProjectReader, RefusesPathsThatLeaveTheFolderOrNameADevice) {
  const char* unsafe[] = {"../Form1.asm",
                          "..\\\\Form1.asm",
                          "sub/../../x.asm",
                          "C:x.asm",
                          "c:\\\\x.asm",
                          "\\\\\\\\server\\\\share\\\\x.asm",
                          "/etc/passwd",
                          "CON",
                          "nul.asm",
                          "Com1.asm",
                          "LPT1",
                          "aux.txt",
                          "PRN .asm",
                          "x.asm.",
                          "x.asm ",
                          "a\\x01b.asm",
                          "caf\xE9.asm"};
  for (const char* path : unsafe) {
    EXPECT_TRUE(
        RefusedAt(test::ReadFiles(Damaged("Form1.kform", "\"Form1.asm\"", std::string("\"") + path + "\"")),
                  "Form1.kform", 8, "the path"))
        << path;
  }
}

TEST(ProjectReader, AMissingFormFileRefusesTheOpenAndSaysWhereItIsNamed) {
  MemoryFiles files = SmallFiles();
  files.erase("Form1.kform");
  const ReadResult read = test::ReadFiles(files);
  EXPECT_TRUE(RefusedAt(read, "Form1.kform", 0, "missing (named at Hello.kproj, line 7)"));
}

TEST(ProjectReader, AMissingCodeFileOpensAsAnEmptyCodeWindowWithAWarning) {
  MemoryFiles files = SmallFiles();
  files.erase("Form1.Button0.asm");
  const ReadResult read = test::ReadFiles(files);
  ASSERT_FALSE(read.Refused());
  EXPECT_EQ(read.project->forms[0].controls[1].code, "");
  ASSERT_EQ(read.diagnostics.size(), 1u);
  EXPECT_EQ(
      FormatDiagnostic(read.diagnostics[0]),
      "Form1.Button0.asm: warning: is missing (named at Form1.kform, line 24): its code window opens empty");
}

TEST(ProjectReader, ACodeFileThatCannotBeReadRefusesTheOpenSoThatNoSaveOverwritesIt) {
  const MemoryFiles files = SmallFiles();
  const ReadFileFn reader = [&](const std::string& path, std::size_t maxBytes) {
    if (path == "Module1.asm") return FileContents{ReadStatus::kFailed, {}, "access denied"};
    if (path == "Form1.kform") return FileContents{ReadStatus::kTooLarge, {}, {}};
    return test::ReaderOf(files)(path, maxBytes);
  };
  const ReadResult read = ReadProject(kProjectName, files.at(kProjectName), reader);
  EXPECT_TRUE(RefusedAt(read, "Module1.asm", 0, "cannot be read (access denied)"));
  EXPECT_TRUE(RefusedAt(ReadProject(kProjectName, "", reader), kProjectName, 0, "is empty"));
}

TEST(ProjectReader, AnEnormousFormFileOrLineIsRefusedWithoutReadingItAll) {
  const MemoryFiles files = SmallFiles();
  std::size_t askedFor = 0;
  const ReadFileFn reader = [&](const std::string& path, std::size_t maxBytes) {
    if (path == "Form1.kform") {
      askedFor = maxBytes;
      return FileContents{ReadStatus::kTooLarge, {}, {}};
    }
    return test::ReaderOf(files)(path, maxBytes);
  };
  EXPECT_TRUE(
      RefusedAt(ReadProject(kProjectName, files.at(kProjectName), reader), "Form1.kform", 0, "larger"));
  EXPECT_EQ(askedFor, kMaxFormFileBytes);
  const std::string hugeCaption = "\"" + std::string(std::size_t{8} << 20, 'x') + "\"";
  EXPECT_TRUE(RefusedAt(test::ReadFiles(Damaged("Form1.kform", "\"Say Hello\"", hugeCaption)), "Form1.kform",
                        18, "longer than"));
}

TEST(ProjectReader, SharedNamesAndLowCountersOpenWithWarnings) {
  MemoryFiles files = Damaged("Form1.kform", "Caption = \"Say Hello\"", "Name = \"hStatic0\"");
  files.at(kProjectName).replace(files.at(kProjectName).find("FormCounter = 1"), 15, "FormCounter = 0");
  const ReadResult read = test::ReadFiles(files);
  ASSERT_FALSE(read.Refused());
  EXPECT_EQ(read.project->formCounter, 1u) << "numbers are never given twice";
  std::vector<std::string> messages;
  for (const Diagnostic& diagnostic : read.diagnostics) messages.push_back(FormatDiagnostic(diagnostic));
  EXPECT_EQ(messages,
            (std::vector<std::string>{
                "Form1.kform, line 17: warning: Button0 has the name \"hStatic0\" of Static0",
                "Hello.kproj, line 4: warning: FormCounter 0 is below a number in use; it is taken as 1"}));
}

TEST(ProjectReader, CutAtAnyByteAFileIsRefusedOrOpensAsItWas) {
  const Project project = test::SmallProject();
  for (const char* path : {kProjectName, "Form1.kform"}) {
    const MemoryFiles whole = SmallFiles();
    int opened = 0;
    for (std::size_t cut = 0; cut < whole.at(path).size(); ++cut) {
      MemoryFiles files = whole;
      files.at(path).resize(cut);
      const ReadResult read = test::ReadFiles(files);
      if (read.Refused()) {
        ASSERT_FALSE(read.diagnostics.empty()) << path << " cut at " << cut;
        continue;
      }
      ++opened;
      EXPECT_EQ(*read.project, project) << path << " cut at " << cut;
    }
    EXPECT_EQ(opened, 1) << path << ": only the cut of its last line end leaves it whole";
  }
}

TEST(ProjectReader, ReadsAHandWrittenFileWithLfEndsBlankLinesAndAnyPropertyOrder) {
  MemoryFiles files = SmallFiles();
  files.at("Form1.kform") =
      "KelpForm 1\n\nBegin Form1\n  Begin Button0\n\tHeight = 23\n Caption = \"Go\"  \n  End\n"
      "  Width = 0Ah\n\nEnd";
  const ReadResult read = test::ReadFiles(files);
  ASSERT_FALSE(read.Refused()) << FormatDiagnostic(read.diagnostics.front());
  const Form& form = read.project->forms[0];
  EXPECT_EQ(form.width, 10);
  ASSERT_EQ(form.controls.size(), 1u);
  EXPECT_EQ(form.controls[0].caption, "Go");
  EXPECT_EQ(form.controls[0].height, 23);
  EXPECT_EQ(form.controls[0].name, "hButton0") << "what is left out takes its default";
}

}  // namespace
}  // namespace kelp
