// kelp.exe: the host of the Kelp32 design library. It owns the main frame and
// its MDI client, hands them to the library with Init_DLL, and builds the
// environment: the toolbox down the left edge, the MDI client in the middle,
// the project, properties and Form Layout windows in a strip down the right
// edge, the library's menu bar, and the New Project window to start with.
// Ctrl+M is "&Add Module".
//
//   kelp.exe                       run the environment
//   kelp.exe --screenshot out.bmp  start, choose "Standard EXE" in the New
//                                  Project window, draw a few controls on the
//                                  form with the mouse, add a module with a
//                                  short sample beside it, paint, save the
//                                  screen, exit
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "kelp32.h"

namespace {

constexpr char kFrameClassName[] = "KelpHost_Class";
constexpr char kFrameTitle[] = "Kelp - MASM Visual Designer";
constexpr UINT kEditorActivity = KELP32_EDITOR_ACTIVITY;
constexpr UINT kEditorCommandFirst = IDM_EDITOR_UNDO;
constexpr UINT kEditorCommandLast = IDM_EDITOR_DELETE;
constexpr UINT kFirstMdiChildId = 50000;
constexpr UINT kTakeScreenshot = WM_APP + 1;
constexpr char kCodeWindowClassName[] = KELP32_CODE_WINDOW_CLASS;
constexpr char kFormClassName[] = KELP32_FORM_FRAME_CLASS;

// Menu commands: the library carries out its own ("&Add Form", "&Add
// Module", "&Add Class Module", "&Exit") and passes them all on to us.
constexpr WORD kNewProjectCommand = IDM_NEWPROJECT;
constexpr WORD kAddModuleCommand = IDM_ADDMODULE;
struct PendingCommand {
  WORD id;
  const char* what;
};
constexpr PendingCommand kPendingCommands[] = {
    {IDM_OPENPROJECT, "Opening a project"},
    {IDM_ADDPROJECT, "Adding a project"},
    {IDM_SAVEPROJECT, "Saving a project"},
    {IDM_ADDMDIFORM, "Adding an MDI form"},
};

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

constexpr int kToolboxWidth = 72;
// The strip down the right edge: the project window on top, the properties
// window below it, the Form Layout window at the bottom.
constexpr int kStripWidth = 220;
constexpr int kProjectHeight = 190;
constexpr int kLayoutHeight = 170;
// The screenshot's frame fills the 1280 x 800 desktop it is taken on.
constexpr int kFrameWidth = 1024, kFrameHeight = 740;
constexpr int kScreenshotFrameWidth = 1280, kScreenshotFrameHeight = 800;

HWND gFrame = nullptr;
HWND gMdiClient = nullptr;
HWND gToolbox = nullptr;
HWND gProject = nullptr;
HWND gProperties = nullptr;
HWND gLayout = nullptr;
WNDPROC gMdiClientProc = nullptr;
std::string gScreenshotPath;

// The editor context menu's commands arrive at the MDI client, the menu's
// owner; any code window applies them to the current editor control.
LRESULT CALLBACK MdiClientProc(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) >= kEditorCommandFirst && LOWORD(wParam) <= kEditorCommandLast) {
    if (HWND codeWindow = ::FindWindowExA(client, nullptr, kCodeWindowClassName, nullptr)) {
      return ::SendMessageA(codeWindow, message, wParam, lParam);
    }
    return 0;
  }
  if (message == kEditorActivity) return 0;  // nothing to refresh yet
  return ::CallWindowProcA(gMdiClientProc, client, message, wParam, lParam);
}

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

