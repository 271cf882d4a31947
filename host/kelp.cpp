// kelp.exe: the host of the Kelp32 design library. It owns the main frame and
// its MDI client, hands them to the library with Init_DLL, and builds the
// environment: the toolbox down the left edge, the MDI client in the middle,
// the project, properties and Form Layout windows in a strip down the right
// edge, the library's menu bar, and the New Project window to start with.
// It keeps the user's project: Save, Open, New and the question before
// changes are thrown away, and a recovery copy of changes not saved yet.
// Ctrl+M is "&Add Module", Ctrl+S "&Save Project", Ctrl+O "&Open Project...";
// F7 makes the program (the Project menu's "&Make"), F5 runs it ("&Run").
//
//   kelp.exe                       run the environment
//   kelp.exe PROJECT.kproj         run it with that project open
//   kelp.exe --screenshot out.bmp  start, choose "Standard EXE" in the New
//                                  Project window, draw a few controls on the
//                                  form with the mouse, add a module with a
//                                  short sample beside it, paint, save the
//                                  screen, exit
#include <windows.h>

#include <cstring>
#include <string>

#include "kelp32.h"
#include "main_frame.h"
#include "project_session.h"
#include "screenshot.h"

namespace {

using kelp::host::gEnvironment;

// The screenshot's frame fills the 1280 x 800 desktop it is taken on.
constexpr int kFrameWidth = 1024, kFrameHeight = 740;
constexpr int kScreenshotFrameWidth = 1280, kScreenshotFrameHeight = 800;

struct CommandLine {
  std::string screenshot;
  std::string project;
};

std::string Unquoted(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  while (!text.empty() && text.front() == ' ') text.erase(0, 1);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  return text;
}

CommandLine ReadCommandLine(const char* arguments) {
  CommandLine line;
  const std::string text = arguments != nullptr ? arguments : "";
  constexpr char kScreenshotOption[] = "--screenshot ";
  if (text.rfind(kScreenshotOption, 0) == 0) {
    line.screenshot = Unquoted(text.substr(std::strlen(kScreenshotOption)));
  } else {
    line.project = Unquoted(text);
  }
  return line;
}

HACCEL CreateAccelerators() {
  ACCEL keys[] = {
      {FVIRTKEY | FCONTROL, 'M', IDM_ADDMODULE},
      {FVIRTKEY | FCONTROL, 'S', IDM_SAVEPROJECT},
      {FVIRTKEY | FCONTROL, 'O', IDM_OPENPROJECT},
      {FVIRTKEY, VK_F7, kelp::host::kMakeCommand},
      {FVIRTKEY, VK_F5, kelp::host::kRunCommand},
  };
  return ::CreateAcceleratorTableA(keys, sizeof(keys) / sizeof(keys[0]));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int showCommand) {
  const CommandLine line = ReadCommandLine(arguments);
  const bool screenshot = !line.screenshot.empty();
  kelp::host::SetScreenshotPath(line.screenshot);
  if (screenshot) kelp::host::StartScreenshotWatchdog();
  HWND frame = kelp::host::CreateMainFrame(instance, screenshot ? kScreenshotFrameWidth : kFrameWidth,
                                           screenshot ? kScreenshotFrameHeight : kFrameHeight);
  kelp::host::BuildWorkspace(instance);
  HACCEL accelerators = CreateAccelerators();

  ::ShowWindow(frame, screenshot ? SW_SHOWNORMAL : showCommand);
  ::UpdateWindow(frame);
  kelp::host::ProjectSession& session = *gEnvironment.session;
  if (screenshot) {
    kelp::host::RunScreenshotScript(NewProject(frame));
    // Posted messages come before paints, so the screenshot is taken once
    // the queue has drained: the handler itself forces every pending paint.
    ::PostMessageA(frame, kelp::host::kTakeScreenshot, 0, 0);
  } else if (!session.OfferRecovery() && (line.project.empty() || !session.OpenPath(line.project))) {
    NewProject(frame);
  }

  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!::TranslateAcceleratorA(frame, accelerators, &message) &&
        !::TranslateMDISysAccel(gEnvironment.mdiClient, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  ::DestroyAcceleratorTable(accelerators);
  return static_cast<int>(message.wParam);
}
