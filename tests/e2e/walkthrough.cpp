// A person's first minutes with the environment, end to end: kelp.exe runs
// as its own process and this program is the person at the keyboard. Every
// step is real input (SendInput into the shared Wine desktop), and every
// check is what a person would see: window titles, texts, pixels of the
// screen. After each step the screen is saved as <artefacts>/NN-step.bmp.
//
//   e2e_walkthrough.exe <artefact directory>
//
// The steps: New Project, "Standard EXE", "OK"; the Button tool; a button
// drawn on the form; moved; its caption typed in the properties window; its
// colour picked from the palette; a double click and its coloured skeleton
// in the form's code window; Find Text; "&Add Module"; Ctrl+S and the Save
// dialog; "&Exit"; kelp.exe again, Ctrl+O and the Open dialog, the project
// back as it was; code typed into the button's handler, F7 and F5 (32-bit:
// the made program's window, its button clicked); "&Exit".
//
// Common controls' own messages carry pointers that are not carried from
// process to process, so their answers come through a buffer in the host's
// memory (RemoteBuffer), as any outside tool reads them.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/colour_tables.h"
#include "core/control_record.h"
#include "core/property_layout.h"
#include "core/property_rows.h"
#include "entry/messages.h"
#include "frame/frame_commands.h"
#include "frame/menu_items.h"

namespace {

constexpr DWORD kStepTimeoutMs = 15000;
// The toolbox's buttons carry their tools' codes.
constexpr WORD kButtonTool = kelp::kKindButton;
constexpr WORD kPointerTool = kelp::kToolPointer;
constexpr int kStandardExeItem = 0;
using kelp::kMenuItemHeight;
using kelp::kNewProjectOkId;
constexpr int kProjectMenu = 3;
constexpr int kFileMenu = 0;
constexpr int kAddModuleItem = 2;
constexpr COLORREF kTeal = RGB(0, 0x90, 0x90);
constexpr COLORREF kRed = RGB(255, 0, 0);

std::string gArtefacts;
PROCESS_INFORMATION gHost{};
int gFailures = 0;
int gStep = 0;

void Say(const char* format, const std::string& what) { std::printf(format, what.c_str()); std::fflush(stdout); }

bool Check(bool condition, const std::string& what) {
  std::printf("  %s %s\n", condition ? "ok  " : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!condition) ++gFailures;
  return condition;
}

// Our own messages are pumped while the host works; a condition is asked
// again whenever the host has gone idle or a moment has passed.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = kStepTimeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount() - start > timeoutMs) return false;
    ::WaitForInputIdle(gHost.hProcess, 50);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
  }
}

