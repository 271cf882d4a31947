#include "user_actions.h"

#include <array>
#include <cstdio>

namespace kelp::random_user {
namespace {

constexpr int kSpotScale = 1000;
// A drag that leaves its window ends up to a fifth of its size outside.
constexpr int kLeaveMargin = 200;

constexpr std::array<const char*, kActCount> kActNames = {
    "pick tool",         "draw on form",       "click form",          "click control",
    "drag control",      "drag grab handle",   "control menu",        "form menu",
    "double-click control", "double-click form", "edit property",     "pick colour",
    "type in code",      "find",               "find next",           "add form",
    "add module",        "add class module",   "close window",        "reopen from project",
    "drag form marker",  "move window",        "size window",         "scroll form",
    "click panel caption", "click frame caption", "new project", "save project",
    "open project",      "designer key",       "undo or redo",        "ctrl+click control",
    "format command",
};

// Toolbox buttons: 0 is the Pointer, 1, 16 and 17 place nothing, the
// other nineteen each place a kind of control.
constexpr std::uint32_t kToolButtons = 23;
constexpr std::array<std::uint32_t, 4> kToolsWithoutControl = {0, 1, 16, 17};

constexpr std::array<const char*, 24> kCodeWords = {
    "mov",  "eax",  "ebx",   "push", "pop",    "invoke", "call",   "ret",
    ".if",  ".endif", "proc", "endp", "wParam", "lParam", "hWin", "WM_CREATE",
    "IDC_BUTTON0", "xor", "lea", "[ebx+4]", "DefWindowProc", "addr", "0", "uMsg",
};

constexpr char kNameCharacters[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
constexpr char kOddCharacters[] = " -&()!.,;:'\"#@$%*+=/<>[]{}|~^?";

// A weighted choice among a few alternatives.
template <std::size_t N>
std::uint32_t Weighted(UserActions& random, const std::array<std::uint32_t, N>& weights) {
  std::uint32_t total = 0;
  for (std::uint32_t w : weights) total += w;
  std::uint32_t draw = random.Below(total);
  for (std::size_t i = 0; i < N; ++i) {
    if (draw < weights[i]) return static_cast<std::uint32_t>(i);
    draw -= weights[i];
  }
  return 0;
}

}  // namespace

const char* NameOf(Act act) {
  const int index = static_cast<int>(act);
  return index >= 0 && index < kActCount ? kActNames[static_cast<std::size_t>(index)] : "?";
}

std::string Describe(const Action& action) {
  char line[160];
  std::snprintf(line, sizeof(line), "%s which=%u item=%u flags=%u answer=%u from=(%d,%d) to=(%d,%d)",
                NameOf(action.act), action.which, action.item, action.flags, action.answer, action.from.x,
                action.from.y, action.to.x, action.to.y);
  std::string text = line;
  if (!action.text.empty()) {
    text += " text=\"";
    for (char c : action.text) {
      switch (c) {
        case '\n': text += "\\n"; break;
        case '\t': text += "\\t"; break;
        case '\b': text += "\\b"; break;
        case '"': text += "\\\""; break;
        default: text += c; break;
      }
    }
    text += "\"";
  }
  return text;
}

UserActions::UserActions(std::uint64_t seed) : state_(seed) {}

std::uint64_t UserActions::Draw() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint32_t UserActions::Below(std::uint32_t bound) {
  return bound == 0 ? 0 : static_cast<std::uint32_t>(Draw() % bound);
}

Spot UserActions::AnySpot(bool mayLeave) {
  const bool leaves = mayLeave && Below(10) == 0;
  const std::uint32_t range = leaves ? kSpotScale + 2 * kLeaveMargin : kSpotScale;
  const int offset = leaves ? -kLeaveMargin : 0;
  return {static_cast<int>(Below(range)) + offset, static_cast<int>(Below(range)) + offset};
}

std::string UserActions::Identifier(std::uint32_t longest) {
  const std::uint32_t length = 1 + Below(longest);
  std::string text(1, kNameCharacters[Below(52)]);
  for (std::uint32_t i = 1; i < length; ++i) text += kNameCharacters[Below(sizeof(kNameCharacters) - 1)];
  return text;
}

std::string UserActions::NameText() {
  std::string text;
  switch (Weighted<4>(*this, {80, 10, 5, 5})) {
    case 0:
      text = Identifier(12);
      break;
    case 1: {  // words and punctuation
      const std::uint32_t length = 1 + Below(20);
      for (std::uint32_t i = 0; i < length; ++i) {
        text += Below(3) == 0 ? kOddCharacters[Below(sizeof(kOddCharacters) - 1)]
                              : kNameCharacters[Below(sizeof(kNameCharacters) - 1)];
      }
      break;
    }
    case 2: {  // longer than any field keeps
      const std::uint32_t length = 250 + Below(80);
      for (std::uint32_t i = 0; i < length; ++i) text += kNameCharacters[Below(sizeof(kNameCharacters) - 1)];
      break;
    }
    default:  // nothing: the selected text is deleted
      text = "\b";
      break;
  }
  return text;
}

std::string UserActions::NumberText(bool size) {
  switch (Weighted<7>(*this, {75, 5, 5, 5, 4, 3, 3})) {
    case 0: return std::to_string(size ? 8 + Below(300) : Below(30000));
    case 1: return "0";
    case 2: return "-" + std::to_string(1 + Below(500));
    case 3: return std::to_string(Below(100)) + kNameCharacters[Below(26)];  // "12a"
    case 4: return "\b";
    case 5: return std::to_string(1000 + Below(9000));
    default: return "4294967295";
  }
}

std::string UserActions::CodeText() {
  std::string text;
  const std::uint32_t lines = 1 + Below(3);
  for (std::uint32_t line = 0; line < lines; ++line) {
    if (Below(3) == 0) text += '\t';
    const std::uint32_t words = 1 + Below(4);
    for (std::uint32_t w = 0; w < words; ++w) {
      if (w > 0) text += Below(4) == 0 ? ", " : " ";
      text += Below(5) == 0 ? Identifier(10) : std::string(kCodeWords[Below(kCodeWords.size())]);
    }
    if (Below(4) == 0) text += " ; note";
    text += '\n';
  }
  return text;
}

std::string UserActions::SearchText() {
  if (Below(4) == 0) {
    std::string text;
    const std::uint32_t length = 1 + Below(4);
    for (std::uint32_t i = 0; i < length; ++i) text += kNameCharacters[Below(26)];
    return text;
  }
  std::string word = kCodeWords[Below(kCodeWords.size())];
  if (Below(4) == 0) {
    for (char& c : word) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return word;
}

int UserActions::WeightOf(Act act, const Situation& s) const {
  const bool forms = s.visibleForms > 0;
  const bool controls = s.controls > 0;
  const bool code = s.visibleCodeWindows > 0;
  const bool crowded = s.controls >= kMostControls;
  const int windows = s.visibleForms + s.visibleCodeWindows;
  switch (act) {
    case Act::kPickTool: return 60;
    case Act::kDrawOnForm: return forms ? (crowded ? 20 : 110) : 0;
    case Act::kClickForm: return forms ? 30 : 0;
    case Act::kClickControl: return controls ? 60 : 0;
    case Act::kDragControl: return controls ? 60 : 0;
    case Act::kDragGrabHandle: return s.controlSelected ? 45 : 0;
    case Act::kControlMenu: return controls ? (crowded ? 90 : 45) : 0;
    case Act::kFormMenu: return forms ? 30 : 0;
    case Act::kDoubleClickControl: return controls ? (s.codeWindows < kMostCodeWindows ? 15 : 3) : 0;
    case Act::kDoubleClickForm: return forms ? 8 : 0;
    case Act::kEditProperty: return 80;
    case Act::kPickColour: return 35;
    case Act::kTypeInCode: return code ? 35 : 0;
    case Act::kFind: return code ? 10 : 0;
    case Act::kFindNext: return code ? 8 : 0;
    case Act::kAddForm: return s.forms < kMostForms ? 8 : 0;
    case Act::kAddModule: return s.codeWindows < kMostCodeWindows ? 6 : 0;
    case Act::kAddClassModule: return s.codeWindows < kMostCodeWindows ? 3 : 0;
    case Act::kCloseWindow: return windows > 0 ? (windows > 8 ? 40 : 2 + 2 * windows) : 0;
    // With every form closed the user soon opens one again.
    case Act::kReopenFromProject: return s.hiddenWindows > 0 ? (forms ? 12 : 80) : 3;
    case Act::kDragFormMarker: return forms ? 15 : 0;
    case Act::kMoveWindow: return windows > 0 ? 8 : 0;
    case Act::kSizeWindow: return windows > 0 ? 10 : 0;
    case Act::kScrollForm: return forms ? 8 : 0;
    case Act::kClickPanelCaption: return forms ? 12 : 0;
    case Act::kClickFrameCaption: return forms ? 12 : 0;
    case Act::kNewProject: return s.forms < kMostForms ? 2 : 0;
    case Act::kSaveProject: return 4;
    case Act::kOpenProject: return 2;
    case Act::kDesignKey: return forms ? 45 : 0;
    case Act::kUndoRedo: return forms ? 40 : 0;
    case Act::kCtrlClickControl: return controls ? 25 : 0;
    case Act::kFormatCommand: return s.controlSelected ? 15 : 0;
  }
  return 0;
}

Action UserActions::Next(const Situation& situation) {
  std::array<std::uint32_t, kActCount> weights{};
  for (int i = 0; i < kActCount; ++i) {
    weights[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(WeightOf(static_cast<Act>(i), situation));
  }
  Action action;
  action.act = static_cast<Act>(Weighted(*this, weights));
  action.which = static_cast<std::uint32_t>(Draw() >> 40);
  action.from = AnySpot(false);
  action.to = AnySpot(true);
  switch (action.act) {
    case Act::kPickTool:
      // Mostly a tool that places a control.
      action.item = Below(10) < 3 ? kToolsWithoutControl[Below(kToolsWithoutControl.size())] : Below(kToolButtons);
      break;
    case Act::kControlMenu:  // View Code, Copy, Delete, Properties, or Escape
      action.item = Weighted<5>(*this, {25, 30, 25, 10, 10});
      break;
    case Act::kFormMenu:  // View Code, Paste, Delete, Properties, or Escape
      action.item = Weighted<5>(*this, {25, 45, 10, 10, 10});
      break;
    case Act::kEditProperty: {
      action.item = kPropertyRows[Weighted<kPropertyRows.size()>(*this, {25, 15, 15, 25, 15, 15, 2, 2, 2, 2})];
      action.flags = Below(10) == 0 ? 0 : 1;  // 1: the editor's text is selected first, so it is replaced
      if (action.item <= 7) action.text = IsNumberRow(action.item) ? NumberText(action.item != 2) : NameText();
      break;
    }
    case Act::kPickColour:  // 0: a palette cell, 1: a system colour, 2: the pop-up opened and left
      action.flags = Weighted<3>(*this, {60, 30, 10});
      action.item = Below(action.flags == 1 ? 25 : 64);
      break;
    case Act::kTypeInCode:
      action.text = CodeText();
      break;
    case Act::kFind:  // bit 0 and 1: click the two check boxes; bit 2: Cancel instead of Find
      action.flags = Below(8);
      action.text = SearchText();
      break;
    case Act::kCloseWindow:  // code windows pile up faster than forms
      action.item = Below(4) == 0 ? 0 : 1;
      break;
    case Act::kMoveWindow:
    case Act::kSizeWindow:
      action.item = Below(2);  // 0: a form, 1: a code window
      break;
    case Act::kDragFormMarker:
      action.item = Below(3);  // right, corner, bottom
      break;
    case Act::kScrollForm:
      action.item = Below(4);       // up, down, left, right
      action.flags = 1 + Below(5);  // clicks
      break;
    case Act::kNewProject:
      action.item = Below(7);                    // the kind
      action.flags = Below(4) == 0 ? 1 : 0;      // 1: Cancel
      action.answer = Weighted<3>(*this, {30, 60, 10});
      break;
    case Act::kOpenProject:
      action.flags = Below(5) == 0 ? 1 : 0;      // 1: Cancel in the Open dialog
      action.answer = Weighted<3>(*this, {30, 60, 10});
      break;
    case Act::kDesignKey:
      action.item = Below(kDesignKeys.size());
      action.flags = action.item >= 7 ? 1 : Weighted<4>(*this, {60, 15, 20, 5});  // Ctrl+A, C, V need Ctrl
      break;
    case Act::kUndoRedo:  // 0: Ctrl+Z, 1: Ctrl+Y, 2: the Edit menu's "&Undo"
      action.flags = Weighted<3>(*this, {55, 35, 10});
      action.item = 1 + Below(4);  // times
      break;
    case Act::kFormatCommand:
      action.item = Below(11);
      break;
    default:
      break;
  }
  return action;
}

}  // namespace kelp::random_user
