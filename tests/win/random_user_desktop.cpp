#include "random_user_desktop.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "controls/design_control.h"
#include "core/colour_tables.h"
#include "core/property_layout.h"
#include "core/property_rows.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/form_selection.h"
#include "designer/grab_handles.h"
#include "editor/editor.h"
#include "entry/messages.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"
#include "properties/colour_picker.h"
#include "properties/properties.h"
#include "properties_fixture.h"
#include "win/rect.h"
#include "core/project_store.h"
#include "core/design_history.h"
#include "core/project_writer.h"
#include "editor_fixture.h"
#include "kelp_process.h"
#include "project_session.h"
#include "project_snapshot.h"
#include "win_file_system.h"

namespace kelp::test {

using random_user::Act;
using random_user::Action;
using random_user::Spot;

namespace {

// kelp.exe's layout: the toolbox down the left edge, a strip down the right
// edge with the project window on top, the properties window below it and
// the Form Layout window at the bottom; the frame fills most of the screen.
constexpr int kToolboxWidth = 72;
constexpr int kStripWidth = 220;
constexpr int kProjectHeight = 190;
constexpr int kLayoutHeight = 170;
constexpr int kFrameWidth = 1260, kFrameHeight = 1000;

// The host's own commands and the library's menus on the bar.
constexpr int kEditMenu = 1;
constexpr int kProjectMenu = 3;
constexpr int kFormatMenu = 4;
constexpr int kFileMenu = 0;
// Down-arrow presses to each item of the "Project" and "File" menus.
constexpr int kAddFormItem = 1;
constexpr int kAddModuleItem = 3;
constexpr int kAddClassModuleItem = 4;
constexpr int kNewProjectItem = 1;

// The New Project window's kinds, its OK and Cancel buttons.
constexpr int kProjectKinds = 7;
constexpr int kNewProjectOk = 1001;
constexpr int kNewProjectCancel = 1000;

// The Find Text window's children.
constexpr int kFindTextBox = 4000;
constexpr int kFindCaseBox = 100;
constexpr int kFindWordBox = 200;
constexpr int kFindButton = 3000;
constexpr int kFindCancel = 3001;

constexpr int kToolButtons = 23;
constexpr int kScrollClicksMost = 5;
constexpr int kDragSteps = 6;
// A press this far from the last is never half of a double-click; the
// second click of a deliberate one lands within it.
constexpr UINT kDoubleClickArea = 4;

Desktop* gDesktop = nullptr;
WNDPROC gTestFrameProc = nullptr;

// The host's frame procedure, as kelp.exe's: it lays its windows out itself
// and keeps the project with kelp.exe's own session (New, Open, Save, the
// question before changes are lost).
LRESULT CALLBACK HostFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  host::ProjectSession* session = gDesktop != nullptr ? gDesktop->Session() : nullptr;
  if (message == WM_SIZE) {
    if (gDesktop != nullptr) gDesktop->LayOut();
    return 0;
  }
  if (message == KELP32_PROJECT_CHANGED && session != nullptr) {
    session->MarkChanged();
    return 0;
  }
  if (message == WM_COMMAND && session != nullptr) {
    switch (LOWORD(wParam)) {
      case IDM_NEWPROJECT: session->StartNew(); return 0;
      case IDM_OPENPROJECT: session->OpenWithDialog(); return 0;
      case IDM_SAVEPROJECT: session->Save(); return 0;
      default: break;
    }
  }
  return ::CallWindowProcA(gTestFrameProc, frame, message, wParam, lParam);
}

// The random user's answers to the environment's own dialogs, given from
// inside their modal loops: a timer of this thread finds each dialog and
// answers it as the user chose.
struct DialogAnswers {
  int question = IDNO;               // "Save changes to ...?"
  std::string path;                  // for the Save and Open dialogs; empty: Cancel
  std::vector<std::string> unknown;  // any other box met
  std::vector<HWND> answered;
};
DialogAnswers* gAnswers = nullptr;

constexpr int kMessageBoxText = 0xFFFF;
constexpr int kFileNameCombo = 0x47C;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1

// A user may give two controls the same name or identifier; the project
// then opens with a warning naming each, which is no fault.
bool OnlyWarnsOfSharedNames(const std::string& said) {
  if (said.find("opened, with warnings:") == std::string::npos) return false;
  std::istringstream lines(said.substr(said.find(':') + 1));
  bool any = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.find("warning:") == std::string::npos) continue;
    if (line.find(" has the name ") == std::string::npos && line.find(" has the identifier ") == std::string::npos) {
      return false;
    }
    any = true;
  }
  return any;
}

