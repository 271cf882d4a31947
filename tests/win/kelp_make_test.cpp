// Make and Run in kelp.exe: the settings a user must give, the program made
// with a real assembler (JWasm, built for Windows from ../shared/tools),
// an assembly error followed back to its code window and line, and the made
// program run (32-bit only: 64-bit Wine here cannot start 32-bit programs).
#include <windows.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "core/project_store.h"
#include "harness.h"
#include "kelp32.h"
#include "kelp_process.h"
#include "main_frame.h"
#include "output_window.h"
#include "win_file_system.h"

namespace kelp::test {
namespace {

using host::WinFileSystem;

// Every line of kelp.exe's Output window.
std::vector<std::string> OutputLines(HWND frame) {
  std::vector<std::string> lines;
  HWND output = ::FindWindowExA(frame, nullptr, host::kOutputClassName, nullptr);
  HWND list = ::FindWindowExA(output, nullptr, "ListBox", nullptr);
  const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  // From another process the list's texts come through in UTF-16 only.
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t wide[2048] = {};
    if (::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < 2048) {
      ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    }
    char text[4096] = {};
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
    lines.emplace_back(text);
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += line + "\n";
  return all;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

// Form1 with a button whose handler block does what `handler` says.
std::string WriteButtonProject(const std::string& name, const std::string& handler) {
  const std::string folder = FreshFolder(name);
  Project project;
  Form form = DefaultForm(1);
  form.width = 320;
  form.height = 200;
  form.frame = WindowPlace{10, 10, 340, 240};
  Control button = DefaultControl(KIND_BUTTON, 0);
  button.caption = "Say Hello";
  button.left = 20;
  button.top = 30;
  button.width = 120;
  button.height = 30;
  button.code = ";-----------------------------------------------\r\n"
                ";TODO: Place code here for this Click action.\r\n"
                ";-----------------------------------------------\r\n"
                "        .if wParam == IDC_BUTTON0\r\n" +
                handler +
                "        .endif\r\n";
  form.controls.push_back(button);
  project.forms.push_back(form);
  project.formCounter = 1;
  WinFileSystem files(folder);
  EXPECT_TRUE(SaveProject(files, "Hello.kproj", project).ok);
  return folder;
}

// kelp.exe on a project, with Make's settings as given (none: no file).
class KelpMaking {
 public:
  KelpMaking(const std::string& folder, const std::string& name, const std::string& settingsText)
      : settings_(FreshFolder(name + "-settings")) {
    if (!settingsText.empty()) WriteFile(settings_ + "\\make.ini", settingsText);
    ::SetEnvironmentVariableA("KELP_SETTINGS_FOLDER", settings_.c_str());
    kelp_ = std::make_unique<KelpProcess>("\"" + folder + "\\Hello.kproj\"", FreshFolder(name + "-recovery"));
    ::SetEnvironmentVariableA("KELP_SETTINGS_FOLDER", nullptr);
  }
  KelpProcess& Kelp() { return *kelp_; }
  const std::string& SettingsFolder() const { return settings_; }
  // Until the frame's title names the project.
  bool AwaitProject() {
    return PumpUntil([&] { return kelp_->Title() == "Hello - Kelp - MASM Visual Designer"; }, 60000);
  }
  // F7, and the Output window once Make has ended (made or not).
  std::vector<std::string> Make() {
    kelp_->Command(host::kMakeCommand, 120000);
    return OutputLines(kelp_->Frame());
  }

 private:
  std::string settings_;
  std::unique_ptr<KelpProcess> kelp_;
};

// Make's settings naming JWasm -pe.
std::string JwasmSettings() { return "Assemble = \"" + TestJwasm() + "\" -q -pe -Fo\"{program}\" \"{source}\"\r\n"; }

// Double-clicks a line of the Output window; the editor of the code window
// it opened, or null.
HWND OpenOutputLine(KelpProcess& kelp, int line, const char* codeWindowTitle) {
  HWND output = ::FindWindowExA(kelp.Frame(), nullptr, host::kOutputClassName, nullptr);
  HWND list = ::FindWindowExA(output, nullptr, "ListBox", nullptr);
  ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
  ::SendMessageA(output, WM_COMMAND, MAKEWPARAM(100, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
  HWND client = ::FindWindowExA(kelp.Frame(), nullptr, "MDIClient", nullptr);
  HWND code = nullptr;
  PumpUntil([&] {
    code = ::FindWindowExA(client, nullptr, KELP32_CODE_WINDOW_CLASS, codeWindowTitle);
    return code != nullptr && ::IsWindowVisible(code);
  }, 30000);
  return code != nullptr ? ::GetDlgItem(code, IDC_CODE_EDITOR) : nullptr;
}

bool Says(const std::vector<std::string>& lines, const std::string& part) {
  for (const std::string& line : lines) {
    if (line.find(part) != std::string::npos) return true;
  }
  return false;
}

TEST(KelpMake, WithoutSettingsMakeSaysWhatToSetAndWhere) {
  KelpMaking kelp(WriteButtonProject("make-unset", ""), "make-unset", "");
  ASSERT_TRUE(kelp.AwaitProject()) << kelp.Kelp().Showing();
  kelp.Kelp().PostCommand(host::kMakeCommand);
  HWND box = kelp.Kelp().AwaitMessageBox();
  ASSERT_NE(box, nullptr);
  const std::string text = KelpProcess::MessageText(box);
  EXPECT_NE(text.find("set Assemble"), std::string::npos) << text;
  EXPECT_NE(text.find("make.ini"), std::string::npos) << text;
  KelpProcess::Answer(box, IDOK);
  EXPECT_EQ(FilesIn(kelp.SettingsFolder()).count("make.ini"), 1u) << "a template to fill in";
  kelp.Kelp().Kill();
}

TEST(KelpMake, F7MakesTheProgramAndF5RunsIt) {
  if (TestJwasm().empty()) GTEST_SKIP() << "skipped: no JWasm built for Windows (../shared/tools is absent)";
  // The handler gives the window the button's own caption as its title.
  const std::string folder = WriteButtonProject(
      "make-run", "            invoke GetWindowText, lParam, addr gClicked, 64\r\n"
                  "            invoke SetWindowText, hWin, addr gClicked\r\n");
  // A module holds the handler's buffer.
  {
    WinFileSystem files(folder);
    Project project = *OpenProject(files, "Hello.kproj").project;
    project.modules.push_back({1, "Module1", ".data?\r\ngClicked db 64 dup (?)\r\n", true});
    project.moduleCounter = 1;
    ASSERT_TRUE(SaveProject(files, "Hello.kproj", project).ok);
  }
  KelpMaking made(folder, "make-run", JwasmSettings());
  ASSERT_TRUE(made.AwaitProject()) << made.Kelp().Showing();
  const std::vector<std::string> lines = made.Make();
  ASSERT_TRUE(Says(lines, "Made ")) << Joined(lines);
  EXPECT_EQ(FilesIn(folder).count("Hello.exe"), 1u);
  EXPECT_EQ(FilesIn(folder + "\\build").count("Hello.asm"), 1u);
  if (!Is32Bit()) GTEST_SKIP() << "the 64-bit Wine here cannot start the 32-bit program: Run is tested on 32-bit";

  made.Kelp().PostCommand(host::kRunCommand);
  HWND program = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (program = ::FindWindowA(nullptr, "Form1")) != nullptr; }, 60000))
      << "the made program's window";
  HWND button = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (button = ::FindWindowExA(program, nullptr, "Button", "Say Hello")) != nullptr; },
                        30000))
      << "with the drawn button";
  RECT place{};
  ::GetWindowRect(button, &place);
  ::MapWindowPoints(nullptr, program, reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.right - place.left, 120);
  ::PostMessageA(button, BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return WindowText(program) == "Say Hello"; }, 30000)) << "its handler ran";
  // Make is refused while the program runs.
  made.Kelp().PostCommand(host::kMakeCommand);
  HWND refusal = made.Kelp().AwaitMessageBox();
  ASSERT_NE(refusal, nullptr);
  EXPECT_NE(KelpProcess::MessageText(refusal).find("still running"), std::string::npos);
  KelpProcess::Answer(refusal, IDOK);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(program, &processId);
  ::PostMessageA(program, WM_CLOSE, 0, 0);
  HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  ASSERT_NE(process, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 30000))
      << "the program ends when its window closes";
  DWORD code = 1;
  ::GetExitCodeProcess(process, &code);
  EXPECT_EQ(code, 0u);
  ::CloseHandle(process);
  made.Kelp().Kill();
}