// A buffer inside the host's process, for messages whose lParam points.
class RemoteBuffer {
 public:
  explicit RemoteBuffer(SIZE_T size)
      : size_(size), at_(::VirtualAllocEx(gHost.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteBuffer() {
    if (at_ != nullptr) ::VirtualFreeEx(gHost.hProcess, at_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  template <typename T>
  void Write(const T& value) {
    ::WriteProcessMemory(gHost.hProcess, at_, &value, sizeof(T), nullptr);
  }
  template <typename T>
  T Read() const {
    T value{};
    ::ReadProcessMemory(gHost.hProcess, at_, &value, sizeof(T), nullptr);
    return value;
  }
  LPARAM Address() const { return reinterpret_cast<LPARAM>(at_); }

 private:
  SIZE_T size_;
  void* at_;
};

RECT RemoteRect(HWND window, UINT message, WPARAM wParam, RECT initial = {}) {
  RemoteBuffer buffer(sizeof(RECT));
  buffer.Write(initial);
  ::SendMessageA(window, message, wParam, buffer.Address());
  RECT r = buffer.Read<RECT>();
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

kelp::ControlRecord RecordOf(HWND control) {
  RemoteBuffer buffer(sizeof(kelp::ControlRecord));
  ::SendMessageA(control, kelp::DCM_GETRECORD, 0, buffer.Address());
  return buffer.Read<kelp::ControlRecord>();
}

std::string TextOf(HWND window) {
  const int length = static_cast<int>(::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
  std::string text(static_cast<size_t>(length) + 1, '\0');
  ::SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

RECT ScreenRectOf(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return r;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

HWND ChildOf(HWND parent, const char* className) { return ::FindWindowExA(parent, nullptr, className, nullptr); }

// The mouse and the screen belong to the X display: the script that runs us
// moves the X pointer and presses its buttons (xdotool), so that Wine sees
// the mouse exactly as it sees a person's, and it takes pictures of the
// display, since Wine does not show one process the windows of another
// through the screen's DC. We ask by leaving a one-line file "request" in
// the artefact directory; the script removes it when it is done.
void Ask(const std::string& request) {
  const std::string part = gArtefacts + "\\request.part";
  const std::string done = gArtefacts + "\\request";
  if (FILE* file = std::fopen(part.c_str(), "w")) {
    std::fprintf(file, "%s\n", request.c_str());
    std::fclose(file);
  }
  ::MoveFileA(part.c_str(), done.c_str());
  WaitFor([&] { return ::GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; });
  ::WaitForInputIdle(gHost.hProcess, kStepTimeoutMs);
}

// The screen as the person sees it: NN-name.bmp, a 24-bit bottom-up bitmap
// that the script makes (and keeps as NN-name.png).
class Screen {
 public:
  static Screen Take(const std::string& name) {
    Ask("snap " + name);
    const std::string path = gArtefacts + "\\" + name + ".bmp";
    Screen screen;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return screen;
    BITMAPFILEHEADER header{};
    BITMAPINFOHEADER info{};
    if (std::fread(&header, sizeof(header), 1, file) == 1 && std::fread(&info, sizeof(info), 1, file) == 1 &&
        info.biBitCount == 24 && info.biHeight > 0) {
      screen.width_ = info.biWidth;
      screen.height_ = info.biHeight;
      const size_t stride = (static_cast<size_t>(info.biWidth) * 3 + 3) / 4 * 4;
      std::vector<unsigned char> bits(stride * info.biHeight);
      std::fseek(file, static_cast<long>(header.bfOffBits), SEEK_SET);
      if (std::fread(bits.data(), bits.size(), 1, file) == 1) {
        screen.pixels_.resize(static_cast<size_t>(screen.width_) * screen.height_);
        for (int y = 0; y < screen.height_; ++y) {
          const unsigned char* row = bits.data() + stride * (screen.height_ - 1 - y);
          for (int x = 0; x < screen.width_; ++x) {
            screen.pixels_[static_cast<size_t>(y) * screen.width_ + x] = RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
          }
        }
      }
    }
    std::fclose(file);
    return screen;
  }

  int Count(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, height_); ++y) {
      for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, width_); ++x) {
        if (pixels_[static_cast<size_t>(y) * width_ + x] == colour) ++count;
      }
    }
    return count;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

// Saves the screen after a step, once the host has painted everything.
Screen Snap(const char* name) {
  ::WaitForInputIdle(gHost.hProcess, kStepTimeoutMs);
  char numbered[MAX_PATH];
  std::snprintf(numbered, sizeof(numbered), "%02d-%s", ++gStep, name);
  return Screen::Take(numbered);
}

// Saves the screen, again until it shows what the check looks for: what the
// host drew reaches the X screen a little later, more so under the slower
// 32-bit emulation.
Screen SnapShowing(const char* name, const std::function<bool(const Screen&)>& shows) {
  ::WaitForInputIdle(gHost.hProcess, kStepTimeoutMs);
  char numbered[MAX_PATH];
  std::snprintf(numbered, sizeof(numbered), "%02d-%s", ++gStep, name);
  Screen screen = Screen::Take(numbered);
  const DWORD start = ::GetTickCount();
  while (!shows(screen) && ::GetTickCount() - start < kStepTimeoutMs) screen = Screen::Take(numbered);
  return screen;
}

// The mouse as a person moves it.
void MoveTo(POINT at) { Ask("mouse mousemove " + std::to_string(at.x) + " " + std::to_string(at.y)); }
void Button(bool down) { Ask(down ? "mouse mousedown 1" : "mouse mouseup 1"); }

void Click(POINT at) {
  MoveTo(at);
  Ask("mouse click 1");
}

void DoubleClick(POINT at) {
  MoveTo(at);
  Ask("mouse click --repeat 2 --delay 80 1");
}

// A drag whose middle is watched: during() runs with the button still down.
void Drag(POINT from, POINT to, const std::function<void()>& during = {}) {
  MoveTo(from);
  Button(true);
  for (int step = 1; step <= 4; ++step) {
    MoveTo({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
  }
  if (during) during();
  Button(false);
}

// Keys go in through Wine's own input, to the window with the focus.
void Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof(input));
}

void Press(WORD key, WORD modifier = 0) {
  if (modifier != 0) Key(modifier, false);
  Key(key, false);
  Key(key, true);
  if (modifier != 0) Key(modifier, true);
  ::WaitForInputIdle(gHost.hProcess, 1000);
}

void Type(const std::string& text) {
  for (char c : text) {
    if (c == '\n') {
      Press(VK_RETURN);
      continue;
    }
    const SHORT scan = ::VkKeyScanA(c);
    Press(LOBYTE(scan), (HIBYTE(scan) & 1) ? VK_SHIFT : 0);
  }
}

// The windows of the environment.
struct Environment {
  HWND frame = nullptr;
  HWND client = nullptr;
  HWND toolbox = nullptr;
  HWND properties = nullptr;
  HWND form = nullptr;
  HWND surface = nullptr;
  HWND button = nullptr;
  HWND code = nullptr;
};

HWND FirstChildOfClass(HWND parent, const char* className) {
  HWND found = nullptr;
  auto visit = [&](HWND window) {
    char name[64];
    ::GetClassNameA(window, name, sizeof(name));
    if (found == nullptr && std::strcmp(name, className) == 0) found = window;
  };
  for (HWND w = ::GetWindow(parent, GW_CHILD); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) visit(w);
  return found;
}

struct DescendantSearch {
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchDescendant(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<DescendantSearch*>(lParam);
  char name[64];
  ::GetClassNameA(window, name, sizeof(name));
  if (std::strcmp(name, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

HWND DescendantOf(HWND parent, const char* className) {
  DescendantSearch search{className, nullptr};
  ::EnumChildWindows(parent, MatchDescendant, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A menu of the bar opened from the keyboard (Alt, then Right to the menu,
// Down to open it), and one of its items clicked with the mouse: the items
// are owner-drawn, 20 pixels each, so the n-th is n rows below the first.
bool ClickMenuItem(int menu, int item, bool last) {
  Press(VK_MENU);
  for (int i = 0; i < menu; ++i) Press(VK_RIGHT);
  Press(VK_DOWN);
  HWND popup = nullptr;
  if (!WaitFor([&] { return (popup = ::FindWindowA("#32768", nullptr)) != nullptr && ::IsWindowVisible(popup); })) {
    return false;
  }
  RECT place{};
  ::GetClientRect(popup, &place);
  ::MapWindowPoints(popup, nullptr, reinterpret_cast<POINT*>(&place), 2);
  const int y = last ? place.bottom - kMenuItemHeight / 2 : place.top + kMenuItemHeight * item + kMenuItemHeight / 2;
  Snap(last ? "menu-exit" : "menu-item");
  Click({(place.left + place.right) / 2, y});
  return true;
}

bool StartHost() {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  char command[] = "kelp.exe";
  return ::CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &gHost) != FALSE;
}

void NewStandardExe(Environment& env) {
  Say("%s\n", "New Project, \"Standard EXE\", \"OK\"");
  HWND newProject = nullptr;
  Check(WaitFor([&] { return (newProject = ::FindWindowA(nullptr, "Kelp32 - New Project")) != nullptr &&
                             ::IsWindowVisible(newProject); }),
        "the New Project window opens at start");
  env.frame = ::FindWindowA("KelpHost_Class", nullptr);
  env.client = ChildOf(env.frame, "MDIClient");
  env.toolbox = FirstChildOfClass(env.frame, "Toolbar_Class");
  env.properties = FirstChildOfClass(env.frame, "KelpProperty_Class");
  HWND list = ChildOf(newProject, WC_LISTVIEWA);
  Check(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 7, "it offers the seven kinds of project");
  Snap("new-project");

  // A fresh desktop's pointer can lag the first click: a person clicks again.
  const RECT item = RemoteRect(list, LVM_GETITEMRECT, kStandardExeItem, RECT{LVIR_BOUNDS, 0, 0, 0});
  auto selected = [&] { return ::SendMessageA(list, LVM_GETITEMSTATE, kStandardExeItem, LVIS_SELECTED) != 0; };
  for (int attempt = 0; attempt < 3 && !selected(); ++attempt) {
    Click(Centre(item));
    WaitFor(selected, 2000);
  }
  Check(selected(), "a click selects \"Standard EXE\"");
  Click(Centre(ScreenRectOf(::GetDlgItem(newProject, kNewProjectOkId))));
  Check(WaitFor([&] { return !::IsWindow(newProject); }), "\"OK\" closes the New Project window");
  Check(WaitFor([&] { return (env.form = ChildOf(env.client, "ClientForm_Class")) != nullptr; }),
        "a form opens in the environment");
  env.surface = ChildOf(ChildOf(env.form, "BackForm_Class"), "Form_Class");
  Check(TextOf(env.form) == "Project1 - Form1 (Form)", "its title is \"Project1 - Form1 (Form)\"");
  Snap("standard-exe");
}

void DrawButton(Environment& env) {
  Say("%s\n", "the Button tool, and a button drawn on the form");
  HWND toolbar = ChildOf(env.toolbox, TOOLBARCLASSNAMEA);
  Click(Centre(RemoteRect(toolbar, TB_GETRECT, kButtonTool)));
  Check(WaitFor([&] { return ::SendMessageA(toolbar, TB_ISBUTTONCHECKED, kButtonTool, 0) != 0; }),
        "the Button tool is down");
  POINT corners[2] = {{24, 24}, {144, 56}};
  ::MapWindowPoints(env.surface, nullptr, corners, 2);
  Drag(corners[0], corners[1]);
  Check(WaitFor([&] { return (env.button = ChildOf(env.surface, "Button")) != nullptr; }),
        "a button is on the form");
  Check(TextOf(env.button) == "Button0", "it is \"Button0\" (is \"" + TextOf(env.button) + "\")");
  Check(WaitFor([&] { return ::SendMessageA(toolbar, TB_ISBUTTONCHECKED, kPointerTool, 0) != 0; }),
        "the toolbox is back on the Pointer Tool");
  const RECT drawn = ScreenRectOf(env.button);
  Check(drawn.right - drawn.left >= 100 && drawn.bottom - drawn.top >= 24, "it has the size dragged");
  Snap("button-drawn");
}

void MoveButton(Environment& env) {
  Say("%s\n", "the button moved with the mouse");
  const RECT before = ScreenRectOf(env.button);
  const std::string title = TextOf(env.form);
  const POINT from = Centre(before);
  bool captionFollowed = false;
  Drag(from, {from.x + 64, from.y + 48}, [&] {
    captionFollowed = WaitFor([&] { return TextOf(env.form) != title; }, 3000);
    Snap("button-moving");
  });
  Check(captionFollowed, "the form's caption shows the position while dragging");
  Check(WaitFor([&] {
          const RECT after = ScreenRectOf(env.button);
          return after.left - before.left == 64 && after.top - before.top == 48;
        }),
        "the button lands 64 right and 48 down");
  Check(WaitFor([&] { return TextOf(env.form) == title; }), "the caption is the form's title again");
  Snap("button-moved");
}

POINT ValueOfRow(HWND list, int row) {
  const int height = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  const int top = static_cast<int>(::SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  RECT r{};
  ::GetClientRect(list, &r);
  POINT at{r.right * 3 / 4, (row - top) * height + height / 2};
  ::ClientToScreen(list, &at);
  return at;
}

void TypeCaption(Environment& env) {
  Say("%s\n", "the caption typed in the properties window");
  HWND list = ChildOf(env.properties, "LISTBOX");
  Click(ValueOfRow(list, kelp::kRowCaption));
  HWND editor = nullptr;
  Check(WaitFor([&] { return (editor = ChildOf(list, "Edit")) != nullptr && ::IsWindowVisible(editor); }),
        "a click on \" Caption\" opens its editor");
  Check(TextOf(editor) == "Button0", "the editor holds the caption");
  Click(Centre(ScreenRectOf(editor)));
  Press(VK_END);
  Press(VK_HOME, VK_SHIFT);
  Type("Say Hello");
  Check(WaitFor([&] { return TextOf(env.button) == "Say Hello"; }),
        "the button reads \"Say Hello\"");
  Check(std::strcmp(RecordOf(env.button).caption, "Say Hello") == 0, "its record keeps the caption");
  Snap("caption-typed");
}

void PickColour(Environment& env) {
  Say("%s\n", "the button's colour picked from the palette");
  HWND list = ChildOf(env.properties, "LISTBOX");
  Click(ValueOfRow(list, kelp::kRowBackColour));
  HWND field = nullptr;
  Check(WaitFor([&] { return (field = ChildOf(list, "ColorCombo_Class")) != nullptr; }),
        "a click on \" BkColor\" opens the colour field");
  const RECT fieldPlace = ScreenRectOf(field);
  const kelp::Rect button = kelp::DropDownButton({fieldPlace.left, fieldPlace.top, fieldPlace.right,
                                                  fieldPlace.bottom});
  Click({(button.left + button.right) / 2, (button.top + button.bottom) / 2});
  HWND palette = nullptr;
  Check(WaitFor([&] {
          HWND popup = ::FindWindowA("ColorBox_Class", nullptr);
          return popup != nullptr && (palette = DescendantOf(popup, "Palette_Class")) != nullptr &&
                 ::IsWindowVisible(palette);
        }),
        "its drop-down button opens the palette");
  Snap("palette");
  int red = 0;
  while (red < kelp::kPaletteCellCount && kelp::kPalette[red] != kelp::ColourRef{kRed}) ++red;
  const kelp::Rect cell = kelp::PaletteCell(red);
  POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  ::ClientToScreen(palette, &at);
  Click(at);
  Check(WaitFor([&] { return RecordOf(env.button).backColour == kRed; }), "the button's colour is red");
  Check(WaitFor([&] { return ::FindWindowA("ColorBox_Class", nullptr) == nullptr; }), "the picker has closed");
  const Screen screen =
      SnapShowing("colour-picked", [&](const Screen& s) { return s.Count(ScreenRectOf(list), kRed) >= 40; });
  Check(screen.Count(ScreenRectOf(list), kRed) >= 40, "the properties window shows a red swatch");
}

void ViewCode(Environment& env) {
  Say("%s\n", "a double click, and the button's skeleton in its code window");
  DoubleClick(Centre(ScreenRectOf(env.button)));
  HWND editor = nullptr;
  Check(WaitFor([&] {
          env.code = ChildOf(env.client, "Editor_Class");
          return env.code != nullptr && ::IsWindowVisible(env.code) &&
                 (editor = ChildOf(env.code, "RichEdit20A")) != nullptr &&
                 TextOf(editor).find("IDC_BUTTON0") != std::string::npos;
        }),
        "a code window opens with the button's handler");
  // A control's code window is named after the text it shows.
  Check(TextOf(env.code) == "Say Hello (Code)", "it is \"Say Hello (Code)\"");
  const std::string code = TextOf(editor);
  Check(code.find("        .if wParam == IDC_BUTTON0") != std::string::npos, "the handler tests IDC_BUTTON0");
  const RECT place = ScreenRectOf(editor);
  const auto teal = [&](const Screen& s) { return s.Count(place, kTeal) >= 100; };
  const auto keywords = [&](const Screen& s) {
    return s.Count(place, kRed) + s.Count(place, RGB(0, 0, 255)) + s.Count(place, RGB(0xC7, 0x15, 0x85)) >= 40;
  };
  const Screen screen = SnapShowing("button-code", [&](const Screen& s) { return teal(s) && keywords(s); });
  Check(teal(screen), "its comments are teal");
  Check(keywords(screen), "its keywords are coloured");
}

void FindText(Environment& env) {
  Say("%s\n", "Find Text in the code window");
  HWND editor = ChildOf(env.code, "RichEdit20A");
  Click(Centre(ScreenRectOf(editor)));
  Press(VK_HOME, VK_CONTROL);
  Press(VK_F2);
  HWND find = nullptr;
  Check(WaitFor([&] { return (find = ::FindWindowA("Search_Class", nullptr)) != nullptr && ::IsWindowVisible(find); }),
        "F2 opens Find Text");
  Type("IDC_BUTTON0");
  Snap("find-text");
  Click(Centre(ScreenRectOf(::FindWindowExA(find, nullptr, "Button", "Find"))));
  const std::string code = TextOf(editor);
  std::string flat;  // RichEdit counts a line break as one character
  for (char c : code) if (c != '\n') flat += c;
  const DWORD expected = static_cast<DWORD>(flat.find("IDC_BUTTON0"));
  Check(WaitFor([&] {
          DWORD start = 0, end = 0;
          ::SendMessageA(editor, EM_GETSEL, 0, 0);
          const LRESULT both = ::SendMessageA(editor, EM_GETSEL, 0, 0);
          start = LOWORD(both);
          end = HIWORD(both);
          return start == expected && end == expected + 11;
        }),
        "the first IDC_BUTTON0 is selected");
  Snap("found");
  if (HWND cancel = ::FindWindowExA(find, nullptr, "Button", "Cancel")) Click(Centre(ScreenRectOf(cancel)));
}

void AddModule(Environment& env) {
  Say("%s\n", "\"&Add Module\" from the Project menu");
  HWND tree = DescendantOf(FirstChildOfClass(env.frame, "Project_Class"), WC_TREEVIEWA);
  const LRESULT items = ::SendMessageA(tree, TVM_GETCOUNT, 0, 0);
  Check(ClickMenuItem(kProjectMenu, kAddModuleItem, false), "the Project menu opens");
  HWND module = nullptr;
  Check(WaitFor([&] { return (module = ::FindWindowExA(env.client, nullptr, nullptr, "Module1 (Code)")) != nullptr &&
                             ::IsWindowVisible(module); }),
        "\"Module1 (Code)\" opens");
  Check(WaitFor([&] { return ::SendMessageA(tree, TVM_GETCOUNT, 0, 0) > items; }),
        "the project window lists it");
  Snap("module-added");
}

std::string ProjectPath() { return gArtefacts + "\\project\\Walk.kproj"; }

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A file dialog of the environment's, once it is up, the path typed into
// its name box (where the focus starts) and Enter pressed.
bool AnswerFileDialog(const char* title, const char* snap) {
  HWND dialog = nullptr;
  if (!WaitFor([&] { return (dialog = ::FindWindowA(nullptr, title)) != nullptr && ::IsWindowVisible(dialog); })) {
    return false;
  }
  Type(ProjectPath());
  // The dialog is painted before its picture is taken: a fresh dialog's
  // first paint may still be on its way to the X screen.
  WaitFor([&] {
    HWND name = ::GetDlgItem(dialog, 0x47C);  // the file name box, cmb13
    if (name == nullptr) name = ::GetDlgItem(dialog, 0x480);
    return name != nullptr && TextOf(name) == ProjectPath();
  });
  ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Snap(snap);
  Press(VK_RETURN);
  return WaitFor([&] { return !::IsWindow(dialog); });
}

void SaveProject(Environment& env) {
  Say("%s\n", "Ctrl+S, and the project saved as Walk.kproj");
  Check(TextOf(env.frame) == "Project1* - Kelp - MASM Visual Designer",
        "the title marks the project as changed (is \"" + TextOf(env.frame) + "\")");
  ::CreateDirectoryA((gArtefacts + "\\project").c_str(), nullptr);
  Press('S', VK_CONTROL);
  Check(AnswerFileDialog("Save Project", "save-dialog"), "the Save dialog takes the name");
  Check(WaitFor([&] { return TextOf(env.frame) == "Walk - Kelp - MASM Visual Designer"; }),
        "the title names the saved project, unchanged (is \"" + TextOf(env.frame) + "\")");
  for (const char* file : {"Walk.kproj", "Form1.kform", "Form1.Button0.asm", "Module1.asm"}) {
    Check(FileExists(gArtefacts + "\\project\\" + file), std::string(file) + " is saved");
  }
  Snap("saved");
}

// A fresh environment; the New Project window cancelled, the saved project
// opened with Ctrl+O, and everything back as it was.
void Reopen(Environment& env) {
  Say("%s\n", "kelp.exe again, and Walk.kproj opened with Ctrl+O");
  ::CloseHandle(gHost.hProcess);
  ::CloseHandle(gHost.hThread);
  Check(StartHost(), "kelp.exe starts again");
  HWND newProject = nullptr;
  Check(WaitFor([&] { return (newProject = ::FindWindowA(nullptr, "Kelp32 - New Project")) != nullptr &&
                             ::IsWindowVisible(newProject); }),
        "the New Project window opens at start");
  Click(Centre(ScreenRectOf(::GetDlgItem(newProject, kelp::kNewProjectCancelId))));
  Check(WaitFor([&] { return !::IsWindow(newProject); }), "\"Cancel\" closes it");
  env = Environment{};
  env.frame = ::FindWindowA("KelpHost_Class", nullptr);
  env.client = ChildOf(env.frame, "MDIClient");
  Press('O', VK_CONTROL);
  Check(AnswerFileDialog("Open Project", "open-dialog"), "the Open dialog takes the name");
  Check(WaitFor([&] { return TextOf(env.frame) == "Walk - Kelp - MASM Visual Designer"; }),
        "the title names the opened project (is \"" + TextOf(env.frame) + "\")");
  Check(WaitFor([&] { return (env.form = ChildOf(env.client, "ClientForm_Class")) != nullptr; }), "Form1 is back");
  env.surface = ChildOf(ChildOf(env.form, "BackForm_Class"), "Form_Class");
  env.button = ChildOf(env.surface, "Button");
  Check(env.button != nullptr && TextOf(env.button) == "Say Hello", "with its button, \"Say Hello\"");
  Check(env.button != nullptr && RecordOf(env.button).backColour == kRed, "red");
  Check(::FindWindowExA(env.client, nullptr, nullptr, "Module1 (Code)") != nullptr, "Module1 is back");
  Snap("reopened");
}

// Every line of the Output window (UTF-16 from another process).
std::vector<std::string> OutputLines(HWND frame) {
  std::vector<std::string> lines;
  HWND list = ChildOf(ChildOf(frame, "KelpOutput_Class"), "ListBox");
  const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t wide[1024] = {};
    if (::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < 1024) {
      ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    }
    char text[2048] = {};
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
    lines.emplace_back(text);
  }
  return lines;
}

// Brings a code window up by its caption, clicks into its editor and types
// at the end of the line.
void TypeInto(HWND codeWindow, int line, const std::string& text) {
  const RECT frame = ScreenRectOf(codeWindow);
  Click({frame.left + 60, frame.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2});
  HWND editor = ChildOf(codeWindow, "RichEdit20A");
  Click(Centre(ScreenRectOf(editor)));
  Press(VK_HOME, VK_CONTROL);
  for (int i = 1; i < line; ++i) Press(VK_DOWN);
  Press(VK_END);
  Type(text);
}

// The button's handler gives the window the button's caption as its title;
// F7 makes the program, F5 runs it, and a click on its button shows the
// handler at work.
void MakeAndRun(Environment& env) {
  Say("%s\n", "code typed into the handler and a module, F7, F5");
  // The module, on top since the project opened, holds the handler's buffer.
  HWND module = ::FindWindowExA(env.client, nullptr, nullptr, "Module1 (Code)");
  Check(module != nullptr, "Module1 is there for the handler's buffer");
  if (module != nullptr) TypeInto(module, 1, ".data?\ngClicked QWORD ?, ?, ?, ?, ?, ?, ?, ?\n");  // 64 bytes
  HWND code = ::FindWindowExA(env.client, nullptr, nullptr, "Say Hello (Code)");
  Check(code != nullptr, "the button's code window is there");
  if (code != nullptr) {
    TypeInto(code, 5, "\ninvoke GetWindowText, lParam, addr gClicked, 64\ninvoke SetWindowText, hWin, addr gClicked");
  }
  Snap("handler-typed");
  Press(VK_F7);
  Check(WaitFor([&] {
          for (const std::string& line : OutputLines(env.frame)) {
            if (line.rfind("Made ", 0) == 0) return true;
          }
          return false;
        }, 60000),
        "F7 makes Walk.exe (the Output window says \"Made\")");
  Snap("made");
  if (sizeof(void*) != 4) {
    Say("%s\n", "  (Run: the 64-bit Wine here cannot start the 32-bit program; the 32-bit walkthrough runs it)");
    return;
  }
  Press(VK_F5);
  HWND program = nullptr;
  Check(WaitFor([&] { return (program = ::FindWindowA(nullptr, "Form1")) != nullptr && ::IsWindowVisible(program); },
                60000),
        "F5 runs it: its window is on the screen");
  HWND button = ChildOf(program, "Button");
  Check(button != nullptr && TextOf(button) == "Say Hello", "with the drawn button, \"Say Hello\"");
  Snap("program");
  if (button != nullptr) Click(Centre(ScreenRectOf(button)));
  Check(WaitFor([&] { return TextOf(program) == "Say Hello"; }), "a click runs the handler: the title is \"Say Hello\"");
  Snap("program-clicked");
  DWORD processId = 0;
  ::GetWindowThreadProcessId(program, &processId);
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
  ::PostMessageA(program, WM_CLOSE, 0, 0);
  Check(process != nullptr && ::WaitForSingleObject(process, kStepTimeoutMs) == WAIT_OBJECT_0,
        "the program ends when its window closes");
  if (process != nullptr) ::CloseHandle(process);
}

void Exit(Environment&) {
  Say("%s\n", "\"&Exit\" from the File menu");
  Check(ClickMenuItem(kFileMenu, 0, true), "the File menu opens");
  Check(::WaitForSingleObject(gHost.hProcess, kStepTimeoutMs) == WAIT_OBJECT_0, "the environment closes");
  DWORD code = 1;
  ::GetExitCodeProcess(gHost.hProcess, &code);
  Check(code == 0, "and exits with 0");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: e2e_walkthrough <artefact directory>\n");
    return 2;
  }
  gArtefacts = argv[1];
  if (!StartHost()) {
    std::printf("FAIL cannot start kelp.exe\n");
    return 1;
  }
  Environment env;
  NewStandardExe(env);
  if (gFailures == 0) DrawButton(env);
  if (gFailures == 0) MoveButton(env);
  if (gFailures == 0) TypeCaption(env);
  if (gFailures == 0) PickColour(env);
  if (gFailures == 0) ViewCode(env);
  if (gFailures == 0) FindText(env);
  if (gFailures == 0) AddModule(env);
  if (gFailures == 0) SaveProject(env);
  if (gFailures == 0) Exit(env);
  if (gFailures == 0) Reopen(env);
  const char* settings = std::getenv("KELP_SETTINGS_FOLDER");
  if (gFailures == 0 && settings != nullptr && *settings != '\0') {
    MakeAndRun(env);
  } else if (gFailures == 0) {
    Say("%s\n", "Make and Run: skipped (no JWasm built for Windows: ../shared/tools is absent)");
  }
  if (gFailures == 0) Exit(env);
  if (gFailures != 0) ::TerminateProcess(gHost.hProcess, 1);
  std::printf("%s\n", gFailures == 0 ? "walkthrough: passed" : "walkthrough: FAILED");
  std::fflush(stdout);
  if (FILE* finished = std::fopen((gArtefacts + "\\finished").c_str(), "w")) std::fclose(finished);
  return gFailures == 0 ? 0 : 1;
}
