#include "main_frame.h"

#include <cstdio>

#include "kelp32.h"
#include "make_session.h"
#include "output_window.h"
#include "project_session.h"
#include "screenshot.h"

namespace kelp::host {

Environment gEnvironment;

namespace {

constexpr UINT kFirstMdiChildId = 50000;
constexpr char kCodeWindowClassName[] = KELP32_CODE_WINDOW_CLASS;
constexpr UINT_PTR kRecoveryTimer = 1;
// The changes not saved yet are never more than this old in the recovery copy.
constexpr UINT kRecoveryIntervalMs = 30000;

constexpr int kToolboxWidth = 72;
// The strip down the right edge: the project window on top, the properties
// window below it, the Form Layout window at the bottom.
constexpr int kStripWidth = 220;
constexpr int kProjectHeight = 190;
constexpr int kLayoutHeight = 170;
constexpr int kOutputHeight = 150;
// "Make" and "Run" at the end of the Project menu, drawn as the library
// draws its items (the text is the item's data).
constexpr int kProjectMenuIndex = 3;
constexpr char kMakeItemText[] = "&Make                 F7";
constexpr char kRunItemText[] = "&Run                   F5";

WNDPROC gMdiClientProc = nullptr;
std::string gScreenshotPath;

// The editor context menu's commands arrive at the MDI client, the menu's
// owner; any code window applies them to the current editor control.
LRESULT CALLBACK MdiClientProc(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) >= IDM_EDITOR_UNDO && LOWORD(wParam) <= IDM_EDITOR_DELETE) {
    if (HWND codeWindow = ::FindWindowExA(client, nullptr, kCodeWindowClassName, nullptr)) {
      return ::SendMessageA(codeWindow, message, wParam, lParam);
    }
    return 0;
  }
  if (message == KELP32_EDITOR_ACTIVITY) return 0;  // nothing to refresh yet
  return ::CallWindowProcA(gMdiClientProc, client, message, wParam, lParam);
}

void LayOut(int width, int height) {
  const Environment& e = gEnvironment;
  const int stripLeft = width > kToolboxWidth + kStripWidth ? width - kStripWidth : kToolboxWidth;
  const int stripWidth = width - stripLeft;
  const int layoutTop = height > kLayoutHeight ? height - kLayoutHeight : 0;
  const int propertiesTop = layoutTop > kProjectHeight ? kProjectHeight : layoutTop;
  const bool output = e.output != nullptr && ::IsWindowVisible(e.output);
  const int clientHeight = output && height > 2 * kOutputHeight ? height - kOutputHeight : height;
  if (e.toolbox != nullptr) ::MoveWindow(e.toolbox, 0, 0, kToolboxWidth, height, TRUE);
  ::MoveWindow(e.mdiClient, kToolboxWidth, 0, stripLeft - kToolboxWidth, clientHeight, TRUE);
  if (output) ::MoveWindow(e.output, kToolboxWidth, clientHeight, stripLeft - kToolboxWidth, height - clientHeight, TRUE);
  if (e.project != nullptr) ::MoveWindow(e.project, stripLeft, 0, stripWidth, propertiesTop, TRUE);
  if (e.properties != nullptr) {
    ::MoveWindow(e.properties, stripLeft, propertiesTop, stripWidth, layoutTop - propertiesTop, TRUE);
  }
  if (e.layout != nullptr) ::MoveWindow(e.layout, stripLeft, layoutTop, stripWidth, height - layoutTop, TRUE);
}

void OnCreate(HWND frame, const CREATESTRUCTA* create) {
  CLIENTCREATESTRUCT client{};
  client.idFirstChild = kFirstMdiChildId;
  gEnvironment.frame = frame;
  gEnvironment.mdiClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                             WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL,
                                             0, 0, 0, 0, frame, nullptr, create->hInstance, &client);
  gMdiClientProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
      gEnvironment.mdiClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MdiClientProc)));
}

// The File menu's project commands are the host's; the library carries out
// the rest ("&Add Form", "&Add MDI Form", "&Add Module", "&Exit") itself.
void OnCommand(HWND frame, WORD command) {
  ProjectSession* session = gEnvironment.session;
  if (session == nullptr) return;
  switch (command) {
    case IDM_NEWPROJECT:
      session->StartNew();
      break;
    case IDM_OPENPROJECT:
      session->OpenWithDialog();
      break;
    case IDM_SAVEPROJECT:
      session->Save();
      break;
    case kMakeCommand:
      if (gEnvironment.make != nullptr) gEnvironment.make->Make();
      break;
    case kRunCommand:
      if (gEnvironment.make != nullptr) gEnvironment.make->Run();
      break;
    case IDM_ADDPROJECT:
      ::MessageBoxA(frame,
                    "\"Add Project\" is not implemented: Kelp keeps one project at a time.\n\n"
                    "Use \"Open Project...\" to work on another project.",
                    "Kelp", MB_OK | MB_ICONINFORMATION);
      break;
    default:
      break;
  }
}