void PumpPending() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// Mouse input as a user gives it; each event is handled before the next.
void SendMouse(POINT at, DWORD buttons) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((at.x * 65536LL + ::GetSystemMetrics(SM_CXSCREEN) - 1) /
                                  ::GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = static_cast<LONG>((at.y * 65536LL + ::GetSystemMetrics(SM_CYSCREEN) - 1) /
                                  ::GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
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
  HWND toolbar = ::FindWindowExA(gToolbox, nullptr, "ToolbarWindow32", nullptr);
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
  ::SendMessageA(gFrame, WM_COMMAND, kAddModuleCommand, 0);
  return ::GetWindow(gMdiClient, GW_CHILD);
}

void OpenSampleModule() {
  HWND window = AddModule();
  ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kSampleModuleText));
  const RECT& place = kSampleModulePlace;
  ::MoveWindow(window, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

// A click that the list view may track in a loop of its own: every event
// queued at once.
void QueuedClickAt(POINT at) {
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  inputs[0].mi.dx = static_cast<LONG>((at.x * 65536LL + ::GetSystemMetrics(SM_CXSCREEN) - 1) /
                                      ::GetSystemMetrics(SM_CXSCREEN));
  inputs[0].mi.dy = static_cast<LONG>((at.y * 65536LL + ::GetSystemMetrics(SM_CYSCREEN) - 1) /
                                      ::GetSystemMetrics(SM_CYSCREEN));
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
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
  return ::FindWindowExA(gMdiClient, nullptr, kFormClassName, nullptr);
}

void LayOut(int width, int height) {
  const int stripLeft = width > kToolboxWidth + kStripWidth ? width - kStripWidth : kToolboxWidth;
  const int stripWidth = width - stripLeft;
  const int layoutTop = height > kLayoutHeight ? height - kLayoutHeight : 0;
  const int propertiesTop = layoutTop > kProjectHeight ? kProjectHeight : layoutTop;
  if (gToolbox != nullptr) ::MoveWindow(gToolbox, 0, 0, kToolboxWidth, height, TRUE);
  ::MoveWindow(gMdiClient, kToolboxWidth, 0, stripLeft - kToolboxWidth, height, TRUE);
  if (gProject != nullptr) ::MoveWindow(gProject, stripLeft, 0, stripWidth, propertiesTop, TRUE);
  if (gProperties != nullptr) {
    ::MoveWindow(gProperties, stripLeft, propertiesTop, stripWidth, layoutTop - propertiesTop, TRUE);
  }
  if (gLayout != nullptr) ::MoveWindow(gLayout, stripLeft, layoutTop, stripWidth, height - layoutTop, TRUE);
}

void OnCommand(HWND frame, WORD command) {
  if (command == kNewProjectCommand) {
    NewProject(frame);
    return;
  }
  for (const PendingCommand& pending : kPendingCommands) {
    if (pending.id != command) continue;
    const std::string text = std::string(pending.what) + " is not available yet.";
    ::MessageBoxA(frame, text.c_str(), kFrameTitle, MB_OK | MB_ICONINFORMATION);
    return;
  }
}

// Beside the screenshot, where each part of the environment is on the
// screen ("name left top right bottom" a line), for checks of the picture.
void SaveWindowPlaces(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) return;
  auto place = [file](const char* name, RECT r) {
    std::fprintf(file, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right, r.bottom);
  };
  const std::pair<const char*, HWND> windows[] = {
      {"toolbox", gToolbox}, {"project", gProject},  {"properties", gProperties},
      {"layout", gLayout},   {"client", gMdiClient}};
  for (const auto& [name, window] : windows) {
    RECT r{};
    ::GetWindowRect(window, &r);
    place(name, r);
  }
  MENUBARINFO bar{};
  bar.cbSize = sizeof(bar);
  ::GetMenuBarInfo(gFrame, OBJID_MENU, 0, &bar);
  place("menubar", bar.rcBar);
  std::fclose(file);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      CLIENTCREATESTRUCT client{};
      client.idFirstChild = kFirstMdiChildId;
      gMdiClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                     WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL,
                                     0, 0, 0, 0, frame, nullptr,
                                     reinterpret_cast<LPCREATESTRUCTA>(lParam)->hInstance, &client);
      gMdiClientProc = reinterpret_cast<WNDPROC>(
          ::SetWindowLongPtrA(gMdiClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MdiClientProc)));
      return 0;
    }
    case kTakeScreenshot: {
      ::RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      const bool saved = SaveScreenBitmap(gScreenshotPath);
      SaveWindowPlaces(gScreenshotPath + ".windows");
      std::fprintf(stderr, saved ? "kelp: screenshot saved to %s\n" : "kelp: cannot write %s\n",
                   gScreenshotPath.c_str());
      ::PostQuitMessage(saved ? 0 : 1);
      return 0;
    }
    case WM_SIZE:
      LayOut(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_COMMAND:
      OnCommand(frame, LOWORD(wParam));
      break;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefFrameProcA(frame, gMdiClient, message, wParam, lParam);
}

std::string ScreenshotPathFromCommandLine() {
  const char* line = ::GetCommandLineA();
  const char* option = std::strstr(line, "--screenshot ");
  if (option == nullptr) return {};
  std::string path = option + std::strlen("--screenshot ");
  while (!path.empty() && (path.back() == ' ' || path.back() == '"')) path.pop_back();
  if (!path.empty() && path.front() == '"') path.erase(0, 1);
  return path;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  gScreenshotPath = ScreenshotPathFromCommandLine();

  WNDCLASSEXA frameClass{};
  frameClass.cbSize = sizeof(frameClass);
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = instance;
  frameClass.hIcon = ::LoadIconA(::GetModuleHandleA("Kelp32.dll"), MAKEINTRESOURCEA(500));
  frameClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  frameClass.lpszClassName = kFrameClassName;
  ::RegisterClassExA(&frameClass);

  const bool screenshot = !gScreenshotPath.empty();
  const int frameWidth = screenshot ? kScreenshotFrameWidth : kFrameWidth;
  const int frameHeight = screenshot ? kScreenshotFrameHeight : kFrameHeight;
  gFrame = ::CreateWindowExA(0, kFrameClassName, kFrameTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                             frameWidth, frameHeight, nullptr, nullptr, instance, nullptr);
  Init_DLL(instance, gMdiClient);
  gToolbox = Create_Tool_Bar(gFrame);
  gProject = Create_Project_Window(gFrame);
  gProperties = Create_Prop_Window(gFrame);
  gLayout = ScreenLayoutClass(gFrame);
  CreateMenuBar(0);
  ACCEL addModule{FVIRTKEY | FCONTROL, 'M', kAddModuleCommand};
  HACCEL accelerators = ::CreateAcceleratorTableA(&addModule, 1);

  ::ShowWindow(gFrame, screenshot ? SW_SHOWNORMAL : showCommand);
  ::UpdateWindow(gFrame);
  HWND newProject = NewProject(gFrame);
  if (screenshot) {
    PumpPending();
    HWND form = StartStandardExe(newProject);
    const RECT& place = kSampleFormPlace;
    ::MoveWindow(form, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
    PumpPending();
    DrawSampleControls(form);
    OpenSampleModule();
  }
  // Posted messages come before paints, so the screenshot is taken once the
  // queue has drained: the handler itself forces every pending paint first.
  if (!gScreenshotPath.empty()) ::PostMessageA(gFrame, kTakeScreenshot, 0, 0);

  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!::TranslateAcceleratorA(gFrame, accelerators, &message) && !::TranslateMDISysAccel(gMdiClient, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  ::DestroyAcceleratorTable(accelerators);
  return static_cast<int>(message.wParam);
}
