// kelp.exe: the host of the Kelp32 design library. It owns the main frame and
// its MDI client, hands them to the library with Init_DLL, lays out the
// library's tool windows around the MDI client and opens a form.
//
//   kelp.exe                       run the environment
//   kelp.exe --screenshot out.bmp  start, paint everything, save the screen, exit
#include <windows.h>

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

constexpr int kToolboxWidth = 72;
constexpr int kPropertiesWidth = 220;

HWND gFrame = nullptr;
HWND gMdiClient = nullptr;
HWND gToolbox = nullptr;
HWND gProperties = nullptr;
WNDPROC gMdiClientProc = nullptr;
std::string gScreenshotPath;

// The editor context menu's commands arrive at the MDI client, the menu's
// owner; any code window applies them to the current editor control.
LRESULT CALLBACK MdiClientProc(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) >= kEditorCommandFirst && LOWORD(wParam) <= kEditorCommandLast) {
    if (HWND codeWindow = ::FindWindowExA(client, nullptr, "Editor_Class", nullptr)) {
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
                             1024, 740, nullptr, nullptr, instance, nullptr);
  Init_DLL(instance, gMdiClient);
  gToolbox = Create_Tool_Bar(gFrame);
  gProperties = Create_Prop_Window(gFrame);
  CreateFormWin(::GetModuleHandleA("Kelp32.dll"), gFrame, gMdiClient, 1);

  ::ShowWindow(gFrame, gScreenshotPath.empty() ? showCommand : SW_SHOWNORMAL);
  ::UpdateWindow(gFrame);
  // Posted messages come before paints, so the screenshot is taken once the
  // queue has drained: the handler itself forces every pending paint first.
  if (!gScreenshotPath.empty()) ::PostMessageA(gFrame, kTakeScreenshot, 0, 0);

  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!::TranslateMDISysAccel(gMdiClient, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  return static_cast<int>(message.wParam);
}
