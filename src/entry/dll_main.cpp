// The loader's entry point: it only remembers the library's module handle.
// Nothing is registered or allocated at load or unload.
#include <windows.h>

#include "entry/workspace.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD /*reason*/, LPVOID /*reserved*/) {
  kelp::gWorkspace.libraryInstance = module;
  return TRUE;
}
