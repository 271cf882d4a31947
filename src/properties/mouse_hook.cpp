// The colour field's link to mhook.dll. The library is loaded by name from
// the folder of this library (where it ships), else from the usual search
// path, once, and kept for the life of the process. Without it the picker
// still works; only a press elsewhere no longer hides the pop-up.
#include "core/text.h"
#include "entry/workspace.h"
#include "mhook.h"
#include "properties/colour_picker.h"

namespace kelp {
namespace {

static_assert(MHOOK_PRESS == 1030, "mhook.dll reports presses as CFM_MOUSEHOOK");

constexpr char kHookLibraryName[] = "mhook.dll";

template <typename Procedure>
Procedure Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Procedure>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

HMODULE LoadBesideLibrary() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(gWorkspace.libraryInstance, path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return nullptr;
  std::size_t folderEnd = length;
  while (folderEnd > 0 && path[folderEnd - 1] != '\\' && path[folderEnd - 1] != '/') --folderEnd;
  path[folderEnd] = '\0';
  if (AppendText(path, kHookLibraryName) != folderEnd + sizeof(kHookLibraryName) - 1) return nullptr;
  return ::LoadLibraryA(path);
}

bool HookLibraryLoaded() {
  ColourPickerState& picker = gColourPicker;
  if (!picker.hookLibraryTried) {
    picker.hookLibraryTried = true;
    picker.hookLibrary = LoadBesideLibrary();
    if (picker.hookLibrary == nullptr) picker.hookLibrary = ::LoadLibraryA(kHookLibraryName);
    if (picker.hookLibrary != nullptr) {
      picker.installHook = Lookup<InstallHookProc>(picker.hookLibrary, "InstallHook");
      picker.uninstallHook = Lookup<UninstallHookProc>(picker.hookLibrary, "UninstallHook");
    }
  }
  return picker.installHook != nullptr && picker.uninstallHook != nullptr;
}

}  // namespace

void InstallFieldHook(HWND field) {
  if (HookLibraryLoaded()) gColourPicker.installHook(field);
}

void UninstallFieldHook() {
  if (HookLibraryLoaded()) gColourPicker.uninstallHook();
}

}  // namespace kelp