TEST(KelpMake, AnAssemblyErrorLeadsToItsLineInItsCodeWindow) {
  if (TestJwasm().empty()) GTEST_SKIP() << "skipped: no JWasm built for Windows (../shared/tools is absent)";
  const std::string folder = WriteButtonProject("make-error", "            mov eax,, 1\r\n");
  KelpMaking made(folder, "make-error", JwasmSettings());
  ASSERT_TRUE(made.AwaitProject()) << made.Kelp().Showing();
  const std::vector<std::string> lines = made.Make();
  int errorLine = -1;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("Form1.Button0, line 5: ", 0) == 0) errorLine = static_cast<int>(i);
  }
  ASSERT_GE(errorLine, 0) << "the error named with the button's code window and line:\n" << Joined(lines);
  EXPECT_FALSE(Says(lines, "Made ")) << Joined(lines);
  // A double-click on the line: the button's code window, line 5 selected.
  HWND editor = OpenOutputLine(made.Kelp(), errorLine, "Say Hello (Code)");
  ASSERT_NE(editor, nullptr);
  const LRESULT lineStart = ::SendMessageA(editor, EM_LINEINDEX, 4, 0);
  const LRESULT selection = ::SendMessageA(editor, EM_GETSEL, 0, 0);
  EXPECT_EQ(LOWORD(selection), lineStart) << "the selection starts at line 5";
  EXPECT_GT(HIWORD(selection), LOWORD(selection));
  made.Kelp().Kill();
}

