// The real Kelp32.dll, loaded the way a host loads it: the exports are found
// by name, the entry point has recorded the library's own instance (whose
// resources the forms use), and the first form of the process is Form1.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "kelp32.h"

namespace {

using InitDllFunction = HFONT(KELP_API*)(HINSTANCE, HWND);
using CreateFormWinFunction = HWND(KELP_API*)(HINSTANCE, HWND, HWND, DWORD);
using InitRichEditBoxFunction = HWND(KELP_API*)(HWND, HINSTANCE, LPCSTR, LPCSTR, HWND);

LRESULT CALLBACK HostFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProcA(frame, ::FindWindowExA(frame, nullptr, "MDICLIENT", nullptr), message, wParam, lParam);
}

std::string TextOf(HWND window) {
  char text[260] = {};
  ::GetWindowTextA(window, text, sizeof(text));
  return text;
}

TEST(LoadedLibrary, HostOpensTheFirstFormThroughTheExports) {
  HMODULE library = ::LoadLibraryA("Kelp32.dll");
  ASSERT_NE(library, nullptr);
  auto initDll = reinterpret_cast<InitDllFunction>(::GetProcAddress(library, "Init_DLL"));
  auto createForm = reinterpret_cast<CreateFormWinFunction>(::GetProcAddress(library, "CreateFormWin"));
  ASSERT_NE(initDll, nullptr);
  ASSERT_NE(createForm, nullptr);

  WNDCLASSEXA frameClass{};
  frameClass.cbSize = sizeof(frameClass);
  frameClass.lpfnWndProc = HostFrameProc;
  frameClass.hInstance = ::GetModuleHandleA(nullptr);
  frameClass.lpszClassName = "DllHostFrame_Class";
  ::RegisterClassExA(&frameClass);
  HWND frame = ::CreateWindowExA(0, frameClass.lpszClassName, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 800, 600, nullptr, nullptr, frameClass.hInstance, nullptr);
  CLIENTCREATESTRUCT clientCreate{};
  HWND client = ::CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 780, 560, frame,
                                  nullptr, frameClass.hInstance, &clientCreate);

  HFONT font = initDll(::GetModuleHandleA(nullptr), client);
  ASSERT_NE(font, nullptr);
  LOGFONTA logFont{};
  ::GetObjectA(font, sizeof(logFont), &logFont);
  EXPECT_EQ(logFont.lfHeight, 12);
  EXPECT_STREQ(logFont.lfFaceName, "Arial");

  HWND form = createForm(library, frame, client, 1);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(TextOf(form), "Project1 - Form1 (Form)");
  EXPECT_EQ(::GetParent(form), client);
  // The form classes' icon is icon 500 of the library's own resources.
  EXPECT_NE(::GetClassLongPtrA(form, GCLP_HICON), 0);
  EXPECT_NE(::LoadIconA(library, MAKEINTRESOURCEA(500)), nullptr);

  HWND second = createForm(library, frame, client, 1);
  EXPECT_EQ(TextOf(second), "Project1 - Form2 (Form)");

  // A module's code window, filled as a host fills it.
  auto initRichEditBox =
      reinterpret_cast<InitRichEditBoxFunction>(::GetProcAddress(library, "InitRichEditBox"));
  ASSERT_NE(initRichEditBox, nullptr);
  HWND code = initRichEditBox(client, ::GetModuleHandleA(nullptr), "Editor_Class", "Module1 (Code)", frame);
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(::GetParent(code), client);
  ::SendMessageA(code, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("mov eax, ebx ; copy"));
  EXPECT_EQ(TextOf(code), "Module1 (Code)");
  HWND editor = ::FindWindowExA(code, nullptr, "RichEdit20A", nullptr);
  EXPECT_EQ(TextOf(editor), "mov eax, ebx ; copy");
  EXPECT_NE(::GetClassLongPtrA(code, GCLP_HICON), 0) << "icon 501 of the library";
  ::SendMessageA(code, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(code));
  EXPECT_FALSE(::IsWindowVisible(code));
}

}  // namespace
