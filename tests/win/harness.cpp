#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "designer/form_designer.h"
#include "entry/workspace.h"
#include "kelp32.h"

namespace kelp::test {

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    PumpPending();
    if (condition()) return true;
    if (::GetTickCount() - start > timeoutMs) return false;
    // Wait for the next message rather than spin; wake at least every 10 ms
    // to test the condition again.
    ::MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void PumpPending() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

namespace {

void SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
  PumpPending();
}

}  // namespace

void MoveMouseTo(POINT to) {
  ::SetCursorPos(to.x, to.y);
  SendMouse(MOUSEEVENTF_MOVE);  // a move of nothing: the window sees WM_MOUSEMOVE where the cursor is
}

void PressLeft(POINT at) {
  MoveMouseTo(at);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
}

void ReleaseLeft(POINT at) {
  MoveMouseTo(at);
  SendMouse(MOUSEEVENTF_LEFTUP);
}

void ClickInPlace() {
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
}

void Click(POINT at) {
  PressLeft(at);
  ReleaseLeft(at);
}

void DoubleClick(POINT at) {
  Click(at);
  Click(at);
}

void RightClick(POINT at) {
  MoveMouseTo(at);
  SendMouse(MOUSEEVENTF_RIGHTDOWN);
  SendMouse(MOUSEEVENTF_RIGHTUP);
}

void Drag(POINT from, POINT to, int steps) {
  PressLeft(from);
  for (int i = 1; i <= steps; ++i) {
    MoveMouseTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  }
  ReleaseLeft(to);
}

namespace {

// Absolute coordinates of SendInput run from 0 to 65535 over the screen;
// rounding up makes them land on the intended pixel.
INPUT AbsoluteMove(POINT to) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((static_cast<long long>(to.x) * 65536 + width - 1) / width);
  input.mi.dy = static_cast<LONG>((static_cast<long long>(to.y) * 65536 + height - 1) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return input;
}

}  // namespace

void DragQueued(POINT from, POINT to, int steps) {
  std::vector<INPUT> inputs;
  inputs.push_back(AbsoluteMove(from));
  INPUT button{};
  button.type = INPUT_MOUSE;
  button.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs.push_back(button);
  for (int i = 1; i <= steps; ++i) {
    inputs.push_back(AbsoluteMove({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps}));
  }
  button.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  inputs.push_back(button);
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpPending();
}

namespace {

void QueueClicks(POINT at, int clicks) {
  std::vector<INPUT> inputs;
  inputs.push_back(AbsoluteMove(at));
  for (int i = 0; i < clicks; ++i) {
    for (DWORD flag : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
      INPUT button{};
      button.type = INPUT_MOUSE;
      button.mi.dwFlags = flag;
      inputs.push_back(button);
    }
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpPending();
}

}  // namespace

void ClickQueued(POINT at) { QueueClicks(at, 1); }
void DoubleClickQueued(POINT at) { QueueClicks(at, 2); }

namespace {

INPUT KeyInput(WORD virtualKey, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = flags;
  return input;
}

}  // namespace

void RightClickThenKey(POINT at, WORD virtualKey) {
  INPUT inputs[5] = {AbsoluteMove(at), {}, {}, KeyInput(virtualKey, 0), KeyInput(virtualKey, KEYEVENTF_KEYUP)};
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  inputs[2].type = INPUT_MOUSE;
  inputs[2].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  ::SendInput(5, inputs, sizeof(INPUT));
  PumpPending();
}

void ClickThenKeys(POINT at, bool right, const std::vector<WORD>& keys) {
  ::SetCursorPos(at.x, at.y);
  std::vector<INPUT> inputs(3);
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE;
  inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  for (WORD key : keys) {
    inputs.push_back(KeyInput(key, 0));
    inputs.push_back(KeyInput(key, KEYEVENTF_KEYUP));
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpPending();
}

void ChooseFromBar(HWND frame, int menu, const std::vector<WORD>& keys) {
  RECT title{};
  ::GetMenuItemRect(frame, ::GetMenu(frame), static_cast<UINT>(menu), &title);
  ClickThenKeys(Centre(title), false, keys);
}

std::vector<WORD> Downs(int count, WORD last) {
  std::vector<WORD> keys(static_cast<std::size_t>(count), VK_DOWN);
  keys.push_back(last);
  return keys;
}

void HoldKey(WORD virtualKey, bool down) {
  INPUT input = KeyInput(virtualKey, down ? 0 : KEYEVENTF_KEYUP);
  ::SendInput(1, &input, sizeof(input));
  PumpPending();
}

void PressKey(WORD virtualKey) {
  INPUT inputs[] = {KeyInput(virtualKey, 0), KeyInput(virtualKey, KEYEVENTF_KEYUP)};
  ::SendInput(2, inputs, sizeof(INPUT));
  PumpPending();
}

void TypeText(const char* text) {
  for (const char* c = text; *c != '\0'; ++c) {
    PressKey(static_cast<WORD>(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : *c));
  }
}

POINT CursorPosition() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  return cursor;
}

POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

RECT ScreenRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

POINT ClientToScreenPoint(HWND window, POINT client) {
  ::ClientToScreen(window, &client);
  return client;
}

int LoopCount(int count) {
  const char* shortRun = std::getenv("KELP_SHORT_RUN");
  const bool cut = shortRun != nullptr && *shortRun != '\0' && *shortRun != '0';
  return cut ? std::max(1, count / 4) : count;
}

namespace {

// Windows may be made far larger than any screen (a typed width of 32,767);
// what lies past this many pixels is never on screen, and a picture of it
// all would not fit a 32-bit process.
constexpr int kLargestPictureSide = 4096;
int PictureSide(int extent) { return std::min(extent, kLargestPictureSide); }

std::vector<COLORREF> ReadPixels(HDC source, int width, int height, int left = 0, int top = 0) {
  std::vector<COLORREF> pixels;
  if (width <= 0 || height <= 0) return pixels;
  HDC memory = ::CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) {
    ::DeleteDC(memory);
    return pixels;
  }
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
  ::GdiFlush();
  pixels.resize(static_cast<std::size_t>(width) * height);
  const auto* bgra = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const std::uint32_t p = bgra[i];
    pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  ::SelectObject(memory, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  return pixels;
}

}  // namespace

Pixels Pixels::OfClient(HWND window) {
  ::UpdateWindow(window);
  PumpPending();
  RECT client{};
  ::GetClientRect(window, &client);
  Pixels result;
  result.width_ = PictureSide(client.right);
  result.height_ = PictureSide(client.bottom);
  HDC dc = ::GetDC(window);
  result.pixels_ = ReadPixels(dc, result.width_, result.height_);
  ::ReleaseDC(window, dc);
  return result;
}

Pixels Pixels::OfWindow(HWND window) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpPending();
  return OfWindowAsDrawn(window);
}

