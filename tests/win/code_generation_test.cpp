// Double-clicking a form or a control, or "&View Code", opens its code
// window with the MASM skeleton, once per object.
#include <windows.h>

#include <string>
#include <vector>

#include "controls/design_control.h"
#include "designer/form_designer.h"
#include "editor/editor.h"
#include "entry/messages.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"
#include "win/handles.h"

namespace kelp::test {
namespace {

class CodeGeneration : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    surface_ = NewSurface();
    frame_ = FrameOfSurface(surface_);
  }

  HWND FormCodeWindow() const { return win::FromHandle32<HWND>(FormControlRecord(frame_)->hCodeWindow); }

  // The editor's lines (RichEdit keeps a line end as a single CR).
  static std::vector<std::string> LinesOf(HWND codeWindow) {
    HWND editor = EditorControlOf(codeWindow);
    const auto length = static_cast<int>(::SendMessageA(editor, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    ::GetWindowTextA(editor, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    std::vector<std::string> lines(1);
    for (char c : text) {
      if (c == '\r') {
        lines.emplace_back();
      } else if (c != '\n') {
        lines.back() += c;
      }
    }
    return lines;
  }

  HWND Button(const char* name, const char* idName, int y) {
    HWND button = CreateButtonWin(surface_, 20, y, 90, 25, name);
    ::SendMessageA(button, DCM_SETIDNAME, 0, reinterpret_cast<LPARAM>(idName));
    return button;
  }

  HWND surface_ = nullptr;
  HWND frame_ = nullptr;
};

TEST_F(CodeGeneration, DoubleClickingTheFormOpensItsProcedureOnce) {
  const std::string name = WindowText(surface_);
  DoubleClick(ClientToScreenPoint(surface_, {150, 150}));
  HWND code = FormCodeWindow();
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(WindowText(code), name + " (Code)");
  const std::vector<std::string> lines = LinesOf(code);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], ";" + std::string(85, '*'));
  EXPECT_EQ(lines[4].rfind(name + "Proc proc hWin:DWORD,uMsg:DWORD,wParam:DWORD,lParam:DWORD", 0), 0u);

  // The user's edit survives; a second double click only shows the window.
  ::SendMessageA(EditorControlOf(code), EM_SETSEL, 0, 0);
  ::SendMessageA(EditorControlOf(code), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("; mine\r"));
  ::SendMessageA(code, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindowVisible(code));
  DoubleClick(ClientToScreenPoint(surface_, {200, 120}));
  EXPECT_EQ(FormCodeWindow(), code);
  EXPECT_TRUE(::IsWindowVisible(code));
  EXPECT_EQ(LinesOf(code)[0], "; mine");
  EXPECT_EQ(::FindWindowExA(MdiClient(), code, kCodeWindowClassName, WindowText(code).c_str()), nullptr);
}

TEST_F(CodeGeneration, ViewCodeOnTheFormGivesTheSameWindow) {
  RightClickThenKey(ClientToScreenPoint(surface_, {150, 150}), 'V');
  HWND code = FormCodeWindow();
  ASSERT_NE(code, nullptr);
  DoubleClick(ClientToScreenPoint(surface_, {100, 60}));
  EXPECT_EQ(FormCodeWindow(), code);
}

TEST_F(CodeGeneration, TwoControlsGetTwoWindowsEachTestingItsOwnIdentifier) {
  HWND first = Button("Button0", "IDC_BUTTON0", 20);
  HWND second = Button("Button1", "IDC_BUTTON1", 70);
  DoubleClick(Centre(ScreenRect(first)));
  // The new code window opens over the form: put it away first.
  ::SendMessageA(win::FromHandle32<HWND>(RecordOfControl(first)->hCodeWindow), WM_CLOSE, 0, 0);
  DoubleClick(Centre(ScreenRect(second)));
  const ControlRecord* firstRecord = RecordOfControl(first);
  const ControlRecord* secondRecord = RecordOfControl(second);
  ASSERT_EQ(firstRecord->codeOpen, 1u);
  ASSERT_EQ(secondRecord->codeOpen, 1u);
  HWND firstCode = win::FromHandle32<HWND>(firstRecord->hCodeWindow);
  HWND secondCode = win::FromHandle32<HWND>(secondRecord->hCodeWindow);
  ASSERT_NE(firstCode, secondCode);
  EXPECT_EQ(WindowText(firstCode), "Button0 (Code)");
  EXPECT_EQ(LinesOf(firstCode)[3], "        .if wParam == IDC_BUTTON0");
  EXPECT_EQ(LinesOf(secondCode)[3], "        .if wParam == IDC_BUTTON1");
  EXPECT_EQ(LinesOf(secondCode)[7], "        .endif");

  // View Code again shows the same window.
  ::SendMessageA(second, WM_COMMAND, IDM_VIEWCODE, 0);
  EXPECT_EQ(win::FromHandle32<HWND>(RecordOfControl(second)->hCodeWindow), secondCode);
}

TEST_F(CodeGeneration, DeletingAControlLeavesItsCodeWindowOpen) {
  HWND button = Button("Button0", "IDC_BUTTON0", 20);
  ::SendMessageA(button, WM_COMMAND, IDM_VIEWCODE, 0);
  HWND code = win::FromHandle32<HWND>(RecordOfControl(button)->hCodeWindow);
  ASSERT_NE(code, nullptr);
  ::SendMessageA(button, WM_COMMAND, IDM_DELETE, 0);
  EXPECT_FALSE(::IsWindow(button));
  EXPECT_TRUE(::IsWindowVisible(code));
}

}  // namespace
}  // namespace kelp::test
