#include "entry/workspace.h"
#include "kelp32.h"

extern "C" HFONT KELP_API Init_DLL(HINSTANCE hostInstance, HWND mdiClient) {
  using kelp::gWorkspace;
  gWorkspace.mainFrame = ::GetParent(mdiClient);
  gWorkspace.hostInstance = hostInstance;
  gWorkspace.mdiClient = mdiClient;
  // A second call replaces the font; the earlier one may still be set on
  // windows, so it is left alone rather than deleted under them.
  gWorkspace.defaultFont =
      ::CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_STROKE_PRECIS,
                    CLIP_STROKE_PRECIS, DRAFT_QUALITY, FF_SWISS | DEFAULT_PITCH,
                    gWorkspace.defaultFontFace);
  return gWorkspace.defaultFont;
}