void AnswerDialog(HWND dialog) {
  DialogAnswers& answers = *gAnswers;
  if (std::find(answers.answered.begin(), answers.answered.end(), dialog) != answers.answered.end()) return;
  answers.answered.push_back(dialog);
  if (HWND text = ::GetDlgItem(dialog, kMessageBoxText)) {
    const std::string said = WindowText(text);
    if (said.rfind("Save changes to", 0) == 0) {
      ::PostMessageA(dialog, WM_COMMAND, answers.question, 0);
    } else if (::GetDlgItem(dialog, IDYES) != nullptr && said.find("already exists") != std::string::npos) {
      ::PostMessageA(dialog, WM_COMMAND, IDYES, 0);  // the Save dialog's "replace it?"
    } else if (OnlyWarnsOfSharedNames(said)) {
      ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    } else {
      answers.unknown.push_back(WindowText(dialog) + ": " + said);
      ::PostMessageA(dialog, WM_COMMAND, ::GetDlgItem(dialog, IDOK) != nullptr ? IDOK : IDCANCEL, 0);
    }
    return;
  }
  if (answers.path.empty()) {
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  for (int id : {kFileNameCombo, kFileNameEdit}) {
    if (HWND name = ::GetDlgItem(dialog, id)) ::SetWindowTextA(name, answers.path.c_str());
  }
  ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

BOOL CALLBACK AnswerIfDialog(HWND window, LPARAM) {
  if (ClassNameOf(window) == "#32770" && ::IsWindowVisible(window)) AnswerDialog(window);
  return TRUE;
}

void CALLBACK AnswerTick(HWND, UINT, UINT_PTR, DWORD) {
  if (gAnswers != nullptr) ::EnumThreadWindows(::GetCurrentThreadId(), AnswerIfDialog, 0);
}

// While it lives the dialogs are answered; the test's message-box closer
// leaves them alone.
class AnsweringDialogs {
 public:
  explicit AnsweringDialogs(DialogAnswers& answers) {
    gAnswers = &answers;
    MessageBoxCloser::paused = true;
    timer_ = ::SetTimer(nullptr, 0, 50, AnswerTick);
  }
  ~AnsweringDialogs() {
    ::KillTimer(nullptr, timer_);
    MessageBoxCloser::paused = false;
    gAnswers = nullptr;
  }
  AnsweringDialogs(const AnsweringDialogs&) = delete;
  AnsweringDialogs& operator=(const AnsweringDialogs&) = delete;

 private:
  UINT_PTR timer_ = 0;
};

constexpr int kOpenProjectItem = 2;
constexpr int kSaveProjectItem = 5;
constexpr char kProjectFileName[] = "Random.kproj";
constexpr const char* kAnswerNames[] = {"Yes", "No", "Cancel"};
constexpr int kAnswerIds[] = {IDYES, IDNO, IDCANCEL};

bool IsClass(HWND window, const char* name) { return ClassNameOf(window) == name; }

POINT SpotIn(const RECT& r, Spot s) {
  return {r.left + static_cast<LONG>((static_cast<long long>(r.right - r.left - 1) * s.x) / 1000),
          r.top + static_cast<LONG>((static_cast<long long>(r.bottom - r.top - 1) * s.y) / 1000)};
}

// The part of a window that its ancestors' client areas leave visible.
RECT VisiblePart(HWND window, bool clientOnly) {
  RECT r = ScreenRect(window);
  if (clientOnly) {
    ::GetClientRect(window, &r);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  }
  for (HWND parent = ::GetParent(window); parent != nullptr; parent = ::GetParent(parent)) {
    RECT client{};
    ::GetClientRect(parent, &client);
    ::MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::IntersectRect(&r, &r, &client);
  }
  return r;
}

bool Hits(HWND target, POINT at, bool childrenToo) {
  HWND hit = ::WindowFromPoint(at);
  return hit == target || (childrenToo && hit != nullptr && ::IsChild(target, hit));
}

// A point near the spot where a press reaches the window: the spot itself,
// else the first of a grid over the visible part.
bool ReachablePoint(HWND window, const RECT& area, Spot spot, bool childrenToo, POINT& at) {
  if (area.right <= area.left || area.bottom <= area.top) return false;
  at = SpotIn(area, spot);
  if (Hits(window, at, childrenToo)) return true;
  constexpr int kGrid = 7;
  for (int gy = 0; gy < kGrid; ++gy) {
    for (int gx = 0; gx < kGrid; ++gx) {
      at = SpotIn(area, {(1000 * gx + 500) / kGrid, (1000 * gy + 500) / kGrid});
      if (Hits(window, at, childrenToo)) return true;
    }
  }
  return false;
}

// A point of the window's non-client area with this hit-test code, where a
// press reaches the window.
bool NonClientPoint(HWND window, int code, Spot spot, POINT& at) {
  TITLEBARINFO title{};
  title.cbSize = sizeof(title);
  RECT area = ScreenRect(window);
  if ((code == HTCAPTION || code == HTCLOSE) && ::GetTitleBarInfo(window, &title)) {
    area = title.rcTitleBar;
  } else if (code == HTBOTTOMRIGHT) {
    area = {area.right - 6, area.bottom - 6, area.right, area.bottom};
  }
  RECT visible = VisiblePart(window, false);
  ::IntersectRect(&area, &area, &visible);
  if (area.right <= area.left || area.bottom <= area.top) return false;
  auto fits = [&](POINT p) {
    const LRESULT hit = ::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    return hit == code && Hits(window, p, false);
  };
  at = SpotIn(area, spot);
  if (fits(at)) return true;
  // Three rows across the area, a few pixels apart: enough to find a
  // caption button, few enough to stay quick on a crowded desktop.
  constexpr int kRows = 3;
  constexpr LONG kStep = 4;
  for (int row = 0; row < kRows; ++row) {
    const LONG y = area.top + (area.bottom - area.top) * (2 * row + 1) / (2 * kRows);
    for (LONG x = area.right - 1; x >= area.left; x -= kStep) {
      at = {x, y};
      if (fits(at)) return true;
    }
  }
  return false;
}

void RightClickThenKeys(POINT at, const std::vector<WORD>& keys) { ClickThenKeys(at, true, keys); }

// Double-clicks, which a desktop without accidental ones must allow for a moment.
void DoubleClickOn(POINT at, bool queued) {
  const UINT width = static_cast<UINT>(::GetSystemMetrics(SM_CXDOUBLECLK));
  const UINT height = static_cast<UINT>(::GetSystemMetrics(SM_CYDOUBLECLK));
  ::SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, kDoubleClickArea, nullptr, 0);
  ::SystemParametersInfoA(SPI_SETDOUBLECLKHEIGHT, kDoubleClickArea, nullptr, 0);
  if (queued) {
    DoubleClickQueued(at);
  } else {
    DoubleClick(at);
  }
  ::SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, width, nullptr, 0);
  ::SystemParametersInfoA(SPI_SETDOUBLECLKHEIGHT, height, nullptr, 0);
}

std::string Point(POINT p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }

std::string NameOf(HWND window) {
  if (window == nullptr) return "nothing";
  const std::string text = WindowText(window);
  return "'" + (text.size() > 24 ? text.substr(0, 24) + "..." : text) + "'";
}

HWND FrameOfControl(HWND control) {
  const ControlRecord* record = RecordOfControl(control);
  return record != nullptr ? FrameOfSurface(SurfaceOfControl(*record)) : nullptr;
}

HWND FindProjectItemWindow(HWND tree, HTREEITEM item) {
  TVITEMA data{};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return reinterpret_cast<HWND>(data.lParam);
}

void CollectItemsWithWindows(HWND tree, HTREEITEM item, std::vector<HTREEITEM>& out) {
  for (; item != nullptr;
       item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    if (FindProjectItemWindow(tree, item) != nullptr) out.push_back(item);
    CollectItemsWithWindows(
        tree,
        reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))),
        out);
  }
}

}  // namespace

