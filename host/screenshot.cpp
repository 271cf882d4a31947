#include "screenshot.h"

#include <commctrl.h>

#include <cstdio>
#include <utility>

#include "kelp32.h"

namespace kelp::host {
namespace {

// The New Project window's list of kinds and its "OK" button.
constexpr int kStandardExeItem = 0;
constexpr int kNewProjectOkId = IDC_NEWPROJECT_OK;
// Where the screenshot's form and module sit, side by side.
constexpr RECT kSampleFormPlace = {10, 10, 410, 340};
constexpr RECT kSampleModulePlace = {420, 10, 940, 440};
// What the screenshot's user draws on the form: a tool and a rectangle on
// the design surface, dragged with the mouse as a user does.
struct SampleControl {
  UINT tool;
  RECT rectangle;
};
constexpr SampleControl kSampleControls[] = {
    {KIND_LABEL, {16, 14, 150, 32}},
    {KIND_TEXTBOX, {16, 40, 200, 64}},
    {KIND_BUTTON, {216, 38, 320, 66}},
    {KIND_GROUPBOX, {16, 80, 200, 176}},
    {KIND_OPTIONBUTTON, {28, 100, 180, 120}},  // inside the group box
    {KIND_OPTIONBUTTON, {28, 130, 180, 150}},
    {KIND_CHECKBOX, {216, 84, 330, 104}},
    {KIND_LISTBOX, {216, 112, 330, 176}},
    {KIND_PROGRESSBAR, {16, 190, 330, 208}},
};
constexpr char kSampleModuleText[] =
    "; Module1: a first window in MASM\r\n"
    ".386\r\n"
    ".model flat, stdcall\r\n"
    "option casemap:none\r\n"
    "\r\n"
    "include windows.inc\r\n"
    "\r\n"
    ".data\r\n"
    "szTitle db \"Kelp\", 0\r\n"
    "szText  db \"Hello from MASM\", 0\r\n"
    "\r\n"
    ".code\r\n"
    "start:\r\n"
    "    invoke GetModuleHandle, NULL\r\n"
    "    mov ebx, eax                  ; keep the instance\r\n"
    "    .if ebx != 0\r\n"
    "        invoke MessageBox, NULL, addr szText, addr szTitle, MB_OK\r\n"
    "    .endif\r\n"
    "    xor eax, eax\r\n"
    "    invoke ExitProcess, eax       ; and leave\r\n"
    "end start\r\n";

constexpr char kFormClassName[] = KELP32_FORM_FRAME_CLASS;

void PumpPending() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// A mouse event at a place on the screen, in SendInput's absolute units.
INPUT MouseInputAt(POINT at, DWORD buttons) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((at.x * 65536LL + ::GetSystemMetrics(SM_CXSCREEN) - 1) /
                                  ::GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = static_cast<LONG>((at.y * 65536LL + ::GetSystemMetrics(SM_CYSCREEN) - 1) /
                                  ::GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  return input;
}

// Mouse input as a user gives it; each event is handled before the next.
void SendMouse(POINT at, DWORD buttons) {
  INPUT input = MouseInputAt(at, buttons);
  ::SendInput(1, &input, sizeof(input));
  PumpPending();
}

void ClickAt(POINT at) {
  SendMouse(at, 0);
  SendMouse(at, MOUSEEVENTF_LEFTDOWN);
  SendMouse(at, MOUSEEVENTF_LEFTUP);
}

void DragBetween(POINT from, POINT to) {
  SendMouse(from, 0);
  SendMouse(from, MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 4; ++step) {
    SendMouse({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4}, 0);
  }
  SendMouse(to, MOUSEEVENTF_LEFTUP);
}

// Picks each tool in the toolbox and drags its rectangle on the form.
void DrawSampleControls(HWND form) {
  HWND toolbar = ::FindWindowExA(gEnvironment.toolbox, nullptr, "ToolbarWindow32", nullptr);
  HWND panel = ::FindWindowExA(form, nullptr, "BackForm_Class", nullptr);
  HWND surface = ::FindWindowExA(panel, nullptr, "Form_Class", nullptr);
  if (toolbar == nullptr || surface == nullptr) return;
  for (const SampleControl& control : kSampleControls) {
    RECT button{};
    ::SendMessageA(toolbar, TB_GETRECT, control.tool, reinterpret_cast<LPARAM>(&button));
    ::MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    ClickAt({(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    POINT corners[2] = {{control.rectangle.left, control.rectangle.top},
                        {control.rectangle.right, control.rectangle.bottom}};
    ::MapWindowPoints(surface, nullptr, corners, 2);
    DragBetween(corners[0], corners[1]);
  }
}

// The library's "&Add Module": a new, empty "Module<n> (Code)" window, listed
// in the project window; it comes up on top of the MDI children.
HWND AddModule() {
  ::SendMessageA(gEnvironment.frame, WM_COMMAND, IDM_ADDMODULE, 0);
  return ::GetWindow(gEnvironment.mdiClient, GW_CHILD);
}

void OpenSampleModule() {
  HWND window = AddModule();
  ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kSampleModuleText));
  const RECT& place = kSampleModulePlace;
  ::MoveWindow(window, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

// A click that the list view may track in a loop of its own: every event
// queued at once, each carrying where it happens. A press without a place
// lands where the X pointer last was, which in a desktop that has just
// opened may still be where an earlier program left it (over a menu bar,
// say, whose menu would then hold this run in its loop).
void QueuedClickAt(POINT at) {
  INPUT inputs[] = {MouseInputAt(at, 0), MouseInputAt(at, MOUSEEVENTF_LEFTDOWN), MouseInputAt(at, MOUSEEVENTF_LEFTUP)};
  ::SendInput(3, inputs, sizeof(INPUT));
  PumpPending();
}

// Chooses "Standard EXE" as the list view reports a click, and presses "OK".
void ChooseStandardExeDirectly(HWND newProject, HWND list) {
  LVITEMA selected{};
  selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  selected.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageA(list, LVM_SETITEMSTATE, kStandardExeItem, reinterpret_cast<LPARAM>(&selected));
  NMITEMACTIVATE click{};
  click.hdr.hwndFrom = list;
  click.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(list));
  click.hdr.code = NM_CLICK;
  click.iItem = kStandardExeItem;
  ::SendMessageA(newProject, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
  HWND ok = ::GetDlgItem(newProject, kNewProjectOkId);
  ::SendMessageA(newProject, WM_COMMAND, MAKEWPARAM(kNewProjectOkId, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}

// What a user does first: "Standard EXE", then "OK", with the mouse.
// Returns the new form. In a fresh Wine desktop the list view now and then
// never sees a click (the X pointer can lag the one Wine moved); the
// screenshot must not depend on that, so the choice is then made directly.
HWND StartStandardExe(HWND newProject) {
  HWND list = ::FindWindowExA(newProject, nullptr, WC_LISTVIEWA, nullptr);
  ::SetForegroundWindow(newProject);
  PumpPending();
  RECT item{};
  item.left = LVIR_ICON;
  ::SendMessageA(list, LVM_GETITEMRECT, kStandardExeItem, reinterpret_cast<LPARAM>(&item));
  ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&item), 2);
  QueuedClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  RECT ok{};
  ::GetWindowRect(::GetDlgItem(newProject, kNewProjectOkId), &ok);
  ClickAt({(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2});
  if (::IsWindow(newProject)) ChooseStandardExeDirectly(newProject, list);
  return ::FindWindowExA(gEnvironment.mdiClient, nullptr, kFormClassName, nullptr);
}

}  // namespace

bool SaveScreenBitmap(const std::string& path) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  ::GdiFlush();
  const DWORD stride = ((width * 3 + 3) / 4) * 4;
  const DWORD pixelBytes = stride * height;
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  header.bfSize = header.bfOffBits + pixelBytes;
  info.bmiHeader.biSizeImage = pixelBytes;
  bool written = false;
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    written = std::fwrite(&header, sizeof(header), 1, file) == 1 &&
              std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, file) == 1 &&
              std::fwrite(bits, pixelBytes, 1, file) == 1;
    std::fclose(file);
  }
  ::SelectObject(memory, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return written;
}

void SaveWindowPlaces(const std::string& path, const Environment& e) {
  FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) return;
  auto place = [file](const char* name, RECT r) {
    std::fprintf(file, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right, r.bottom);
  };
  const std::pair<const char*, HWND> windows[] = {
      {"toolbox", e.toolbox}, {"project", e.project},  {"properties", e.properties},
      {"layout", e.layout},   {"client", e.mdiClient}};
  for (const auto& [name, window] : windows) {
    RECT r{};
    ::GetWindowRect(window, &r);
    place(name, r);
  }
  MENUBARINFO bar{};
  bar.cbSize = sizeof(bar);
  ::GetMenuBarInfo(e.frame, OBJID_MENU, 0, &bar);
  place("menubar", bar.rcBar);
  std::fclose(file);
}

void RunScreenshotScript(HWND newProject) {
  PumpPending();
  HWND form = StartStandardExe(newProject);
  std::fprintf(stderr, "kelp: screenshot run: %s\n", form != nullptr ? "Standard EXE chosen" : "no form opened");
  const RECT& place = kSampleFormPlace;
  ::MoveWindow(form, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
  PumpPending();
  DrawSampleControls(form);
  std::fprintf(stderr, "kelp: screenshot run: controls drawn\n");
  OpenSampleModule();
  std::fprintf(stderr, "kelp: screenshot run: module opened\n");
}

namespace {

constexpr DWORD kWatchdogMs = 120000;
HANDLE gScreenshotDone = nullptr;
DWORD gInterfaceThread = 0;

BOOL CALLBACK ReportWindow(HWND window, LPARAM) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process != ::GetCurrentProcessId()) return TRUE;
  char className[128] = {};
  char title[128] = {};
  ::GetClassNameA(window, className, sizeof(className));
  ::GetWindowTextA(window, title, sizeof(title));
  std::fprintf(stderr, "kelp:   window %s \"%s\"%s\n", className, title,
               ::IsWindowVisible(window) ? " (visible)" : "");
  return TRUE;
}

DWORD WINAPI WatchScreenshotRun(void*) {
  if (::WaitForSingleObject(gScreenshotDone, kWatchdogMs) == WAIT_OBJECT_0) return 0;
  GUITHREADINFO state{};
  state.cbSize = sizeof(state);
  ::GetGUIThreadInfo(gInterfaceThread, &state);
  std::fprintf(stderr, "kelp: the screenshot run is stuck after %lu s; in a menu: %s, moving or sizing: %s\n",
               kWatchdogMs / 1000, (state.flags & GUI_INMENUMODE) != 0 ? "yes" : "no",
               (state.flags & GUI_INMOVESIZE) != 0 ? "yes" : "no");
  ::EnumWindows(ReportWindow, 0);
  std::fflush(stderr);
  ::TerminateProcess(::GetCurrentProcess(), 3);
  return 0;
}

}  // namespace

void StartScreenshotWatchdog() {
  gInterfaceThread = ::GetCurrentThreadId();
  gScreenshotDone = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (HANDLE watchdog = ::CreateThread(nullptr, 0, WatchScreenshotRun, nullptr, 0, nullptr)) ::CloseHandle(watchdog);
}

void ScreenshotSaved() {
  if (gScreenshotDone != nullptr) ::SetEvent(gScreenshotDone);
}

}  // namespace kelp::host
