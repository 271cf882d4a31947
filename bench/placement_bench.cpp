// Placement: 2,000 buttons placed on one form through PlaceControl, as the
// design surface places them at the end of a drag; the mean cost of one
// placement for the first 200 and for the last 200, and their ratio (goal:
// at most 1.5). Then the cost of painting a form that holds a trackbar of
// 200 x 40 and one grown to 16,000 pixels square, and their ratio.
#include <cstdio>
#include <vector>

#include "bench_host.h"
#include "designer/form_designer.h"
#include "designer/placement.h"
#include "entry/workspace.h"
#include "kelp32.h"

int main() {
  const kelp::bench::Host host = kelp::bench::StartHost(1280, 1000);
  HWND frame = CreateFormWin(::GetModuleHandleA(nullptr), host.frame, host.client, 1);
  ::MoveWindow(frame, 0, 0, 900, 800, TRUE);
  HWND surface = kelp::FormRecordOf(frame)->surface;
  kelp::bench::PumpPending();

  constexpr int kControls = 2000;
  constexpr int kWindow = 200;
  std::vector<double> costs;
  for (int i = 0; i < kControls; ++i) {
    kelp::gWorkspace.currentTool = kelp::kKindButton;
    const double start = kelp::bench::NowMicroseconds();
    kelp::PlaceControl(surface, (i % 40) * 8, (i / 40) * 5, 30, 14);
    costs.push_back(kelp::bench::NowMicroseconds() - start);
    kelp::bench::PumpPending();
  }
  const double first = kelp::bench::Mean(costs, 0, kWindow);
  const double last = kelp::bench::Mean(costs, kControls - kWindow, kWindow);
  std::printf("placement_bench: %d buttons placed on one form through PlaceControl\n", kControls);
  std::printf("  first %d: mean %8.0f us a placement\n", kWindow, first);
  std::printf("  last %d:  mean %8.0f us a placement\n", kWindow, last);
  std::printf("  ratio last/first: %.2f   goal <= 1.5: %s\n", last / first, last / first <= 1.5 ? "met" : "NOT MET");

  // The median of a few paints of the whole form.
  auto paintOf = [&host](int width, int height) {
    HWND form = CreateFormWin(::GetModuleHandleA(nullptr), host.frame, host.client, 2);
    ::MoveWindow(form, 0, 0, 600, 400, TRUE);
    HWND formSurface = kelp::FormRecordOf(form)->surface;
    CreateTrackBarWin(formSurface, 0, 0, width, height, "trackbar0");
    kelp::bench::PumpPending();
    std::vector<double> paints;
    for (int i = 0; i < 5; ++i) {
      const double start = kelp::bench::NowMicroseconds();
      ::RedrawWindow(formSurface, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      paints.push_back((kelp::bench::NowMicroseconds() - start) / 1000.0);
    }
    ::SendMessageA(host.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(form), 0);
    kelp::bench::PumpPending();
    return kelp::bench::Median(paints);
  };
  const double small = paintOf(200, 40);
  const double large = paintOf(16000, 16000);
  std::printf("  a form with a trackbar of 200 x 40: %.2f ms a paint; of 16,000 x 16,000: %.2f ms; ratio %.1f\n", small,
              large, large / small);
  return 0;
}
