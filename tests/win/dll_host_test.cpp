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
using CreatePropWindowFunction = HWND(KELP_API*)(HWND);
using InitRichEditBoxFunction = HWND(KELP_API*)(HWND, HINSTANCE, LPCSTR, LPCSTR, HWND);

LRESULT CALLBACK HostFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProcA(frame, ::FindWindowExA(frame, nullptr, "MDICLIENT", nullptr), message, wParam, lParam);
}

struct Host {
  HWND frame;
  HWND client;
};

// A main frame with an MDI client of the given width down its left side.
Host MakeHost(int clientWidth) {
  WNDCLASSEXA frameClass{};
  frameClass.cbSize = sizeof(frameClass);
  frameClass.lpfnWndProc = HostFrameProc;
  frameClass.hInstance = ::GetModuleHandleA(nullptr);
  frameClass.lpszClassName = "DllHostFrame_Class";
  ::RegisterClassExA(&frameClass);
  HWND frame = ::CreateWindowExA(0, frameClass.lpszClassName, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 1000, 600, nullptr, nullptr, frameClass.hInstance, nullptr);
  CLIENTCREATESTRUCT clientCreate{};
  HWND client = ::CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, clientWidth, 560, frame,
                                  nullptr, frameClass.hInstance, &clientCreate);
  return {frame, client};
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

  const auto [frame, client] = MakeHost(780);

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

// The properties window through the exports: it follows the form the host
// opens, and its colour picker finds mhook.dll in the folder of Kelp32.dll.
TEST(LoadedLibrary, PropertiesFollowTheFormAndThePickerLoadsTheMouseHook) {
  HMODULE library = ::LoadLibraryA("Kelp32.dll");
  ASSERT_NE(library, nullptr);
  auto initDll = reinterpret_cast<InitDllFunction>(::GetProcAddress(library, "Init_DLL"));
  auto createForm = reinterpret_cast<CreateFormWinFunction>(::GetProcAddress(library, "CreateFormWin"));
  auto createProperties =
      reinterpret_cast<CreatePropWindowFunction>(::GetProcAddress(library, "Create_Prop_Window"));
  ASSERT_NE(createProperties, nullptr);

  const auto [frame, client] = MakeHost(560);
  initDll(::GetModuleHandleA(nullptr), client);
  HWND properties = createProperties(frame);
  ASSERT_NE(properties, nullptr);
  ::MoveWindow(properties, 580, 0, 220, 500, TRUE);
  createForm(library, frame, client, 1);

  HWND list = ::FindWindowExA(properties, nullptr, "LISTBOX", nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), 12) << "the form's rows";
  ::SendMessageA(list, LB_SETCURSEL, 4, 0);
  HWND field = ::FindWindowExA(list, nullptr, "ColorCombo_Class", nullptr);
  ASSERT_NE(field, nullptr);
  RECT bounds{};
  ::GetWindowRect(field, &bounds);
  ::SetCursorPos(bounds.right - 3, (bounds.top + bounds.bottom) / 2);
  ::SendMessageA(field, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_TRUE(::IsWindowVisible(::FindWindowA("ColorBox_Class", nullptr)));

  HMODULE hook = ::GetModuleHandleA("mhook.dll");
  ASSERT_NE(hook, nullptr);
  char libraryPath[MAX_PATH] = {};
  char hookPath[MAX_PATH] = {};
  ::GetModuleFileNameA(library, libraryPath, MAX_PATH);
  ::GetModuleFileNameA(hook, hookPath, MAX_PATH);
  std::string expected(libraryPath);
  expected = expected.substr(0, expected.find_last_of("\\/") + 1) + "mhook.dll";
  EXPECT_EQ(std::string(hookPath), expected);
}

}  // namespace