// Settings naming an assembler that is not there.
constexpr char kMissingAssembler[] = "Assemble = \"Z:\\nowhere\\ml.exe\" -Fo\"{program}\" \"{source}\"\r\n";

// Code that cannot be placed stops Make before any assembler runs (the
// one set here does not exist), and its line leads to its code window.
TEST(KelpMake, CodeThatCannotBePlacedStopsMakeBeforeTheAssemblerAtItsLine) {
  KelpMaking made(WriteButtonProject("make-unplaced", "            .endif\r\n"), "make-unplaced", kMissingAssembler);
  ASSERT_TRUE(made.AwaitProject()) << made.Kelp().Showing();
  KelpProcess& kelp = made.Kelp();
  const std::vector<std::string> lines = made.Make();
  EXPECT_TRUE(Says(lines, "Make stopped before the assembler")) << Joined(lines);
  int problem = -1;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("Form1.Button0, line 6: ", 0) == 0) problem = static_cast<int>(i);
  }
  ASSERT_GE(problem, 0) << "the unmatched .endif named with its code window and line:\n" << Joined(lines);
  EXPECT_EQ(kelp.AwaitMessageBox(0), nullptr) << "the missing assembler was never started";
  HWND editor = OpenOutputLine(kelp, problem, "Say Hello (Code)");
  ASSERT_NE(editor, nullptr);
  const LRESULT selection = ::SendMessageA(editor, EM_GETSEL, 0, 0);
  EXPECT_EQ(LOWORD(selection), ::SendMessageA(editor, EM_LINEINDEX, 5, 0)) << "the selection starts at line 6";
  kelp.Kill();
}

// An assembler that cannot be started is named, with where to set it.
TEST(KelpMake, AnAssemblerThatCannotStartSaysWhereItIsSet) {
  KelpMaking made(WriteButtonProject("make-missing", ""), "make-missing", kMissingAssembler);
  ASSERT_TRUE(made.AwaitProject()) << made.Kelp().Showing();
  KelpProcess& kelp = made.Kelp();
  kelp.PostCommand(host::kMakeCommand);
  HWND box = kelp.AwaitMessageBox();
  ASSERT_NE(box, nullptr);
  const std::string text = KelpProcess::MessageText(box);
  EXPECT_NE(text.find("could not start the assembler"), std::string::npos) << text;
  EXPECT_NE(text.find("make.ini"), std::string::npos) << text;
  EXPECT_NE(text.find("nowhere"), std::string::npos) << "the command it tried: " << text;
  KelpProcess::Answer(box, IDOK);
  kelp.Kill();
}

