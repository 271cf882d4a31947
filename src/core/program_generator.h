// Turns a project into a whole 32-bit MASM program: an include file of its
// own with every Windows declaration the program uses, and one source file
// with the program's entry, its window classes, every form's window with its
// controls, fonts and colours, the forms' procedures built from their code
// windows, each control's handler block placed where that control's
// notifications arrive, the modules' and class modules' code, and the
// message loop. The program assembles with ml.exe, JWasm or UASM and links
// against kernel32, user32, gdi32 and comctl32 (docs/making-programs.md).
//
// Code that cannot be placed (a form's procedure line deleted, a block left
// open) and names the assembler would refuse are reported before any
// assembler runs, each with its code window and line. A line map takes a
// line of the generated source back to the code window and line it came
// from, for the assembler's own messages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/project_model.h"

namespace kelp {

// A code window of the project: a form's own, a control's (by its index in
// the form's controls), a module's or a class module's.
struct CodeWindowRef {
  enum class Kind : std::uint8_t { kForm, kControl, kModule, kClassModule };
  Kind kind = Kind::kForm;
  std::uint32_t formNumber = 0;    // kForm, kControl
  std::size_t controlIndex = 0;    // kControl
  std::uint32_t moduleNumber = 0;  // kModule, kClassModule
  bool operator==(const CodeWindowRef&) const = default;
};

// How a user knows the window: "Form1 (Code)", "Form1.Button0" (the
// control's name without its "h"), "Module1", "Class1".
std::string CodeWindowLabel(const Project& project, const CodeWindowRef& window);

struct GeneratedFile {
  std::string name;   // "Project1.asm", "Project1.inc"
  std::string bytes;  // every line ended by CR LF
};

struct GenerateDiagnostic {
  std::optional<CodeWindowRef> window;  // none: the project as a whole
  std::string where;                    // the window's label, or the form or control the message is about
  std::uint32_t line = 0;               // from 1; 0: the window or object as a whole
  std::string message;
};

// A generated line and the code window line it was copied from.
struct SourceLine {
  CodeWindowRef window;
  std::uint32_t line = 0;  // from 1
  bool operator==(const SourceLine&) const = default;
};

// A run of generated lines copied one for one from a run of a code window's lines.
struct LineSpan {
  std::string file;
  std::uint32_t firstLine = 0;  // from 1, in the generated file
  std::uint32_t lineCount = 0;
  CodeWindowRef window;
  std::uint32_t firstWindowLine = 0;
};

struct LineMap {
  std::vector<LineSpan> spans;  // in the order of the files' lines
  // The code window line behind a line of a generated file. The file may be
  // named with a folder ("C:\work\Project1.asm", as assemblers print it) and
  // in any case; lines the generator wrote itself have none.
  std::optional<SourceLine> Find(std::string_view file, std::uint32_t line) const;
};

struct GenerateOptions {
  // The files' name without extension; empty: made from the project's name
  // (letters, digits, "_" and "-" kept, anything else "_"), or "Program".
  std::string baseName;
};

struct GenerateResult {
  bool ok = false;
  std::vector<GeneratedFile> files;  // the source first, then the include; none when not ok
  std::vector<GenerateDiagnostic> diagnostics;
  LineMap lineMap;
  // The import libraries the program needs: "kernel32", "user32", ...
  std::vector<std::string> libraries;
};

// The same project gives the same bytes.
GenerateResult GenerateProgram(const Project& project, const GenerateOptions& options = {});

// lineMap.Find, for a host holding the result.
std::optional<SourceLine> MapGeneratedLine(const GenerateResult& result, std::string_view file,
                                           std::uint32_t line);

}  // namespace kelp
