// Modules and class modules: the code windows "&Add Module" and "&Add Class
// Module" open (Module1 (Code), Class1 (Code)), each listed in the project
// window, kept in the order they were opened with their kind, number and
// name, and opened again by a host with the numbers and names they had.
#include <algorithm>

#include "core/form_names.h"
#include "core/text.h"
#include "editor/editor.h"
#include "entry/host_options.h"
#include "entry/messages.h"
#include "entry/project_api.h"
#include "entry/selection.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "win/handles.h"

namespace kelp {
namespace {

std::vector<ModuleWindow> gModules;

const char* PrefixOf(std::uint32_t kind) { return kind == kClassModule ? "Class" : "Module"; }
UINT ProjectMessageOf(std::uint32_t kind) { return kind == kClassModule ? PRJ_ADDCLASSMODULE : PRJ_ADDMODULE; }
std::uint32_t& CounterOf(std::uint32_t kind) {
  return kind == kClassModule ? gWorkspace.classModuleCounter : gWorkspace.moduleCounter;
}

bool NumberTaken(std::uint32_t kind, std::uint32_t number) {
  return std::any_of(gModules.begin(), gModules.end(),
                     [&](const ModuleWindow& m) { return m.kind == kind && m.number == number; });
}

}  // namespace

HWND OpenCodeModule(std::uint32_t kind, std::uint32_t number, const char* name, HWND owner, bool visible) {
  ModuleWindow module{};
  module.kind = kind;
  module.number = number;
  if (name != nullptr) {
    CopyText(module.name, name);
  } else {
    ComposeNumberedName(PrefixOf(kind), number, module.name);
  }
  char title[kTextFieldSize];
  ComposeCodeTitle(module.name, title);
  HWND window = OpenCodeWindow(gWorkspace.mdiClient, kCodeWindowClassName, title, owner, visible);
  module.window = window;
  if (window != nullptr) gModules.push_back(module);
  SendToWorkspaceWindow(gWorkspace.projectWindow, ProjectMessageOf(kind), reinterpret_cast<WPARAM>(module.name),
                        reinterpret_cast<LPARAM>(window));
  if (visible) ::BringWindowToTop(window);
  return window;
}

const ModuleWindow* CodeModuleOf(HWND codeWindow) {
  const auto found = std::find_if(gModules.begin(), gModules.end(),
                                  [&](const ModuleWindow& m) { return m.window == codeWindow; });
  return found != gModules.end() ? &*found : nullptr;
}

const std::vector<ModuleWindow>& CodeModules() { return gModules; }

void ForgetCodeModule(HWND codeWindow) {
  gModules.erase(std::remove_if(gModules.begin(), gModules.end(),
                                [&](const ModuleWindow& m) { return m.window == codeWindow; }),
                 gModules.end());
}

}  // namespace kelp

extern "C" HWND KELP_API GetNextCodeModule(HWND codeWindow) {
  const auto& modules = kelp::CodeModules();
  auto next = modules.begin();
  if (codeWindow != nullptr) {
    next = std::find_if(modules.begin(), modules.end(),
                        [&](const kelp::ModuleWindow& m) { return m.window == codeWindow; });
    if (next != modules.end()) ++next;
  }
  return next != modules.end() ? next->window : nullptr;
}

extern "C" BOOL KELP_API GetCodeModuleInfo(HWND codeWindow, KELP32_MODULE_INFO* info) {
  const kelp::ModuleWindow* module = kelp::CodeModuleOf(codeWindow);
  if (module == nullptr || info == nullptr) return FALSE;
  *info = {};
  info->kind = module->kind;
  info->number = module->number;
  info->hCodeWindow = kelp::win::ToHandle32(module->window);
  if ((::GetWindowLongPtrA(module->window, GWL_STYLE) & WS_VISIBLE) != 0) info->flags |= kelp::kCodeFlagVisible;
  kelp::CopyText(info->moduleName, kelp::FieldText(module->name));
  return TRUE;
}

extern "C" HWND KELP_API CreateCodeModule(DWORD kind, DWORD number, LPCSTR name, LPCSTR text, DWORD flags) {
  using namespace kelp;
  if ((kind != kModule && kind != kClassModule) || number == 0 || NumberTaken(kind, number)) return nullptr;
  const UnreportedChanges hostAtWork;
  const bool visible = (flags & kCodeFlagVisible) != 0;
  HWND window = OpenCodeModule(kind, number, name, gWorkspace.mainFrame, visible);
  if (window == nullptr) return nullptr;
  // Numbers are never given twice: "&Add Module" goes on after the highest.
  std::uint32_t& counter = CounterOf(kind);
  counter = std::max<std::uint32_t>(counter, number);
  PutExactText(EditorControlOf(window), text);
  // The MDI client may show a child made without WS_VISIBLE (Wine does when
  // another child is active); a module saved closed stays closed.
  if (!visible) ::ShowWindow(window, SW_HIDE);
  return window;
}
