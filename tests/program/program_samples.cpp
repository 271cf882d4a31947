#include "program_samples.h"

#include "core/placement_table.h"
#include "core/skeletons.h"

namespace kelp::samples {
namespace {

constexpr std::string_view kCreateLine = ".if uMsg == WM_CREATE\r\n";

Control Placed(std::uint32_t kind, std::uint32_t number, std::int32_t left, std::int32_t top,
               std::int32_t width, std::int32_t height) {
  Control control = DefaultControl(kind, number);
  control.left = left;
  control.top = top;
  control.width = width;
  control.height = height;
  return control;
}

Form SizedForm(std::uint32_t number, std::int32_t width, std::int32_t height) {
  Form form = DefaultForm(number);
  form.width = width;
  form.height = height;
  return form;
}

// The creators' own styles of the kinds whose records keep none.
std::uint32_t ShownStyle(const Control& control) {
  if (control.style != 0) return control.style;
  return control.kind == kKindVScrollBar || control.kind == kKindTrackBar ? 0x56000001 : 0x56000000;
}

}  // namespace

std::string EveryCaptionByte() {
  std::string text;
  for (int byte = 1; byte < 256; ++byte) text += static_cast<char>(byte);
  return text;
}

std::string LongestCaption() {
  std::string text;
  for (std::size_t i = 0; i < kMaxTextBytes; ++i) text += "=;\" \xE9x<>!"[i % 9];
  return text;
}

std::string FormCode(std::uint32_t formNumber, const std::string& createLines, const std::string& moreProcs) {
  std::string code = FormSkeleton("Form" + std::to_string(formNumber));
  code.insert(code.find(kCreateLine) + kCreateLine.size(), createLines);
  return code + moreProcs;
}

std::string HandlerCode(const std::string& idName, const std::string& lines) {
  std::string code = ControlSkeleton(idName);
  const std::size_t opening = kControlHandlerOpening.size() + idName.size() + 2;
  return code.insert(opening, lines);
}

Project EveryKindProject() {
  Project project;
  project.name = "Every \"Kind\"";
  project.formCounter = 1;
  project.startupForm = 1;
  Form form = SizedForm(1, 760, 560);
  form.caption = "Say \"Hi\"; 100% <done> & caf\xE9!";
  form.backBrush = {BrushKind::kPicked, 0};
  form.backColour = 0x00E0F0FF;
  form.style = 0x00CF0000 | 0x00200000;  // with a vertical scroll bar
  form.exStyle = 0x00000100;
  const char* faces[] = {"Courier New", "Times New Roman", "Arial", "Tahoma"};
  std::int32_t slot = 0;
  for (const KindRow& row : kKindRows) {
    const std::uint32_t number = static_cast<std::uint32_t>(slot % 3 + 1);
    Control control = Placed(row.kind, number, 8 + (slot % 4) * 185, 8 + (slot / 4) * 100, 170, 90);
    control.style = ShownStyle(control) | 0x00010000;  // WS_TABSTOP
    control.exStyle |= 0x00020000;                     // WS_EX_STATICEDGE
    control.caption = slot == 0   ? EveryCaptionByte()
                      : slot == 1 ? LongestCaption()
                                  : "Kind " + std::to_string(row.kind) + " \"quoted\" \xC0\xFF";
    control.name = "hCtl" + std::string(row.baseName) + std::to_string(number);
    control.idName = "IDC_CTL_" + std::to_string(row.kind);
    control.ctrlId = 4000 + row.kind;
    control.font = {faces[slot % 4],
                    -11 - slot % 7,
                    slot % 2 == 0 ? 700 : 400,
                    slot % 3 == 0,
                    slot % 4 == 1,
                    slot % 5 == 2,
                    static_cast<std::uint8_t>(slot % 2 == 0 ? 238 : 0)};
    if (slot % 3 == 0) {
      control.backBrush = {BrushKind::kPicked, 0};
      control.backColour = 0x00102030u * static_cast<std::uint32_t>(slot + 1) & 0x00FFFFFF;
    } else if (slot % 3 == 1) {
      control.backBrush = SystemColourBrush(5);
    }
    control.foreColour = slot % 2 == 0 ? 0x000000C0 : 0x00008000;
    if (row.kind == kKindCheckBox) control.style |= 0x08000000;  // WS_DISABLED
    control.code = HandlerCode(control.idName, "            invoke GetDlgItem, hWin, " + control.idName +
                                                   "\r\n            invoke EnableWindow, eax, TRUE\r\n");
    form.controls.push_back(control);
    ++slot;
  }
  form.code = FormCode(1,
                       "            invoke SetWindowText, hCtlEditbox3, offset greeting\r\n"
                       "            invoke SendMessage, hCtllistbox3, LB_ADDSTRING, 0, offset greeting\r\n",
                       "Form1Proc endp\r\n");
  project.forms = {form};
  project.modules = {{1, "Module1", ".data\r\ngreeting db \"Hello, \",34,\"world\",34,0\r\n"}};
  return project;
}

Project SeveralFormsProject() {
  Project project;
  project.name = "Several Forms";
  project.formCounter = 3;
  project.startupForm = 2;
  Form first = SizedForm(1, 300, 200);
  first.controls.push_back(Placed(kKindLabel, 0, 10, 10, 200, 20));
  first.hidden = true;
  Form second = SizedForm(2, 400, 300);
  second.caption = "The start";
  Control show = Placed(kKindButton, 0, 20, 20, 120, 30);
  show.caption = "Show Form3";
  show.code = HandlerCode("IDC_BUTTON0",
                          "            invoke CreateForm3\r\n"
                          "            invoke SetWindowText, eax, offset shownTitle\r\n");
  second.controls.push_back(show);
  second.code = FormCode(2, "", ".data\r\nshownTitle db \"Shown by Form2\",0\r\n");
  Form third = SizedForm(3, 250, 180);
  third.backBrush = SystemColourBrush(8);
  Control close = Placed(kKindButton, 0, 10, 10, 100, 25);  // hButton0 again, on another form
  close.caption = "Close";
  close.code = HandlerCode("IDC_BUTTON0", "            invoke DestroyWindow, hWin\r\n");
  third.controls = {close, Placed(kKindTextBox, 0, 10, 50, 200, 60)};
  third.code = FormCode(3, "            invoke SetWindowText, hEditbox0, offset shownTitle\r\n");
  project.forms = {first, second, third};
  return project;
}

Project MdiProject() {
  Project project;
  project.name = "Mdi";
  project.kind = "MDI";
  project.formCounter = 3;
  project.mdiForm = 1;
  project.startupForm = 2;
  Form frame = SizedForm(1, 800, 600);
  frame.caption = "MDI frame";
  Control status = DefaultControl(kKindStatusBar, 0);
  status.caption = "Ready";
  Control timer = Placed(kKindTimer, 0, 10, 10, 28, 28);
  timer.code =
      HandlerCode("IDC_TIMER0", "            invoke SendMessage, hMdiClient, WM_MDICASCADE, 0, 0\r\n");
  frame.controls = {status, timer};
  frame.code = FormCode(1, "            invoke CreateForm3\r\n");
  Form child = SizedForm(2, 300, 200);
  child.caption = "First child";
  Control list = Placed(kKindListBox, 0, 5, 5, 200, 100);
  list.code = HandlerCode("IDC_LISTBOX0",
                          "            invoke SendMessage, hstatusbar0, SB_SETTEXT, 0, offset picked\r\n");
  child.controls = {list};
  child.code = FormCode(2, "", ".data\r\npicked db \"Picked\",0\r\n");
  Form other = SizedForm(3, 260, 160);
  other.controls = {Placed(kKindCalendar, 0, 0, 0, 240, 150)};
  other.controls[0].code =
      HandlerCode("IDC_CALENDER0", "            invoke SetWindowText, hWin, offset picked\r\n");
  project.forms = {frame, child, other};
  return project;
}

Project ModulesProject() {
  Project project;
  project.name = "Modules";
  project.formCounter = 1;
  project.moduleCounter = 2;
  project.classModuleCounter = 1;
  Form form = SizedForm(1, 320, 240);
  Control button = Placed(kKindButton, 0, 10, 10, 90, 25);
  button.caption = "Count";
  button.code = HandlerCode("IDC_BUTTON0", "            invoke ShowCount, hStatic0\r\n");
  Control track = Placed(kKindTrackBar, 0, 10, 50, 200, 30);
  track.code = HandlerCode("IDC_TRACKBAR0",
                           "            invoke SendMessage, htrackbar0, TBM_GETPOS, 0, 0\r\n"
                           "            invoke SetDlgItemInt, hWin, IDC_STATIC0, eax, FALSE\r\n");
  Control scroll = Placed(kKindHScrollBar, 0, 10, 90, 200, 17);
  scroll.code = HandlerCode("IDC_HSCROLLBAR0", "            invoke ShowCount, hStatic0\r\n");
  form.controls = {button, Placed(kKindLabel, 0, 110, 10, 150, 20), track, scroll};
  form.code = FormCode(1, "            invoke ResetCount\r\n");
  project.forms = {form};
  project.modules = {
      {1, "Module1",
       ".data\r\ncountText db \"Clicked %d times\",0\r\ncountBuffer db 64 dup(0)\r\n\r\n.code\r\n"
       "ShowCount proc hTarget:DWORD\r\n    inc theCounter.clicks\r\n"
       "    invoke wsprintf, addr countBuffer, addr countText, theCounter.clicks\r\n"
       "    invoke SetWindowText, hTarget, addr countBuffer\r\n    ret\r\nShowCount endp\r\n"},
      {2, "Module2", "ResetCount proc\r\n    mov theCounter.clicks, 0\r\n    ret\r\nResetCount endp\r\n"}};
  project.classModules = {{1, "Class1",
                           "COUNTER struct\r\n  clicks dd ?\r\nCOUNTER ends\r\n"
                           ".data\r\ntheCounter COUNTER <0>\r\n"}};
  return project;
}

Project CheckedProject() {
  Project project;
  project.name = "Checked";
  project.formCounter = 2;
  project.moduleCounter = 1;
  project.startupForm = 1;
  Form form = SizedForm(1, 400, 300);
  form.caption = "Checked \"form\"";
  Control label = Placed(kKindLabel, 0, 10, 10, 300, 20);
  label.caption = "Caf\xE9 \"quoted\" 100%";
  label.backBrush = {BrushKind::kPicked, 0};
  label.backColour = 0x0000FFFF;
  label.foreColour = 0x000000FF;
  Control button = Placed(kKindButton, 0, 10, 40, 100, 25);
  button.caption = "Press";
  button.code = HandlerCode("IDC_BUTTON0", "            inc clicks\r\n");
  Control edit = Placed(kKindTextBox, 0, 10, 80, 200, 60);
  edit.font = {"Courier New", -16, 700, false, false, false, 0};
  Control timer = Placed(kKindTimer, 0, 300, 200, 28, 28);
  timer.code = HandlerCode(
      "IDC_TIMER0",
      "            invoke KillTimer, hWin, IDC_TIMER0\r\n"
      "            invoke IsWindowVisible, hForm1\r\n"
      "            .if eax == 0\r\n                invoke ExitProcess, 2\r\n            .endif\r\n"
      "            invoke SendMessage, hButton0, BM_CLICK, 0, 0\r\n"
      "            .if clicks != 1\r\n                invoke ExitProcess, 3\r\n            .endif\r\n"
      "            invoke GetWindowText, hStatic0, addr buffer, 300\r\n"
      "            invoke lstrcmp, addr buffer, addr expected\r\n"
      "            .if eax != 0\r\n                invoke ExitProcess, 4\r\n            .endif\r\n"
      "            invoke SendMessage, hEditbox0, WM_GETFONT, 0, 0\r\n"
      "            .if eax == 0\r\n                invoke ExitProcess, 5\r\n            .endif\r\n"
      "            invoke GetDC, hStatic0\r\n"
      "            invoke SendMessage, hWin, WM_CTLCOLORSTATIC, eax, hStatic0\r\n"
      "            .if eax == 0\r\n                invoke ExitProcess, 6\r\n            .endif\r\n"
      "            invoke CreateForm2\r\n"
      "            invoke GetDlgItem, eax, IDC_LISTBOX0\r\n"
      "            .if eax == 0\r\n                invoke ExitProcess, 7\r\n            .endif\r\n"
      "            invoke ExitProcess, " +
          std::to_string(kCheckedExitCode) + "\r\n");
  form.controls = {label, button, edit, timer};
  form.code = FormCode(1, "");
  Form second = SizedForm(2, 200, 150);
  second.controls = {Placed(kKindListBox, 0, 5, 5, 150, 100)};
  project.forms = {form, second};
  project.modules = {{1, "Module1",
                      ".data\r\nclicks dd 0\r\nbuffer db 300 dup(0)\r\n"
                      "expected db \"Caf\",233,\" \",34,\"quoted\",34,\" 100%\",0\r\n"}};
  return project;
}

std::vector<Sample> AllSamples() {
  return {{"EveryKind", EveryKindProject()},
          {"SeveralForms", SeveralFormsProject()},
          {"Mdi", MdiProject()},
          {"Modules", ModulesProject()},
          {"Checked", CheckedProject()}};
}

Sample BrokenSample() {
  Project project = CheckedProject();
  project.forms[0].controls[1].code =
      HandlerCode("IDC_BUTTON0", "            invoke NoSuchProcedure, hWin\r\n");
  return {"Broken", project};
}

}  // namespace kelp::samples
