#include "core/program_generator.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <deque>
#include <map>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "core/masm_blocks.h"
#include "core/masm_words.h"
#include "core/program_include.h"
#include "core/skeletons.h"

namespace kelp {
namespace {

constexpr std::uint32_t kWsChild = 0x40000000;
constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsClipChildren = 0x02000000;
constexpr std::uint32_t kWsOverlappedWindow = 0x00CF0000;
constexpr std::uint32_t kWsExMdiChild = 0x40;
constexpr std::uint32_t kLargestNotifiedId = 0xFFFF;  // WM_COMMAND carries the low word
constexpr std::int32_t kDefaultFormWidth = 350;
constexpr std::int32_t kDefaultFormHeight = 250;
constexpr std::uint32_t kTimerInterval = 1000;
constexpr std::uint32_t kFirstMdiChildId = 50000;

// Where a control's handler block is run from: the message whose wParam
// carries the control's identifier once the program has put it there.
enum class Route { kCommand, kTimer, kScroll, kNotify, kNone };
enum class Fill { kNone, kDrives, kFolders, kFiles, kTicks, kStatusText };

// How each kind lives in the generated program.
struct RuntimeKind {
  std::uint32_t kind;
  const char* className;  // null: no window (the timer)
  const char* classLabel;
  std::uint32_t style;    // when the record keeps no style of its own
  std::uint32_t exStyle;  // likewise
  std::uint32_t notify;   // bits the program adds so that the control reports to its form
  bool font;
  Fill fill;
  Route route;
};

constexpr RuntimeKind kRuntimeKinds[] = {
    {kKindLabel, "STATIC", "kelp_ClassStatic", 0x56000000, 0, 0x100, true, Fill::kNone, Route::kCommand},
    {kKindTextBox, "EDIT", "kelp_ClassEdit", 0x56300004, 0x200, 0, true, Fill::kNone, Route::kCommand},
    {kKindGroupBox, "BUTTON", "kelp_ClassButton", 0x56000007, 0, 0, true, Fill::kNone, Route::kCommand},
    {kKindButton, "BUTTON", "kelp_ClassButton", 0x56000000, 0, 0, true, Fill::kNone, Route::kCommand},
    {kKindCheckBox, "BUTTON", "kelp_ClassButton", 0x56000003, 0, 0, true, Fill::kNone, Route::kCommand},
    {kKindOptionButton, "BUTTON", "kelp_ClassButton", 0x56000009, 0, 0, true, Fill::kNone, Route::kCommand},
    {kKindComboBox, "COMBOBOX", "kelp_ClassCombo", 0x56000002, 0, 0, true, Fill::kNone, Route::kCommand},
    {kKindListBox, "LISTBOX", "kelp_ClassList", 0x56000002, 0x200, 0x1, true, Fill::kNone, Route::kCommand},
    {kKindHScrollBar, "SCROLLBAR", "kelp_ClassScroll", 0x56000000, 0x200, 0, false, Fill::kNone,
     Route::kScroll},
    {kKindVScrollBar, "SCROLLBAR", "kelp_ClassScroll", 0x56000001, 0x200, 0, false, Fill::kNone,
     Route::kScroll},
    {kKindTimer, nullptr, nullptr, 0, 0, 0, false, Fill::kNone, Route::kTimer},
    {kKindDriveListBox, "COMBOBOX", "kelp_ClassCombo", 0x56200003, 0, 0, true, Fill::kDrives,
     Route::kCommand},
    {kKindDirListBox, "LISTBOX", "kelp_ClassList", 0x56200003, 0x200, 0x1, true, Fill::kFolders,
     Route::kCommand},
    {kKindFileListBox, "LISTBOX", "kelp_ClassList", 0x56200003, 0x200, 0x1, true, Fill::kFiles,
     Route::kCommand},
    {kKindImageBox, "STATIC", "kelp_ClassStatic", 0x56000000, 0x200, 0x100, false, Fill::kNone,
     Route::kCommand},
    {kKindCalendar, "SysMonthCal32", "kelp_ClassCalendar", 0x56000000, 0x200, 0, true, Fill::kNone,
     Route::kNotify},
    {kKindTrackBar, "msctls_trackbar32", "kelp_ClassTrack", 0x56000001, 0, 0, false, Fill::kTicks,
     Route::kScroll},
    {kKindProgressBar, "msctls_progress32", "kelp_ClassProgress", 0x56000000, 0, 0, false, Fill::kNone,
     Route::kNone},
    {kKindStatusBar, "msctls_statusbar32", "kelp_ClassStatus", 0x50000010, 0, 0, true, Fill::kStatusText,
     Route::kNone},
};

const RuntimeKind* RuntimeKindOf(std::uint32_t kind) {
  for (const RuntimeKind& row : kRuntimeKinds) {
    if (row.kind == kind) return &row;
  }
  return nullptr;
}

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0%Xh", value);
  return text;
}

std::string Dec(std::int64_t value) {
  return std::to_string(value);
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// A form's own names in the program: Form1Proc is the one its code window
// holds; the others are the program's.
struct FormNames {
  std::string base;  // Form1: the name the form's code window was made with
  std::string proc, create, controls, build, colour, free;
};

FormNames NamesOfForm(std::uint32_t number) {
  FormNames names;
  names.base = "Form" + std::to_string(number);
  names.proc = names.base + "Proc";
  names.create = "Create" + names.base;
  names.controls = names.base + "Controls";
  names.build = names.base + "Build";
  names.colour = names.base + "Colour";
  names.free = names.base + "Free";
  return names;
}

std::string FormLabel(const Project& project, const Form& form) {
  return form.formName.empty() ? DefaultFormTexts(project, form).formName : form.formName;
}

std::string ControlShortName(const Control& control) {
  if (control.name.size() > 1 && control.name.front() == 'h') return control.name.substr(1);
  if (!control.name.empty()) return control.name;
  const char* prefix = KindPrefix(control.kind);
  return std::string(prefix != nullptr ? prefix : "Control") + std::to_string(control.number);
}

// Collects the generated text line by line, and which lines came from
// which code window.
class Writer {
 public:
  Writer(std::string file, LineMap& map) : file_(std::move(file)), map_(map) {}

  void Line(std::string_view text) {
    text_.append(text).append("\r\n");
    ++lines_;
  }

  void UserLine(std::string_view text, const CodeWindowRef& window, std::uint32_t windowLine) {
    Line(text);
    if (!map_.spans.empty()) {
      LineSpan& last = map_.spans.back();
      if (last.file == file_ && last.window == window && last.firstLine + last.lineCount == lines_ &&
          last.firstWindowLine + last.lineCount == windowLine) {
        ++last.lineCount;
        return;
      }
    }
    map_.spans.push_back({file_, lines_, 1, window, windowLine});
  }

  void Reserve(std::size_t bytes) { text_.reserve(bytes); }
  std::string Take() { return std::move(text_); }

 private:
  std::string file_;
  LineMap& map_;
  std::string text_;
  std::uint32_t lines_ = 0;
};

// db lines giving the bytes exactly: printable ASCII quoted, every other
// byte (quotes, control bytes, 128..255) as its number, then a zero.
void WriteBytes(Writer& out, std::string_view label, std::string_view bytes) {
  constexpr std::size_t kLineWidth = 96;
  std::string line = std::string(label) + " db ";
  const std::size_t start = line.size();
  bool inQuote = false;
  auto closeQuote = [&] {
    if (inQuote) line += '"';
    inQuote = false;
  };
  auto flush = [&] {
    closeQuote();
    out.Line(line);
    line.assign(start, ' ');
    line.replace(start - 3, 3, "db ");
  };
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = byte >= 0x20 && byte < 0x7F && byte != '"';
    if (line.size() >= kLineWidth) flush();
    if (plain) {
      if (!inQuote) {
        if (line.size() > start) line += ',';
        line += '"';
        inQuote = true;
      }
      line += c;
    } else {
      closeQuote();
      if (line.size() > start) line += ',';
      line += std::to_string(byte);
    }
  }
  closeQuote();
  if (line.size() > start) line += ',';
  line += '0';
  out.Line(line);
}

struct FontKey {
  std::string face;
  std::int32_t height, weight;
  bool italic, underline, strikeOut;
  std::uint8_t charset;
  auto Tie() const { return std::tie(face, height, weight, italic, underline, strikeOut, charset); }
  bool operator<(const FontKey& other) const { return Tie() < other.Tie(); }
};

// What the program draws a control's colours with on WM_CTLCOLOR*.
struct ColourEntry {
  std::uint32_t id;
  ColourRef fore;
  BackBrush brush;
  ColourRef back;
  int pickedIndex;  // the form's brush for a picked colour
};

// Everything the program makes of one form, decided before any text is written.
struct FormPlan {
  const Form* form = nullptr;
  FormNames names;
  std::string label;
  std::vector<std::string_view> lines;  // the form's code
  bool userCode = false;                // lines are the user's, not a skeleton the program wrote
  std::size_t procLine = 0;
  std::size_t lastLocal = 0;
  bool closedByUser = false;
  std::array<std::string, 4> params{"hWin", "uMsg", "wParam", "lParam"};
  std::vector<FontKey> fonts;
  std::vector<int> fontOf;  // per control, -1: none
  std::vector<ColourRef> pickedBrushes;
  std::vector<ColourEntry> colours;
  std::vector<std::vector<std::string_view>> controlLines;  // per control
  bool routes[5] = {};
  bool statusBars = false;
  bool main = false;
  bool mdiFrame = false;
  bool mdiChild = false;
};

class Generator {
 public:
  Generator(const Project& project, const GenerateOptions& options) : project_(project), options_(options) {}

