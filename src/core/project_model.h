// A saved project as plain data: everything needed to rebuild the forms,
// their controls and every code window exactly as they were, with no Win32
// type in sight. The host fills it from the live windows to save, and
// rebuilds the windows from it after an open (project_reader.h,
// project_store.h). Texts are the ANSI bytes of the record's fields.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/control_record.h"
#include "core/grab_geometry.h"

namespace kelp {

// Every text field of the record holds 259 bytes and a zero.
inline constexpr std::size_t kMaxTextBytes = kTextFieldSize - 1;
// A LOGFONT face name holds 31 bytes and a zero.
inline constexpr std::size_t kMaxFontFaceBytes = 31;
// The numbers of one kind of control on one form run 0..65535 (the name table).
inline constexpr std::uint32_t kMaxControlNumber = 65535;
// Windows keep coordinates in 16 bits: positions may lie left of or above
// the form, sizes are never negative.
inline constexpr std::int32_t kSmallestCoordinate = -kLargestCoordinate - 1;
// System colour indices run from COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30).
inline constexpr std::uint32_t kLargestSystemColour = 30;

// The kinds the New Project window offers, as its list shows them.
inline constexpr std::array<std::string_view, 7> kProjectKinds = {
    "Standard EXE", "Standard DLL",       "Console Application", "Static Library",
    "MDI",          "Resource Dependent", "Snippet Store CODE"};

struct Font {
  std::string face = "Arial";
  std::int32_t height = -13;
  std::int32_t weight = 5;  // what the control creators ask for
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint8_t charset = 0;
  bool operator==(const Font&) const = default;
};

// How the record's hBackBrush was made. The creators store a system colour
// index + 1 (16 for COLOR_BTNFACE) or nothing; picking a colour makes a
// solid brush of backColour. Re-opening makes the same kind again.
enum class BrushKind : std::uint8_t { kNone, kSystemColour, kPicked };

struct BackBrush {
  BrushKind kind = BrushKind::kNone;
  std::uint32_t systemColour = 0;  // the index (the record holds it + 1) when kind is kSystemColour
  bool operator==(const BackBrush&) const = default;
};

inline BackBrush SystemColourBrush(std::uint32_t index) {
  return {BrushKind::kSystemColour, index};
}

// A window's place and size in its parent's client area.
struct WindowPlace {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const WindowPlace&) const = default;
};

// What a form and a control both keep of their control record.
struct RecordFields {
  std::string name;    // handleName, as the " (Name)" row shows it: hButton0
  std::string idName;  // IDC_BUTTON0
  std::uint32_t ctrlId = 0;
  std::string caption;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;  // without the live WS_EX_TOPMOST bit, as the record keeps it
  std::uint32_t enabled = 0;  // wParam of the last WM_ENABLE
  ColourRef backColour = 0;
  ColourRef foreColour = 0;
  BackBrush backBrush;
  Font font;
  // The text of the object's own code window, byte for byte; none when the
  // window was never opened.
  std::optional<std::string> code;
  // The code window is shown; a user may have closed it (it is kept hidden).
  bool codeShown = true;
  // The window's own place and size where they are not the record's: a
  // resize records the client size, the window keeps its whole size. For a
  // form, its back panel's. None: the record's place and size.
  std::optional<WindowPlace> window;
  bool operator==(const RecordFields&) const = default;
};

struct Control : RecordFields {
  std::uint32_t kind = kKindButton;  // 51..71, never 49, 50, 65 or 66
  std::uint32_t number = 0;          // the slot: Button0 is 0, IDC_BUTTON0, 2000
  bool operator==(const Control&) const = default;
};

// A form: left and top place its frame in the MDI client; width and height
// are its design surface's.
struct Form : RecordFields {
  std::uint32_t number = 1;  // Form1 is 1
  // The frame's place and size in the MDI client; none: where a new form's
  // frame goes.
  std::optional<WindowPlace> frame;
  // The project window's item ("Form1"); empty: Form<n>, MDIForm<n> for the
  // project's MDI form.
  std::string formName;
  // The frame's title; empty: the one a new form gets (DefaultFormTitle).
  std::string title;
  // The files keep formName and title only where they differ from what
  // empty stands for: equal to it, they read back empty, and from then on
  // follow a rename or a change of MDI form. EmptyDefaultFormTexts gives a
  // project as it reads back; a save takes either.
  // Closed by the user: the frame is hidden, the form stays in the project.
  bool hidden = false;
  // Bottom first: each control lies above those before it, so creating them
  // in this order and bringing each to the top rebuilds the stacking. The
  // designer keeps group boxes beneath the others, so they come first.
  std::vector<Control> controls;
  bool operator==(const Form&) const = default;
};

// A module or a class module: Module1, Class1.
struct CodeModule {
  std::uint32_t number = 1;
  std::string name;
  std::string code;
  bool shown = true;  // the code window is shown, not closed
  bool operator==(const CodeModule&) const = default;
};

struct ProjectSetting {
  std::string key;
  std::string value;
  bool operator==(const ProjectSetting&) const = default;
};

struct Project {
  std::string name = "Project1";
  std::uint32_t number = 1;
  std::string kind = "Standard EXE";
  std::optional<std::uint32_t> startupForm;  // a form's number
  std::optional<std::uint32_t> mdiForm;      // the form that is the project's MDI form
  // The last numbers given, as the workspace counts them: the next form is
  // formCounter + 1. Numbers are never reused, so a counter is never below
  // the numbers in use.
  std::uint32_t formCounter = 0;
  std::uint32_t moduleCounter = 0;
  std::uint32_t classModuleCounter = 0;
  std::vector<ProjectSetting> settings;  // in the order given; keys are unique
  std::vector<Form> forms;
  std::vector<CodeModule> modules;
  std::vector<CodeModule> classModules;
  bool operator==(const Project&) const = default;
};

// The base name the designer gives a kind's controls ("Button" for Button0,
// "Editbox" for a text box, "listbox"); null for kinds that place nothing.
const char* KindPrefix(std::uint32_t kind);

// The kind whose base name is exactly the text, if any.
std::optional<std::uint32_t> KindOfPrefix(std::string_view prefix);

// A kind that a control can have: 51..71 less 65 and 66.
inline bool IsControlKind(std::uint32_t kind) {
  return KindPrefix(kind) != nullptr;
}

// A control as the designer places it: named, numbered and styled the way
// the form designer and the kind's creator leave it. backColour is the
// system's, so it is left 0 here and always saved.
Control DefaultControl(std::uint32_t kind, std::uint32_t number);

// A form as CreateFormWin makes it: hForm1 with the caption Form1.
Form DefaultForm(std::uint32_t number);

// The name a form has in the project window: Form3, or MDIForm3 for the
// project's MDI form.
std::string DefaultFormName(std::uint32_t number, bool mdi);

// The title a new form's frame gets: "Project1 - Form1 (Form)",
// "Project1 - MDIForm2 (MDIForm)".
std::string DefaultFormTitle(std::uint32_t projectNumber, std::string_view formName, bool mdi);

// What an empty formName and title of the project's form stand for.
struct FormTexts {
  std::string formName;
  std::string title;
};
FormTexts DefaultFormTexts(const Project& project, const Form& form);

// Empties each form's formName and title where they equal what empty
// stands for, as a read of the saved project gives them.
void EmptyDefaultFormTexts(Project& project);

bool IsProjectKind(std::string_view kind);

// The form with that number, or null.
const Form* FindForm(const Project& project, std::uint32_t number);

}  // namespace kelp