Pixels Pixels::OfWindowAsDrawn(HWND window) {
  const RECT bounds = ScreenRect(window);
  Pixels result;
  result.width_ = PictureSide(bounds.right - bounds.left);
  result.height_ = PictureSide(bounds.bottom - bounds.top);
  HDC dc = ::GetWindowDC(window);
  result.pixels_ = ReadPixels(dc, result.width_, result.height_);
  ::ReleaseDC(window, dc);
  return result;
}

Pixels Pixels::OfScreen(const RECT& rect) {
  Pixels result;
  result.width_ = PictureSide(rect.right - rect.left);
  result.height_ = PictureSide(rect.bottom - rect.top);
  HDC screen = ::GetDC(nullptr);
  result.pixels_ = ReadPixels(screen, result.width_, result.height_, rect.left, rect.top);
  ::ReleaseDC(nullptr, screen);
  return result;
}

Pixels Pixels::OfDc(HDC dc, int width, int height) {
  Pixels result;
  result.width_ = width;
  result.height_ = height;
  result.pixels_ = ReadPixels(dc, width, height);
  return result;
}

COLORREF Pixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

int Pixels::Count(COLORREF colour, const RECT& within) const {
  int count = 0;
  for (int y = within.top; y < within.bottom; ++y) {
    for (int x = within.left; x < within.right; ++x) count += At(x, y) == colour ? 1 : 0;
  }
  return count;
}

namespace {
MessageRecorder* gActiveRecorder = nullptr;
}

MessageRecorder::MessageRecorder(std::vector<HWND> watched, std::vector<UINT> messages)
    : watched_(std::move(watched)), messages_(std::move(messages)) {
  gActiveRecorder = this;
  hook_ = ::SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId());
}

MessageRecorder::~MessageRecorder() {
  ::UnhookWindowsHookEx(hook_);
  gActiveRecorder = nullptr;
}