Inventory TakeInventory(HWND mdiClient) {
  Inventory inventory;
  for (HWND child = ::GetWindow(mdiClient, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const bool visible = ::IsWindowVisible(child) && !::IsIconic(child);
    if (IsClass(child, kFrameClassName) && SurfaceOf(child) != nullptr) {
      inventory.forms.push_back(child);
      if (!visible) continue;
      inventory.visibleForms.push_back(child);
      for (HWND control : ControlsOn(SurfaceOf(child))) inventory.controls.push_back(control);
    } else if (IsClass(child, kCodeWindowClassName)) {
      inventory.codeWindows.push_back(child);
      if (visible) inventory.visibleCodeWindows.push_back(child);
    }
  }
  return inventory;
}

HWND SurfaceOf(HWND frame) {
  const FormRecord* form = FormRecordOf(frame);
  return form != nullptr ? form->surface : nullptr;
}

std::vector<HWND> ControlsOn(HWND surface) {
  std::vector<HWND> controls;
  for (HWND child = ::GetWindow(surface, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!IsClass(child, "Boxs_Class") && RecordOfControl(child) != nullptr) controls.push_back(child);
  }
  return controls;
}

void TypeKeys(const std::string& text) {
  std::string run;
  auto flush = [&] {
    if (!run.empty()) TypeCharacters(run);
    run.clear();
  };
  for (char c : text) {
    switch (c) {
      case '\n': flush(); PressKey(VK_RETURN); break;
      case '\t': flush(); PressKey(VK_TAB); break;
      case '\b': flush(); PressKey(VK_BACK); break;
      default: run += c; break;
    }
  }
  flush();
}

NoAccidentalDoubleClicks::NoAccidentalDoubleClicks()
    : width_(static_cast<UINT>(::GetSystemMetrics(SM_CXDOUBLECLK))),
      height_(static_cast<UINT>(::GetSystemMetrics(SM_CYDOUBLECLK))) {
  ::SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, 0, nullptr, 0);
  ::SystemParametersInfoA(SPI_SETDOUBLECLKHEIGHT, 0, nullptr, 0);
}

NoAccidentalDoubleClicks::~NoAccidentalDoubleClicks() {
  ::SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, width_, nullptr, 0);
  ::SystemParametersInfoA(SPI_SETDOUBLECLKHEIGHT, height_, nullptr, 0);
}

void Desktop::Build(HWND frame, HWND mdiClient) {
  gDesktop = this;
  frame_ = frame;
  mdiClient_ = mdiClient;
  gTestFrameProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostFrameProc)));
  toolbox_ = Create_Tool_Bar(frame);
  project_ = Create_Project_Window(frame);
  properties_ = Create_Prop_Window(frame);
  layout_ = ScreenLayoutClass(frame);
  CreateMenuBar(0);
  SetHostOptions(KELP32_OPTION_NOTIFY_CHANGES | KELP32_OPTION_ASK_BEFORE_EXIT | KELP32_OPTION_DESIGN_TOOLS);
  ::MoveWindow(frame, 0, 0, kFrameWidth, kFrameHeight, TRUE);
  LayOut();
  ::SetForegroundWindow(frame);
  ::UpdateWindow(frame);
  PumpPending();
}

void Desktop::LayOut() {
  RECT client{};
  ::GetClientRect(frame_, &client);
  const int width = client.right;
  const int height = client.bottom;
  const int stripLeft = width - kStripWidth;
  const int layoutTop = height - kLayoutHeight;
  ::MoveWindow(toolbox_, 0, 0, kToolboxWidth, height, TRUE);
  ::MoveWindow(mdiClient_, kToolboxWidth, 0, stripLeft - kToolboxWidth, height, TRUE);
  ::MoveWindow(project_, stripLeft, 0, kStripWidth, kProjectHeight, TRUE);
  ::MoveWindow(properties_, stripLeft, kProjectHeight, kStripWidth, layoutTop - kProjectHeight, TRUE);
  ::MoveWindow(layout_, stripLeft, layoutTop, kStripWidth, kLayoutHeight, TRUE);
}

Desktop::Desktop() = default;
Desktop::~Desktop() = default;

void Desktop::StartOver() {
  // A new project with a session and a folder of its own, as a fresh kelp.exe.
  CloseProject(0, 0, 0);
  while (HWND child = ::GetWindow(mdiClient_, GW_CHILD)) ::DestroyWindow(child);
  PumpPending();
  projectFolder_ = FreshFolder("random-user");
  session_ = std::make_unique<host::ProjectSession>(frame_, project_, FreshFolder("random-user-recovery"));
  projectProblems_.clear();
  firstStates_.clear();
  lastSteps_.clear();
  // What the destroyed forms held is gone with them.
  gWorkspace.selectedWindow = nullptr;
  gWorkspace.selectedKind = 0;
  gFormDesigner.copiedControl = nullptr;
  gEditor.codeWindowsCascaded = 0;
  NewProjectThenChoose(0, false);  // "Standard EXE", as kelp.exe starts
}

random_user::Situation Desktop::Describe() const {
  const Inventory inventory = TakeInventory(mdiClient_);
  random_user::Situation s;
  s.visibleForms = static_cast<int>(inventory.visibleForms.size());
  s.forms = static_cast<int>(inventory.forms.size());
  s.controls = static_cast<int>(inventory.controls.size());
  s.visibleCodeWindows = static_cast<int>(inventory.visibleCodeWindows.size());
  s.codeWindows = static_cast<int>(inventory.codeWindows.size());
  s.hiddenWindows = static_cast<int>(inventory.forms.size() + inventory.codeWindows.size() -
                                     inventory.visibleForms.size() - inventory.visibleCodeWindows.size());
  s.controlSelected = gWorkspace.selectedKind != kKindForm && RecordOfControl(gWorkspace.selectedWindow) != nullptr;
  return s;
}

HWND Desktop::ChosenForm(const Action& a) const {
  const Inventory inventory = TakeInventory(mdiClient_);
  if (inventory.visibleForms.empty()) return nullptr;
  return inventory.visibleForms[a.which % inventory.visibleForms.size()];
}

HWND Desktop::ChosenControl(const Action& a) const {
  const Inventory inventory = TakeInventory(mdiClient_);
  if (inventory.controls.empty()) return nullptr;
  return inventory.controls[a.which % inventory.controls.size()];
}

// A form (item 0) or a code window (item 1); the other kind when there is none.
HWND Desktop::ChosenWindow(const Action& a) const {
  const Inventory inventory = TakeInventory(mdiClient_);
  const std::vector<HWND>* first = a.item == 0 ? &inventory.visibleForms : &inventory.visibleCodeWindows;
  const std::vector<HWND>* second = a.item == 0 ? &inventory.visibleCodeWindows : &inventory.visibleForms;
  if (first->empty()) std::swap(first, second);
  if (first->empty()) return nullptr;
  return (*first)[a.which % first->size()];
}

