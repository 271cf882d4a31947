// Big modules: the time from a module's text to a code window showing it
// painted, with the library's own fill (WM_SETTEXT to the code window, the
// way the designer and a project open fill one), and in the same run the
// plain way, SetWindowTextA on a RichEdit control of the same size and
// style. Also Replace All over the whole module. Goal under Wine: 5,000
// lines shown in at most 1 s, 20,000 in proportion.
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_host.h"
#include "editor/editor.h"
#include "kelp32.h"
#include "masm_text.h"

namespace {

using kelp::bench::NowMicroseconds;

constexpr int kRuns = 3;
// The plain way grows with the square of the lines under Wine (undo steps
// kept line by line): 5 s for 5,000 lines, over a minute for 20,000.
constexpr int kPlainLinesAtMost = 5000;

double Seconds(double fromMicroseconds) {
  return (NowMicroseconds() - fromMicroseconds) / 1e6;
}

// Until the window is painted, as a user sees it.
void Shown(HWND window) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ::GdiFlush();
}

double LibraryFill(const kelp::bench::Host& host, const std::string& text) {
  HWND window = InitRichEditBox(host.client, ::GetModuleHandleA(nullptr), kelp::kCodeWindowClassName,
                                "Module1 (Code)", host.frame);
  ::MoveWindow(window, 0, 0, 900, 700, TRUE);
  kelp::bench::PumpPending();
  const double start = NowMicroseconds();
  ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  Shown(window);
  const double seconds = Seconds(start);
  ::SendMessageA(host.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  kelp::bench::PumpPending();
  return seconds;
}

double PlainFill(const kelp::bench::Host& host, const std::string& text) {
  HWND editor = ::CreateWindowExA(
      WS_EX_CLIENTEDGE, "RichEdit20A", nullptr,
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_SAVESEL | ES_NOHIDESEL | ES_MULTILINE, 0, 0, 900,
      700, host.client, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(editor, EM_LIMITTEXT, 0xFFFFFFFF, 0);
  kelp::bench::PumpPending();
  const double start = NowMicroseconds();
  ::SetWindowTextA(editor, text.c_str());
  Shown(editor);
  const double seconds = Seconds(start);
  ::DestroyWindow(editor);
  kelp::bench::PumpPending();
  return seconds;
}

// Replace All in a 5,000-line module: every "e" (14,690 of them) becomes
// "E", through the Replace Text window's own button, until painted; then
// the Undo that takes it back. Goal: at most 1 s with 10,000 matches.
void MeasureReplaceAll(const kelp::bench::Host& host) {
  constexpr int kFindBox = 4000, kWithBox = 4001, kReplaceAllButton = 3003;
  SetHostOptions(KELP32_OPTION_CODE_TOOLS);
  HWND window = InitRichEditBox(host.client, ::GetModuleHandleA(nullptr), kelp::kCodeWindowClassName,
                                "Module1 (Code)", host.frame);
  ::MoveWindow(window, 0, 0, 900, 700, TRUE);
  const std::string text = kelp::bench::DenseMasm(5000);
  ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  HWND editor = kelp::EditorControlOf(window);
  kelp::gEditor.currentEditor = editor;
  kelp::ShowReplaceDialog();
  HWND replace = ::FindWindowA(kelp::kReplaceWindowClassName, nullptr);
  ::SetDlgItemTextA(replace, kFindBox, "e");
  ::SetDlgItemTextA(replace, kWithBox, "E");
  ::CheckDlgButton(replace, 100, BST_CHECKED);
  kelp::bench::PumpPending();
  double start = NowMicroseconds();
  ::SendMessageA(replace, WM_COMMAND, kReplaceAllButton, 0);
  Shown(window);
  const double replaceSeconds = Seconds(start);
  editor = kelp::EditorControlOf(window);  // Replace All gave the window a new editor control
  start = NowMicroseconds();
  ::SendMessageA(editor, EM_UNDO, 0, 0);
  Shown(window);
  const double undoSeconds = Seconds(start);
  std::printf("    Replace All of 14,690 matches in 5,000 lines: %.3f s%s; its Undo %.3f s\n", replaceSeconds,
              replaceSeconds <= 1.0 ? "   (goal met)" : "   (goal NOT met)", undoSeconds);
  std::printf("module_bench.replace_all_seconds %.3f\n", replaceSeconds);
  ::DestroyWindow(replace);
  ::SendMessageA(host.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  kelp::bench::PumpPending();
}

}  // namespace

int main(int argc, char** argv) {
  const kelp::bench::Host host = kelp::bench::StartHost(1280, 900);
  ::LoadLibraryA("riched20.dll");
  const int only = argc > 1 ? std::atoi(argv[1]) : 0;
  std::printf("module_bench: a module's text until its code window is painted (best of %d)\n", kRuns);
  double fiveThousand = 0;
  for (const int lines : {1000, 5000, 20000}) {
    if (only != 0 && lines != only) continue;
    const std::string text = kelp::bench::DenseMasm(static_cast<std::size_t>(lines));
    double library = 1e9;
    for (int run = 0; run < kRuns; ++run) library = std::min(library, LibraryFill(host, text));
    std::printf("  %6d lines: code window %7.3f s", lines, library);
    if (lines <= kPlainLinesAtMost) {
      double plain = 1e9;
      for (int run = 0; run < kRuns; ++run) plain = std::min(plain, PlainFill(host, text));
      std::printf(", plain RichEdit %7.3f s, ratio %.2f", plain, library / plain);
    }
    if (lines == 5000) fiveThousand = library;
    if (lines == 20000 && fiveThousand > 0)
      std::printf(", %.1f times the 5,000 lines'", library / fiveThousand);
    std::printf("%s\n", library <= lines / 5000.0 ? "   (goal met)" : "   (goal NOT met)");
    std::printf("module_bench.fill_%d_seconds %.3f\n", lines, library);
    std::fflush(stdout);
  }
  if (only == 0 || only == 2) MeasureReplaceAll(host);
  // A module written on another system: every line ends in a lone LF,
  // which the code window keeps so that it is saved as it came.
  if (only == 0 || only == 1) {
    std::string text = kelp::bench::DenseMasm(5000);
    std::erase(text, '\r');
    const double library = LibraryFill(host, text);
    std::printf("    5000 lines, each ending in LF: code window %7.3f s\n", library);
    std::printf("module_bench.fill_5000_lf_seconds %.3f\n", library);
  }
  return 0;
}