  GenerateResult Run() {
    base_ = BaseName();
    asmName_ = base_ + ".asm";
    incName_ = base_ + ".inc";
    ChooseForms();
    if (project_.forms.empty()) {
      Problem(std::nullopt, project_.name, 0, "the project has no form for the program to show");
    }
    ReserveGeneratedNames();
    for (const Form& form : project_.forms) PlanForm(form);
    CheckNames();
    CheckModules(project_.modules, CodeWindowRef::Kind::kModule, "Module");
    CheckModules(project_.classModules, CodeWindowRef::Kind::kClassModule, "Class");
    if (!result_.diagnostics.empty()) return std::move(result_);
    WriteSource();
    WriteInclude();
    result_.ok = true;
    for (std::string_view library : WindowsImportLibraries()) result_.libraries.emplace_back(library);
    return std::move(result_);
  }

 private:
  // ---- Deciding

  std::string BaseName() const {
    std::string name = options_.baseName.empty() ? project_.name : options_.baseName;
    for (char& c : name) {
      if (std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '_' && c != '-') c = '_';
    }
    return name.empty() ? "Program" : name;
  }

  void ChooseForms() {
    if (project_.mdiForm && FindForm(project_, *project_.mdiForm) != nullptr)
      mdi_ = FindForm(project_, *project_.mdiForm);
    if (project_.startupForm) startup_ = FindForm(project_, *project_.startupForm);
    if (startup_ == nullptr && !project_.forms.empty()) startup_ = &project_.forms.front();
  }

  void Problem(std::optional<CodeWindowRef> window, std::string where, std::uint32_t line,
               std::string message) {
    result_.diagnostics.push_back({window, std::move(where), line, std::move(message)});
  }

  void ReserveGeneratedNames() {
    for (std::string_view name : WindowsDeclaredNames()) generated_.emplace(name);
    for (const char* name : {"hInstance", "CommandLine", "hMdiClient", "start", "WinMain"})
      generated_.emplace(name);
    for (const Form& form : project_.forms) {
      const FormNames names = NamesOfForm(form.number);
      for (const std::string* name :
           {&names.proc, &names.create, &names.controls, &names.build, &names.colour, &names.free}) {
        generated_.insert(*name);
      }
    }
  }

  // Why a user's name cannot be a symbol of the program, or empty.
  std::string NameFault(const std::string& name) const {
    if (name.empty()) return "has no name";
    if (!IsMasmName(name)) {
      return "the name " + Quoted(name) +
             " is not one the assembler takes: letters, digits, _, @, $ and ?, not starting with a digit, "
             "at most 247 bytes";
    }
    if (IsMasmReservedWord(name)) return "the name " + Quoted(name) + " is a word of the assembler's own";
    if (arguments_.count(name) != 0) {
      return "the name " + Quoted(name) + " is an argument of a form's procedure, which would hide it there";
    }
    if (generated_.count(name) != 0 || name.rfind("kelp_", 0) == 0) {
      return "the name " + Quoted(name) +
             " is one the program gives its own code or the Windows declarations";
    }
    return {};
  }