bool Desktop::Reach(HWND window, Spot spot, bool childrenToo, POINT& at, std::string& log, bool clientOnly) {
  if (ReachablePoint(window, VisiblePart(window, clientOnly), spot, childrenToo, at)) {
    HWND hit = ::WindowFromPoint(at);
    if (hit != window) log += " (on its " + ClassNameOf(hit) + ")";
    return true;
  }
  // Covered: the user brings the form (or code window) up by its caption first.
  HWND top = window;
  while (top != nullptr && ::GetParent(top) != mdiClient_) top = ::GetParent(top);
  POINT caption{};
  if (top == nullptr || !NonClientPoint(top, HTCAPTION, {500, 500}, caption)) {
    log += " out of reach";
    return false;
  }
  ClickQueued(caption);
  log += " (brought " + NameOf(top) + " up by its caption)";
  if (ReachablePoint(window, VisiblePart(window, clientOnly), spot, childrenToo, at)) return true;
  log += " out of reach";
  return false;
}

std::string Desktop::PickTool(const Action& a) {
  const int tool = kToolPointer + static_cast<int>(a.item % kToolButtons);
  RECT button{};
  ::SendMessageA(gWorkspace.toolboxToolbar, TB_GETRECT, static_cast<WPARAM>(tool), reinterpret_cast<LPARAM>(&button));
  ::MapWindowPoints(gWorkspace.toolboxToolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
  Click(Centre(button));
  return "tool " + std::to_string(tool);
}

std::string Desktop::DrawOnForm(const Action& a) {
  HWND frame = ChosenForm(a);
  HWND surface = SurfaceOf(frame);
  std::string log = "on " + NameOf(frame) + " with tool " + std::to_string(gWorkspace.currentTool);
  POINT from{};
  if (!Reach(surface, a.from, false, from, log)) return log;
  const POINT to = SpotIn(VisiblePart(surface, true), a.to);
  Drag(from, to, kDragSteps);
  return log + " " + Point(from) + "->" + Point(to);
}

// A click, or a double-click, where a press reaches the window. The
// releases are queued with the presses, as a hand lets go whatever the
// press began: a press may open a window under the cursor (a press soon
// after the last one is a double-click) and the next one start a modal
// loop there, a scroll bar's, that only a release ends.
std::string Desktop::ClickOn(HWND window, const Action& a, bool childrenToo, bool twice, std::string log) {
  POINT at{};
  if (!Reach(window, a.from, childrenToo, at, log)) return log;
  if (twice) {
    DoubleClickOn(at, true);
  } else {
    ClickQueued(at);
  }
  return log + " at " + Point(at);
}

std::string Desktop::ClickForm(const Action& a, bool twice) {
  HWND frame = ChosenForm(a);
  return ClickOn(SurfaceOf(frame), a, false, twice, NameOf(frame));
}

std::string Desktop::ClickControl(const Action& a, bool twice) {
  HWND control = ChosenControl(a);
  return ClickOn(control, a, true, twice, NameOf(control) + " on " + NameOf(FrameOfControl(control)));
}

std::string Desktop::DragControl(const Action& a) {
  HWND control = ChosenControl(a);
  std::string log = NameOf(control) + " on " + NameOf(FrameOfControl(control));
  POINT from{};
  if (!Reach(control, a.from, true, from, log)) return log;
  const ControlRecord* record = RecordOfControl(control);
  const POINT to = SpotIn(VisiblePart(SurfaceOfControl(*record), true), a.to);
  Drag(from, to, kDragSteps);
  return log + " " + Point(from) + "->" + Point(to);
}

std::string Desktop::DragGrabHandle(const Action& a) {
  HWND handle = GrabHandleWindow(static_cast<int>(a.item % 8));
  if (handle == nullptr || !::IsWindowVisible(handle)) return "no grab handles";
  std::string log = "handle " + std::to_string(a.item % 8) + " of " + NameOf(gWorkspace.selectedWindow);
  POINT from{};
  if (!Reach(handle, {500, 500}, false, from, log)) return log;
  const POINT to = SpotIn(VisiblePart(::GetParent(handle), true), a.to);
  Drag(from, to, kDragSteps);
  return log + " " + Point(from) + "->" + Point(to);
}

std::string Desktop::ControlMenu(const Action& a) {
  static constexpr WORD kKeys[] = {'V', 'C', 'D', 'P', VK_ESCAPE};
  static constexpr const char* kItems[] = {"View Code", "Copy", "Delete", "Properties", "Escape"};
  HWND control = ChosenControl(a);
  std::string log = NameOf(control) + " on " + NameOf(FrameOfControl(control));
  POINT at{};
  if (!Reach(control, a.from, true, at, log)) return log;
  RightClickThenKeys(at, {kKeys[a.item % 5]});
  return log + ": " + kItems[a.item % 5];
}

std::string Desktop::FormMenu(const Action& a) {
  HWND frame = ChosenForm(a);
  HWND surface = SurfaceOf(frame);
  std::string log = NameOf(frame);
  POINT at{};
  if (!Reach(surface, a.from, false, at, log)) return log;
  const bool pasteGreyed =
      (::GetMenuState(gWorkspace.formContextMenu, IDM_PASTE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) != 0;
  switch (a.item % 5) {
    case 0:
      RightClickThenKeys(at, {'V'});
      return log + ": View Code";
    case 1:
      // A greyed item cannot be chosen: the user lets the menu go.
      RightClickThenKeys(at, pasteGreyed ? std::vector<WORD>{VK_ESCAPE} : Downs(2));
      return log + (pasteGreyed ? ": Paste is greyed, Escape" : ": Paste");
    case 2:
      RightClickThenKeys(at, {'D'});
      return log + ": Delete";
    case 3:
      RightClickThenKeys(at, Downs(4));
      return log + ": Properties";
    default:
      RightClickThenKeys(at, {VK_ESCAPE});
      return log + ": Escape";
  }
}

std::string Desktop::EditProperty(const Action& a) {
  HWND list = gWorkspace.propertyList;
  const int row = static_cast<int>(a.item);
  std::string log = "row " + std::to_string(row) + " of " + NameOf(gWorkspace.selectedWindow);
  RECT r{};
  if (::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)) == LB_ERR) {
    return log + ": no such row";
  }
  Click(ClientToScreenPoint(list, {kNameColumnWidth / 2, (r.top + r.bottom) / 2}));
  HWND editor = ::FindWindowExA(list, nullptr, "EDIT", nullptr);
  if (editor == nullptr) return log + ": no editor";
  Click(Centre(ScreenRect(editor)));
  if (::GetFocus() != editor) return log + ": the editor did not take the focus";
  if (a.flags & 1) SelectAllByKeyboard();
  TypeKeys(a.text);
  return log;
}

