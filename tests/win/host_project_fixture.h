// A host that saves and opens projects, as kelp.exe is to: its frame hears
// the library's change reports and answers the exit question; the toolbox,
// project and properties windows and the menu bar are laid out as a host
// lays them out; and the user's hands, which draw, type and pick with real
// mouse and keyboard input. SaveProject and RebuildProject are what the
// host does with the library's project exports, and nothing else.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/property_rows.h"
#include "harness.h"
#include "kelp32.h"

namespace kelp::test {

// One KELP32_PROJECT_CHANGED as the host heard it.
struct Change {
  WPARAM what;
  HWND about;
  friend bool operator==(const Change&, const Change&) = default;
};

// A project as a host would keep it: read through the exports only.
struct SavedControl {
  KELP32_DESIGN_PROPERTIES properties;
  bool hasCode;
  std::string code;
  bool codeVisible;
};

struct SavedForm {
  KELP32_FORM_INFO info;
  KELP32_DESIGN_PROPERTIES properties;
  bool hasCode;
  std::string code;
  bool codeVisible;
  std::vector<SavedControl> controls;  // bottom to top
};

struct SavedModule {
  KELP32_MODULE_INFO info;
  std::string code;
};

struct SavedProject {
  KELP32_PROJECT_INFO info;
  std::vector<SavedForm> forms;
  std::vector<SavedModule> modules;
};

SavedProject SaveProject();
// After CloseProject: the forms, controls (in the saved order), code and
// modules again, with the saved counters.
void RebuildProject(const SavedProject& project);

class HostProjectTest : public HostTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND ProjectWindow() const { return project_; }
  HWND Properties() const { return properties_; }

  // What the host heard since the last call; the second waits until it
  // has heard at least `count` (for input that a loop of the system's
  // tracks, as a frame's move does).
  std::vector<Change> TakeChanges();
  std::vector<Change> AwaitChanges(std::size_t count);
  // What the host answers the next exit questions (0 goes on), and the
  // triggers (IDM_EXIT, WM_CLOSE) it was asked about so far.
  void AnswerExitWith(LRESULT answer);
  std::vector<WPARAM> ExitQuestions() const;
  int DestroysHeard() const;

  // The user. Item 1..4 of the Project menu.
  void ChooseFromProjectMenu(int item);
  HWND AddFormByMenu();
  HWND AddMdiFormByMenu();
  HWND AddModuleByMenu();
  HWND AddClassModuleByMenu();
  void PickTool(UINT tool);
  // Picks the kind's tool and drags the rectangle (surface client
  // coordinates) out on the surface; the new control, or null.
  HWND Draw(HWND surface, UINT kind, RECT r);
  void ClickOn(HWND window, POINT client);
  // Selects a row of the properties window and types over its value.
  void TypeIntoRow(int row, const std::string& text);
  // Opens the " BkColor" row's palette and picks the cell.
  // item: where the BkColor row is in the list (several controls list fewer rows).
  void PickPaletteColour(int cell, int item = kRowBackColour);
  // A double-click at the window's client point.
  void DoubleClickOn(HWND window, POINT client);
  // Clicks into a code window's editor, then types: '\n' is Enter, '\t' Tab.
  void TypeCode(HWND codeWindow, const std::string& text);

 private:
  HWND project_ = nullptr;
  HWND properties_ = nullptr;
  HWND toolbox_ = nullptr;
};

}  // namespace kelp::test