  void PlanForm(const Form& form) {
    FormPlan plan;
    plan.form = &form;
    plan.names = NamesOfForm(form.number);
    plan.label = FormLabel(project_, form);
    plan.main = mdi_ != nullptr ? &form == mdi_ : &form == startup_;
    plan.mdiFrame = &form == mdi_;
    plan.mdiChild = mdi_ != nullptr && &form != mdi_;
    const CodeWindowRef window{CodeWindowRef::Kind::kForm, form.number, 0, 0};
    const std::string where = plan.label + std::string(kCodeTitleSuffix);
    if (form.code) {
      plan.lines = SplitCodeLines(*form.code);
      plan.userCode = true;
    } else {
      plan.lines = SplitCodeLines(skeletons_.emplace_back(FormSkeleton(plan.names.base)));
    }
    const CodeBlocks blocks = CheckBlocks(plan.lines, {true, plan.names.proc});
    for (const BlockProblem& problem : blocks.problems) Problem(window, where, problem.line, problem.message);
    const auto proc = std::find_if(blocks.procs.begin(), blocks.procs.end(),
                                   [&](const ProcBlock& block) { return block.name == plan.names.proc; });
    if (proc == blocks.procs.end()) {
      Problem(window, where, 0,
              "the line " +
                  Quoted(plan.names.proc + " proc hWin:DWORD,uMsg:DWORD,wParam:DWORD,lParam:DWORD") +
                  " is missing: the form's window procedure starts there");
    } else {
      plan.procLine = proc->openLine - 1;
      plan.closedByUser = proc->closeLine.has_value();
      if (!ReadParams(plan.lines[plan.procLine], plan.params)) {
        Problem(window, where, proc->openLine,
                plan.names.proc +
                    " must keep its four arguments (hWin, uMsg, wParam, lParam): Windows calls it "
                    "as the form's window procedure");
      }
      plan.lastLocal = plan.procLine;
      for (std::size_t i = plan.procLine + 1; i < plan.lines.size(); ++i) {
        const LineWords words = WordsOf(plan.lines[i]);
        if (words.first.empty()) continue;
        if (!SameWord(words.first, "local")) break;
        plan.lastLocal = i;
      }
    }
    arguments_.insert(plan.params.begin(), plan.params.end());
    PlanControls(plan);
    forms_.push_back(std::move(plan));
  }

  // The names of the procedure line's four arguments: "hWin:DWORD, ...".
  static bool ReadParams(std::string_view line, std::array<std::string, 4>& params) {
    const std::string_view rest = WordsOf(line).afterSecond;
    std::size_t count = 0;
    std::size_t start = 0;
    while (start <= rest.size()) {
      std::size_t comma = rest.find(',', start);
      if (comma == std::string_view::npos) comma = rest.size();
      const std::string_view piece = rest.substr(start, comma - start);
      const std::size_t colon = piece.find(':');
      if (colon == std::string_view::npos || count == params.size()) return false;
      std::size_t end = colon;
      while (end > 0 && (piece[end - 1] == ' ' || piece[end - 1] == '\t')) --end;
      std::size_t begin = end;
      while (begin > 0 && piece[begin - 1] != ' ' && piece[begin - 1] != '\t') --begin;
      if (begin == end) return false;
      params[count++] = std::string(piece.substr(begin, end - begin));
      start = comma + 1;
    }
    return count == params.size();
  }

  void PlanControls(FormPlan& plan) {
    const Form& form = *plan.form;
    std::map<FontKey, int> fonts;
    std::map<ColourRef, int> brushes;
    plan.fontOf.assign(form.controls.size(), -1);
    plan.controlLines.resize(form.controls.size());
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
      const Control& control = form.controls[i];
      const RuntimeKind* kind = RuntimeKindOf(control.kind);
      const CodeWindowRef window{CodeWindowRef::Kind::kControl, form.number, i, 0};
      const std::string where = plan.label + "." + ControlShortName(control);
      if (kind == nullptr) {
        Problem(window, where, 0,
                "kind " + Dec(control.kind) + " is no kind of control the program can make");
        continue;
      }
      if (kind->font) {
        const Font& font = control.font;
        const FontKey key{font.face,      font.height,    font.weight, font.italic,
                          font.underline, font.strikeOut, font.charset};
        const auto found = fonts.emplace(key, static_cast<int>(plan.fonts.size()));
        if (found.second) plan.fonts.push_back(key);
        plan.fontOf[i] = found.first->second;
      }
      if (kind->kind == kKindStatusBar) plan.statusBars = true;
      if (kind->className != nullptr) PlanColour(plan, control, brushes);
      if (control.code) {
        plan.controlLines[i] = SplitCodeLines(*control.code);
        const CodeBlocks blocks = CheckBlocks(plan.controlLines[i], {false, {}});
        for (const BlockProblem& problem : blocks.problems)
          Problem(window, where, problem.line, problem.message);
        if (!plan.controlLines[i].empty()) plan.routes[static_cast<int>(kind->route)] = true;
      }
    }
  }

  void PlanColour(FormPlan& plan, const Control& control, std::map<ColourRef, int>& brushes) {
    const BackBrush usual = DefaultControl(control.kind, 0).backBrush;
    if (control.backBrush == usual && control.foreColour == 0) return;
    ColourEntry entry{control.ctrlId, control.foreColour, control.backBrush, control.backColour, -1};
    if (control.backBrush.kind == BrushKind::kPicked) {
      const auto found = brushes.emplace(control.backColour, static_cast<int>(plan.pickedBrushes.size()));
      if (found.second) plan.pickedBrushes.push_back(control.backColour);
      entry.pickedIndex = found.first->second;
    }
    plan.colours.push_back(entry);
  }

  void CheckNames() {
    // Which form or control first took each name; identifiers with their values.
    std::unordered_map<std::string, std::string> handles;
    std::unordered_map<std::string, std::pair<std::uint32_t, std::string>> ids;
    for (const FormPlan& plan : forms_) {
      const Form& form = *plan.form;
      if (const std::string fault = NameFault(form.name); !fault.empty()) {
        Problem(std::nullopt, plan.label, 0, fault + "; rename the form");
      } else if (!handles.emplace(form.name, plan.label).second) {
        Problem(std::nullopt, plan.label, 0,
                "the name " + Quoted(form.name) + " is also " + handles[form.name] + "'s; rename the form");
      }
    }
    for (const FormPlan& plan : forms_) {
      std::unordered_set<std::string> onThisForm;
      for (std::size_t i = 0; i < plan.form->controls.size(); ++i) {
        const Control& control = plan.form->controls[i];
        const CodeWindowRef window{CodeWindowRef::Kind::kControl, plan.form->number, i, 0};
        const std::string where = plan.label + "." + ControlShortName(control);
        CheckHandleName(control, where, window, handles, onThisForm);
        CheckIdName(control, where, window, handles, ids);
      }
    }
  }

  void CheckHandleName(const Control& control, const std::string& where, const CodeWindowRef& window,
                       std::unordered_map<std::string, std::string>& handles,
                       std::unordered_set<std::string>& onThisForm) {
    if (const std::string fault = NameFault(control.name); !fault.empty()) {
      Problem(window, where, 0, fault + "; rename the control");
      return;
    }
    const auto taken = handles.emplace(control.name, where);
    const bool sameForm = !onThisForm.insert(control.name).second;
    // Controls of different forms may share a name, and with it their handle variable.
    if (!taken.second && (sameForm || IsFormHandle(control.name))) {
      Problem(
          window, where, 0,
          "the name " + Quoted(control.name) + " is also " + taken.first->second + "'s; rename the control");
    }
  }

