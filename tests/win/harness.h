// What a Windows test needs to act as a host and as a user: a host fixture
// (main frame, MDI client, Init_DLL), message pumping until a condition
// holds, real mouse input, pixels read back from windows, and a recorder of
// the messages that windows receive.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/control_record.h"

namespace kelp::test {

// Dispatches messages until the condition holds; false when the timeout
// passes first.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Dispatches every message already queued.
void PumpPending();

// How many times a long loop runs: as given, or a quarter of it in the
// 32-bit run (KELP_SHORT_RUN), whose emulated processor is about three
// times slower; the 64-bit run keeps the whole count.
int LoopCount(int count);

#define EXPECT_EVENTUALLY(condition) \
  EXPECT_TRUE(::kelp::test::PumpUntil([&] { return static_cast<bool>(condition); })) \
      << "timed out waiting for " #condition
#define ASSERT_EVENTUALLY(condition) \
  ASSERT_TRUE(::kelp::test::PumpUntil([&] { return static_cast<bool>(condition); })) \
      << "timed out waiting for " #condition

// Real input through SetCursorPos and SendInput, in screen coordinates; each
// call returns once the input has been dispatched.
void MoveMouseTo(POINT to);
void PressLeft(POINT at);
void ReleaseLeft(POINT at);
void Click(POINT at);
// A click where the mouse is, without moving it: under Wine a move takes
// the modifier keys from the X server, which never sees keys held with
// HoldKey, so a click with Ctrl held moves first, then holds Ctrl.
void ClickInPlace();
void DoubleClick(POINT at);
void RightClick(POINT at);
// Press at `from`, move in steps, release at `to`.
void Drag(POINT from, POINT to, int steps = 8);
// The same with every event queued at once, for drags that a modal loop
// tracks (scroll-bar thumbs, menus), where the test gets no turn in between.
void DragQueued(POINT from, POINT to, int steps = 8);
// A click and a double-click with every event queued at once, for windows
// that track the button in a loop of their own (the tree view waits there
// for the release to tell a click from a drag).
void ClickQueued(POINT at);
void DoubleClickQueued(POINT at);
POINT CursorPosition();
// Right-click, then press a key while the context menu that opens is up
// (queued first, since the menu runs its own message loop).
void RightClickThenKey(POINT at, WORD virtualKey);
// A click (left or right), then keys, all queued before the menu that the
// click opens runs its own loop.
void ClickThenKeys(POINT at, bool right, const std::vector<WORD>& keys);
// Opens menu number `menu` of the frame's menu bar with a click, then
// presses the keys; Downs(n) is n times Down, then Enter.
void ChooseFromBar(HWND frame, int menu, const std::vector<WORD>& keys);
std::vector<WORD> Downs(int count, WORD last = VK_RETURN);
// Hold a key (Shift, Control) down or let it go.
void HoldKey(WORD virtualKey, bool down);

// Real key presses through SendInput, to the window with the keyboard focus;
// each call returns once the input has been dispatched.
void PressKey(WORD virtualKey);
// Types lower-case letters, digits and blanks.
void TypeText(const char* text);

// The centre of a rectangle, and a window's rectangle in screen coordinates.
POINT Centre(const RECT& rect);
RECT ScreenRect(HWND window);
// A point given in a window's client coordinates, in screen coordinates.
POINT ClientToScreenPoint(HWND window, POINT client);

// A window's client-area pixels, painted and read back with BitBlt.
class Pixels {
 public:
  static Pixels OfClient(HWND window);
  static Pixels OfWindow(HWND window);  // including the non-client area
  // What the screen shows in the rectangle, read without painting or
  // pumping anything: for windows of a modal loop (an open menu).
  static Pixels OfScreen(const RECT& rect);
  // What the window itself holds, frame included, read from its own DC
  // without painting or pumping anything: what it drew is there even when
  // Wine has not yet passed it on to the X screen (slower 32-bit runs meet
  // that).
  static Pixels OfWindowAsDrawn(HWND window);
  // The top-left width x height pixels of a device context (a memory DC
  // something was drawn into).
  static Pixels OfDc(HDC dc, int width, int height);
  COLORREF At(int x, int y) const;
  int Width() const { return width_; }
  int Height() const { return height_; }
  // How many pixels of the rectangle have exactly this colour.
  int Count(COLORREF colour, const RECT& within) const;
  friend bool operator==(const Pixels&, const Pixels&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

// One message as a window procedure received it.
struct Recorded {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Records the messages sent to the watched windows (a WH_CALLWNDPROC hook
// on this thread), in the manner of Wine's message-sequence tests.
class MessageRecorder {
 public:
  MessageRecorder(std::vector<HWND> watched, std::vector<UINT> messages);
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;
  ~MessageRecorder();
  const std::vector<Recorded>& Messages() const { return recorded_; }
  void Clear() { recorded_.clear(); }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  std::vector<HWND> watched_;
  std::vector<UINT> messages_;
  std::vector<Recorded> recorded_;
  HHOOK hook_ = nullptr;
};

// Compares a recorded sequence with the expected one; on a mismatch prints
// both, one message a line.
::testing::AssertionResult SameSequence(const std::vector<Recorded>& expected,
                                        const std::vector<Recorded>& actual);

// A plain window that keeps every message it receives and can be given a
// reaction: stands in for tool windows that do not exist yet.
class StandInWindow {
 public:
  StandInWindow();
  StandInWindow(const StandInWindow&) = delete;
  StandInWindow& operator=(const StandInWindow&) = delete;
  ~StandInWindow();
  HWND Get() const { return window_; }
  std::function<void(UINT, WPARAM, LPARAM)> onMessage;
  std::vector<Recorded> received;
  // The received messages in [first, last].
  std::vector<Recorded> ReceivedBetween(UINT first, UINT last) const;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
};

std::string WindowText(HWND window);
std::string ClassNameOf(HWND window);
// A code window's text, exactly, through GetCodeText.
std::string CodeText(HWND codeWindow);
// How many direct children of the window are of the class.
int CountChildren(HWND parent, const std::string& className);

// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

// Acts as the host: a main frame with an MDI client, the library initialised.
// Workspace fields that a test changes are put back afterwards.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND MainFrame() const { return mainFrame_; }
  HWND MdiClient() const { return mdiClient_; }
  HWND NewForm(DWORD projectNumber = 1);
  // The design surface of a new form whose frame is large enough to show
  // the whole surface (a new frame is smaller than its back panel).
  HWND NewSurface();

 private:
  HWND mainFrame_ = nullptr;
  HWND mdiClient_ = nullptr;
};

}  // namespace kelp::test
