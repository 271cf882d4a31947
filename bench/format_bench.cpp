// The Format menu on a thousand controls selected at once, for a host with
// the designer's tools: Select All, then each alignment and size command in
// turn, each timed until the controls are in place and the undo step is
// kept (goal: at most 100 ms a command), and Undo of the last one.
#include <cstdio>
#include <vector>

#include "bench_host.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/form_selection.h"
#include "kelp32.h"

int main() {
  const kelp::bench::Host host = kelp::bench::StartHost(1280, 1000);
  SetHostOptions(KELP32_OPTION_DESIGN_TOOLS);
  HWND frame = CreateFormWin(::GetModuleHandleA(nullptr), host.frame, host.client, 1);
  ::MoveWindow(frame, 0, 0, 900, 800, TRUE);
  HWND surface = kelp::FormRecordOf(frame)->surface;
  constexpr int kControls = 1000;
  for (int i = 0; i < kControls; ++i) {
    PlaceDesignControl(surface, KIND_LABEL, i, nullptr, (i * 37) % 700, (i * 53) % 600, 40, 16);
  }
  kelp::bench::PumpPending();  // the history reads the form once it is built
  kelp::SelectAllControls(frame);
  kelp::bench::PumpPending();

  std::printf("format_bench: %d labels selected at once on one form\n", kControls);
  double worst = 0;
  for (auto command : {kelp::FormatCommand::kAlignLefts, kelp::FormatCommand::kAlignTops,
                       kelp::FormatCommand::kSameSize, kelp::FormatCommand::kCenterHorizontally,
                       kelp::FormatCommand::kAlignRights}) {
    const double start = kelp::bench::NowMicroseconds();
    kelp::FormatSelected(frame, command);
    const double took = (kelp::bench::NowMicroseconds() - start) / 1000.0;
    kelp::bench::PumpPending();
    worst = took > worst ? took : worst;
    std::printf("  command %u: %7.1f ms\n", static_cast<unsigned>(command), took);
  }
  const double start = kelp::bench::NowMicroseconds();
  kelp::UndoDesignStep(frame);
  std::printf("  undo of the last: %7.1f ms\n", (kelp::bench::NowMicroseconds() - start) / 1000.0);
  std::printf("  history: %zu steps, %zu bytes\n", kelp::DesignHistorySteps(frame), kelp::DesignHistoryBytes(frame));
  std::printf("  slowest command %.1f ms   goal <= 100 ms: %s\n", worst, worst <= 100 ? "met" : "NOT MET");
  return 0;
}