std::string Desktop::PickColour(const Action& a) {
  HWND list = gWorkspace.propertyList;
  std::string log = "for " + NameOf(gWorkspace.selectedWindow);
  // Several controls selected together list fewer rows above it.
  const auto item = std::find(gProperties.rows.begin(), gProperties.rows.end(), kRowBackColour);
  if (item == gProperties.rows.end()) return log + ": no BkColor row";
  RECT r{};
  ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(item - gProperties.rows.begin()),
                 reinterpret_cast<LPARAM>(&r));
  Click(ClientToScreenPoint(list, {kNameColumnWidth / 2, (r.top + r.bottom) / 2}));
  HWND field = ::FindWindowExA(list, nullptr, kColourFieldClassName, nullptr);
  if (field == nullptr) return log + ": no colour field";
  const RECT bounds = ScreenRect(field);
  Click(Centre(win::ToRECT(DropDownButton(win::FromRECT(bounds)))));
  const ColourFieldState* state = FieldStateOf(field);
  if (state == nullptr || state->popup == nullptr || !::IsWindowVisible(state->popup)) {
    return log + ": the pop-up did not open";
  }
  if (a.flags == 0) {
    const int cell = static_cast<int>(a.item % kPaletteCellCount);
    const Rect c = PaletteCell(cell);
    Click(ClientToScreenPoint(state->palettePage, {(c.left + c.right) / 2, (c.top + c.bottom) / 2}));
    char colour[16];
    std::snprintf(colour, sizeof(colour), "%06X", kPalette[static_cast<std::size_t>(cell)]);
    return log + ": palette cell " + std::to_string(cell) + " (" + colour + ")";
  }
  if (a.flags == 1) {
    HWND tabs = state->tabControl;
    HWND systemList = state->systemList;
    RECT tab{};
    ::SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    ::MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&tab), 2);
    Click(Centre(tab));
    const int row = static_cast<int>(a.item % kSystemColourRowCount);
    // The list shows seven rows: it is scrolled to the one the user wants.
    ::SendMessageA(systemList, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
    RECT item{};
    ::SendMessageA(systemList, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    if (!::IsWindowVisible(systemList)) return log + ": the System page did not show";
    Click(ClientToScreenPoint(systemList, Centre(item)));
    return log + ": system colour " + kSystemColours[static_cast<std::size_t>(row)].name;
  }
  // Opened and left: a press on the field's text hides the pop-up again.
  Click({bounds.left + 30, (bounds.top + bounds.bottom) / 2});
  return log + ": opened and left";
}

bool Desktop::FocusCodeEditor(HWND codeWindow, Spot spot, std::string& log) {
  HWND editor = EditorControlOf(codeWindow);
  POINT at{};
  // Inside the text: a press on the editor's scroll bars would track them
  // in a loop of their own.
  if (editor == nullptr || !Reach(editor, spot, false, at, log, true)) return false;
  ClickQueued(at);
  if (::GetFocus() != editor) {
    log += " (the editor did not take the focus)";
    return false;
  }
  return true;
}

std::string Desktop::TypeInCode(const Action& a) {
  const Inventory inventory = TakeInventory(mdiClient_);
  HWND window = inventory.visibleCodeWindows[a.which % inventory.visibleCodeWindows.size()];
  std::string log = "in " + NameOf(window);
  if (!FocusCodeEditor(window, a.from, log)) return log;
  TypeKeys(a.text);
  return log;
}

std::string Desktop::Find(const Action& a) {
  const Inventory inventory = TakeInventory(mdiClient_);
  HWND window = inventory.visibleCodeWindows[a.which % inventory.visibleCodeWindows.size()];
  std::string log = "in " + NameOf(window) + " (current editor of " +
                    NameOf(::GetParent(gEditor.currentEditor)) + ")";
  if (!FocusCodeEditor(window, a.from, log)) return log;
  PressKey(VK_F2);
  HWND find = gEditor.findWindow;
  if (find == nullptr || !::IsWindow(find)) return log + ": no Find window";
  ::SetForegroundWindow(find);
  Click(Centre(ScreenRect(::GetDlgItem(find, kFindTextBox))));
  TypeKeys(a.text);
  if (a.flags & 1) Click(Centre(ScreenRect(::GetDlgItem(find, kFindCaseBox))));
  if (a.flags & 2) Click(Centre(ScreenRect(::GetDlgItem(find, kFindWordBox))));
  const bool cancel = (a.flags & 4) != 0;
  Click(Centre(ScreenRect(::GetDlgItem(find, cancel ? kFindCancel : kFindButton))));
  if (::IsWindow(find)) {
    log += ": the Find window stayed";
    ::SendMessageA(find, WM_CLOSE, 0, 0);
  }
  return log + (cancel ? ": Cancel" : ": Find");
}

std::string Desktop::FindNext(const Action& a) {
  const Inventory inventory = TakeInventory(mdiClient_);
  HWND window = inventory.visibleCodeWindows[a.which % inventory.visibleCodeWindows.size()];
  std::string log = "in " + NameOf(window);
  if (!FocusCodeEditor(window, a.from, log)) return log;
  PressKey(VK_F3);
  return log;
}

std::string Desktop::ChooseFromProjectMenu(int item, const char* what) {
  ::SetForegroundWindow(frame_);
  ChooseFromBar(frame_, kProjectMenu, Downs(item));
  return what;
}

// A point of the window's frame with the hit-test code; when it is covered,
// the user first brings the window up by its caption.
bool Desktop::ReachFrame(HWND window, int code, Spot spot, POINT& at, std::string& log) {
  if (window == nullptr) return false;
  if (NonClientPoint(window, code, spot, at)) return true;
  POINT caption{};
  if (code == HTCAPTION || !NonClientPoint(window, HTCAPTION, {500, 500}, caption)) return false;
  ClickQueued(caption);
  log += " (brought up by its caption)";
  return NonClientPoint(window, code, spot, at);
}

std::string Desktop::CloseWindow(const Action& a) {
  HWND window = ChosenWindow(a);
  std::string log = NameOf(window);
  POINT at{};
  if (!ReachFrame(window, HTCLOSE, {500, 500}, at, log)) return log + ": no close box in reach";
  ClickQueued(at);
  return log;
}

