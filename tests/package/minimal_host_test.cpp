// docs/examples/minimal_host.c, built against the installed headers and
// import libraries, started as a user starts it and used from outside its
// process: its first form is on screen with the dotted design surface, the
// library's tool windows sit in its frame, "&Add Module" opens Module1,
// "&Save Project" (the host's own command) writes the module's text,
// "&Paste" chosen with real input from an editor's context menu reaches the
// editor through the host's MDI client, and closing the frame ends the host
// with exit code 0.
// Usage: win_minimal_host_tests.exe <host.exe>... (Unix or Windows paths)
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"
#include "kelp32.h"

namespace kelp::test {
namespace {

std::vector<std::string> gHosts;

constexpr DWORD kPatience = 30000;  // ms for anything the host must do
constexpr char kHostClass[] = "MinimalKelpHost_Class";
constexpr char kModuleText[] = "invoke ExitProcess, 0";
constexpr char kPastedText[] = "; pasted from the clipboard";
constexpr int kGridPitch = 8;

std::string WindowsPath(std::string path) {
  if (!path.empty() && path.front() == '/') {
    for (char& c : path) c = c == '/' ? '\\' : c;
    path = "Z:" + path;
  }
  return path;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The host under test: started in its own folder, killed if a test leaves
// it running.
class HostProcess {
 public:
  explicit HostProcess(const std::string& path) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + path + "\"";
    started_ = ::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                FolderOf(path).c_str(), &startup, &info_) != FALSE;
  }
  ~HostProcess() {
    if (!started_) return;
    if (::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(info_.hProcess, 99);
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
  }
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  bool started() const { return started_; }
  bool running() const { return ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  DWORD id() const { return info_.dwProcessId; }
  // The exit code once the host has ended within the patience, else none.
  bool Ended(DWORD& exitCode) const {
    if (::WaitForSingleObject(info_.hProcess, kPatience) != WAIT_OBJECT_0) return false;
    return ::GetExitCodeProcess(info_.hProcess, &exitCode) != FALSE;
  }

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

// Waits for a condition about the other process, handling our own messages
// meanwhile; false once the patience is spent or the host has ended.
bool Eventually(const HostProcess& host, const std::function<bool()>& condition) {
  return PumpUntil([&] { return condition() || !host.running(); }, kPatience) && condition();
}

HWND FrameOf(const HostProcess& host) {
  HWND frame = nullptr;
  while ((frame = ::FindWindowExA(nullptr, frame, kHostClass, nullptr)) != nullptr) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(frame, &owner);
    if (owner == host.id()) return frame;
  }
  return nullptr;
}

// A pop-up menu (class "#32768") the host shows.
HWND OpenMenuOf(const HostProcess& host) {
  HWND menu = nullptr;
  while ((menu = ::FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(menu, &owner);
    if (owner == host.id() && ::IsWindowVisible(menu)) return menu;
  }
  return nullptr;
}

bool PutOnClipboard(const char* text) {
  if (!::OpenClipboard(nullptr)) return false;
  ::EmptyClipboard();
  const SIZE_T size = std::strlen(text) + 1;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (block != nullptr) {
    std::memcpy(::GlobalLock(block), text, size);
    ::GlobalUnlock(block);
    if (::SetClipboardData(CF_TEXT, block) == nullptr) ::GlobalFree(block);
  }
  ::CloseClipboard();
  return block != nullptr;
}

HWND CodeWindow(HWND client, const char* title) {
  return ::FindWindowExA(client, nullptr, KELP32_CODE_WINDOW_CLASS, title);
}

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kPatience, &result);
  return static_cast<LRESULT>(result);
}

// The text of a control of the other process (GetWindowText would not ask it).
std::string EditorText(HWND editor) {
  char text[KELP32_TEXT_SIZE] = {};
  SendWithin(editor, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
  return text;
}

void DriveHost(const std::string& path) {
  const std::string folder = FolderOf(path);
  const std::string savedModule = folder + "\\Module1.asm";
  ::DeleteFileA(savedModule.c_str());
  HostProcess host(path);
  ASSERT_TRUE(host.started()) << "cannot start " << path << " (error " << ::GetLastError() << ")";

  // The first form, inside the frame's MDI client, with its design surface.
  HWND frame = nullptr, client = nullptr, form = nullptr, surface = nullptr;
  ASSERT_TRUE(Eventually(host, [&] {
    frame = FrameOf(host);
    client = frame ? ::FindWindowExA(frame, nullptr, "MDICLIENT", nullptr) : nullptr;
    form = client ? ::FindWindowExA(client, nullptr, KELP32_FORM_FRAME_CLASS, nullptr) : nullptr;
    HWND panel = form ? ::FindWindowExA(form, nullptr, KELP32_FORM_PANEL_CLASS, nullptr) : nullptr;
    surface = panel ? ::FindWindowExA(panel, nullptr, KELP32_FORM_SURFACE_CLASS, nullptr) : nullptr;
    return surface != nullptr && ::IsWindowVisible(form);
  })) << "no form came up in the host's MDI client";
  EXPECT_EQ(WindowText(form), "Project1 - Form1 (Form)");
  EXPECT_EQ(WindowText(frame), "Minimal Kelp32 Host");
  EXPECT_NE(::GetMenu(frame), nullptr) << "the library's menu bar is not on the frame";
  for (const char* title : {"Tools", "Projects", "Properties", "Form Layout"}) {
    HWND window = ::FindWindowExA(frame, nullptr, nullptr, title);
    EXPECT_TRUE(window != nullptr && ::IsWindowVisible(window)) << "no " << title << " window in the frame";
  }
  // The design surface as the screen shows it, as far as the form shows it:
  // the button face, dotted black every kGridPitch pixels (a screen that
  // showed nothing of the other process would be all one colour).
  RECT surfacePlace = ScreenRect(surface);
  for (HWND clip : {::GetParent(surface), form, client}) {  // the part not hidden by a smaller parent
    RECT inside{};
    ::GetClientRect(clip, &inside);
    ::MapWindowPoints(clip, nullptr, reinterpret_cast<POINT*>(&inside), 2);
    ::IntersectRect(&surfacePlace, &surfacePlace, &inside);
  }
  const RECT wholeSurface = {0, 0, surfacePlace.right - surfacePlace.left, surfacePlace.bottom - surfacePlace.top};
  const int area = wholeSurface.right * wholeSurface.bottom;
  const int expectedDots = area / (kGridPitch * kGridPitch);
  int dots = 0, face = 0;
  EXPECT_TRUE(Eventually(host, [&] {
    const Pixels shown = Pixels::OfScreen(surfacePlace);
    dots = shown.Count(RGB(0, 0, 0), wholeSurface);
    face = shown.Count(::GetSysColor(COLOR_BTNFACE), wholeSurface);
    return dots >= expectedDots / 2 && dots <= expectedDots * 2 && face >= area - 2 * expectedDots;
  })) << "the design surface shows " << dots << " black and " << face << " button-face pixels of " << area
      << ", not the grid's " << expectedDots << " dots on the button face";

  // The library's "&Add Module", then the host's "&Save Project" on it.
  ::PostMessageA(frame, WM_COMMAND, IDM_ADDMODULE, 0);
  HWND module = nullptr, editor = nullptr;
  ASSERT_TRUE(Eventually(host, [&] {
    module = CodeWindow(client, "Module1 (Code)");
    editor = module ? ::GetDlgItem(module, IDC_CODE_EDITOR) : nullptr;
    return editor != nullptr;
  })) << "\"&Add Module\" opened no Module1 (Code) with its editor";
  SendWithin(module, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kModuleText));
  ::PostMessageA(frame, WM_COMMAND, IDM_SAVEPROJECT, 0);
  EXPECT_TRUE(Eventually(host, [&] { return FileText(savedModule) == kModuleText; }))
      << "\"&Save Project\" wrote \"" << FileText(savedModule) << "\" to " << savedModule;

  // "&Paste" from the editor's context menu, chosen with real input: the
  // command goes to the MDI client, which the host hands on to a code window.
  ASSERT_TRUE(PutOnClipboard(kPastedText));
  ::SetForegroundWindow(frame);
  const POINT middle = Centre(ScreenRect(editor));
  MoveMouseTo(middle);
  ASSERT_TRUE(Eventually(host, [&] { return ::WindowFromPoint(middle) == editor; }))
      << "the editor is not under the mouse";
  RightClick(middle);
  ASSERT_TRUE(Eventually(host, [&] { return OpenMenuOf(host) != nullptr; }))
      << "no context menu came up on the editor";
  PressKey('P');
  EXPECT_TRUE(Eventually(host, [&] { return OpenMenuOf(host) == nullptr; }))
      << "the context menu is still open";
  EXPECT_TRUE(Eventually(host, [&] { return EditorText(editor).find(kPastedText) != std::string::npos; }))
      << "the editor holds \"" << EditorText(editor) << "\" after Paste";

  // Closing the frame: the library shuts down and the host's loop ends.
  ::PostMessageA(frame, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  ASSERT_TRUE(host.Ended(exitCode)) << "the host is still running after its frame was closed";
  EXPECT_EQ(exitCode, 0u);
  ::DeleteFileA(savedModule.c_str());
}

TEST(MinimalHost, OpensAFormAndFollowsTheHostContract) {
  ASSERT_FALSE(gHosts.empty()) << "name the host executables on the command line";
  for (const std::string& host : gHosts) {
    SCOPED_TRACE(host);
    DriveHost(host);
  }
}

}  // namespace
}  // namespace kelp::test

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) kelp::test::gHosts.push_back(kelp::test::WindowsPath(argv[i]));
  return RUN_ALL_TESTS();
}