  bool IsFormHandle(const std::string& name) const {
    return std::any_of(project_.forms.begin(), project_.forms.end(),
                       [&](const Form& form) { return form.name == name; });
  }

  void CheckIdName(const Control& control, const std::string& where, const CodeWindowRef& window,
                   const std::unordered_map<std::string, std::string>& handles,
                   std::unordered_map<std::string, std::pair<std::uint32_t, std::string>>& ids) {
    if (control.ctrlId > kLargestNotifiedId && control.kind != kKindTimer) {
      Problem(window, where, 0,
              "the identifier " + Dec(control.ctrlId) + " is more than the " + Dec(kLargestNotifiedId) +
                  " a WM_COMMAND message can carry");
    }
    if (const std::string fault = NameFault(control.idName); !fault.empty()) {
      Problem(window, where, 0, "identifier: " + fault + "; rename the identifier");
      return;
    }
    if (const auto handle = handles.find(control.idName); handle != handles.end()) {
      Problem(window, where, 0,
              "the identifier " + Quoted(control.idName) + " is also the name of " + handle->second +
                  "; rename the identifier");
      return;
    }
    const auto found = ids.emplace(control.idName, std::make_pair(control.ctrlId, where));
    if (!found.second && found.first->second.first != control.ctrlId) {
      Problem(window, where, 0,
              Quoted(control.idName) + " is " + Dec(control.ctrlId) + " here but " +
                  Dec(found.first->second.first) + " for " + found.first->second.second +
                  "; give one of them another identifier");
    } else if (found.second) {
      idOrder_.push_back(&control);
    }
  }

  void CheckModules(const std::vector<CodeModule>& modules, CodeWindowRef::Kind kind, const char* prefix) {
    for (const CodeModule& module : modules) {
      const CodeWindowRef window{kind, 0, 0, module.number};
      const CodeBlocks blocks = CheckBlocks(SplitCodeLines(module.code), {true, {}});
      const std::string where = ModuleLabel(module, prefix);
      for (const BlockProblem& problem : blocks.problems)
        Problem(window, where, problem.line, problem.message);
    }
  }

  static std::string ModuleLabel(const CodeModule& module, const char* prefix) {
    return module.name.empty() ? prefix + std::to_string(module.number) : module.name;
  }

  // ---- Writing the source

  void WriteSource() {
    Writer out(asmName_, result_.lineMap);
    std::size_t controls = 0;
    for (const Form& form : project_.forms) controls += form.controls.size();
    out.Reserve(16384 + controls * 700);
    out.Line("; " + asmName_ + ": the program made from the project's forms and code.");
    out.Line("; Assemble and link it (docs/making-programs.md):");
    out.Line(";   ml /c /coff /Cp " + asmName_ + "    or    jwasm -coff " + asmName_);
    out.Line(";   link /SUBSYSTEM:WINDOWS " + base_ + ".obj kernel32.lib user32.lib gdi32.lib comctl32.lib");
    out.Line(".386");
    out.Line(".model flat, stdcall");
    out.Line("option casemap:none");
    out.Line("include " + incName_);
    out.Line("");
    WriteData(out);
    out.Line("");
    out.Line(".code");
    // Class modules first: their structures are for the modules and forms to use.
    for (const CodeModule& module : project_.classModules) {
      WriteModule(out, module, CodeWindowRef::Kind::kClassModule, "Class");
    }
    for (const CodeModule& module : project_.modules)
      WriteModule(out, module, CodeWindowRef::Kind::kModule, "Module");
    for (const FormPlan& plan : forms_) WriteForm(out, plan);
    WriteStart(out);
    result_.files.push_back({asmName_, out.Take()});
  }

  void WriteData(Writer& out) {
    out.Line(".data");
    out.Line("hInstance dd 0");
    out.Line("CommandLine dd 0");
    if (mdi_ != nullptr) out.Line("hMdiClient dd 0");
    std::unordered_set<std::string> declared;
    for (const FormPlan& plan : forms_) {
      if (declared.insert(plan.form->name).second) out.Line(plan.form->name + " dd 0");
    }
    for (const FormPlan& plan : forms_) {
      for (const Control& control : plan.form->controls) {
        if (declared.insert(control.name).second) out.Line(control.name + " dd 0");
      }
    }
    std::unordered_set<std::string_view> classes;
    for (const FormPlan& plan : forms_) {
      for (const Control& control : plan.form->controls) {
        const RuntimeKind* kind = RuntimeKindOf(control.kind);
        if (kind->className != nullptr && classes.insert(kind->classLabel).second) {
          WriteBytes(out, kind->classLabel, kind->className);
        }
      }
    }
    if (mdi_ != nullptr) WriteBytes(out, "kelp_ClassMdiClient", "MDICLIENT");
    WriteBytes(out, "kelp_AllFiles", "*.*");
    for (const FormPlan& plan : forms_) {
      const std::string prefix = "kelp_" + plan.names.base;
      WriteBytes(out, prefix + "_Class", "Kelp_" + base_ + "_" + plan.names.base);
      WriteBytes(out, prefix + "_Title", plan.form->caption);
      for (std::size_t i = 0; i < plan.form->controls.size(); ++i) {
        const std::string& caption = plan.form->controls[i].caption;
        if (!caption.empty()) WriteBytes(out, prefix + "_Text" + Dec(static_cast<std::int64_t>(i)), caption);
      }
      for (std::size_t i = 0; i < plan.fonts.size(); ++i) {
        WriteBytes(out, prefix + "_Face" + Dec(static_cast<std::int64_t>(i)), plan.fonts[i].face);
      }
      out.Line(prefix + "_Back dd 0");
      if (!plan.fonts.empty())
        out.Line(prefix + "_Fonts dd " + Dec(static_cast<std::int64_t>(plan.fonts.size())) + " dup(0)");
      if (!plan.pickedBrushes.empty()) {
        out.Line(prefix + "_Brushes dd " + Dec(static_cast<std::int64_t>(plan.pickedBrushes.size())) +
                 " dup(0)");
      }
    }
  }

  void WriteUserLines(Writer& out, const std::vector<std::string_view>& lines, std::size_t from,
                      std::size_t to, const CodeWindowRef& window, bool mapped) {
    for (std::size_t i = from; i < to && i < lines.size(); ++i) {
      if (mapped) {
        out.UserLine(lines[i], window, static_cast<std::uint32_t>(i + 1));
      } else {
        out.Line(lines[i]);
      }
    }
  }

