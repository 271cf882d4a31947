// The project as a whole, for a host that saves and opens projects: the
// options it asks for, what it reads of the project (counters, title, MDI
// form), and closing it all so that another can be opened in its place.
#include <windows.h>

#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/grab_handles.h"
#include "editor/editor.h"
#include "entry/host_options.h"
#include "entry/messages.h"
#include "entry/selection.h"
#include "entry/window_utilities.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "properties/properties.h"
#include "win/handles.h"

namespace kelp {
namespace {

// The designer forgets what it held of the closed project's forms.
void ForgetForms() {
  gFormDesigner.copiedControl = nullptr;
  gFormDesigner.newControl = nullptr;
  gFormDesigner.previousSelection = nullptr;
  gFormDesigner.pasting = false;
  gFormDesigner.buttonDown = false;
  gFormDesigner.moved = false;
  gFormDesigner.dragRectangle = {};
  // The next form builds its own menu; with no form there is none to show.
  if (gWorkspace.formContextMenu != nullptr) ::DestroyMenu(gWorkspace.formContextMenu);
  gWorkspace.formContextMenu = nullptr;
  ForgetUndoneForms();
}

}  // namespace
}  // namespace kelp

using kelp::gWorkspace;

extern "C" DWORD KELP_API SetHostOptions(DWORD options) {
  const DWORD previous = kelp::ChangeHostOptions(options);
  kelp::FollowHostOptionsEverywhere();
  // Forms made before the designer's tools were asked for are read now.
  if ((options & ~previous & kelp::kOptionDesignTools) != 0) kelp::NoteEveryFormChangedByHost();
  return previous;
}

extern "C" BOOL KELP_API GetProjectInfo(KELP32_PROJECT_INFO* info) {
  if (info == nullptr) return FALSE;
  *info = {};
  info->formCounter = gWorkspace.formCounter;
  info->moduleCounter = gWorkspace.moduleCounter;
  info->classModuleCounter = gWorkspace.classModuleCounter;
  info->hMdiForm = kelp::win::ToHandle32(kelp::MdiFormFrame());
  info->options = kelp::HostOptions();
  kelp::SendToWorkspaceWindow(gWorkspace.projectWindow, kelp::PRJ_GETTITLE, reinterpret_cast<WPARAM>(info->projectTitle),
                              sizeof(info->projectTitle));
  return TRUE;
}

// Code windows go first: a form's or control's code window is its own MDI
// child, not the form's. Forms then take their controls, records, fonts,
// brushes and menus with them. Destroying the active child activates the
// next, which selects itself; so the selection and the properties window
// are emptied last.
extern "C" BOOL KELP_API CloseProject(DWORD formCounter, DWORD moduleCounter, DWORD classModuleCounter) {
  using namespace kelp;
  const UnreportedChanges hostAtWork;
  ShowGrabHandles(nullptr, kGrabHandlesRemove);
  for (HWND codeWindow : CodeWindows()) DestroyMdiChild(codeWindow);
  while (HWND frame = GetNextForm(nullptr)) {
    DestroyMdiChild(frame);
    if (::IsWindow(frame)) break;  // not going: never loop on it
  }
  ForgetForms();
  SendToWorkspaceWindow(gWorkspace.projectWindow, PRJ_CLEAR, 0, 0);
  gWorkspace.formCounter = formCounter;
  gWorkspace.moduleCounter = moduleCounter;
  gWorkspace.classModuleCounter = classModuleCounter;
  // New code windows open where the first of a session does.
  gEditor.codeWindowsCascaded = 0;
  RecordSelection(nullptr, 0);
  ShowNoProperties();
  return TRUE;
}
