// The program generator as a user meets it: the program of every sample
// project is made, byte for byte the same each time; captions come out as
// the very bytes the form shows; every line of the user's code lands in
// the program and maps back to its code window; and code or names the
// assembler would refuse are reported with the window and line, with no
// program made. (tests/program assembles and runs the programs.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/masm_blocks.h"
#include "core/masm_words.h"
#include "core/program_generator.h"
#include "core/skeletons.h"
#include "program_samples.h"

namespace kelp {
namespace {

using samples::HandlerCode;

std::vector<std::string_view> Lines(const std::string& text) {
  return SplitCodeLines(text);
}

// The bytes of every "label db ..." run of the source, by label: quoted
// text and numbers, up to the terminating zero.
std::map<std::string, std::string> DataStrings(const std::string& source) {
  std::map<std::string, std::string> strings;
  std::string* current = nullptr;
  for (std::string_view line : Lines(source)) {
    const std::size_t indent = line.find_first_not_of(' ');
    const std::size_t db = line.find(" db ");
    if (indent != std::string_view::npos && line.substr(indent).starts_with("db ")) {
      line.remove_prefix(indent - 1);  // a run goes on: " db ..."
    } else if (db != std::string_view::npos && indent == 0) {
      current = &strings[std::string(line.substr(0, db))];
      line.remove_prefix(db);
    } else {
      current = nullptr;
    }
    if (current == nullptr) continue;
    std::string_view rest = line.substr(4);
    while (!rest.empty()) {
      if (rest.front() == '"') {
        const std::size_t close = rest.find('"', 1);
        current->append(rest.substr(1, close - 1));
        rest.remove_prefix(close + 1);
      } else {
        const int byte = std::atoi(std::string(rest.substr(0, rest.find(','))).c_str());
        if (byte == 0) break;
        *current += static_cast<char>(byte);
        rest.remove_prefix(std::min(rest.size(), rest.find(',')));
      }
      if (!rest.empty() && rest.front() == ',') rest.remove_prefix(1);
    }
  }
  return strings;
}

const GeneratedFile& Source(const GenerateResult& result) {
  return result.files.at(0);
}

std::string CodeOf(const Project& project, const CodeWindowRef& window) {
  switch (window.kind) {
    case CodeWindowRef::Kind::kForm:
      return *FindForm(project, window.formNumber)->code;
    case CodeWindowRef::Kind::kControl:
      return *FindForm(project, window.formNumber)->controls.at(window.controlIndex).code;
    case CodeWindowRef::Kind::kModule:
    case CodeWindowRef::Kind::kClassModule:
      break;
  }
  const auto& modules = window.kind == CodeWindowRef::Kind::kModule ? project.modules : project.classModules;
  for (const CodeModule& module : modules) {
    if (module.number == window.moduleNumber) return module.code;
  }
  return {};
}

TEST(ProgramGenerator, EverySampleMakesTheSameTwoFilesEveryTime) {
  for (const samples::Sample& sample : samples::AllSamples()) {
    SCOPED_TRACE(sample.name);
    const GenerateResult first = GenerateProgram(sample.project, {sample.name});
    ASSERT_TRUE(first.ok) << (first.diagnostics.empty() ? "" : first.diagnostics[0].message);
    EXPECT_TRUE(first.diagnostics.empty());
    ASSERT_EQ(first.files.size(), 2u);
    EXPECT_EQ(first.files[0].name, sample.name + ".asm");
    EXPECT_EQ(first.files[1].name, sample.name + ".inc");
    EXPECT_NE(Source(first).bytes.find("include " + sample.name + ".inc\r\n"), std::string::npos);
    const GenerateResult second = GenerateProgram(sample.project, {sample.name});
    for (std::size_t i = 0; i < first.files.size(); ++i) {
      EXPECT_EQ(first.files[i].bytes, second.files[i].bytes);
      const std::string& bytes = first.files[i].bytes;
      for (std::size_t at = 0; (at = bytes.find_first_of("\r\n", at)) != std::string::npos; at += 2) {
        ASSERT_EQ(bytes.compare(at, 2, "\r\n"), 0) << "a line ends other than in CR LF at " << at;
      }
    }
    EXPECT_EQ(first.libraries, (std::vector<std::string>{"kernel32", "user32", "gdi32", "comctl32"}));
  }
}

TEST(ProgramGenerator, FileNamesComeFromTheProjectsName) {
  Project project = samples::CheckedProject();
  project.name = "My \"best\" app";
  EXPECT_EQ(Source(GenerateProgram(project)).name, "My__best__app.asm");
  project.name.clear();
  EXPECT_EQ(Source(GenerateProgram(project)).name, "Program.asm");
}

TEST(ProgramGenerator, CaptionsAndFacesComeOutAsTheirVeryBytes) {
  const Project project = samples::EveryKindProject();
  const GenerateResult result = GenerateProgram(project);
  ASSERT_TRUE(result.ok);
  const std::map<std::string, std::string> strings = DataStrings(Source(result).bytes);
  EXPECT_EQ(strings.at("kelp_Form1_Title"), project.forms[0].caption);
  std::size_t shown = 0;
  for (std::size_t i = 0; i < project.forms[0].controls.size(); ++i) {
    const auto found = strings.find("kelp_Form1_Text" + std::to_string(i));
    if (found == strings.end()) continue;
    EXPECT_EQ(found->second, project.forms[0].controls[i].caption) << "control " << i;
    ++shown;
  }
  EXPECT_EQ(shown, project.forms[0].controls.size());
  EXPECT_EQ(strings.at("kelp_Form1_Text0"), samples::EveryCaptionByte());
  EXPECT_EQ(strings.at("kelp_Form1_Text1").size(), kMaxTextBytes);
  EXPECT_EQ(strings.at("kelp_Form1_Face0"), "Courier New");
  for (std::string_view line : Lines(Source(result).bytes)) ASSERT_LE(line.size(), 200u) << line;
}

TEST(ProgramGenerator, EveryLineOfTheUsersCodeLandsOnceAndMapsBack) {
  for (const samples::Sample& sample : samples::AllSamples()) {
    SCOPED_TRACE(sample.name);
    const GenerateResult result = GenerateProgram(sample.project, {sample.name});
    ASSERT_TRUE(result.ok);
    const std::vector<std::string_view> generated = Lines(Source(result).bytes);
    std::map<std::string, std::size_t> mappedLines;  // by window label
    for (const LineSpan& span : result.lineMap.spans) {
      const std::string code = CodeOf(sample.project, span.window);
      const std::vector<std::string_view> window = Lines(code);
      for (std::uint32_t i = 0; i < span.lineCount; ++i) {
        const std::uint32_t line = span.firstLine + i;
        const std::optional<SourceLine> back = result.lineMap.Find("C:\\work\\" + sample.name + ".ASM", line);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->window, span.window);
        ASSERT_LE(back->line, window.size());
        EXPECT_EQ(generated.at(line - 1), window.at(back->line - 1));
      }
      mappedLines[CodeWindowLabel(sample.project, span.window)] += span.lineCount;
    }
    for (const Form& form : sample.project.forms) {
      if (form.code) {
        EXPECT_EQ(
            mappedLines[CodeWindowLabel(sample.project, {CodeWindowRef::Kind::kForm, form.number, 0, 0})],
            Lines(*form.code).size());
      }
      for (std::size_t i = 0; i < form.controls.size(); ++i) {
        if (!form.controls[i].code) continue;
        const CodeWindowRef window{CodeWindowRef::Kind::kControl, form.number, i, 0};
        EXPECT_EQ(mappedLines[CodeWindowLabel(sample.project, window)], Lines(*form.controls[i].code).size());
      }
    }
    EXPECT_FALSE(result.lineMap.Find(sample.name + ".asm", 1).has_value()) << "the program's own first line";
    EXPECT_FALSE(result.lineMap.Find("Other.asm", result.lineMap.spans.front().firstLine).has_value());
  }
}

TEST(ProgramGenerator, HandlerBlocksRunInsideTheFormsControlsProcedure) {
  const Project project = samples::SeveralFormsProject();
  const GenerateResult result = GenerateProgram(project);
  ASSERT_TRUE(result.ok);
  const std::string& source = Source(result).bytes;
  const std::size_t start = source.find("Form3Controls proc hWin:DWORD");
  const std::size_t end = source.find("Form3Controls endp");
  const std::size_t block = source.find("invoke DestroyWindow, hWin");
  ASSERT_NE(start, std::string::npos);
  EXPECT_TRUE(start < block && block < end);
  EXPECT_NE(source.find("hButton0 dd 0"), std::string::npos);
  EXPECT_EQ(source.find("hButton0 dd 0"), source.rfind("hButton0 dd 0")) << "forms share a control's name";
}

TEST(ProgramGenerator, AFormsProcedureIsClosedOnceWhoeverClosesIt) {
  Project project = samples::CheckedProject();
  project.forms[0].code =
      FormSkeleton("Form1") + "Form1Proc endp\r\nHelper proc\r\n    ret\r\nHelper endp\r\n";
  project.forms[1].code.reset();  // never opened: the program writes its skeleton
  const GenerateResult result = GenerateProgram(project);
  ASSERT_TRUE(result.ok);
  const std::string& source = Source(result).bytes;
  for (const char* closing : {"Form1Proc endp", "Form2Proc endp"}) {
    const std::size_t at = source.find(closing);
    ASSERT_NE(at, std::string::npos) << closing;
    EXPECT_EQ(at, source.rfind(closing)) << closing;
  }
  EXPECT_LT(source.find("Form1Proc endp"), source.find("Helper proc"));
}

struct Refusal {
  std::string where;
  std::uint32_t line;
  std::string words;  // a part of the message
};

void ExpectRefused(const Project& project, const std::vector<Refusal>& expected) {
  const GenerateResult result = GenerateProgram(project);
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.files.empty());
  ASSERT_EQ(result.diagnostics.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const GenerateDiagnostic& diagnostic = result.diagnostics[i];
    EXPECT_EQ(diagnostic.where, expected[i].where);
    EXPECT_EQ(diagnostic.line, expected[i].line) << diagnostic.message;
    EXPECT_NE(diagnostic.message.find(expected[i].words), std::string::npos) << diagnostic.message;
    if (diagnostic.window) {
      EXPECT_EQ(CodeWindowLabel(project, *diagnostic.window), diagnostic.where);
    }
  }
}