// "&Exit" and closing the frame ask first when there are unsaved changes.
LRESULT OnQueryExit() {
  ProjectSession* session = gEnvironment.session;
  if (session == nullptr) return 0;
  if (!session->KeepOrDiscardChanges()) return KELP32_CANCEL_EXIT;
  session->Ending();
  return 0;
}

void OnScreenshot(HWND frame) {
  ::RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const bool saved = SaveScreenBitmap(gScreenshotPath);
  SaveWindowPlaces(gScreenshotPath + ".windows", gEnvironment);
  std::fprintf(stderr, saved ? "kelp: screenshot saved to %s\n" : "kelp: cannot write %s\n",
               gScreenshotPath.c_str());
  ScreenshotSaved();
  ::PostQuitMessage(saved ? 0 : 1);
}

void WriteRecoveryCopy() {
  if (gEnvironment.session != nullptr) gEnvironment.session->WriteRecoveryCopy();
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(frame, reinterpret_cast<const CREATESTRUCTA*>(lParam));
      return 0;
    case WM_SIZE:
      LayOut(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_COMMAND:
      OnCommand(frame, LOWORD(wParam));
      break;
    case KELP32_PROJECT_CHANGED:
      if (gEnvironment.session != nullptr) gEnvironment.session->MarkChanged();
      return 0;
    case KELP32_QUERY_EXIT:
      return OnQueryExit();
    case WM_TIMER:
      if (wParam == kRecoveryTimer) WriteRecoveryCopy();
      return 0;
    case WM_ACTIVATEAPP:
      if (wParam == FALSE) WriteRecoveryCopy();
      break;
    case kTakeScreenshot:
      OnScreenshot(frame);
      return 0;
    case WM_DESTROY:
      ::KillTimer(frame, kRecoveryTimer);
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefFrameProcA(frame, gEnvironment.mdiClient, message, wParam, lParam);
}

void AddMakeItems(HWND frame) {
  HMENU project = ::GetSubMenu(::GetMenu(frame), kProjectMenuIndex);
  if (project == nullptr) return;
  ::AppendMenuA(project, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(project, MF_OWNERDRAW, kMakeCommand, kMakeItemText);
  ::AppendMenuA(project, MF_OWNERDRAW, kRunCommand, kRunItemText);
}

}  // namespace

HWND CreateMainFrame(HINSTANCE instance, int width, int height) {
  WNDCLASSEXA frameClass{};
  frameClass.cbSize = sizeof(frameClass);
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = instance;
  frameClass.hIcon = ::LoadIconA(::GetModuleHandleA("Kelp32.dll"), MAKEINTRESOURCEA(500));
  frameClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  frameClass.lpszClassName = kFrameClassName;
  ::RegisterClassExA(&frameClass);
  return ::CreateWindowExA(0, kFrameClassName, "Kelp - MASM Visual Designer", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           0, 0, width, height, nullptr, nullptr, instance, nullptr);
}

void BuildWorkspace(HINSTANCE instance) {
  Environment& e = gEnvironment;
  Init_DLL(instance, e.mdiClient);
  e.toolbox = Create_Tool_Bar(e.frame);
  e.project = Create_Project_Window(e.frame);
  e.properties = Create_Prop_Window(e.frame);
  e.layout = ScreenLayoutClass(e.frame);
  CreateMenuBar(0);
  AddMakeItems(e.frame);
  SetHostOptions(KELP32_OPTION_NOTIFY_CHANGES | KELP32_OPTION_ASK_BEFORE_EXIT | KELP32_OPTION_ADD_MDI_FORM |
                 KELP32_OPTION_CODE_TOOLS | KELP32_OPTION_DESIGN_TOOLS);
  static ProjectSession session(e.frame, e.project, DefaultRecoveryFolder());
  e.session = &session;
  e.output = CreateOutputWindow(e.frame);
  static MakeSession make(e.frame, session, e.output, DefaultMakeSettingsPath());
  e.make = &make;
  ::SetTimer(e.frame, kRecoveryTimer, kRecoveryIntervalMs, nullptr);
  RECT client{};
  ::GetClientRect(e.frame, &client);
  LayOut(client.right, client.bottom);
}

void RelayOutFrame() {
  RECT client{};
  ::GetClientRect(gEnvironment.frame, &client);
  LayOut(client.right, client.bottom);
}

void SetScreenshotPath(std::string path) {
  gScreenshotPath = std::move(path);
}

}  // namespace kelp::host