// What the made program's window for each kind holds: its class, and
// whether its caption and its height are the design's (combo boxes and the
// calendar size themselves; list boxes keep to whole items, as Windows
// makes them unless LBS_NOINTEGRALHEIGHT is in their style).
struct MadeKind {
  std::uint32_t kind;
  const char* className;
  bool caption;
  bool height;
};
constexpr MadeKind kMadeKinds[] = {
    {KIND_LABEL, "Static", true, true},          {KIND_TEXTBOX, "Edit", true, true},
    {KIND_GROUPBOX, "Button", true, true},       {KIND_BUTTON, "Button", true, true},
    {KIND_CHECKBOX, "Button", true, true},       {KIND_OPTIONBUTTON, "Button", true, true},
    {KIND_COMBOBOX, "ComboBox", false, false},   {KIND_LISTBOX, "ListBox", false, false},
    {KIND_HSCROLLBAR, "ScrollBar", false, true}, {KIND_VSCROLLBAR, "ScrollBar", false, true},
    {KIND_DRIVELISTBOX, "ComboBox", false, false}, {KIND_DIRLISTBOX, "ListBox", false, false},
    {KIND_FILELISTBOX, "ListBox", false, false},  {KIND_IMAGEBOX, "Static", false, true},
    {KIND_CALENDAR, "SysMonthCal32", false, false}, {KIND_TRACKBAR, "msctls_trackbar32", false, true},
    {KIND_PROGRESSBAR, "msctls_progress32", false, true},
};

TEST(KelpMake, TheRunProgramHasEveryControlOfTheDesignWhereItWasDrawn) {
  if (TestJwasm().empty()) GTEST_SKIP() << "skipped: no JWasm built for Windows (../shared/tools is absent)";
  if (!Is32Bit()) GTEST_SKIP() << "the 64-bit Wine here cannot start the 32-bit program: tested on 32-bit";
  const std::string folder = FreshFolder("make-every-kind");
  Project project;
  Form form = DefaultForm(1);
  form.width = 640;
  form.height = 480;
  int slot = 0;
  for (const MadeKind& made : kMadeKinds) {
    Control control = DefaultControl(made.kind, 0);
    control.left = 10 + (slot % 4) * 150;
    control.top = 10 + (slot / 4) * 90;
    control.width = 130;
    control.height = 60;
    form.controls.push_back(control);
    ++slot;
  }
  project.forms.push_back(form);
  project.formCounter = 1;
  {
    WinFileSystem files(folder);
    ASSERT_TRUE(SaveProject(files, "Hello.kproj", project).ok);
  }
  KelpMaking made(folder, "make-every-kind", JwasmSettings());
  ASSERT_TRUE(made.AwaitProject()) << made.Kelp().Showing();
  const std::vector<std::string> lines = made.Make();
  ASSERT_TRUE(Says(lines, "Made ")) << Joined(lines);
  made.Kelp().PostCommand(host::kRunCommand);
  HWND program = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (program = ::FindWindowA(nullptr, "Form1")) != nullptr; }, 60000));
  for (const Control& control : form.controls) {
    const MadeKind& kind = kMadeKinds[&control - form.controls.data()];
    SCOPED_TRACE(std::string(KindPrefix(control.kind)) + "0");
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = ::GetDlgItem(program, static_cast<int>(control.ctrlId))) != nullptr; },
                          30000))
        << "a window with the identifier " << control.idName << " = " << control.ctrlId;
    EXPECT_STRCASEEQ(ClassNameOf(window).c_str(), kind.className);
    const RECT place = RectInParent(window);
    EXPECT_EQ(place.left, control.left);
    EXPECT_EQ(place.top, control.top);
    EXPECT_EQ(place.right - place.left, control.width);
    if (kind.height) {
      EXPECT_EQ(place.bottom - place.top, control.height);
    }
    // WM_GETTEXT: from another process GetWindowText reads only what the
    // window's own default handling keeps, which an edit control never sets.
    char text[300] = {};
    ::SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    if (kind.caption) {
      EXPECT_EQ(std::string(text), control.caption);
    }
  }
  ::PostMessageA(program, WM_CLOSE, 0, 0);
  made.Kelp().Kill();
}

}  // namespace
}  // namespace kelp::test