TEST(ProgramGenerator, CodeThatCannotBePlacedIsReportedWithItsWindowAndLine) {
  Project project = samples::CheckedProject();
  Form& form = project.forms[0];
  const std::string procLine = "Form1Proc proc hWin:DWORD,uMsg:DWORD,wParam:DWORD,lParam:DWORD\r\n";
  std::string deleted = *form.code;
  deleted.erase(deleted.find(procLine), procLine.size());
  form.code = deleted;
  ExpectRefused(project, {{"Form1 (Code)", 0, "\"Form1Proc proc hWin:DWORD"}});

  form.code = samples::FormCode(1, "            .if eax == 1\r\n");
  form.controls[1].code = HandlerCode("IDC_BUTTON0", "        .endif\r\n");
  project.modules[0].code = "Helper proc\r\n    ret\r\n";
  project.modules.push_back({2, "", "Nested proc\r\n.while TRUE\r\nNested endp\r\n"});
  ExpectRefused(project, {{"Form1 (Code)", 9, "\".if\" is never closed by \".endif\""},
                          {"Form1.Button0", 9, "\".endif\" has no \".if\""},
                          {"Module1", 1, "\"Helper proc\" is never closed"},
                          {"Module2", 2, "\".while\" is never closed by \".endw\""}});

  project = samples::CheckedProject();
  project.forms[0].code = samples::FormCode(1, "", "Inner proc\r\nInner endp\r\n");
  project.forms[0].controls[1].code = "Clicked proc\r\nClicked endp\r\n";
  ExpectRefused(project, {{"Form1 (Code)", 18, "\"Inner proc\" starts inside \"Form1Proc\""},
                          {"Form1.Button0", 1, "a procedure cannot start here"}});

  project = samples::CheckedProject();
  std::string threeArguments = samples::FormCode(1, "");
  project.forms[0].code = threeArguments.erase(threeArguments.find("hWin:DWORD,"), 11);
  ExpectRefused(project, {{"Form1 (Code)", 5, "four arguments"}});
}