LRESULT CALLBACK MessageRecorder::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && gActiveRecorder != nullptr) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const auto& watched = gActiveRecorder->watched_;
    const auto& messages = gActiveRecorder->messages_;
    if (std::find(watched.begin(), watched.end(), sent->hwnd) != watched.end() &&
        (messages.empty() || std::find(messages.begin(), messages.end(), sent->message) != messages.end())) {
      gActiveRecorder->recorded_.push_back({sent->hwnd, sent->message, sent->wParam, sent->lParam});
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

namespace {

std::string Describe(const std::vector<Recorded>& sequence) {
  std::ostringstream text;
  for (const Recorded& r : sequence) {
    char line[160];
    std::snprintf(line, sizeof(line), "  window %p message %u (0x%X) wParam %p lParam %p\n",
                  static_cast<void*>(r.window), r.message, r.message, reinterpret_cast<void*>(r.wParam),
                  reinterpret_cast<void*>(r.lParam));
    text << line;
  }
  return sequence.empty() ? "  (nothing)\n" : text.str();
}

}  // namespace

::testing::AssertionResult SameSequence(const std::vector<Recorded>& expected,
                                        const std::vector<Recorded>& actual) {
  bool same = expected.size() == actual.size();
  for (std::size_t i = 0; same && i < expected.size(); ++i) {
    same = expected[i].window == actual[i].window && expected[i].message == actual[i].message &&
           expected[i].wParam == actual[i].wParam && expected[i].lParam == actual[i].lParam;
  }
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected:\n" << Describe(expected) << "received:\n" << Describe(actual);
}

StandInWindow::StandInWindow() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = Proc;
  windowClass.cbWndExtra = sizeof(LONG_PTR);
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "KelpTestStandIn_Class";
  ::RegisterClassExA(&windowClass);
  window_ = ::CreateWindowExA(0, windowClass.lpszClassName, "stand-in", WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
  ::SetWindowLongPtrA(window_, 0, reinterpret_cast<LONG_PTR>(this));
}

StandInWindow::~StandInWindow() { ::DestroyWindow(window_); }

std::vector<Recorded> StandInWindow::ReceivedBetween(UINT first, UINT last) const {
  std::vector<Recorded> selected;
  for (const Recorded& r : received) {
    if (r.message >= first && r.message <= last) selected.push_back(r);
  }
  return selected;
}

LRESULT CALLBACK StandInWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<StandInWindow*>(::GetWindowLongPtrA(window, 0));
  if (self != nullptr) {
    self->received.push_back({window, message, wParam, lParam});
    if (self->onMessage) self->onMessage(message, wParam, lParam);
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  ::GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::string CodeText(HWND codeWindow) {
  const DWORD length = GetCodeText(codeWindow, nullptr, 0);
  std::string text(length + 1, '\0');
  const DWORD copied = GetCodeText(codeWindow, text.data(), length + 1);
  EXPECT_EQ(copied, length) << "the same length twice";
  text.resize(length);
  return text;
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  ::GetClassNameA(window, name, sizeof(name));
  return name;
}

int CountChildren(HWND parent, const std::string& className) {
  int count = 0;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    count += ClassNameOf(child) == className ? 1 : 0;
  }
  return count;
}

RECT RectInParent(HWND window) {
  RECT r = ScreenRect(window);
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

namespace {

LRESULT CALLBACK TestFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND client = ::FindWindowExA(frame, nullptr, "MDICLIENT", nullptr);
  return ::DefFrameProcA(frame, client, message, wParam, lParam);
}

void ForgetToolWindows() {
  gWorkspace.propertiesWindow = nullptr;
  gWorkspace.projectWindow = nullptr;
  gWorkspace.formsFolderItem = nullptr;
  gWorkspace.selectedWindow = nullptr;
  gWorkspace.selectedKind = 0;
}

}  // namespace

// One main frame serves every test of a program: destroying a top-level
// window makes Wine wait two seconds for a window manager that is not there.
// Each test ends by destroying the MDI children it made.
void HostTest::SetUp() {
  // The library is linked into the test program, so its resources and its
  // instance are the program's own; DllMain does not run.
  gWorkspace.libraryInstance = ::GetModuleHandleA(nullptr);
  ForgetToolWindows();
  static HWND sharedFrame = nullptr;
  static HWND sharedClient = nullptr;
  if (sharedFrame == nullptr) {
    WNDCLASSEXA frameClass{};
    frameClass.cbSize = sizeof(frameClass);
    frameClass.lpfnWndProc = TestFrameProc;
    frameClass.hInstance = ::GetModuleHandleA(nullptr);
    frameClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    frameClass.lpszClassName = "KelpTestHost_Class";
    ::RegisterClassExA(&frameClass);
    sharedFrame = ::CreateWindowExA(0, frameClass.lpszClassName, "Kelp test host",
                                    WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 1000, 700,
                                    nullptr, nullptr, frameClass.hInstance, nullptr);
    CLIENTCREATESTRUCT clientCreate{};
    clientCreate.idFirstChild = 50000;
    sharedClient = ::CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                     980, 640, sharedFrame, nullptr, frameClass.hInstance, &clientCreate);
    Init_DLL(::GetModuleHandleA(nullptr), sharedClient);
  }
  mainFrame_ = sharedFrame;
  mdiClient_ = sharedClient;
  gWorkspace.mdiClient = mdiClient_;
  ::SetForegroundWindow(mainFrame_);
  ::UpdateWindow(mainFrame_);
  PumpPending();
}

void HostTest::TearDown() {
  ::ClipCursor(nullptr);
  ::ReleaseCapture();
  while (HWND child = ::GetWindow(mdiClient_, GW_CHILD)) ::DestroyWindow(child);
  PumpPending();
  ForgetToolWindows();
}

HWND HostTest::NewForm(DWORD projectNumber) {
  HWND frame = CreateFormWin(gWorkspace.libraryInstance, mainFrame_, mdiClient_, projectNumber);
  ::UpdateWindow(frame);
  PumpPending();
  return frame;
}

HWND HostTest::NewSurface() {
  HWND frame = NewForm();
  ::MoveWindow(frame, 10, 10, 420, 360, TRUE);
  ::UpdateWindow(frame);
  PumpPending();
  return FormRecordOf(frame)->surface;
}

}  // namespace kelp::test
