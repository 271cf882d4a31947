// A host saves what the user made and rebuilds it: a form with a control
// of every kind drawn with the mouse, edited in the properties window,
// coloured with the colour picker, with code typed in its code windows, an
// MDI form, a module and a class module. The host reads it all back through
// the library's exports, closes the project, rebuilds it in a fresh state
// and finds the same project: every record field that is not a handle, the
// brushes, fonts, stacking, code to the byte, places and sizes, the same
// pixels on the form, and the same names for the next controls drawn.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <map>

#include "core/property_rows.h"
#include "designer/form_designer.h"
#include "designer/grab_handles.h"
#include "designer/placement.h"
#include "entry/workspace.h"
#include "host_project_fixture.h"

namespace kelp::test {
namespace {

struct Drawn {
  UINT kind;
  RECT rect;  // on the surface
};

// One of every kind, and a second and third button and an option button
// inside the group box; the status bar docks itself at the bottom.
const Drawn kDrawing[] = {
    {KIND_GROUPBOX, {8, 8, 108, 78}},        {KIND_OPTIONBUTTON, {16, 28, 100, 46}},
    {KIND_LABEL, {126, 8, 226, 26}},         {KIND_TEXTBOX, {126, 36, 226, 76}},
    {KIND_BUTTON, {244, 8, 334, 34}},        {KIND_BUTTON, {244, 44, 334, 70}},
    {KIND_CHECKBOX, {362, 8, 462, 26}},      {KIND_COMBOBOX, {362, 40, 462, 64}},
    {KIND_LISTBOX, {8, 96, 108, 156}},       {KIND_HSCROLLBAR, {126, 96, 226, 114}},
    {KIND_VSCROLLBAR, {244, 96, 262, 166}},  {KIND_TIMER, {290, 96, 330, 130}},
    {KIND_DRIVELISTBOX, {362, 96, 462, 120}}, {KIND_DIRLISTBOX, {8, 184, 108, 254}},
    {KIND_FILELISTBOX, {126, 184, 226, 254}}, {KIND_IMAGEBOX, {244, 184, 304, 244}},
    {KIND_CALENDAR, {326, 184, 476, 300}},    {KIND_TRACKBAR, {8, 272, 108, 302}},
    {KIND_PROGRESSBAR, {126, 272, 226, 290}}, {KIND_BUTTON, {244, 272, 314, 298}},
    {KIND_STATUSBAR, {8, 330, 200, 360}},
};

// Every kind a control can have.
constexpr UINT kKinds[] = {KIND_LABEL,       KIND_TEXTBOX,     KIND_GROUPBOX,    KIND_BUTTON,      KIND_CHECKBOX,
                           KIND_OPTIONBUTTON, KIND_COMBOBOX,    KIND_LISTBOX,     KIND_HSCROLLBAR,  KIND_VSCROLLBAR,
                           KIND_TIMER,        KIND_DRIVELISTBOX, KIND_DIRLISTBOX,  KIND_FILELISTBOX, KIND_IMAGEBOX,
                           KIND_CALENDAR,     KIND_TRACKBAR,    KIND_PROGRESSBAR, KIND_STATUSBAR};

constexpr POINT kEmptySpot = {470, 420};  // on form 1's surface, clear of every control

std::vector<Change> Changes(WPARAM what, HWND about, std::size_t times = 1) {
  return std::vector<Change>(times, Change{what, about});
}

std::string Text(const char* field) { return field; }

void ExpectSameProperties(const KELP32_DESIGN_PROPERTIES& a, const KELP32_DESIGN_PROPERTIES& b,
                          const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(a.kind, b.kind);
  EXPECT_EQ(a.number, b.number);
  EXPECT_EQ(Text(a.handleName), Text(b.handleName));
  EXPECT_EQ(Text(a.idName), Text(b.idName));
  EXPECT_EQ(a.ctrlId, b.ctrlId);
  EXPECT_EQ(Text(a.caption), Text(b.caption));
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.top, b.top);
  EXPECT_EQ(a.width, b.width);
  EXPECT_EQ(a.height, b.height);
  EXPECT_EQ(a.windowLeft, b.windowLeft);
  EXPECT_EQ(a.windowTop, b.windowTop);
  EXPECT_EQ(a.windowWidth, b.windowWidth);
  EXPECT_EQ(a.windowHeight, b.windowHeight);
  EXPECT_EQ(a.style, b.style);
  EXPECT_EQ(a.exStyle, b.exStyle);
  EXPECT_EQ(a.classStyle, b.classStyle);
  EXPECT_EQ(a.enabled, b.enabled);
  EXPECT_EQ(a.backColour, b.backColour);
  EXPECT_EQ(a.brushKind, b.brushKind);
  EXPECT_EQ(a.brushSystemColour, b.brushSystemColour);
  EXPECT_EQ(a.foreColour, b.foreColour);
  EXPECT_EQ(a.hasFont, b.hasFont);
  EXPECT_EQ(std::memcmp(&a.font, &b.font, sizeof(a.font)), 0) << "the font";
  EXPECT_EQ(a.hCodeWindow != 0, b.hCodeWindow != 0) << "a code window";
}

void ExpectSameForm(const SavedForm& a, const SavedForm& b) {
  SCOPED_TRACE(a.info.formName);
  EXPECT_EQ(a.info.number, b.info.number);
  EXPECT_EQ(a.info.flags, b.info.flags);
  EXPECT_EQ(a.info.projectNumber, b.info.projectNumber);
  EXPECT_EQ(a.info.left, b.info.left);
  EXPECT_EQ(a.info.top, b.info.top);
  EXPECT_EQ(a.info.frameWidth, b.info.frameWidth);
  EXPECT_EQ(a.info.frameHeight, b.info.frameHeight);
  EXPECT_EQ(a.info.width, b.info.width);
  EXPECT_EQ(a.info.height, b.info.height);
  EXPECT_EQ(Text(a.info.formName), Text(b.info.formName));
  EXPECT_EQ(Text(a.info.formTitle), Text(b.info.formTitle));
  ExpectSameProperties(a.properties, b.properties, "the form's properties");
  EXPECT_EQ(a.hasCode, b.hasCode);
  EXPECT_EQ(a.code, b.code) << "the form's code, to the byte";
  EXPECT_EQ(a.codeVisible, b.codeVisible);
  ASSERT_EQ(a.controls.size(), b.controls.size());
  for (std::size_t i = 0; i < a.controls.size(); ++i) {
    const std::string what = "control " + std::to_string(i) + " from the bottom, " + a.controls[i].properties.handleName;
    ExpectSameProperties(a.controls[i].properties, b.controls[i].properties, what);
    EXPECT_EQ(a.controls[i].code, b.controls[i].code) << what;
    EXPECT_EQ(a.controls[i].codeVisible, b.controls[i].codeVisible) << what;
  }
}

void ExpectSameProject(const SavedProject& a, const SavedProject& b) {
  EXPECT_EQ(a.info.formCounter, b.info.formCounter);
  EXPECT_EQ(a.info.moduleCounter, b.info.moduleCounter);
  EXPECT_EQ(a.info.classModuleCounter, b.info.classModuleCounter);
  EXPECT_EQ(a.info.hMdiForm != 0, b.info.hMdiForm != 0);
  EXPECT_EQ(Text(a.info.projectTitle), Text(b.info.projectTitle));
  ASSERT_EQ(a.forms.size(), b.forms.size());
  for (std::size_t i = 0; i < a.forms.size(); ++i) ExpectSameForm(a.forms[i], b.forms[i]);
  ASSERT_EQ(a.modules.size(), b.modules.size());
  for (std::size_t i = 0; i < a.modules.size(); ++i) {
    SCOPED_TRACE(a.modules[i].info.moduleName);
    EXPECT_EQ(a.modules[i].info.kind, b.modules[i].info.kind);
    EXPECT_EQ(a.modules[i].info.number, b.modules[i].info.number);
    EXPECT_EQ(a.modules[i].info.flags, b.modules[i].info.flags);
    EXPECT_EQ(Text(a.modules[i].info.moduleName), Text(b.modules[i].info.moduleName));
    EXPECT_EQ(a.modules[i].code, b.modules[i].code) << "to the byte";
  }
}

// The number the next control of each kind drawn on the surface gets.
std::map<UINT, std::int32_t> NextNumbers(HWND surface) {
  std::map<UINT, std::int32_t> next;
  for (UINT kind : kKinds) next[kind] = FindFreeSlot(*NameTableOf(surface, kind));
  return next;
}

HWND SurfaceOf(HWND frame) {
  KELP32_FORM_INFO info{};
  GetFormInfo(frame, &info);
  return KELP32_HANDLE(HWND, info.hSurface);
}

TEST_F(HostProjectTest, WhatTheUserMadeIsReadBackAndRebuiltAsItWas) {
  // A form, laid out by the host so that all of it can be seen.
  HWND frame = AddFormByMenu();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_FORM_ADDED, frame));
  ::MoveWindow(frame, 0, 0, 590, 650, TRUE);
  HWND surface = SurfaceOf(frame);
  ClickOn(surface, kEmptySpot);
  TypeIntoRow(kRowWidth, "500");
  TypeIntoRow(kRowHeight, "560");
  TypeIntoRow(kRowCaption, "Main");
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_PROPERTY, frame, 3 + 3 + 4)) << "one a keystroke";

  // A control of every kind, each drawn with its tool.
  std::vector<HWND> drawn;
  for (const Drawn& d : kDrawing) {
    HWND control = Draw(surface, d.kind, d.rect);
    ASSERT_NE(control, nullptr) << "kind " << d.kind;
    EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_CONTROL_DRAWN, control)) << "kind " << d.kind;
    drawn.push_back(control);
  }
  HWND button0 = drawn[4];
  HWND button1 = drawn[5];
  HWND label = drawn[2];
  HWND textBox = drawn[3];
  HWND checkBox = drawn[6];

  // Moved, resized with a grab handle, copied and pasted, deleted.
  Drag(Centre(ScreenRect(button0)), {Centre(ScreenRect(button0)).x + 30, Centre(ScreenRect(button0)).y + 10});
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_CONTROL_MOVED, button0));
  ClickOn(label, {5, 5});
  EXPECT_EQ(TakeChanges(), std::vector<Change>{}) << "a click selects and changes nothing";
  HWND corner = GrabHandleWindow(2);  // bottom right
  ASSERT_NE(corner, nullptr);
  const POINT from = Centre(ScreenRect(corner));
  Drag(from, {from.x + 20, from.y + 6});
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_CONTROL_RESIZED, label));
  RightClickThenKey(Centre(ScreenRect(checkBox)), 'C');
  EXPECT_EQ(TakeChanges(), std::vector<Change>{}) << "copying changes nothing";
  gFormDesigner.newControl = nullptr;
  ClickThenKeys(ClientToScreenPoint(surface, kEmptySpot), true, Downs(2));
  HWND pasted = gFormDesigner.newControl;
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_CONTROL_PASTED, pasted));
  RightClickThenKey(Centre(ScreenRect(button1)), 'D');
  EXPECT_FALSE(::IsWindow(button1));
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_CONTROL_DELETED, surface));

  // Properties typed, colours picked.
  ClickOn(button0, {5, 5});
  TypeIntoRow(kRowName, "hOk");
  TypeIntoRow(kRowIdName, "IDC_OK");
  TypeIntoRow(kRowIdValue, "77");
  TypeIntoRow(kRowCaption, "OK");
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_PROPERTY, button0, 3 + 6 + 2 + 2));
  PickPaletteColour(12);
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_COLOUR, button0));
  ClickOn(textBox, {5, 5});
  TypeIntoRow(kRowCaption, "first");
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_PROPERTY, textBox, 5));
  ClickOn(surface, kEmptySpot);
  PickPaletteColour(20);
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_COLOUR, frame));
  // A font the host gave a control (as an opened project would).
  KELP32_DESIGN_PROPERTIES font{};
  font.fields = KELP32_SET_FONT;
  font.hasFont = 1;
  font.font.lfHeight = -17;
  font.font.lfWeight = FW_BOLD;
  font.font.lfItalic = TRUE;
  std::strcpy(font.font.lfFaceName, "Courier New");
  ASSERT_TRUE(SetDesignProperties(label, &font));

  // Code: a skeleton opened with a double-click, then typed into.
  DoubleClickOn(button0, {5, 5});
  KELP32_DESIGN_PROPERTIES read{};
  ASSERT_TRUE(GetDesignProperties(button0, &read));
  HWND buttonCode = KELP32_HANDLE(HWND, read.hCodeWindow);
  ASSERT_NE(buttonCode, nullptr);
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_CODE, buttonCode));
  const std::string typed = "\tinvoke Beep, 440, 100\n";
  TypeCode(buttonCode, typed);
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_CODE, buttonCode, typed.size()));
  ::SendMessageA(buttonCode, WM_CLOSE, 0, 0);  // hidden, kept
  DoubleClickOn(surface, kEmptySpot);
  KELP32_FORM_INFO formInfo{};
  GetFormInfo(frame, &formInfo);
  HWND formCode = KELP32_HANDLE(HWND, formInfo.hCodeWindow);
  ASSERT_NE(formCode, nullptr);
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_CODE, formCode));
  TypeCode(formCode, "; ok");
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_CODE, formCode, 4));

  // A module the host opened from a file with lone LFs, typed into; a
  // class module; the MDI form, renamed, then closed.
  HWND module = AddModuleByMenu();
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_MODULE_ADDED, module));
  SetCodeText(module, "; from a file\nstart:\n\tret\r\nend start\n", KELP32_CODE_VISIBLE);
  EXPECT_EQ(TakeChanges(), std::vector<Change>{}) << "the host's own filling is not reported";
  TypeCode(module, "; typed");
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_CODE, module, 7));
  HWND classModule = AddClassModuleByMenu();
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_CLASSMODULE_ADDED, classModule));
  HWND mdiForm = AddMdiFormByMenu();
  ASSERT_NE(mdiForm, nullptr);
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_MDIFORM_ADDED, mdiForm));
  EXPECT_EQ(WindowText(mdiForm), "Project1 - MDIForm2 (MDIForm)");
  ClickOn(SurfaceOf(mdiForm), {20, 20});
  TypeIntoRow(kRowName, "Shell");
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_PROPERTY, mdiForm, 5));
  EXPECT_EQ(WindowText(mdiForm), "Project1 - Shell (MDIForm)");
  ::SendMessageA(mdiForm, WM_CLOSE, 0, 0);

  // The first form moved by its caption, and sized by its right marker.
  ::BringWindowToTop(frame);
  TITLEBARINFO title{};
  title.cbSize = sizeof(title);
  ::GetTitleBarInfo(frame, &title);
  const POINT grip = {title.rcTitleBar.left + 60, (title.rcTitleBar.top + title.rcTitleBar.bottom) / 2};
  DragQueued(grip, {grip.x + 4, grip.y + 3});
  EXPECT_EQ(AwaitChanges(1), Changes(KELP32_CHANGE_FORM_MOVED, frame));
  const FormRecord* form = FormRecordOf(frame);
  const POINT marker = Centre(form->rightMarker);
  Drag(marker, {marker.x - 30, marker.y});
  EXPECT_EQ(TakeChanges(), Changes(KELP32_CHANGE_FORM_RESIZED, frame));

  // What the host saves; the picture of the form, with nothing selected.
  ClickOn(surface, kEmptySpot);
  const SavedProject saved = SaveProject();
  ASSERT_EQ(saved.forms.size(), 2u);
  ASSERT_EQ(saved.forms[0].controls.size(), drawn.size() - 1 + 1) << "one deleted, one pasted";
  EXPECT_EQ(saved.forms[0].controls.front().properties.kind, static_cast<DWORD>(KIND_GROUPBOX))
      << "the group box lies beneath";
  EXPECT_EQ(saved.forms[1].info.flags, static_cast<DWORD>(KELP32_FORM_MDI | KELP32_FORM_HIDDEN));
  EXPECT_EQ(saved.modules.size(), 2u);
  EXPECT_EQ(saved.modules[0].code, "; from a file\nstart:\n\tret\r\nend start\n; typed");
  const std::map<UINT, std::int32_t> nextNumbers = NextNumbers(surface);
  EXPECT_EQ(nextNumbers.at(KIND_BUTTON), 1) << "Button1 was deleted";
  const Pixels picture = Pixels::OfClient(surface);

  // A new project: nothing of this one is left, and nothing is reported.
  CloseProject(0, 0, 0);
  EXPECT_EQ(GetNextForm(nullptr), nullptr);
  EXPECT_EQ(::GetWindow(MdiClient(), GW_CHILD), nullptr) << "no form, no code window";
  EXPECT_EQ(::SendMessageA(gWorkspace.projectTree, TVM_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(TakeChanges(), std::vector<Change>{});

  // Rebuilt from what was saved, in a fresh state, as an opened project is.
  RebuildProject(saved);
  EXPECT_EQ(TakeChanges(), std::vector<Change>{}) << "rebuilding is the host's doing";
  const SavedProject rebuilt = SaveProject();
  ExpectSameProject(saved, rebuilt);
  HWND rebuiltFrame = GetNextForm(nullptr);
  HWND rebuiltSurface = SurfaceOf(rebuiltFrame);
  EXPECT_EQ(NextNumbers(rebuiltSurface), nextNumbers) << "the next control of each kind is named alike";
  ClickOn(rebuiltSurface, kEmptySpot);
  EXPECT_EVENTUALLY(Pixels::OfClient(rebuiltSurface) == picture) << "the form looks as it did";

  // The user goes on where the saved project left off.
  HWND next = Draw(rebuiltSurface, KIND_BUTTON, {380, 330, 460, 356});
  ASSERT_NE(next, nullptr);
  KELP32_DESIGN_PROPERTIES nextButton{};
  GetDesignProperties(next, &nextButton);
  EXPECT_EQ(Text(nextButton.handleName), "hButton1");
  EXPECT_EQ(Text(nextButton.idName), "IDC_BUTTON1");
  EXPECT_EQ(AddFormByMenu() != nullptr, true);
  KELP32_FORM_INFO third{};
  GetFormInfo(GetNextForm(GetNextForm(rebuiltFrame)), &third);
  EXPECT_EQ(Text(third.formName), "Form3") << "numbers are never given twice";
  EXPECT_EQ(AddMdiFormByMenu(), nullptr) << "the project has its MDI form";
}

}  // namespace
}  // namespace kelp::test