  void WriteModule(Writer& out, const CodeModule& module, CodeWindowRef::Kind kind, const char* prefix) {
    out.Line("");
    out.Line("; ==== " + ModuleLabel(module, prefix));
    out.Line(".code");
    const std::vector<std::string_view> lines = SplitCodeLines(module.code);
    WriteUserLines(out, lines, 0, lines.size(), {kind, 0, 0, module.number}, true);
  }

  void WriteForm(Writer& out, const FormPlan& plan) {
    const CodeWindowRef window{CodeWindowRef::Kind::kForm, plan.form->number, 0, 0};
    out.Line("");
    out.Line("; ==== " + plan.label + std::string(kCodeTitleSuffix));
    if (plan.mdiFrame) out.Line("DefWindowProc TEXTEQU <kelp_FrameDefProc>");
    if (plan.mdiChild) out.Line("DefWindowProc TEXTEQU <DefMDIChildProcA>");
    WriteUserLines(out, plan.lines, 0, plan.procLine, window, plan.userCode);
    out.Line(".code");
    WriteUserLines(out, plan.lines, plan.procLine, plan.lastLocal + 1, window, plan.userCode);
    WritePrologue(out, plan);
    WriteUserLines(out, plan.lines, plan.lastLocal + 1, plan.lines.size(), window, plan.userCode);
    if (!plan.closedByUser) {
      out.Line(".code");  // the form's code may have left the code segment; endp must be in it
      out.Line(plan.names.proc + " endp");
    }
    if (plan.mdiFrame || plan.mdiChild) out.Line("DefWindowProc TEXTEQU <DefWindowProcA>");
    out.Line(".code");
    WriteControlsProc(out, plan);
    WriteBuildProc(out, plan);
    WriteColourProc(out, plan);
    WriteFreeProc(out, plan);
    WriteCreateProc(out, plan);
  }

  // What the program does for the form before the form's own code runs.
  void WritePrologue(Writer& out, const FormPlan& plan) {
    const auto& [hWin, uMsg, wParam, lParam] = plan.params;
    const std::string args = hWin + ", " + uMsg + ", " + wParam + ", " + lParam;
    const std::string& controls = plan.names.controls;
    out.Line("    ; -- the program's own handling of " + plan.names.base + "'s messages");
    out.Line("    .if " + uMsg + " == WM_CREATE");
    out.Line("        mov eax, " + hWin);
    out.Line("        mov " + plan.form->name + ", eax");
    if (plan.mdiFrame) out.Line("        invoke kelp_MakeMdiClient, eax");
    out.Line("        invoke " + plan.names.build + ", " + hWin);
    if (!plan.colours.empty()) {
      out.Line("    .elseif " + uMsg + " >= WM_CTLCOLORMSGBOX && " + uMsg + " <= WM_CTLCOLORSTATIC");
      out.Line("        invoke " + plan.names.colour + ", " + args);
      out.Line("        .if eax != 0");
      out.Line("            ret");
      out.Line("        .endif");
    }
    if (plan.routes[static_cast<int>(Route::kCommand)] || plan.routes[static_cast<int>(Route::kTimer)]) {
      out.Line("    .elseif " + uMsg + " == WM_COMMAND || " + uMsg + " == WM_TIMER");
      out.Line("        invoke " + controls + ", " + args);
    }
    if (plan.routes[static_cast<int>(Route::kScroll)]) {
      out.Line("    .elseif (" + uMsg + " == WM_HSCROLL || " + uMsg + " == WM_VSCROLL) && " + lParam +
               " != 0");
      out.Line("        invoke GetDlgCtrlID, " + lParam);
      out.Line("        invoke " + controls + ", " + hWin + ", " + uMsg + ", eax, " + lParam);
    }
    if (plan.routes[static_cast<int>(Route::kNotify)]) {
      out.Line("    .elseif " + uMsg + " == WM_NOTIFY");
      out.Line("        mov eax, " + lParam);
      out.Line("        .if (NMHDR ptr [eax]).code == MCN_SELECT");
      out.Line("            invoke " + controls + ", " + args);
      out.Line("        .endif");
    }
    if (plan.statusBars) {
      out.Line("    .elseif " + uMsg + " == WM_SIZE");
      for (const Control& control : plan.form->controls) {
        if (control.kind == kKindStatusBar)
          out.Line("        invoke SendMessageA, " + control.name + ", WM_SIZE, 0, 0");
      }
    }
    if (plan.main) {
      out.Line("    .elseif " + uMsg + " == WM_DESTROY");
      out.Line("        invoke PostQuitMessage, 0");
    }
    out.Line("    .elseif " + uMsg + " == WM_NCDESTROY");
    out.Line("        invoke " + plan.names.free);
    out.Line("    .endif");
    out.Line("    ; -- the form's own code");
  }

  void WriteControlsProc(Writer& out, const FormPlan& plan) {
    const auto& [hWin, uMsg, wParam, lParam] = plan.params;
    out.Line("");
    out.Line("; The handler blocks of " + plan.label + "'s controls: wParam holds the control's identifier");
    out.Line("; (WM_COMMAND's notification code above it), uMsg the message that brought it.");
    out.Line(plan.names.controls + " proc " + hWin + ":DWORD, " + uMsg + ":DWORD, " + wParam + ":DWORD, " +
             lParam + ":DWORD");
    for (std::size_t i = 0; i < plan.form->controls.size(); ++i) {
      const std::vector<std::string_view>& lines = plan.controlLines[i];
      if (lines.empty()) continue;
      out.Line("; ---- " + plan.label + "." + ControlShortName(plan.form->controls[i]));
      WriteUserLines(out, lines, 0, lines.size(), {CodeWindowRef::Kind::kControl, plan.form->number, i, 0},
                     true);
    }
    WriteArgumentUses(out, {hWin, uMsg, wParam, lParam});
    out.Line("    xor eax, eax");
    out.Line("    ret");
    out.Line(plan.names.controls + " endp");
  }

  static std::uint32_t ControlStyle(const Control& control, const RuntimeKind& kind) {
    std::uint32_t style = control.style != 0 ? control.style : kind.style;
    return ((style | kWsChild | kind.notify) & ~kWsPopup);
  }

  static std::uint32_t ControlExStyle(const Control& control, const RuntimeKind& kind) {
    const std::uint32_t exStyle = control.style != 0 || control.exStyle != 0 ? control.exStyle : kind.exStyle;
    return exStyle & ~kWsExMdiChild;
  }

