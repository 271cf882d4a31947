// A seeded generator of what a user does in the design environment: which
// action comes next, where, and what is typed, drawn from a seed alone, so
// that a run can be replayed action by action.
//
// It knows nothing of windows. Its choices are numbers that the test maps
// onto what is on the screen at the time (the n-th control, taken modulo
// how many there are; a spot given in thousandths of a window's width and
// height). The situation it is told (how many forms, controls and code
// windows there are) only decides which actions make sense now and keeps
// the desktop from filling up.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kelp::random_user {

enum class Act {
  kPickTool,            // click a toolbox button
  kDrawOnForm,          // press on a form's surface, drag, release
  kClickForm,           // click on a form's surface
  kClickControl,
  kDragControl,
  kDragGrabHandle,      // one of the selected control's eight handles
  kControlMenu,         // right-click a control and choose from its menu
  kFormMenu,            // right-click a form's surface and choose from its menu
  kDoubleClickControl,  // opens or shows its code
  kDoubleClickForm,
  kEditProperty,        // pick a row of the property list and type into its editor
  kPickColour,          // " BkColor": the palette or the system colours
  kTypeInCode,
  kFind,                // F2 in a code window, type, Find or Cancel
  kFindNext,            // F3 in a code window
  kAddForm,             // the menu bar's "&Add Form"
  kAddModule,
  kAddClassModule,
  kCloseWindow,         // a form's or code window's close box
  kReopenFromProject,   // double-click an item of the project window
  kDragFormMarker,      // resize a form by one of its three markers
  kMoveWindow,          // drag a form's or code window's caption
  kSizeWindow,          // drag its bottom-right corner
  kScrollForm,          // a form's scroll-bar arrows
  kClickPanelCaption,   // the caption of the form's back panel
  kClickFrameCaption,   // the caption of the form's frame
  kNewProject,          // the host's "&New Project": the question if changed, a kind, then OK or Cancel
  kSaveProject,         // Ctrl+S: the Save dialog the first time
  kOpenProject,         // "&Open Project...": the question if changed, then the saved project or Cancel
  kDesignKey,           // a designer's key: Delete, an arrow (with Ctrl or Shift), Tab, Escape, Ctrl+A/C/V
  kUndoRedo,            // Ctrl+Z or Ctrl+Y a few times, or the Edit menu's "&Undo"
  kCtrlClickControl,    // adds a control to the selection or takes it out
  kFormatCommand,       // one of the Format menu's commands
};
inline constexpr int kActCount = static_cast<int>(Act::kFormatCommand) + 1;

// The designer's keys kDesignKey chooses from (item), and with which of
// Ctrl and Shift (flags bit 0 and 1).
inline constexpr std::array<std::uint8_t, 11> kDesignKeys = {0x2E, 0x25, 0x26, 0x27, 0x28, 0x09,
                                                              0x1B, 'A',  'C',  'V',  'X'};

const char* NameOf(Act act);

// A place inside a window, in thousandths of its width and height. Drags
// may end outside (below 0 or above 1000).
struct Spot {
  int x = 0;
  int y = 0;
};

struct Action {
  Act act = Act::kClickForm;
  std::uint32_t which = 0;  // the form, control, window or handle, modulo how many there are
  std::uint32_t item = 0;   // the tool, menu item, row, cell or project kind, modulo how many
  std::uint32_t flags = 0;  // small extra choices (check boxes, which page, Find or Cancel)
  // How "Save changes to ...?" is answered if it comes: 0 Yes, 1 No, 2 Cancel.
  std::uint32_t answer = 0;
  Spot from;
  Spot to;
  // What is typed. '\n' is the Enter key, '\t' Tab and '\b' Backspace.
  std::string text;
};

// One line for the log: the act and every choice.
std::string Describe(const Action& action);

// What the test tells the generator about the desktop before each action.
struct Situation {
  int visibleForms = 0;
  int forms = 0;
  int controls = 0;          // on visible forms
  int visibleCodeWindows = 0;
  int codeWindows = 0;
  int hiddenWindows = 0;     // forms and code windows that were closed
  bool controlSelected = false;
};

// The rows of the property list that the generator picks from: the five
// text rows, the two size rows, and rows without an editor.
inline constexpr std::array<std::uint32_t, 10> kPropertyRows = {0, 1, 2, 3, 6, 7, 5, 8, 9, 10};
inline constexpr bool IsNumberRow(std::uint32_t row) { return row == 2 || row == 6 || row == 7; }

// Desktop limits: beyond them the generator adds no more of the kind.
inline constexpr int kMostForms = 8;
inline constexpr int kMostCodeWindows = 24;
inline constexpr int kMostControls = 40;

class UserActions {
 public:
  explicit UserActions(std::uint64_t seed);

  Action Next(const Situation& situation);

  // The generator's own numbers (SplitMix64): the same on every platform
  // and compiler, unlike the standard library's distributions.
  std::uint64_t Draw();
  // Uniform in [0, bound); 0 when bound is 0.
  std::uint32_t Below(std::uint32_t bound);

  // The kinds of text a user types, exposed for their tests.
  std::string NameText();
  std::string NumberText(bool size);
  std::string CodeText();
  std::string SearchText();

 private:
  int WeightOf(Act act, const Situation& situation) const;
  std::string Identifier(std::uint32_t longest);
  Spot AnySpot(bool mayLeave);

  std::uint64_t state_;
};

}  // namespace kelp::random_user
