// The project's forms as a host saves and rebuilds them: walked in the order
// they were created, described with KELP32_FORM_INFO, opened again with
// their numbers, names, places and sizes, and the project's one MDI form.
#include <algorithm>

#include "core/form_names.h"
#include "core/text.h"
#include "designer/form_designer.h"
#include "entry/host_options.h"
#include "entry/project_api.h"
#include "entry/window_utilities.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "win/handles.h"

namespace kelp {
namespace {

void FillFormInfo(HWND frame, const FormRecord& form, KELP32_FORM_INFO& info) {
  info = {};
  info.hFrame = win::ToHandle32(frame);
  info.hBackPanel = win::ToHandle32(form.backPanel);
  info.hSurface = win::ToHandle32(form.surface);
  if (const ControlRecord* record = FormControlRecord(frame)) {
    HWND code = win::FromHandle32<HWND>(record->hCodeWindow);
    info.hCodeWindow = code != nullptr && ::IsWindow(code) ? record->hCodeWindow : 0;
    info.width = record->width;
    info.height = record->height;
  }
  info.number = form.number;
  info.projectNumber = form.projectNumber;
  if (form.mdiForm != 0) info.flags |= kFormFlagMdi;
  if ((::GetWindowLongPtrA(frame, GWL_STYLE) & WS_VISIBLE) == 0) info.flags |= kFormFlagHidden;
  const RECT place = RectInParent(frame);
  info.left = place.left;
  info.top = place.top;
  info.frameWidth = place.right - place.left;
  info.frameHeight = place.bottom - place.top;
  ::GetWindowTextA(form.surface, info.formName, sizeof(info.formName));
  ::GetWindowTextA(frame, info.formTitle, sizeof(info.formTitle));
}

// The name and title a rebuilt form is given when the host gives none: the
// ones the designer would have given it.
void DefaultNames(const KELP32_FORM_INFO& info, bool mdi, char (&name)[kTextFieldSize],
                  char (&title)[kTextFieldSize]) {
  if (info.formName[0] != '\0') {
    CopyText(name, FieldText(info.formName));
  } else {
    ComposeNumberedName(mdi ? kMdiFormPrefix : kFormPrefix, info.number, name);
  }
  if (info.formTitle[0] != '\0') {
    CopyText(title, FieldText(info.formTitle));
  } else {
    ComposeNamedFormTitle(info.projectNumber != 0 ? info.projectNumber : 1, name,
                          mdi ? kMdiFormTitleSuffix : kFormTitleSuffix, title);
  }
}

}  // namespace
}  // namespace kelp

using kelp::gFormDesigner;
using kelp::gWorkspace;

extern "C" HWND KELP_API GetNextForm(HWND frame) {
  const auto& forms = gFormDesigner.forms;
  if (frame == nullptr) return forms.empty() ? nullptr : forms.front();
  const auto found = std::find(forms.begin(), forms.end(), frame);
  if (found == forms.end() || found + 1 == forms.end()) return nullptr;
  return *(found + 1);
}

extern "C" BOOL KELP_API GetFormInfo(HWND frame, KELP32_FORM_INFO* info) {
  const kelp::FormRecord* form = kelp::IsFormFrame(frame) ? kelp::FormRecordOf(frame) : nullptr;
  if (form == nullptr || info == nullptr) return FALSE;
  kelp::FillFormInfo(frame, *form, *info);
  return TRUE;
}

extern "C" HWND KELP_API CreateMdiFormWin(HINSTANCE formInstance, HWND /*owner*/, HWND mdiClient,
                                          DWORD projectNumber) {
  if (kelp::MdiFormFrame() != nullptr) return nullptr;  // a project has one MDI form at most
  gWorkspace.formCounter += 1;
  char name[kelp::kTextFieldSize];
  char title[kelp::kTextFieldSize];
  kelp::ComposeNumberedName(kelp::kMdiFormPrefix, gWorkspace.formCounter, name);
  kelp::ComposeNamedFormTitle(projectNumber, name, kelp::kMdiFormTitleSuffix, title);
  HWND frame = kelp::OpenForm(formInstance, mdiClient, {gWorkspace.formCounter, projectNumber, name, title, true});
  if (frame == nullptr) gWorkspace.formCounter -= 1;
  return frame;
}

extern "C" HWND KELP_API CreateProjectForm(KELP32_FORM_INFO* info) {
  using namespace kelp;
  if (info == nullptr || info->number == 0 || FormWithNumber(info->number) != nullptr) return nullptr;
  const bool mdi = (info->flags & kFormFlagMdi) != 0;
  if (mdi && MdiFormFrame() != nullptr) return nullptr;
  const UnreportedChanges hostAtWork;
  char name[kTextFieldSize];
  char title[kTextFieldSize];
  DefaultNames(*info, mdi, name, title);
  const DWORD projectNumber = info->projectNumber != 0 ? info->projectNumber : 1;
  FormOpening opening{info->number, projectNumber, name, title, mdi};
  opening.hidden = (info->flags & kFormFlagHidden) != 0;
  if (info->frameWidth > 0 && info->frameHeight > 0) {
    opening.place = {info->left, info->top, info->left + info->frameWidth, info->top + info->frameHeight};
  }
  HWND frame = OpenForm(gWorkspace.libraryInstance, gWorkspace.mdiClient, opening);
  if (frame == nullptr) return nullptr;
  // Numbers are never given twice: "&Add Form" goes on after the highest.
  gWorkspace.formCounter = std::max<std::uint32_t>(gWorkspace.formCounter, info->number);
  if (info->width > 0 && info->height > 0) SizeFormPanel(frame, info->width, info->height);
  if ((info->flags & kFormFlagHidden) != 0) ::ShowWindow(frame, SW_HIDE);
  const FormRecord* form = FormRecordOf(frame);
  if (form != nullptr) FillFormInfo(frame, *form, *info);
  return frame;
}