  void WriteBuildProc(Writer& out, const FormPlan& plan) {
    const std::string prefix = "kelp_" + plan.names.base;
    out.Line("");
    out.Line("; Makes " + plan.label + "'s fonts, brushes and controls.");
    out.Line(plan.names.build + " proc kelp_hWin:DWORD");
    for (std::size_t i = 0; i < plan.fonts.size(); ++i) {
      const FontKey& font = plan.fonts[i];
      const std::string index = Dec(static_cast<std::int64_t>(i));
      out.Line("    invoke CreateFontA, " + Dec(font.height) + ", 0, 0, 0, " + Dec(font.weight) + ", " +
               Dec(font.italic) + ", " + Dec(font.underline) + ", " + Dec(font.strikeOut) + ", " +
               Dec(font.charset) + ", 0, 0, 0, 0, offset " + prefix + "_Face" + index);
      out.Line("    mov " + prefix + "_Fonts+" + Dec(static_cast<std::int64_t>(i * 4)) + ", eax");
    }
    for (std::size_t i = 0; i < plan.pickedBrushes.size(); ++i) {
      out.Line("    invoke CreateSolidBrush, " + Hex(plan.pickedBrushes[i]));
      out.Line("    mov " + prefix + "_Brushes+" + Dec(static_cast<std::int64_t>(i * 4)) + ", eax");
    }
    for (std::size_t i = 0; i < plan.form->controls.size(); ++i) WriteControl(out, plan, i);
    if (plan.form->controls.empty()) WriteArgumentUses(out, {"kelp_hWin"});
    out.Line("    ret");
    out.Line(plan.names.build + " endp");
  }

  void WriteControl(Writer& out, const FormPlan& plan, std::size_t index) {
    const Control& control = plan.form->controls[index];
    const RuntimeKind& kind = *RuntimeKindOf(control.kind);
    const std::string prefix = "kelp_" + plan.names.base;
    const std::uint32_t style = ControlStyle(control, kind);
    if (kind.className == nullptr) {
      out.Line("    mov " + control.name + ", " + Dec(control.ctrlId));
      if ((control.style & 0x08000000) == 0) {
        out.Line("    invoke SetTimer, kelp_hWin, " + Dec(control.ctrlId) + ", " + Dec(kTimerInterval) +
                 ", NULL");
      }
      return;
    }
    const bool docked = control.kind == kKindStatusBar;
    const std::string text = control.caption.empty()
                                 ? std::string("NULL")
                                 : "offset " + prefix + "_Text" + Dec(static_cast<std::int64_t>(index));
    out.Line("    invoke CreateWindowExA, " + Hex(ControlExStyle(control, kind)) + ", offset " +
             kind.classLabel + ", " + text + ", " + Hex(style) + ", " +
             (docked ? "0, 0, 0, 0"
                     : Dec(control.left) + ", " + Dec(control.top) + ", " + Dec(control.width) + ", " +
                           Dec(control.height)) +
             ", kelp_hWin, " + Dec(control.ctrlId) + ", hInstance, NULL");
    out.Line("    mov " + control.name + ", eax");
    const std::string send = "    invoke SendMessageA, " + control.name + ", ";
    if (plan.fontOf[index] >= 0) {
      out.Line(send + "WM_SETFONT, " + prefix + "_Fonts+" + Dec(plan.fontOf[index] * 4) + ", FALSE");
    }
    switch (kind.fill) {
      case Fill::kDrives:
        out.Line(send + "CB_DIR, DDL_DRIVES or DDL_EXCLUSIVE, offset kelp_AllFiles");
        out.Line(send + "CB_SETCURSEL, 0, 0");
        break;
      case Fill::kFolders:
        out.Line(send + "LB_DIR, DDL_DIRECTORY or DDL_EXCLUSIVE, offset kelp_AllFiles");
        break;
      case Fill::kFiles:
        out.Line(send + "LB_DIR, DDL_READWRITE, offset kelp_AllFiles");
        break;
      case Fill::kTicks:
        out.Line(send + "TBM_SETTICFREQ, 10, 0");
        break;
      case Fill::kStatusText:
        if (!control.caption.empty()) out.Line(send + "SB_SETTEXTA, 0, " + text);
        break;
      case Fill::kNone:
        break;
    }
  }

  void WriteColourProc(Writer& out, const FormPlan& plan) {
    if (plan.colours.empty()) return;
    const std::string prefix = "kelp_" + plan.names.base;
    out.Line("");
    out.Line("; The colours of " + plan.label + "'s controls: the brush for WM_CTLCOLOR*, or 0.");
    out.Line(plan.names.colour + " proc kelp_hWin:DWORD, kelp_uMsg:DWORD, kelp_hDC:DWORD, kelp_hCtl:DWORD");
    out.Line("    invoke GetDlgCtrlID, kelp_hCtl");
    for (const ColourEntry& entry : plan.colours) {
      out.Line("    .if eax == " + Dec(entry.id));
      switch (entry.brush.kind) {
        case BrushKind::kPicked:
          out.Line("        invoke SetTextColor, kelp_hDC, " + Hex(entry.fore));
          out.Line("        invoke SetBkColor, kelp_hDC, " + Hex(entry.back));
          out.Line("        mov eax, " + prefix + "_Brushes+" + Dec(entry.pickedIndex * 4));
          break;
        case BrushKind::kSystemColour:
          out.Line("        invoke SetTextColor, kelp_hDC, " + Hex(entry.fore));
          out.Line("        invoke GetSysColor, " + Dec(entry.brush.systemColour));
          out.Line("        invoke SetBkColor, kelp_hDC, eax");
          out.Line("        invoke GetSysColorBrush, " + Dec(entry.brush.systemColour));
          break;
        case BrushKind::kNone:
          out.Line("        invoke DefWindowProcA, kelp_hWin, kelp_uMsg, kelp_hDC, kelp_hCtl");
          out.Line("        push eax");
          out.Line("        invoke SetTextColor, kelp_hDC, " + Hex(entry.fore));
          out.Line("        pop eax");
          break;
      }
      out.Line("        ret");
      out.Line("    .endif");
    }
    WriteArgumentUses(out, {"kelp_hWin", "kelp_uMsg"});
    out.Line("    xor eax, eax");
    out.Line("    ret");
    out.Line(plan.names.colour + " endp");
  }

  // Names arguments the code before may leave unused, which assemblers
  // warn of.
  static void WriteArgumentUses(Writer& out, std::initializer_list<std::string_view> arguments) {
    for (std::string_view argument : arguments) out.Line("    mov eax, " + std::string(argument));
  }

  static void WriteDeleteLoop(Writer& out, const std::string& array, std::size_t count) {
    if (count == 0) return;
    out.Line("    xor ebx, ebx");
    out.Line("    .while ebx < " + Dec(static_cast<std::int64_t>(count)));
    out.Line("        invoke DeleteObject, " + array + "[ebx*4]");
    out.Line("        mov " + array + "[ebx*4], 0");
    out.Line("        inc ebx");
    out.Line("    .endw");
  }