std::string Desktop::ReopenFromProject(const Action& a) {
  HWND tree = gWorkspace.projectTree;
  std::vector<HTREEITEM> items;
  CollectItemsWithWindows(tree, reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), items);
  std::vector<HTREEITEM> hidden;
  for (HTREEITEM item : items) {
    if (!::IsWindowVisible(FindProjectItemWindow(tree, item))) hidden.push_back(item);
  }
  const std::vector<HTREEITEM>& from = hidden.empty() ? items : hidden;
  if (from.empty()) return "no items";
  HTREEITEM item = from[a.which % from.size()];
  // The user scrolls the tree to the item.
  ::SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  RECT text{};
  std::memcpy(&text, &item, sizeof(item));  // TVM_GETITEMRECT takes the item in the rectangle
  ::SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text));
  DoubleClickOn(ClientToScreenPoint(tree, Centre(text)), true);
  return NameOf(FindProjectItemWindow(tree, item));
}

std::string Desktop::DragFormMarker(const Action& a) {
  static constexpr const char* kMarkers[] = {"right", "corner", "bottom"};
  HWND frame = ChosenForm(a);
  std::string log = NameOf(frame) + " " + kMarkers[a.item % 3];
  ::UpdateWindow(frame);
  const FormRecord* form = FormRecordOf(frame);
  const RECT& marker = a.item % 3 == 0 ? form->rightMarker : a.item % 3 == 1 ? form->cornerMarker : form->bottomMarker;
  // In the frame's client area: a press on its border or scroll bars would
  // size or scroll the frame in a loop of its own.
  auto onMarker = [&] {
    const POINT at = Centre(marker);
    return Hits(frame, at, false) &&
           ::SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)) == HTCLIENT;
  };
  const POINT from = Centre(marker);
  if (!onMarker()) {
    POINT ignored{};
    if (!Reach(frame, {500, 500}, false, ignored, log) || !onMarker()) return log + ": marker out of reach";
  }
  const POINT to = SpotIn(VisiblePart(mdiClient_, true), a.to);
  Drag(Centre(marker), to, kDragSteps);
  return log + " " + Point(from) + "->" + Point(to);
}

std::string Desktop::MoveOrSizeWindow(const Action& a, bool size) {
  HWND window = ChosenWindow(a);
  std::string log = NameOf(window);
  POINT from{};
  if (!ReachFrame(window, size ? HTBOTTOMRIGHT : HTCAPTION, a.from, from, log)) return log + ": not in reach";
  // The caption stays where the user can take it again.
  Spot spot = a.to;
  spot.x = std::clamp(spot.x, 20, 900);
  spot.y = std::clamp(spot.y, 0, 900);
  const POINT to = SpotIn(VisiblePart(mdiClient_, true), spot);
  DragQueued(from, to, kDragSteps);
  return log + " " + Point(from) + "->" + Point(to);
}

std::string Desktop::ScrollForm(const Action& a) {
  HWND frame = ChosenForm(a);
  const bool vertical = a.item < 2;
  std::string log = NameOf(frame) + (vertical ? " vertically" : " horizontally");
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof(bar);
  if (!::GetScrollBarInfo(frame, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &bar) ||
      (bar.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_UNAVAILABLE)) != 0) {
    return log + ": no scroll bar";
  }
  const RECT& r = bar.rcScrollBar;
  const int half = bar.dxyLineButton / 2;
  const bool back = a.item % 2 == 0;
  const POINT at = vertical ? POINT{(r.left + r.right) / 2, back ? r.top + half : r.bottom - half - 1}
                            : POINT{back ? r.left + half : r.right - half - 1, (r.top + r.bottom) / 2};
  if (!Hits(frame, at, false)) return log + ": arrow out of reach";
  const int clicks = static_cast<int>(std::clamp<std::uint32_t>(a.flags, 1, kScrollClicksMost));
  for (int i = 0; i < clicks; ++i) ClickQueued(at);
  return log + (back ? " back " : " on ") + std::to_string(clicks);
}

std::string Desktop::ClickPanelCaption(const Action& a) {
  HWND frame = ChosenForm(a);
  HWND panel = FormRecordOf(frame)->backPanel;
  std::string log = NameOf(frame);
  POINT at{};
  if (!NonClientPoint(panel, HTCAPTION, a.from, at)) {
    POINT ignored{};
    if (!Reach(frame, {500, 500}, false, ignored, log) || !NonClientPoint(panel, HTCAPTION, a.from, at)) {
      return log + ": caption out of reach";
    }
  }
  ClickQueued(at);
  return log + " at " + Point(at);
}

std::string Desktop::ClickFrameCaption(const Action& a) {
  HWND frame = ChosenForm(a);
  std::string log = NameOf(frame);
  POINT at{};
  if (!NonClientPoint(frame, HTCAPTION, a.from, at)) return log + ": caption out of reach";
  ClickQueued(at);
  return log + " at " + Point(at);
}

std::string Desktop::NewProjectThenChoose(int kind, bool cancel, std::uint32_t answer) {
  ::SetForegroundWindow(frame_);
  const bool asked = session_ != nullptr && session_->Changed();
  {
    DialogAnswers answers;
    answers.question = kAnswerIds[answer % 3];
    answers.path = projectFolder_ + "\\" + kProjectFileName;
    const AnsweringDialogs answering(answers);
    ChooseFromBar(frame_, kFileMenu, Downs(kNewProjectItem));
    for (const std::string& box : answers.unknown) projectProblems_.push_back("a message came up: " + box);
  }
  const std::string question = asked ? std::string("asked, ") + kAnswerNames[answer % 3] + ", " : "";
  HWND window = ::FindWindowA("NewProject_Class", nullptr);
  if (window == nullptr) return question + "no New Project window";
  HWND list = ::FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
  RECT icon{};
  icon.left = LVIR_ICON;
  ::SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(kind % kProjectKinds), reinterpret_cast<LPARAM>(&icon));
  ClickQueued(ClientToScreenPoint(list, Centre(icon)));
  Click(Centre(ScreenRect(::GetDlgItem(window, cancel ? kNewProjectCancel : kNewProjectOk))));
  std::string log = question + "kind " + std::to_string(kind % kProjectKinds) + (cancel ? ", Cancel" : ", OK");
  if (::IsWindow(window)) {
    Click(Centre(ScreenRect(::GetDlgItem(window, kNewProjectCancel))));
    log += ", then Cancel";
  }
  return log;
}

std::string Desktop::SaveProject() {
  ::SetForegroundWindow(frame_);
  const bool first = session_->Path().empty();
  DialogAnswers answers;
  answers.path = projectFolder_ + "\\" + kProjectFileName;
  {
    const AnsweringDialogs answering(answers);
    ChooseFromBar(frame_, kFileMenu, Downs(kSaveProjectItem));
  }
  for (const std::string& box : answers.unknown) projectProblems_.push_back("a message came up: " + box);
  if (session_->Changed()) return first ? "not saved (the dialog did not take the name)" : "not saved";
  CheckSavedProjectIsHeld("after a save");
  return first ? "saved through the Save dialog" : "saved";
}

