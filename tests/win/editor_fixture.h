// What the code editor's tests share: a host that opens code windows as the
// designer and the menu bar do, the editor's keyboard focus, and a closer for
// the message box that Find shows, which runs its own modal loop.
#pragma once

#include <richedit.h>
#include <windows.h>

#include <string>
#include <vector>

#include "editor/editor.h"
#include "harness.h"

namespace kelp::test {

class EditorTest : public HostTest {
 protected:
  void TearDown() override;

  // A code window as a form's or control's code is opened: InitRichEditBox,
  // then its text by WM_SETTEXT; then placed at (10, 10), 600 x 400.
  HWND OpenCodeWindow(const char* title, const char* text = nullptr, HWND owner = nullptr);
};

// The font the editor control was given and is painted with.
HFONT EditorFont(HWND editor);

// Makes the editor control the keyboard focus of the active main frame.
void FocusEditor(HWND editor);

std::string EditorText(HWND editor);
CHARRANGE Selection(HWND editor);
void Select(HWND editor, LONG start, LONG end);

// While it lives, every message box of this thread is read and closed with
// OK as soon as it appears (from a timer, which the box's loop dispatches).
class MessageBoxCloser {
 public:
  struct Box {
    std::string title;
    std::string text;
  };
  MessageBoxCloser();
  MessageBoxCloser(const MessageBoxCloser&) = delete;
  MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;
  ~MessageBoxCloser();
  std::vector<Box> closed;
  // While set, the boxes are someone else's to answer (the random user's
  // own Save and Open), and none is closed.
  static inline bool paused = false;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  static BOOL CALLBACK CloseIfMessageBox(HWND window, LPARAM self);
  UINT_PTR timer_ = 0;
};

// The Find Text windows of this thread, newest first.
std::vector<HWND> FindWindows();

}  // namespace kelp::test
