#include "entry/host_options.h"

#include "designer/form_history.h"
#include "entry/workspace.h"

namespace kelp {
namespace {

struct HostOptionsState {
  DWORD options = 0;
  int unreported = 0;  // nesting depth of UnreportedChanges scopes
};

HostOptionsState gHost;

}  // namespace

DWORD HostOptions() { return gHost.options; }

DWORD ChangeHostOptions(DWORD options) {
  const DWORD previous = gHost.options;
  gHost.options = options & kKnownOptions;
  return previous;
}

bool HostWants(DWORD option) { return (gHost.options & option) != 0; }

void ReportChange(HostChange what, HWND about) {
  if (UnreportedChanges::Active()) return;
  RecordDesignChange(what, about);
  if (!HostWants(kOptionNotifyChanges) || gWorkspace.mainFrame == nullptr) return;
  ::SendMessageA(gWorkspace.mainFrame, kProjectChangedMessage, what, reinterpret_cast<LPARAM>(about));
}

bool HostAllowsExit(HWND frame, UINT trigger) {
  if (!HostWants(kOptionAskBeforeExit)) return true;
  return ::SendMessageA(frame, kQueryExitMessage, trigger, 0) == 0;
}

UnreportedChanges::UnreportedChanges() { gHost.unreported += 1; }
UnreportedChanges::~UnreportedChanges() { gHost.unreported -= 1; }
bool UnreportedChanges::Active() { return gHost.unreported > 0; }

}  // namespace kelp