std::string Desktop::OpenProject(const Action& a) {
  ::SetForegroundWindow(frame_);
  const std::string saved = projectFolder_ + "\\" + kProjectFileName;
  if (::GetFileAttributesA(saved.c_str()) == INVALID_FILE_ATTRIBUTES) return "nothing saved yet";
  const bool asked = session_->Changed();
  DialogAnswers answers;
  answers.question = kAnswerIds[a.answer % 3];
  answers.path = a.flags == 1 ? std::string() : saved;
  {
    const AnsweringDialogs answering(answers);
    ChooseFromBar(frame_, kFileMenu, Downs(kOpenProjectItem));
  }
  for (const std::string& box : answers.unknown) projectProblems_.push_back("a message came up: " + box);
  std::string log = asked ? std::string("asked, ") + kAnswerNames[a.answer % 3] : "";
  if (session_->Changed()) return log + (log.empty() ? "" : ", ") + "kept the project";
  // A Cancel in the Open dialog opens nothing. Unless the project was saved
  // first, the environment may then hold windows shown or closed since the
  // file was written, which are no change.
  if (a.flags == 1 && !asked) return "Cancel";
  CheckSavedProjectIsHeld(a.flags == 1 ? "after an answer and a Cancel in the Open dialog" : "after an open");
  return log + (log.empty() ? "" : ", ") + (a.flags == 1 ? "Cancel" : "opened");
}

void Desktop::CheckSavedProjectIsHeld(const char* when) {
  const std::string& path = session_->Path();
  if (path.empty()) return;
  host::WinFileSystem folder(host::FolderOf(path));
  const ReadResult read = kelp::OpenProject(folder, host::FileNameOf(path));
  if (read.Refused()) {
    projectProblems_.push_back(std::string(when) + ", the saved project does not open: " +
                               FormatDiagnostic(read.diagnostics.at(0)));
    return;
  }
  const auto onDisk = WriteProject(*read.project, host::FileNameOf(path));
  const auto held = WriteProject(host::TakeSnapshot(*read.project), host::FileNameOf(path));
  if (onDisk.size() != held.size()) {
    projectProblems_.push_back(std::string(when) + ", the environment holds " + std::to_string(held.size()) +
                               " files' worth, the disk " + std::to_string(onDisk.size()));
    return;
  }
  for (std::size_t i = 0; i < held.size(); ++i) {
    if (held[i].path != onDisk[i].path || held[i].bytes != onDisk[i].bytes) {
      projectProblems_.push_back(std::string(when) + ", " + onDisk[i].path + " differs from what the environment holds:\n" +
                                 onDisk[i].bytes + "\n---\n" + held[i].bytes);
      return;
    }
  }
}

std::vector<std::string> Desktop::TakeProjectProblems() {
  std::vector<std::string> taken;
  taken.swap(projectProblems_);
  return taken;
}

std::string Desktop::DesignKey(const Action& a) {
  const WORD key = random_user::kDesignKeys[a.item % random_user::kDesignKeys.size()];
  const bool ctrl = (a.flags & 1) != 0;
  const bool shift = (a.flags & 2) != 0;
  if (ctrl) HoldKey(VK_CONTROL, true);
  if (shift) HoldKey(VK_SHIFT, true);
  PressKey(key);
  if (shift) HoldKey(VK_SHIFT, false);
  if (ctrl) HoldKey(VK_CONTROL, false);
  char log[64];
  std::snprintf(log, sizeof(log), "key %02X%s%s to %s", key, ctrl ? " ctrl" : "", shift ? " shift" : "",
                ClassNameOf(::GetFocus()).c_str());
  return log;
}

std::string Desktop::UndoRedo(const Action& a) {
  std::string log = a.flags == 1 ? "redo" : "undo";
  for (std::uint32_t i = 0; i < a.item; ++i) {
    if (a.flags == 2) {
      ::SetForegroundWindow(frame_);
      ChooseFromBar(frame_, kEditMenu, Downs(1));
      return "the Edit menu's Undo";
    }
    HoldKey(VK_CONTROL, true);
    PressKey(a.flags == 1 ? 'Y' : 'Z');
    HoldKey(VK_CONTROL, false);
    PumpPending();
  }
  return log + " x" + std::to_string(a.item) + " in " + ClassNameOf(::GetFocus());
}

std::string Desktop::CtrlClickControl(const Action& a) {
  HWND control = ChosenControl(a);
  std::string log = NameOf(control) + " on " + NameOf(FrameOfControl(control));
  POINT at{};
  if (!Reach(control, a.from, true, at, log)) return log;
  // Under Wine a move of the mouse takes the modifier keys from the X
  // server, which never saw Ctrl (keys come straight to Wine): the mouse
  // goes there first, then Ctrl goes down and the button is pressed in place.
  MoveMouseTo(at);
  HoldKey(VK_CONTROL, true);
  ClickInPlace();
  HoldKey(VK_CONTROL, false);
  return log + " " + Point(at);
}

std::string Desktop::FormatCommand(const Action& a) {
  ::SetForegroundWindow(frame_);
  ChooseFromBar(frame_, kFormatMenu, Downs(static_cast<int>(a.item) + 1));
  return "Format item " + std::to_string(a.item + 1);
}

namespace {

// What a form's design is, as its form file holds it, without what is no
// design action: the frame's place, how far it is scrolled, whether it is
// closed, and code.
Form DesignOf(Form form) {
  form.frame.reset();
  if (form.window) form.window->left = form.window->top = 0;  // how far it is scrolled
  form.hidden = false;
  form.code.reset();
  form.codeShown = true;
  for (Control& control : form.controls) {
    control.code.reset();
    control.codeShown = true;
  }
  return form;
}

std::optional<Form> DesignOfForm(HWND frame, const Project& project) {
  KELP32_FORM_INFO info{};
  if (!GetFormInfo(frame, &info)) return std::nullopt;
  for (const Form& form : project.forms) {
    if (form.number == info.number) return DesignOf(form);
  }
  return std::nullopt;
}


// The lines of the two forms' files that differ, for the report.
std::string FormDifference(const std::optional<Form>& a, const std::optional<Form>& b) {
  auto text = [](const std::optional<Form>& form) {
    if (!form) return std::string("(no form)");
    Project project;
    project.forms.push_back(*form);
    for (const ProjectFile& file : WriteProject(project, "Check.kproj")) {
      if (file.path.size() > 6 && file.path.compare(file.path.size() - 6, 6, ".kform") == 0) return file.bytes;
    }
    return std::string();
  };
  std::istringstream left(text(a));
  std::istringstream right(text(b));
  std::string l, r, out, block, shownBlock;
  while (std::getline(left, l) && std::getline(right, r)) {
    // Each difference says whose it is: the control whose block it is in.
    if (l.find("Begin ") != std::string::npos) block = l.substr(l.find("Begin ") + 6);
    if (l == r) continue;
    if (block != shownBlock) out += " in " + (block.empty() ? std::string("the form") : block) + ":";
    shownBlock = block;
    out += " [" + l + " | " + r + "]";
  }
  return out;
}

std::vector<HWND> Forms() {
  std::vector<HWND> forms;
  for (HWND f = GetNextForm(nullptr); f != nullptr; f = GetNextForm(f)) forms.push_back(f);
  return forms;
}

}  // namespace

