// The programs made of the sample projects, run as a user runs them: each
// is assembled by JWasm alone (-pe, as kelp.exe's Make can ask of it), then
// started; the test reads back what is on screen (the windows of the
// design, with their classes, places, sizes, captions and identifiers),
// clicks where a user would, and closes the window, after which the program
// must end with exit code 0. 32-bit only: 64-bit Wine here cannot start the
// 32-bit programs.
#include <windows.h>

#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "core/placement_table.h"
#include "core/program_generator.h"
#include "harness.h"
#include "kelp32.h"
#include "kelp_process.h"
#include "program_samples.h"

namespace kelp::test {
namespace {

constexpr DWORD kProgramWaitMs = 60000;

// What a made control's window is: its class, and whether its caption and
// its height are the design's (combo boxes and the calendar size themselves;
// list boxes keep to whole items; a status bar docks at the bottom).
struct MadeKind {
  std::uint32_t kind;
  const char* className;
  bool caption;
  bool place;
  bool height;
};
constexpr MadeKind kMadeKinds[] = {
    {KIND_LABEL, "Static", true, true, true},
    {KIND_TEXTBOX, "Edit", true, true, true},
    {KIND_GROUPBOX, "Button", true, true, true},
    {KIND_BUTTON, "Button", true, true, true},
    {KIND_CHECKBOX, "Button", true, true, true},
    {KIND_OPTIONBUTTON, "Button", true, true, true},
    {KIND_COMBOBOX, "ComboBox", false, true, false},
    {KIND_LISTBOX, "ListBox", false, true, false},
    {KIND_HSCROLLBAR, "ScrollBar", false, true, true},
    {KIND_VSCROLLBAR, "ScrollBar", false, true, true},
    {KIND_DRIVELISTBOX, "ComboBox", false, true, false},
    {KIND_DIRLISTBOX, "ListBox", false, true, false},
    {KIND_FILELISTBOX, "ListBox", false, true, false},
    {KIND_IMAGEBOX, "Static", false, true, true},
    {KIND_CALENDAR, "SysMonthCal32", false, true, false},
    {KIND_TRACKBAR, "msctls_trackbar32", false, true, true},
    {KIND_PROGRESSBAR, "msctls_progress32", false, true, true},
    {KIND_STATUSBAR, "msctls_statusbar32", true, false, false},
};

const MadeKind* MadeKindOf(std::uint32_t kind) {
  for (const MadeKind& made : kMadeKinds) {
    if (made.kind == kind) return &made;
  }
  return nullptr;  // a timer has no window
}

// WM_GETTEXT: from another process GetWindowText reads only what the
// window's own default handling keeps, which an edit control never sets.
std::string TextOf(HWND window) {
  char text[1024] = {};
  ::SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
  return text;
}

// A sample's program, made and started; ended when the test is done.
class MadeProgram {
 public:
  explicit MadeProgram(const samples::Sample& sample) : folder_(FreshFolder("made-" + sample.name)) {
    const GenerateResult result = GenerateProgram(sample.project, {sample.name});
    if (!result.ok) return;
    for (const GeneratedFile& file : result.files) {
      std::ofstream(folder_ + "\\" + file.name, std::ios::binary) << file.bytes;
    }
    const std::string exe = sample.name + ".exe";
    if (Run("\"" + TestJwasm() + "\" -q -pe -Fo\"" + exe + "\" \"" + sample.name + ".asm\"", 120000) != 0) return;
    Start("\"" + folder_ + "\\" + exe + "\"");
  }
  ~MadeProgram() {
    if (process_.hProcess == nullptr) return;
    ::TerminateProcess(process_.hProcess, 9);
    ::WaitForSingleObject(process_.hProcess, 10000);
    ::CloseHandle(process_.hProcess);
    ::CloseHandle(process_.hThread);
  }
  MadeProgram(const MadeProgram&) = delete;
  MadeProgram& operator=(const MadeProgram&) = delete;

