#include "editor_fixture.h"

#include <richedit.h>

#include "entry/workspace.h"
#include "kelp32.h"
#include "win/handles.h"

namespace kelp::test {

void EditorTest::TearDown() {
  UseSyntaxFileForTesting(nullptr);
  for (HWND find : FindWindows()) ::DestroyWindow(find);
  HostTest::TearDown();
}

HWND EditorTest::OpenCodeWindow(const char* title, const char* text, HWND owner) {
  HWND window = InitRichEditBox(MdiClient(), gWorkspace.hostInstance, kCodeWindowClassName, title,
                                owner != nullptr ? owner : MainFrame());
  if (text != nullptr)
    ::SendMessageA(window, WM_SETTEXT, reinterpret_cast<WPARAM>(text), reinterpret_cast<LPARAM>(text));
  // Where the mouse can reach it, however far the cascade has gone.
  ::MoveWindow(window, 10, 10, 600, 400, TRUE);
  ::UpdateWindow(window);
  PumpPending();
  return window;
}

HFONT EditorFont(HWND editor) {
  const EditorBlock* block = EditorBlockOf(editor);
  return block != nullptr ? win::FromHandle32<HFONT>(block->font) : nullptr;
}

void FocusEditor(HWND editor) {
  ::SetForegroundWindow(::GetAncestor(editor, GA_ROOT));
  ::SetFocus(editor);
  PumpUntil([&] { return ::GetFocus() == editor; });
}

std::string EditorText(HWND editor) {
  const int length = ::GetWindowTextLengthA(editor);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(editor, text.data(), length + 1)));
  return text;
}

CHARRANGE Selection(HWND editor) {
  CHARRANGE range{};
  ::SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

void Select(HWND editor, LONG start, LONG end) {
  CHARRANGE range{start, end};
  ::SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

namespace {
MessageBoxCloser* gCloser = nullptr;
constexpr UINT kCloserPeriodMs = 20;
}  // namespace

MessageBoxCloser::MessageBoxCloser() {
  gCloser = this;
  timer_ = ::SetTimer(nullptr, 0, kCloserPeriodMs, Tick);
}

MessageBoxCloser::~MessageBoxCloser() {
  ::KillTimer(nullptr, timer_);
  gCloser = nullptr;
}

void CALLBACK MessageBoxCloser::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (gCloser != nullptr && !paused) ::EnumThreadWindows(::GetCurrentThreadId(), CloseIfMessageBox, 0);
}

BOOL CALLBACK MessageBoxCloser::CloseIfMessageBox(HWND window, LPARAM) {
  char className[32] = {};
  ::GetClassNameA(window, className, sizeof(className));
  if (std::string(className) != "#32770" || !::IsWindowVisible(window)) return TRUE;
  Box box{WindowText(window), {}};
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    char childClass[32] = {};
    ::GetClassNameA(child, childClass, sizeof(childClass));
    if (lstrcmpiA(childClass, "Static") == 0 && !WindowText(child).empty()) box.text += WindowText(child);
  }
  gCloser->closed.push_back(box);
  ::EndDialog(window, IDOK);
  return TRUE;
}

namespace {

BOOL CALLBACK CollectFindWindow(HWND window, LPARAM found) {
  char className[32] = {};
  ::GetClassNameA(window, className, sizeof(className));
  if (std::string(className) == kFindWindowClassName)
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> FindWindows() {
  std::vector<HWND> found;
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectFindWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace kelp::test