TEST(ProgramGenerator, NamesTheAssemblerWouldRefuseAreReportedPerControl) {
  Project project = samples::CheckedProject();
  std::vector<Control>& controls = project.forms[0].controls;
  controls[0].name = "length";
  controls[1].name = "record";
  controls[2].name = "WinMain";
  controls[3].idName = "offset";
  project.forms[1].controls[0].name = "2fast";
  project.forms[1].name = "wParam";
  ExpectRefused(project,
                {{"Form2", 0, "an argument of a form's procedure"},
                 {"Form1.length", 0, "a word of the assembler's own"},
                 {"Form1.record", 0, "a word of the assembler's own"},
                 {"Form1.WinMain", 0, "one the program gives its own code"},
                 {"Form1.timer0", 0, "identifier: the name \"offset\" is a word of the assembler's own"},
                 {"Form2.2fast", 0, "not one the assembler takes"}});

  project = samples::CheckedProject();
  project.forms[0].controls[0].ctrlId = 70000;
  project.forms[0].controls[1].idName = "hStatic0";  // the label's handle
  project.forms[0].controls[2].name = "hStatic0";
  project.forms[1].controls[0].idName = "IDC_TIMER0";  // 10000 there, 22000 on Form1
  project.forms[1].name = "hForm1";
  ExpectRefused(project, {{"Form2", 0, "is also Form1's"},
                          {"Form1.Static0", 0, "more than the 65535"},
                          {"Form1.Button0", 0, "\"hStatic0\" is also the name of Form1.Static0"},
                          {"Form1.Static0", 0, "\"hStatic0\" is also Form1.Static0's"},
                          {"Form2.listbox0", 0, "\"IDC_TIMER0\" is 10000 here but 22000 for Form1.timer0"}});
}

