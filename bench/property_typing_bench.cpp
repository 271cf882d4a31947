// Typing a value into the properties window on a form that holds many
// controls, for a host with the designer's tools: every character is
// written back into the control at once and kept as (part of) one undo
// step. A group box's caption and then its name are typed, 520 characters
// each (past the 259 a record keeps), on forms of 0, 100, 300 and 1,000
// labels; each character is timed from WM_CHAR until the control has its
// new value and the step is kept. Reports the median and the slowest
// character for each row and form (goal: a character well inside a 16.7 ms
// frame whatever the form holds).
#include <cstdio>
#include <string>
#include <vector>

#include "bench_host.h"
#include "core/property_rows.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/form_selection.h"
#include "kelp32.h"
#include "properties/properties.h"

namespace {

constexpr int kCharacters = 520;

// Opens a row's editor as a click on it would: the row drawn selected
// opens it.
HWND OpenEditor(int row) {
  HWND list = kelp::gProperties.list;
  const auto items = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int item = 0; item < items; ++item) {
    if (kelp::RowOfItem(item) != row) continue;
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
    ::UpdateWindow(list);
    kelp::bench::PumpPending();
    break;
  }
  return kelp::gProperties.editorRow == row ? kelp::gProperties.editor : nullptr;
}

// The group box alone, or with the first label, or with every control; or
// the form.
enum class Selected { kOne, kTwo, kAll, kForm };

void TypeOn(const kelp::bench::Host& host, int row, int labels, Selected selected = Selected::kOne) {
  HWND frame = CreateFormWin(::GetModuleHandleA(nullptr), host.frame, host.client, 1);
  ::MoveWindow(frame, 0, 0, 900, 700, TRUE);
  HWND surface = kelp::FormRecordOf(frame)->surface;
  for (int i = 0; i < labels; ++i) {
    PlaceDesignControl(surface, KIND_LABEL, i, nullptr, (i * 37) % 700, (i * 53) % 560, 40, 16);
  }
  HWND groupBox = PlaceDesignControl(surface, KIND_GROUPBOX, 0, nullptr, 20, 20, 300, 200);
  kelp::bench::PumpPending();  // the history reads the form once it is built
  kelp::SelectOnForm(frame, groupBox);
  HWND firstLabel = GetNextControl(surface, nullptr);
  if (selected == Selected::kTwo && firstLabel != groupBox) kelp::SelectControls(frame, {groupBox, firstLabel});
  if (selected == Selected::kAll) kelp::SelectAllControls(frame);
  if (selected == Selected::kForm) kelp::SelectOnForm(frame, frame);
  kelp::bench::PumpPending();
  const char* rowName = selected == Selected::kAll    ? "all"
                        : selected == Selected::kTwo  ? "two"
                        : selected == Selected::kForm ? "form"
                        : row == kelp::kRowName      ? "name"
                                                     : "caption";
  HWND editor = OpenEditor(row);
  if (editor == nullptr) {
    std::printf("  %-7s %5d labels: the editor did not open\n", rowName, labels);
    return;
  }
  ::SendMessageA(editor, EM_SETSEL, 0, -1);
  std::vector<double> samples;
  std::vector<double> drawn;
  for (int i = 0; i < kCharacters; ++i) {
    const char c = static_cast<char>('a' + i % 26);
    const double start = kelp::bench::NowMicroseconds();
    ::SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
    samples.push_back((kelp::bench::NowMicroseconds() - start) / 1000.0);
    kelp::bench::PumpPending();
    drawn.push_back((kelp::bench::NowMicroseconds() - start) / 1000.0);
  }
  double slowest = 0;
  for (double s : samples) slowest = s > slowest ? s : slowest;
  std::printf("  %-7s %5d labels: median %6.2f ms, slowest %6.2f ms a character (%6.2f ms with the form drawn); "
              "%zu undo step(s)\n",
              rowName, labels, kelp::bench::Median(samples), slowest, kelp::bench::Median(drawn),
              kelp::DesignHistorySteps(frame));
  ::SendMessageA(host.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(frame), 0);
  kelp::bench::PumpPending();
}

}  // namespace

int main() {
  const kelp::bench::Host host = kelp::bench::StartHost(1280, 1000);
  SetHostOptions(KELP32_OPTION_DESIGN_TOOLS);
  Create_Prop_Window(host.frame);
  kelp::bench::PumpPending();
  std::printf("property_typing_bench: a group box's caption and name typed, %d characters each\n", kCharacters);
  for (int row : {kelp::kRowCaption, kelp::kRowName}) {
    for (int labels : {0, 100, 300, 1000}) TypeOn(host, row, labels);
  }
  for (int labels : {100, 300}) TypeOn(host, kelp::kRowCaption, labels, Selected::kAll);
  TypeOn(host, kelp::kRowCaption, 1000, Selected::kTwo);
  for (int labels : {0, 1000}) TypeOn(host, kelp::kRowName, labels, Selected::kForm);
  return 0;
}