  void WriteFreeProc(Writer& out, const FormPlan& plan) {
    const std::string prefix = "kelp_" + plan.names.base;
    out.Line("");
    out.Line("; Frees " + plan.label + "'s fonts and brushes once its windows are gone.");
    out.Line(plan.names.free + " proc uses ebx");
    WriteDeleteLoop(out, prefix + "_Fonts", plan.fonts.size());
    WriteDeleteLoop(out, prefix + "_Brushes", plan.pickedBrushes.size());
    out.Line("    mov " + plan.form->name + ", 0");
    out.Line("    ret");
    out.Line(plan.names.free + " endp");
  }

  void WriteCreateProc(Writer& out, const FormPlan& plan) {
    const Form& form = *plan.form;
    const std::string prefix = "kelp_" + plan.names.base;
    std::uint32_t style = (form.style != 0 ? form.style : kWsOverlappedWindow) & ~(kWsChild | kWsVisible);
    style |= kWsClipChildren;
    std::uint32_t exStyle = form.exStyle & ~kWsExMdiChild;
    if (plan.mdiChild) {
      style |= kWsVisible;
      exStyle |= kWsExMdiChild;
    }
    const std::int32_t width = form.width > 0 ? form.width : kDefaultFormWidth;
    const std::int32_t height = form.height > 0 ? form.height : kDefaultFormHeight;
    out.Line("");
    out.Line("; Shows " + plan.label + ", making its window first if it has none; returns the window.");
    out.Line(plan.names.create + " proc");
    out.Line("    .if " + form.name + " == 0");
    if (plan.mdiChild) {
      out.Line("        .if hMdiClient == 0");
      out.Line("            invoke " + NamesOfForm(mdi_->number).create);
      out.Line("        .endif");
    }
    out.Line("        invoke CreateWindowExA, " + Hex(exStyle) + ", offset " + prefix + "_Class, offset " +
             prefix + "_Title, " + Hex(style) + ", CW_USEDEFAULT, CW_USEDEFAULT, " + Dec(width) + ", " +
             Dec(height) + ", " + (plan.mdiChild ? "hMdiClient" : "NULL") + ", NULL, hInstance, NULL");
    out.Line("    .endif");
    if (plan.mdiChild) {
      out.Line("    invoke SendMessageA, hMdiClient, WM_MDIACTIVATE, " + form.name + ", 0");
    } else {
      out.Line("    invoke ShowWindow, " + form.name + ", SW_SHOWNORMAL");
      out.Line("    invoke UpdateWindow, " + form.name);
    }
    out.Line("    mov eax, " + form.name);
    out.Line("    ret");
    out.Line(plan.names.create + " endp");
  }

  void WriteStart(Writer& out) {
    out.Line("");
    out.Line("; ==== The program's start");
    out.Line(".code");
    out.Line("kelp_Register proc");
    out.Line("    LOCAL kelp_wc:WNDCLASSEXA");
    out.Line("    mov kelp_wc.cbSize, sizeof WNDCLASSEXA");
    out.Line("    mov kelp_wc.style, CS_HREDRAW or CS_VREDRAW or CS_DBLCLKS");
    out.Line("    mov kelp_wc.cbClsExtra, 0");
    out.Line("    mov kelp_wc.cbWndExtra, 0");
    out.Line("    mov eax, hInstance");
    out.Line("    mov kelp_wc.hInstance, eax");
    out.Line("    invoke LoadIconA, NULL, IDI_APPLICATION");
    out.Line("    mov kelp_wc.hIcon, eax");
    out.Line("    mov kelp_wc.hIconSm, eax");
    out.Line("    invoke LoadCursorA, NULL, IDC_ARROW");
    out.Line("    mov kelp_wc.hCursor, eax");
    out.Line("    mov kelp_wc.lpszMenuName, NULL");
    for (const FormPlan& plan : forms_) {
      const std::string prefix = "kelp_" + plan.names.base;
      const BackBrush& brush = plan.form->backBrush;
      out.Line("    mov kelp_wc.lpfnWndProc, offset " + plan.names.proc);
      out.Line("    mov kelp_wc.lpszClassName, offset " + prefix + "_Class");
      if (brush.kind == BrushKind::kPicked) {
        out.Line("    invoke CreateSolidBrush, " + Hex(plan.form->backColour));
        out.Line("    mov " + prefix + "_Back, eax");
        out.Line("    mov kelp_wc.hbrBackground, eax");
      } else {
        const std::uint32_t index = brush.kind == BrushKind::kSystemColour ? brush.systemColour : 15;
        out.Line("    mov kelp_wc.hbrBackground, " + Dec(index + 1));
      }
      out.Line("    invoke RegisterClassExA, addr kelp_wc");
    }
    out.Line("    ret");
    out.Line("kelp_Register endp");
    out.Line("");
    out.Line("kelp_Unregister proc");
    for (const FormPlan& plan : forms_) {
      if (plan.form->backBrush.kind == BrushKind::kPicked) {
        out.Line("    invoke DeleteObject, kelp_" + plan.names.base + "_Back");
      }
    }
    out.Line("    ret");
    out.Line("kelp_Unregister endp");
    if (mdi_ != nullptr) WriteMdiProcs(out);
    WriteWinMain(out);
    out.Line("");
    out.Line("start:");
    out.Line("    invoke GetModuleHandleA, NULL");
    out.Line("    mov hInstance, eax");
    out.Line("    invoke GetCommandLineA");
    out.Line("    mov CommandLine, eax");
    out.Line("    invoke WinMain");
    out.Line("    invoke ExitProcess, eax");
    out.Line("end start");
  }