TEST(MasmBlocks, LinesEndAsTheEditorShowsThem) {
  const std::vector<std::string_view> lines = SplitCodeLines("a\r\nb\nc\rd\r\n\r\n");
  EXPECT_EQ(lines, (std::vector<std::string_view>{"a", "b", "c", "d", ""}));
  EXPECT_TRUE(SplitCodeLines("").empty());
}

TEST(MasmBlocks, BlocksInsideMacrosCommentsAndStringsDoNotCount) {
  const std::string code =
      "Twice macro x\r\n  .if x\r\n  endm\r\n"
      "comment ~\r\n .if eax\r\n~\r\n"
      "Show proc\r\n  mov eax, ';' ; .if\r\n  .repeat\r\n  .until eax\r\nShow endp\r\n";
  const CodeBlocks blocks = CheckBlocks(SplitCodeLines(code), {});
  EXPECT_TRUE(blocks.problems.empty()) << blocks.problems[0].message;
  ASSERT_EQ(blocks.procs.size(), 1u);
  EXPECT_EQ(blocks.procs[0].openLine, 7u);
  EXPECT_EQ(blocks.procs[0].closeLine, 11u);
}

TEST(MasmWords, ReservedWordsInAnyCaseAndWhatANameIsMadeOf) {
  for (const char* word :
       {"length", "RECORD", "Offset", "eax", "invoke", "proc", "sizeof", "db", "st", "xmm0"}) {
    EXPECT_TRUE(IsMasmReservedWord(word)) << word;
  }
  for (const char* word : {"hButton0", "IDC_BUTTON0", "Form1Proc", "lengths", ""}) {
    EXPECT_FALSE(IsMasmReservedWord(word)) << word;
  }
  for (const char* name : {"hButton0", "_x", "@here", "?q", "$1"}) EXPECT_TRUE(IsMasmName(name)) << name;
  for (const char* name : {"", "1st", "a b", "caf\xE9", "a-b", "$"}) EXPECT_FALSE(IsMasmName(name)) << name;
  EXPECT_TRUE(IsMasmName(std::string(kMaxMasmNameBytes, 'a')));
  EXPECT_FALSE(IsMasmName(std::string(kMaxMasmNameBytes + 1, 'a')));
}

}  // namespace
}  // namespace kelp