void Desktop::NoteFirstStates() {
  std::optional<Project> project;
  std::map<HWND, std::size_t> steps;
  for (HWND frame : Forms()) {
    steps[frame] = DesignHistorySteps(frame);
    // A history that reached its bound has let its oldest steps go.
    if (steps[frame] >= DesignHistory::kDefaultMaxSteps) firstStates_.erase(frame);
    // Its history starts (again) here: the form as it is now is what
    // undoing everything must give back.
    const auto last = lastSteps_.find(frame);
    const bool starts = steps[frame] == 0 && (last == lastSteps_.end() || last->second != 0);
    if (!starts) continue;
    if (!project) project = host::TakeSnapshot(Project{});
    if (std::optional<Form> design = DesignOfForm(frame, *project)) firstStates_[frame] = *design;
  }
  lastSteps_ = std::move(steps);
  for (auto it = firstStates_.begin(); it != firstStates_.end();) {
    it = ::IsWindow(it->first) ? std::next(it) : firstStates_.erase(it);
  }
}

std::vector<std::string> Desktop::CheckUndoAll() {
  std::vector<std::string> problems;
  for (auto it = checked_.begin(); it != checked_.end();) {
    it = ::IsWindow(it->first) ? std::next(it) : checked_.erase(it);
  }
  std::vector<HWND> withSteps;
  for (HWND frame : Forms()) {
    if (DesignHistorySteps(frame) != 0) withSteps.push_back(frame);
  }
  if (withSteps.empty()) return problems;
  const Project before = host::TakeSnapshot(Project{});
  std::map<HWND, std::size_t> undone;
  for (HWND frame : withSteps) {
    const auto last = checked_.find(frame);
    const bool unchanged = last != checked_.end() && last->second.revision == DesignHistoryRevision(frame) &&
                           last->second.design == DesignOfForm(frame, before);
    if (!unchanged) undone[frame] = 0;
  }
  if (undone.empty()) return problems;
  for (auto& [frame, count] : undone) {
    const std::size_t steps = DesignHistorySteps(frame);
    while (UndoDesignStep(frame)) ++count;
    if (count != steps) {
      problems.push_back(NameOf(frame) + ": " + std::to_string(count) + " of " + std::to_string(steps) +
                         " steps undone");
    }
  }
  const Project first = host::TakeSnapshot(Project{});
  for (auto& [frame, count] : undone) {
    const auto known = firstStates_.find(frame);
    const std::optional<Form> design = DesignOfForm(frame, first);
    if (known != firstStates_.end() && design != known->second) {
      problems.push_back(NameOf(frame) + ": undoing all " + std::to_string(count) +
                         " steps did not give the form as it was before them:" +
                         FormDifference(design, known->second));
    }
    // The steps the user had undone stay to be redone after these.
    for (std::size_t i = 0; i < count; ++i) RedoDesignStep(frame);
  }
  const Project after = host::TakeSnapshot(Project{});
  for (const auto& [frame, count] : undone) {
    const std::optional<Form> was = DesignOfForm(frame, before);
    const std::optional<Form> now = DesignOfForm(frame, after);
    if (now != was) {
      problems.push_back(NameOf(frame) + ": redoing all " + std::to_string(count) +
                         " steps did not give the form as it was after them:" + FormDifference(now, was));
    }
    checked_[frame] = {DesignHistoryRevision(frame), now};
  }
  PumpPending();
  return problems;
}

std::string Desktop::Perform(const Action& a) {
  switch (a.act) {
    case Act::kPickTool: return PickTool(a);
    case Act::kDrawOnForm: return DrawOnForm(a);
    case Act::kClickForm: return ClickForm(a, false);
    case Act::kDoubleClickForm: return ClickForm(a, true);
    case Act::kClickControl: return ClickControl(a, false);
    case Act::kDoubleClickControl: return ClickControl(a, true);
    case Act::kDragControl: return DragControl(a);
    case Act::kDragGrabHandle: return DragGrabHandle(a);
    case Act::kControlMenu: return ControlMenu(a);
    case Act::kFormMenu: return FormMenu(a);
    case Act::kEditProperty: return EditProperty(a);
    case Act::kPickColour: return PickColour(a);
    case Act::kTypeInCode: return TypeInCode(a);
    case Act::kFind: return Find(a);
    case Act::kFindNext: return FindNext(a);
    case Act::kAddForm: return ChooseFromProjectMenu(kAddFormItem, "Add Form");
    case Act::kAddModule: return ChooseFromProjectMenu(kAddModuleItem, "Add Module");
    case Act::kAddClassModule: return ChooseFromProjectMenu(kAddClassModuleItem, "Add Class Module");
    case Act::kCloseWindow: return CloseWindow(a);
    case Act::kReopenFromProject: return ReopenFromProject(a);
    case Act::kDragFormMarker: return DragFormMarker(a);
    case Act::kMoveWindow: return MoveOrSizeWindow(a, false);
    case Act::kSizeWindow: return MoveOrSizeWindow(a, true);
    case Act::kScrollForm: return ScrollForm(a);
    case Act::kClickPanelCaption: return ClickPanelCaption(a);
    case Act::kClickFrameCaption: return ClickFrameCaption(a);
    case Act::kNewProject: return NewProjectThenChoose(static_cast<int>(a.item), a.flags == 1, a.answer);
    case Act::kSaveProject: return SaveProject();
    case Act::kOpenProject: return OpenProject(a);
    case Act::kDesignKey: return DesignKey(a);
    case Act::kUndoRedo: return UndoRedo(a);
    case Act::kCtrlClickControl: return CtrlClickControl(a);
    case Act::kFormatCommand: return FormatCommand(a);
  }
  return "?";
}

}  // namespace kelp::test
