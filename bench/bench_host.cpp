#include "bench_host.h"

#include <algorithm>
#include <string>

#include "editor/editor.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "masm_text.h"

namespace kelp::bench {
namespace {

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND client = ::FindWindowExA(frame, nullptr, "MDICLIENT", nullptr);
  if (message == WM_SIZE && client != nullptr) {
    ::MoveWindow(client, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return 0;
  }
  return ::DefFrameProcA(frame, client, message, wParam, lParam);
}

}  // namespace

Host StartHost(int width, int height) {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  // Linked statically, the library's resources are the program's own.
  gWorkspace.libraryInstance = instance;
  WNDCLASSEXA frameClass{};
  frameClass.cbSize = sizeof(frameClass);
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = instance;
  frameClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  frameClass.lpszClassName = "KelpBenchFrame_Class";
  ::RegisterClassExA(&frameClass);
  Host host;
  host.frame = ::CreateWindowExA(0, frameClass.lpszClassName, "bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                                 0, width, height, nullptr, nullptr, instance, nullptr);
  CLIENTCREATESTRUCT clientCreate{};
  clientCreate.idFirstChild = 50000;
  RECT inside{};
  ::GetClientRect(host.frame, &inside);
  host.client = ::CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                  inside.right, inside.bottom, host.frame, nullptr, instance, &clientCreate);
  ::ShowWindow(host.frame, SW_SHOW);
  ::UpdateWindow(host.frame);
  Init_DLL(instance, host.client);
  PumpPending();
  return host;
}

void PumpPending() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

double NowMicroseconds() {
  static const double ticksPerMicrosecond = [] {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1e6;
  }();
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMicrosecond;
}

double Median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const std::size_t middle = samples.size() / 2;
  return samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

double Mean(const std::vector<double>& samples, std::size_t first, std::size_t count) {
  double sum = 0;
  for (std::size_t i = first; i < first + count && i < samples.size(); ++i) sum += samples[i];
  return count == 0 ? 0 : sum / static_cast<double>(count);
}

HWND OpenDenseCodeWindow(const Host& host, int lines) {
  HWND window = InitRichEditBox(host.client, ::GetModuleHandleA(nullptr), kCodeWindowClassName, "Module1 (Code)",
                                host.frame);
  const std::string text = DenseMasm(static_cast<std::size_t>(lines));
  ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  RECT client{};
  ::GetClientRect(host.client, &client);
  ::MoveWindow(window, 0, 0, client.right, client.bottom, TRUE);
  HWND editor = EditorControlOf(window);
  ::SendMessageA(editor, EM_LINESCROLL, 0, lines / 2);
  PumpPending();
  return editor;
}

}  // namespace kelp::bench
