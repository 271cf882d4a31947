// The library's memory for forms and placed controls, measured in one run:
// bytes of the library's records (global heap) plus every C++ allocation of
// the process (the name tables), before and after, per empty form and per
// 1,000 placed controls; the process's private bytes are shown beside.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "designer/form_designer.h"
#include "designer/placement.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "win/records.h"

namespace {

std::size_t gHeapBytes = 0;

}  // namespace

// Every C++ allocation of the program is counted; the size sits before the block.
void* operator new(std::size_t size) {
  auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::size_t)));
  if (block == nullptr) throw std::bad_alloc();
  *block = size;
  gHeapBytes += size;
  return block + 1;
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::size_t)));
  if (block == nullptr) return nullptr;
  *block = size;
  gHeapBytes += size;
  return block + 1;
}
void operator delete(void* pointer) noexcept {
  if (pointer == nullptr) return;
  auto* block = static_cast<std::size_t*>(pointer) - 1;
  gHeapBytes -= *block;
  std::free(block);
}
void operator delete(void* pointer, std::size_t) noexcept { operator delete(pointer); }

namespace {

std::size_t LibraryBytes() { return gHeapBytes + kelp::win::LiveRecordBytes(); }

std::size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
  return counters.PrivateUsage;
}

void PumpPending() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProcA(frame, ::FindWindowExA(frame, nullptr, "MDICLIENT", nullptr), message, wParam, lParam);
}

}  // namespace

int main() {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  kelp::gWorkspace.libraryInstance = instance;
  WNDCLASSEXA frameClass{sizeof(frameClass)};
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = instance;
  frameClass.lpszClassName = "MemoryBenchFrame_Class";
  ::RegisterClassExA(&frameClass);
  HWND frame = ::CreateWindowExA(0, frameClass.lpszClassName, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 1000, 700, nullptr, nullptr, instance, nullptr);
  CLIENTCREATESTRUCT clientCreate{};
  HWND client = ::CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 980, 640, frame, nullptr,
                                  instance, &clientCreate);
  Init_DLL(instance, client);
  CreateFormWin(instance, frame, client, 1);  // the first form's one-time costs are not counted
  PumpPending();

  constexpr int kForms = 100;
  const std::size_t libraryBeforeForms = LibraryBytes();
  const std::size_t privateBeforeForms = PrivateBytes();
  HWND lastForm = nullptr;
  for (int i = 0; i < kForms; ++i) lastForm = CreateFormWin(instance, frame, client, 1);
  PumpPending();
  const double libraryPerForm = double(LibraryBytes() - libraryBeforeForms) / kForms;
  const double privatePerForm = double(PrivateBytes() - privateBeforeForms) / kForms;

  constexpr int kControls = 1000;
  HWND surface = kelp::FormRecordOf(lastForm)->surface;
  const std::size_t libraryBeforeControls = LibraryBytes();
  const std::size_t privateBeforeControls = PrivateBytes();
  for (int i = 0; i < kControls; ++i) {
    kelp::gWorkspace.currentTool = kelp::kKindButton;
    kelp::PlaceControl(surface, (i % 20) * 15, (i / 20) * 4, 14, 12);
  }
  PumpPending();
  const double libraryPerThousand = double(LibraryBytes() - libraryBeforeControls) * 1000.0 / kControls;
  const double privatePerThousand = double(PrivateBytes() - privateBeforeControls) * 1000.0 / kControls;

  // Wine reports no private bytes (0); the library's own count stands alone then.
  auto privateText = [](double bytes) {
    static char text[2][32];
    static int next = 0;
    char* out = text[next++ % 2];
    if (bytes == 0) std::snprintf(out, 32, "%11s", "n/a");
    else std::snprintf(out, 32, "%11.0f", bytes);
    return out;
  };
  std::printf("memory_bench: library bytes (records + C++ heap) and process private bytes\n");
  std::printf("  per empty form:           library %9.0f   private %s   (mean of %d forms)\n", libraryPerForm,
              privateText(privatePerForm), kForms);
  std::printf("  %d open forms:            library %9.0f   private %s\n", kForms, libraryPerForm * kForms,
              privateText(privatePerForm * kForms));
  std::printf("  per 1,000 placed buttons: library %9.0f   private %s\n", libraryPerThousand,
              privateText(privatePerThousand));
  std::printf("  goal: an empty form costs the library under 64 KB: %s\n",
              libraryPerForm < 64 * 1024 ? "met" : "NOT MET");
  // For bench/run, which sets the architectures side by side.
  std::printf("memory_bench.library_per_form %.0f\n", libraryPerForm);
  std::printf("memory_bench.library_per_thousand_buttons %.0f\n", libraryPerThousand);
  return 0;
}
