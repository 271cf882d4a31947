// What the Windows benchmarks share: a host (main frame, MDI client,
// Init_DLL) of a given size, message pumping, a microsecond clock and the
// median of samples.
#pragma once

#include <windows.h>

#include <vector>

namespace kelp::bench {

struct Host {
  HWND frame = nullptr;
  HWND client = nullptr;
};

// A visible main frame of the given outer size whose MDI client fills it;
// the library is initialised with it.
Host StartHost(int width, int height);

void PumpPending();

// A code window filling the host's MDI client, holding `lines` lines of
// dense MASM and scrolled to their middle; its editor control.
HWND OpenDenseCodeWindow(const Host& host, int lines);

// A monotonic clock in microseconds.
double NowMicroseconds();

double Median(std::vector<double> samples);
double Mean(const std::vector<double>& samples, std::size_t first, std::size_t count);

}  // namespace kelp::bench
