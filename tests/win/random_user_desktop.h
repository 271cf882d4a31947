// The environment as kelp.exe builds it (the toolbox down the left, the MDI
// client in the middle, the project, properties and Form Layout windows down
// the right, the library's menu bar, a first form from New Project), and the
// hands of the random user: each action of the generator carried out there
// with real mouse and keyboard input, aimed at what is on the screen now.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/project_model.h"
#include "user_actions.h"

namespace kelp::host {
class ProjectSession;
}

namespace kelp::test {

// What the desktop holds, read from the windows themselves.
struct Inventory {
  std::vector<HWND> forms;        // every form's frame, closed ones included, in z-order
  std::vector<HWND> codeWindows;  // every code window
  std::vector<HWND> visibleForms;
  std::vector<HWND> visibleCodeWindows;
  std::vector<HWND> controls;     // on the visible forms, form by form
};

Inventory TakeInventory(HWND mdiClient);
HWND SurfaceOf(HWND frame);
// The design-time controls on a surface (its children with a record; the
// grab handles are not controls).
std::vector<HWND> ControlsOn(HWND surface);

class Desktop {
 public:
  // Lays the tool windows out around the host's MDI client and installs
  // the menu bar, as kelp.exe does.
  void Build(HWND frame, HWND mdiClient);
  // Closes every form and code window for good, as a host closing its
  // project does, and starts a new project from New Project.
  void StartOver();

  HWND MdiClient() const { return mdiClient_; }
  random_user::Situation Describe() const;

  // Carries out the action; returns what it aimed at and did, for the log.
  std::string Perform(const random_user::Action& action);

  // The host's layout, at every resize of its frame.
  void LayOut();
  // What went wrong with saving and opening in the last action: a project
  // that does not open as it was saved, or a message the user should not
  // have met.
  std::vector<std::string> TakeProjectProblems();
  // After an action: each form's design, where its history is empty, is
  // the state undoing everything must give back.
  void NoteFirstStates();
  // Undoes every step of every form and checks it gives the first state
  // (where that is known), then redoes them all and checks the form is as
  // it was; what differs is returned.
  std::vector<std::string> CheckUndoAll();
  host::ProjectSession* Session() const { return session_.get(); }
  Desktop();
  ~Desktop();

 private:
  std::string PickTool(const random_user::Action& a);
  std::string DrawOnForm(const random_user::Action& a);
  std::string ClickOn(HWND window, const random_user::Action& a, bool childrenToo, bool twice, std::string log);
  std::string ClickForm(const random_user::Action& a, bool twice);
  std::string ClickControl(const random_user::Action& a, bool twice);
  std::string DragControl(const random_user::Action& a);
  std::string DragGrabHandle(const random_user::Action& a);
  std::string ControlMenu(const random_user::Action& a);
  std::string FormMenu(const random_user::Action& a);
  std::string EditProperty(const random_user::Action& a);
  std::string PickColour(const random_user::Action& a);
  std::string TypeInCode(const random_user::Action& a);
  std::string Find(const random_user::Action& a);
  std::string FindNext(const random_user::Action& a);
  std::string ChooseFromProjectMenu(int item, const char* what);
  std::string CloseWindow(const random_user::Action& a);
  std::string ReopenFromProject(const random_user::Action& a);
  std::string DragFormMarker(const random_user::Action& a);
  std::string MoveOrSizeWindow(const random_user::Action& a, bool size);
  std::string ScrollForm(const random_user::Action& a);
  std::string ClickPanelCaption(const random_user::Action& a);
  std::string ClickFrameCaption(const random_user::Action& a);
  std::string NewProjectThenChoose(int kind, bool cancel, std::uint32_t answer = 0);
  std::string SaveProject();
  std::string OpenProject(const random_user::Action& a);
  // The project's files on disk must be what the environment holds.
  void CheckSavedProjectIsHeld(const char* when);
  std::string DesignKey(const random_user::Action& a);
  std::string UndoRedo(const random_user::Action& a);
  std::string CtrlClickControl(const random_user::Action& a);
  std::string FormatCommand(const random_user::Action& a);

  // The form or control the action means, or null when there is none.
  HWND ChosenForm(const random_user::Action& a) const;
  HWND ChosenControl(const random_user::Action& a) const;
  HWND ChosenWindow(const random_user::Action& a) const;
  // A point of the window's visible part, near the spot, where a press
  // reaches it (or a child of it); false when none does. When the window is
  // covered, the user first brings its form up by the caption.
  bool Reach(HWND window, random_user::Spot spot, bool childrenToo, POINT& at, std::string& log,
             bool clientOnly = false);
  bool ReachFrame(HWND window, int code, random_user::Spot spot, POINT& at, std::string& log);
  // Focuses an editor control with a click; false when it cannot be reached.
  bool FocusCodeEditor(HWND codeWindow, random_user::Spot spot, std::string& log);

  HWND frame_ = nullptr;
  HWND mdiClient_ = nullptr;
  HWND toolbox_ = nullptr;
  HWND project_ = nullptr;
  HWND properties_ = nullptr;
  HWND layout_ = nullptr;
  std::unique_ptr<host::ProjectSession> session_;
  std::string projectFolder_;
  std::vector<std::string> projectProblems_;
  std::map<HWND, Form> firstStates_;
  std::map<HWND, std::size_t> lastSteps_;  // each form's steps after the last action
  // Each form as the last undo check left it: its history's revision and its
  // design. A form still so needs no new check: it would only repeat the last.
  struct Checked {
    std::uint64_t revision = 0;
    std::optional<Form> design;
  };
  std::map<HWND, Checked> checked_;
};

// Keys typed as a user types them: '\n' Enter, '\t' Tab, '\b' Backspace,
// anything else as the character.
void TypeKeys(const std::string& text);

// While it lives, a press of the mouse far enough from the last one is
// never taken for the second half of a double-click; DoubleClickOn makes
// one on purpose.
class NoAccidentalDoubleClicks {
 public:
  NoAccidentalDoubleClicks();
  ~NoAccidentalDoubleClicks();
  NoAccidentalDoubleClicks(const NoAccidentalDoubleClicks&) = delete;
  NoAccidentalDoubleClicks& operator=(const NoAccidentalDoubleClicks&) = delete;

 private:
  UINT width_ = 0;
  UINT height_ = 0;
};

}  // namespace kelp::test