  bool Started() const { return process_.hProcess != nullptr; }
  HWND Shows(const char* title) const { return FindTopLevel(process_.dwProcessId, nullptr, title); }
  HWND AwaitWindow(const char* title) const {
    HWND found = nullptr;
    PumpUntil([&] { return (found = Shows(title)) != nullptr; }, kProgramWaitMs);
    return found;
  }
  // Closes the window as its close box does; the program's exit code.
  DWORD CloseAndAwaitExit(HWND window) {
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    PumpUntil([&] { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }, kProgramWaitMs);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  // Runs a tool in the sample's folder to its end; its exit code.
  DWORD Run(std::string command, DWORD timeoutMs) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION tool{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                          folder_.c_str(), &startup, &tool)) {
      return ~0u;
    }
    DWORD code = ~0u;
    if (::WaitForSingleObject(tool.hProcess, timeoutMs) == WAIT_OBJECT_0) ::GetExitCodeProcess(tool.hProcess, &code);
    ::CloseHandle(tool.hProcess);
    ::CloseHandle(tool.hThread);
    return code;
  }
  void Start(std::string command) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                          &process_)) {
      process_ = {};
    }
  }

  std::string folder_;
  PROCESS_INFORMATION process_{};
};

// Every control of the form is a window of the program with the design's
// class, identifier, place, size and caption (where the kind keeps them),
// or the text the program's own code gave it (by identifier).
void ExpectControlsOf(const Form& form, HWND window, const std::map<std::uint32_t, std::string>& textsOfCode = {}) {
  for (const Control& control : form.controls) {
    const MadeKind* made = MadeKindOf(control.kind);
    if (made == nullptr) continue;
    SCOPED_TRACE(control.name);
    HWND shown = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (shown = ::GetDlgItem(window, static_cast<int>(control.ctrlId))) != nullptr; },
                          kProgramWaitMs))
        << "a window with the identifier " << control.idName << " = " << control.ctrlId;
    EXPECT_STRCASEEQ(ClassNameOf(shown).c_str(), made->className);
    if (made->place) {
      const RECT place = RectInParent(shown);
      EXPECT_EQ(place.left, control.left);
      EXPECT_EQ(place.top, control.top);
      EXPECT_EQ(place.right - place.left, control.width);
      if (made->height) {
        EXPECT_EQ(place.bottom - place.top, control.height);
      }
    }
    const auto code = textsOfCode.find(control.ctrlId);
    if (code != textsOfCode.end()) {
      EXPECT_EQ(TextOf(shown), code->second) << "the form's WM_CREATE code gave it its text";
    } else if (made->caption) {
      EXPECT_EQ(TextOf(shown), control.caption);
    }
  }
}

class MadePrograms : public ::testing::Test {
 protected:
  void SetUp() override {
    if (TestJwasm().empty()) GTEST_SKIP() << "skipped: no JWasm built for Windows (../shared/tools is absent)";
    if (!Is32Bit()) GTEST_SKIP() << "the 64-bit Wine here cannot start the 32-bit programs: run on 32-bit";
  }
};

