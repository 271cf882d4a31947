#include "output_window.h"

#include <memory>
#include <vector>

namespace kelp::host {
namespace {

constexpr int kListId = 100;
constexpr char kOutputFontFace[] = "Courier New";
constexpr int kOutputFontHeight = -12;

struct OutputState {
  HWND list = nullptr;
  HFONT font = nullptr;
  std::vector<int> targets;  // one a line
  std::function<void(int)> follow;
};

OutputState* StateOf(HWND output) {
  return reinterpret_cast<OutputState*>(::GetWindowLongPtrA(output, GWLP_USERDATA));
}

LRESULT Output_OnCreate(HWND output) {
  auto state = std::make_unique<OutputState>();
  state->list = ::CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                                      LBS_NOINTEGRALHEIGHT,
                                  0, 0, 0, 0, output, reinterpret_cast<HMENU>(kListId), nullptr, nullptr);
  if (state->list == nullptr) return -1;
  state->font = ::CreateFontA(kOutputFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                              kOutputFontFace);
  if (state->font != nullptr) ::SendMessageA(state->list, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
  ::SetWindowLongPtrA(output, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
  return 0;
}

void Output_OnSize(HWND output, int width, int height) {
  if (OutputState* state = StateOf(output)) ::MoveWindow(state->list, 0, 0, width, height, TRUE);
}

void Output_OnDoubleClick(HWND output) {
  OutputState* state = StateOf(output);
  if (state == nullptr) return;
  const LRESULT line = ::SendMessageA(state->list, LB_GETCURSEL, 0, 0);
  if (line < 0 || static_cast<std::size_t>(line) >= state->targets.size()) return;
  const int target = state->targets[static_cast<std::size_t>(line)];
  if (target != 0 && state->follow) state->follow(target);
}

void Output_OnDestroy(HWND output) {
  std::unique_ptr<OutputState> state(StateOf(output));
  ::SetWindowLongPtrA(output, GWLP_USERDATA, 0);
  if (state && state->font != nullptr) ::DeleteObject(state->font);
}

LRESULT CALLBACK OutputProc(HWND output, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return Output_OnCreate(output);
    case WM_SIZE:
      Output_OnSize(output, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_DBLCLK) Output_OnDoubleClick(output);
      return 0;
    case WM_DESTROY:
      Output_OnDestroy(output);
      return 0;
    default:
      return ::DefWindowProcA(output, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateOutputWindow(HWND frame) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = OutputProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kOutputClassName;
  ::RegisterClassExA(&windowClass);
  return ::CreateWindowExA(0, kOutputClassName, "Output", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, frame, nullptr,
                           windowClass.hInstance, nullptr);
}

void ClearOutput(HWND output) {
  OutputState* state = StateOf(output);
  if (state == nullptr) return;
  ::SendMessageA(state->list, LB_RESETCONTENT, 0, 0);
  state->targets.clear();
}

void AddOutputLine(HWND output, const std::string& text, int target) {
  OutputState* state = StateOf(output);
  if (state == nullptr) return;
  const LRESULT index = ::SendMessageA(state->list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index < 0) return;
  state->targets.push_back(target);
  ::SendMessageA(state->list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  // Long lines scroll sideways.
  const LRESULT extent = ::SendMessageA(state->list, LB_GETHORIZONTALEXTENT, 0, 0);
  const auto wanted = static_cast<LRESULT>(text.size() * 8 + 16);
  if (wanted > extent) ::SendMessageA(state->list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(wanted), 0);
  ::UpdateWindow(state->list);
}

void SetOutputFollower(HWND output, std::function<void(int)> follow) {
  if (OutputState* state = StateOf(output)) state->follow = std::move(follow);
}

HWND OutputList(HWND output) {
  OutputState* state = StateOf(output);
  return state != nullptr ? state->list : nullptr;
}

}  // namespace kelp::host
