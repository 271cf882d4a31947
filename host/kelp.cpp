// kelp.exe: the host of the Kelp32 design library. It owns the main frame and
// its MDI client, hands them to the library with Init_DLL, lays out the
// library's tool windows around the MDI client and opens a form. Ctrl+M opens
// a new, empty module (a code window).
//
//   kelp.exe                       run the environment
//   kelp.exe --screenshot out.bmp  start, draw a few controls on the form with
//                                  the mouse, open a module with a short sample
//                                  beside it, paint, save the screen, exit
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "kelp32.h"

namespace {

constexpr char kFrameClassName[] = "KelpHost_Class";
constexpr char kFrameTitle[] = "Kelp - MASM Visual Designer";
constexpr UINT kEditorActivity = 0x596C;
constexpr UINT kEditorCommandFirst = 1100;
constexpr UINT kEditorCommandLast = 1104;
constexpr UINT kFirstMdiChildId = 50000;
constexpr UINT kTakeScreenshot = WM_APP + 1;
constexpr WORD kOpenModuleCommand = 40001;
constexpr char kCodeWindowClassName[] = "Editor_Class";
// Where the screenshot's form and module sit, side by side.
constexpr RECT kSampleFormPlace = {10, 10, 410, 340};
constexpr RECT kSampleModulePlace = {420, 10, 960, 440};
// What the screenshot's user draws on the form: a tool and a rectangle on
// the design surface, dragged with the mouse as a user does.
struct SampleControl {
  UINT tool;
  RECT rectangle;
};
constexpr SampleControl kSampleControls[] = {
    {51, {16, 14, 150, 32}},     // label
    {52, {16, 40, 200, 64}},     // text box
    {54, {216, 38, 320, 66}},    // button
    {53, {16, 80, 200, 176}},    // group box
    {56, {28, 100, 180, 120}},   // option buttons inside it
    {56, {28, 130, 180, 150}},
    {55, {216, 84, 330, 104}},   // check box
    {58, {216, 112, 330, 176}},  // list box
    {70, {16, 190, 330, 208}},   // progress bar
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

constexpr int kFrameWidth = 1270, kFrameHeight = 770;
constexpr int kToolboxWidth = 72;
constexpr int kPropertiesWidth = 220;

HWND gFrame = nullptr;
HWND gMdiClient = nullptr;
HWND gToolbox = nullptr;
HWND gProperties = nullptr;
unsigned gModuleCount = 0;
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

// A new, empty module: "Module<n> (Code)", belonging to the main frame.
HWND OpenModule() {
  const std::string title = "Module" + std::to_string(++gModuleCount) + " (Code)";
  HWND window = InitRichEditBox(gMdiClient, ::GetModuleHandleA(nullptr), kCodeWindowClassName, title.c_str(), gFrame);
  ::BringWindowToTop(window);
  return window;
}

void OpenSampleModule() {
  HWND window = OpenModule();
  ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kSampleModuleText));
  const RECT& place = kSampleModulePlace;
  ::MoveWindow(window, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
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
      std::fprintf(stderr, saved ? "kelp: screenshot saved to %s\n" : "kelp: cannot write %s\n",
                   gScreenshotPath.c_str());
      ::PostQuitMessage(saved ? 0 : 1);
      return 0;
    }
    case WM_SIZE: {
      // The toolbox runs down the left edge, the properties window down the
      // right one; the MDI client takes the middle.
      const int width = LOWORD(lParam);
      const int height = HIWORD(lParam);
      const int propertiesLeft = width > kToolboxWidth + kPropertiesWidth ? width - kPropertiesWidth : kToolboxWidth;
      if (gToolbox != nullptr) ::MoveWindow(gToolbox, 0, 0, kToolboxWidth, height, TRUE);
      if (gProperties != nullptr) ::MoveWindow(gProperties, propertiesLeft, 0, width - propertiesLeft, height, TRUE);
      ::MoveWindow(gMdiClient, kToolboxWidth, 0, propertiesLeft - kToolboxWidth, height, TRUE);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kOpenModuleCommand) {
        OpenModule();
        return 0;
      }
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

  gFrame = ::CreateWindowExA(0, kFrameClassName, kFrameTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                             kFrameWidth, kFrameHeight, nullptr, nullptr, instance, nullptr);
  Init_DLL(instance, gMdiClient);
  gToolbox = Create_Tool_Bar(gFrame);
  gProperties = Create_Prop_Window(gFrame);
  HWND form = CreateFormWin(::GetModuleHandleA("Kelp32.dll"), gFrame, gMdiClient, 1);
  ACCEL openModule{FVIRTKEY | FCONTROL, 'M', kOpenModuleCommand};
  HACCEL accelerators = ::CreateAcceleratorTableA(&openModule, 1);

  ::ShowWindow(gFrame, gScreenshotPath.empty() ? showCommand : SW_SHOWNORMAL);
  ::UpdateWindow(gFrame);
  if (!gScreenshotPath.empty()) {
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
