#include "controls/large_track_bar.h"

#include <commctrl.h>

#include "win/gdi.h"

namespace kelp {
namespace {

// Below this many pixels the control's own off-screen picture costs a few
// milliseconds (16 MB at most), and its exact look is kept.
constexpr long long kLargestOwnPainting = 2048LL * 2048LL;
constexpr int kTickLength = 4;

bool IsVertical(HWND trackBar) { return (::GetWindowLongA(trackBar, GWL_STYLE) & TBS_VERT) != 0; }

// The control reports a vertical trackbar's channel as if it lay across.
RECT ChannelOf(HWND trackBar) {
  RECT channel{};
  ::SendMessageA(trackBar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  if (IsVertical(trackBar) && channel.right - channel.left > channel.bottom - channel.top) {
    channel = {channel.top, channel.left, channel.bottom, channel.right};
  }
  return channel;
}

void DrawTicks(HWND trackBar, HDC dc, const RECT& channel, const RECT& thumb) {
  const bool vertical = IsVertical(trackBar);
  const win::Pen pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNTEXT)));
  const win::ScopedSelect selected(dc, pen.Get());
  auto tick = [&](int at) {
    if (vertical) {
      ::MoveToEx(dc, thumb.right + 1, at, nullptr);
      ::LineTo(dc, thumb.right + 1 + kTickLength, at);
    } else {
      ::MoveToEx(dc, at, thumb.bottom + 1, nullptr);
      ::LineTo(dc, at, thumb.bottom + 1 + kTickLength);
    }
  };
  const int thumbHalf = vertical ? (thumb.bottom - thumb.top) / 2 : (thumb.right - thumb.left) / 2;
  tick((vertical ? channel.top : channel.left) + thumbHalf);
  tick((vertical ? channel.bottom : channel.right) - thumbHalf);
  // The first and last ticks are counted but not listed.
  const auto between = static_cast<int>(::SendMessageA(trackBar, TBM_GETNUMTICS, 0, 0)) - 2;
  for (int i = 0; i < between; ++i) tick(static_cast<int>(::SendMessageA(trackBar, TBM_GETTICPOS, i, 0)));
}

}  // namespace

bool PaintLargeTrackBar(HWND trackBar) {
  RECT client{};
  ::GetClientRect(trackBar, &client);
  if (static_cast<long long>(client.right) * client.bottom <= kLargestOwnPainting) return false;
  const win::PaintDc dc(trackBar);
  // The background the control would ask its form for.
  auto background = reinterpret_cast<HBRUSH>(::SendMessageA(
      ::GetParent(trackBar), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(trackBar)));
  if (background == nullptr) background = ::GetSysColorBrush(COLOR_BTNFACE);
  ::FillRect(dc, &dc.PaintRect(), background);

  RECT channel = ChannelOf(trackBar);
  RECT thumb{};
  ::SendMessageA(trackBar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  if ((::GetWindowLongA(trackBar, GWL_STYLE) & TBS_NOTICKS) == 0) DrawTicks(trackBar, dc, channel, thumb);
  ::DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if ((::GetWindowLongA(trackBar, GWL_STYLE) & TBS_NOTHUMB) == 0) {
    ::DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);
  }
  return true;
}

}  // namespace kelp