  void WriteMdiProcs(Writer& out) {
    out.Line("");
    out.Line("; DefWindowProc in the MDI form's code: the frame's default processing.");
    out.Line("kelp_FrameDefProc proc kelp_hWin:DWORD, kelp_uMsg:DWORD, kelp_wParam:DWORD, kelp_lParam:DWORD");
    const auto status = std::find_if(mdi_->controls.begin(), mdi_->controls.end(),
                                     [](const Control& control) { return control.kind == kKindStatusBar; });
    if (status != mdi_->controls.end()) out.Line("    LOCAL kelp_rect:RECT");
    out.Line("    invoke DefFrameProcA, kelp_hWin, hMdiClient, kelp_uMsg, kelp_wParam, kelp_lParam");
    if (status != mdi_->controls.end()) {
      // The client fills the frame but for the status bar.
      out.Line("    .if kelp_uMsg == WM_SIZE");
      out.Line("        push eax");
      out.Line("        invoke GetWindowRect, " + status->name + ", addr kelp_rect");
      out.Line("        mov ecx, kelp_rect.bottom");
      out.Line("        sub ecx, kelp_rect.top");
      out.Line("        movzx eax, word ptr kelp_lParam+2");
      out.Line("        sub eax, ecx");
      out.Line("        movzx edx, word ptr kelp_lParam");
      out.Line("        invoke MoveWindow, hMdiClient, 0, 0, edx, eax, TRUE");
      out.Line("        pop eax");
      out.Line("    .endif");
    }
    out.Line("    ret");
    out.Line("kelp_FrameDefProc endp");
    out.Line("");
    out.Line("kelp_MakeMdiClient proc kelp_hWin:DWORD");
    out.Line("    LOCAL kelp_ccs:CLIENTCREATESTRUCT");
    out.Line("    mov kelp_ccs.hWindowMenu, NULL");
    out.Line("    mov kelp_ccs.idFirstChild, " + Dec(kFirstMdiChildId));
    out.Line(
        "    invoke CreateWindowExA, WS_EX_CLIENTEDGE, offset kelp_ClassMdiClient, NULL, "
        "WS_CHILD or WS_VISIBLE or WS_CLIPCHILDREN or WS_VSCROLL or WS_HSCROLL, 0, 0, 0, 0, kelp_hWin, NULL, "
        "hInstance, addr kelp_ccs");
    out.Line("    mov hMdiClient, eax");
    out.Line("    ret");
    out.Line("kelp_MakeMdiClient endp");
  }

  void WriteWinMain(Writer& out) {
    out.Line("");
    out.Line("WinMain proc");
    out.Line("    LOCAL kelp_msg:MSG");
    out.Line("    LOCAL kelp_icc:INITCOMMONCONTROLSEX");
    out.Line("    mov kelp_icc.dwSize, sizeof INITCOMMONCONTROLSEX");
    out.Line("    mov kelp_icc.dwICC, ICC_WIN95_CLASSES or ICC_DATE_CLASSES");
    out.Line("    invoke InitCommonControlsEx, addr kelp_icc");
    out.Line("    invoke kelp_Register");
    if (mdi_ != nullptr) out.Line("    invoke " + NamesOfForm(mdi_->number).create);
    if (startup_ != nullptr && startup_ != mdi_)
      out.Line("    invoke " + NamesOfForm(startup_->number).create);
    out.Line("    .while TRUE");
    out.Line("        invoke GetMessageA, addr kelp_msg, NULL, 0, 0");
    out.Line("        .break .if eax == 0 || eax == -1");
    if (mdi_ != nullptr) {
      out.Line("        invoke TranslateMDISysAccel, hMdiClient, addr kelp_msg");
      out.Line("        .continue .if eax != 0");
    }
    out.Line("        invoke TranslateMessage, addr kelp_msg");
    out.Line("        invoke DispatchMessageA, addr kelp_msg");
    out.Line("    .endw");
    out.Line("    invoke kelp_Unregister");
    out.Line("    mov eax, kelp_msg.wParam");
    out.Line("    ret");
    out.Line("WinMain endp");
  }

  // ---- Writing the include

  void WriteInclude() {
    std::string text;
    text.reserve(24576 + idOrder_.size() * 40 + forms_.size() * 300);
    text += "; " + incName_ + ": what " + asmName_ + " declares, with no SDK include file needed.\r\n\r\n";
    AppendWindowsDeclarations(text);
    text += "\r\n; The controls' identifiers\r\n";
    for (const Control* control : idOrder_) text += control->idName + " equ " + Dec(control->ctrlId) + "\r\n";
    text += "\r\n; The program's procedures\r\n";
    text += "WinMain PROTO\r\n";
    text += "kelp_Register PROTO\r\nkelp_Unregister PROTO\r\n";
    if (mdi_ != nullptr) {
      text += "kelp_FrameDefProc PROTO :DWORD, :DWORD, :DWORD, :DWORD\r\nkelp_MakeMdiClient PROTO :DWORD\r\n";
    }
    for (const FormPlan& plan : forms_) {
      text += plan.names.create + " PROTO\r\n";
      text += plan.names.controls + " PROTO :DWORD, :DWORD, :DWORD, :DWORD\r\n";
      text += plan.names.build + " PROTO :DWORD\r\n";
      if (!plan.colours.empty()) text += plan.names.colour + " PROTO :DWORD, :DWORD, :DWORD, :DWORD\r\n";
      text += plan.names.free + " PROTO\r\n";
    }
    result_.files.push_back({incName_, std::move(text)});
  }

  const Project& project_;
  const GenerateOptions& options_;
  GenerateResult result_;
  std::string base_, asmName_, incName_;
  const Form* mdi_ = nullptr;
  const Form* startup_ = nullptr;
  std::unordered_set<std::string> generated_;
  std::unordered_set<std::string> arguments_;  // of the forms' procedures
  std::deque<std::string> skeletons_;          // the texts of forms whose code window was never opened
  std::vector<FormPlan> forms_;
  std::vector<const Control*> idOrder_;
};

std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string CodeWindowLabel(const Project& project, const CodeWindowRef& window) {
  const auto moduleLabel = [&](const std::vector<CodeModule>& modules, const char* prefix) {
    for (const CodeModule& module : modules) {
      if (module.number == window.moduleNumber) {
        return module.name.empty() ? prefix + std::to_string(module.number) : module.name;
      }
    }
    return prefix + std::to_string(window.moduleNumber);
  };
  switch (window.kind) {
    case CodeWindowRef::Kind::kModule:
      return moduleLabel(project.modules, "Module");
    case CodeWindowRef::Kind::kClassModule:
      return moduleLabel(project.classModules, "Class");
    case CodeWindowRef::Kind::kForm:
    case CodeWindowRef::Kind::kControl:
      break;
  }
  const Form* form = FindForm(project, window.formNumber);
  if (form == nullptr) return "Form" + std::to_string(window.formNumber);
  const std::string label = FormLabel(project, *form);
  if (window.kind == CodeWindowRef::Kind::kForm) return label + std::string(kCodeTitleSuffix);
  if (window.controlIndex >= form->controls.size()) return label;
  return label + "." + ControlShortName(form->controls[window.controlIndex]);
}

std::optional<SourceLine> LineMap::Find(std::string_view file, std::uint32_t line) const {
  const std::string_view name = FileNameOf(file);
  for (const LineSpan& span : spans) {
    if (line < span.firstLine || line >= span.firstLine + span.lineCount || !SameWord(span.file, name))
      continue;
    return SourceLine{span.window, span.firstWindowLine + (line - span.firstLine)};
  }
  return std::nullopt;
}

std::optional<SourceLine> MapGeneratedLine(const GenerateResult& result, std::string_view file,
                                           std::uint32_t line) {
  return result.lineMap.Find(file, line);
}

GenerateResult GenerateProgram(const Project& project, const GenerateOptions& options) {
  return Generator(project, options).Run();
}

}  // namespace kelp