// Every kind with every property changed: captions of every byte and of the
// longest length, identifiers, styles, extended styles, fonts and colours.
TEST_F(MadePrograms, EveryKindWithEveryPropertyChangedIsOnScreenAsDesigned) {
  const Project project = samples::EveryKindProject();
  const Form& form = project.forms.front();
  MadeProgram program({"EveryKind", project});
  ASSERT_TRUE(program.Started());
  HWND window = program.AwaitWindow(form.caption.c_str());
  ASSERT_NE(window, nullptr) << "the made program's window, titled as designed";
  // Its WM_CREATE code gives the third text box the text of a module's data.
  std::map<std::uint32_t, std::string> textsOfCode;
  for (const Control& control : form.controls) {
    if (control.name == "hCtlEditbox3") textsOfCode[control.ctrlId] = "Hello, \"world\"";
  }
  ASSERT_EQ(textsOfCode.size(), 1u);
  ExpectControlsOf(form, window, textsOfCode);
  for (const Control& control : form.controls) {
    HWND shown = ::GetDlgItem(window, static_cast<int>(control.ctrlId));
    if (shown == nullptr) continue;
    SCOPED_TRACE(control.name);
    const auto style = static_cast<DWORD>(::GetWindowLongA(shown, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongA(shown, GWL_EXSTYLE));
    EXPECT_EQ(style & WS_TABSTOP, static_cast<DWORD>(WS_TABSTOP));
    EXPECT_EQ(exStyle & WS_EX_STATICEDGE, static_cast<DWORD>(WS_EX_STATICEDGE));
    EXPECT_EQ(::IsWindowEnabled(shown) == FALSE, control.kind == KIND_CHECKBOX) << "only the check box is disabled";
  }
  EXPECT_EQ(program.CloseAndAwaitExit(window), 0u);
}

// A button of the startup form asks for another form; that form's own code
// runs as it is made.
TEST_F(MadePrograms, AButtonShowsTheFormItsHandlerAsksFor) {
  const Project project = samples::SeveralFormsProject();
  MadeProgram program({"SeveralForms", project});
  ASSERT_TRUE(program.Started());
  HWND start = program.AwaitWindow("The start");
  ASSERT_NE(start, nullptr);
  ExpectControlsOf(project.forms[1], start);
  EXPECT_EQ(program.Shows("Form1"), nullptr) << "a form nobody asked for is not made";
  HWND show = ::GetDlgItem(start, static_cast<int>(project.forms[1].controls[0].ctrlId));
  ::PostMessageA(show, BM_CLICK, 0, 0);
  HWND shown = program.AwaitWindow("Shown by Form2");
  ASSERT_NE(shown, nullptr) << "the button's handler made Form3 and titled it";
  ExpectControlsOf(project.forms[2], shown, {{project.forms[2].controls[1].ctrlId, "Shown by Form2"}});
  EXPECT_EQ(program.CloseAndAwaitExit(start), 0u);
}

// Handler code calling procedures of the modules, with a structure of a
// class module.
TEST_F(MadePrograms, HandlersCallTheModulesCode) {
  const Project project = samples::ModulesProject();
  const Form& form = project.forms.front();
  MadeProgram program({"Modules", project});
  ASSERT_TRUE(program.Started());
  HWND window = program.AwaitWindow("Form1");
  ASSERT_NE(window, nullptr);
  ExpectControlsOf(form, window);
  HWND count = ::GetDlgItem(window, static_cast<int>(form.controls[0].ctrlId));
  HWND label = ::GetDlgItem(window, static_cast<int>(form.controls[1].ctrlId));
  ::PostMessageA(count, BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return TextOf(label) == "Clicked 1 times"; }, kProgramWaitMs)) << TextOf(label);
  ::PostMessageA(count, BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return TextOf(label) == "Clicked 2 times"; }, kProgramWaitMs)) << TextOf(label);
  EXPECT_EQ(program.CloseAndAwaitExit(window), 0u);
}

// An MDI project makes an MDI program: the frame with its status bar, and
// the child forms inside its client.
TEST_F(MadePrograms, AnMdiProjectMakesAnMdiProgram) {
  const Project project = samples::MdiProject();
  MadeProgram program({"Mdi", project});
  ASSERT_TRUE(program.Started());
  HWND frame = program.AwaitWindow("MDI frame");
  ASSERT_NE(frame, nullptr);
  ExpectControlsOf(project.forms[0], frame);
  HWND client = ::FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  ASSERT_NE(client, nullptr);
  HWND child = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (child = ::FindWindowExA(client, nullptr, nullptr, "First child")) != nullptr; },
                        kProgramWaitMs))
      << "the startup form is a child of the frame";
  ExpectControlsOf(project.forms[1], child);
  HWND third = ::FindWindowExA(client, nullptr, nullptr, "Form3");
  ASSERT_NE(third, nullptr) << "made by the frame's own WM_CREATE code";
  ExpectControlsOf(project.forms[2], third);
  EXPECT_EQ(program.CloseAndAwaitExit(frame), 0u);
}

}  // namespace
}  // namespace kelp::test
