#include "core/project_model.h"

#include <algorithm>

#include "core/form_names.h"
#include "core/placement_table.h"

namespace kelp {
namespace {

// What a kind's creator leaves in the record besides the names: the styles
// it reads back right after creation, and whether it stores brush 16.
struct CreatedLook {
  std::uint32_t kind;
  std::uint32_t style;
  std::uint32_t exStyle;
  bool buttonFaceBrush;
  // The kinds the library subclasses re-read their window text into the
  // caption when the designer names them; the others keep it empty.
  bool captionIsName;
};

constexpr std::uint32_t kChildVisibleClipped = 0x56000000;
constexpr std::uint32_t kClientEdge = 0x200;
constexpr std::uint32_t kButtonFaceIndex = 15;  // COLOR_BTNFACE, stored as 16

constexpr CreatedLook kCreatedLooks[] = {
    {kKindLabel, 0x56080000, 0, true, true},
    {kKindTextBox, 0x56300004, kClientEdge, false, true},
    {kKindGroupBox, kChildVisibleClipped | 0x7, 0, false, true},
    {kKindButton, kChildVisibleClipped, 0, true, true},
    {kKindCheckBox, kChildVisibleClipped | 0x3, 0, true, true},
    {kKindOptionButton, kChildVisibleClipped | 0x9, 0, false, true},
    {kKindComboBox, kChildVisibleClipped | 0x2, 0, false, true},
    {kKindListBox, kChildVisibleClipped | 0x2, kClientEdge, false, true},
    {kKindHScrollBar, 0, 0, false, true},
    {kKindVScrollBar, 0, 0, false, true},
    {kKindTimer, 0, 0, false, false},
    {kKindDriveListBox, kChildVisibleClipped | 0x2, 0, false, true},
    {kKindDirListBox, 0, 0, false, false},
    {kKindFileListBox, 0, 0, false, false},
    {kKindImageBox, 0, 0, false, false},
    {kKindCalendar, kChildVisibleClipped, kClientEdge, true, true},
    {kKindTrackBar, 0, 0, true, true},
    {kKindProgressBar, 0, 0, false, true},
    {kKindStatusBar, 0x50000010, 0, false, true},
};

const CreatedLook* CreatedLookOf(std::uint32_t kind) {
  for (const CreatedLook& look : kCreatedLooks) {
    if (look.kind == kind) return &look;
  }
  return nullptr;
}

}  // namespace

const char* KindPrefix(std::uint32_t kind) {
  const KindRow* row = KindRowFor(kind);
  return row != nullptr ? row->baseName : nullptr;
}

std::optional<std::uint32_t> KindOfPrefix(std::string_view prefix) {
  for (const KindRow& row : kKindRows) {
    if (prefix == row.baseName) return row.kind;
  }
  return std::nullopt;
}

Control DefaultControl(std::uint32_t kind, std::uint32_t number) {
  Control control;
  control.kind = kind;
  control.number = number;
  const KindRow* row = KindRowFor(kind);
  const CreatedLook* look = CreatedLookOf(kind);
  if (row == nullptr || look == nullptr) return control;
  const PlacedNames names = NamesFor(*row, static_cast<std::int32_t>(number));
  char handleName[kTextFieldSize];
  ComposeHandleName(names.name, handleName);
  control.name = handleName;
  control.idName = names.idName;
  control.ctrlId = names.id;
  if (look->captionIsName) control.caption = names.name;
  control.style = look->style;
  control.exStyle = look->exStyle;
  if (look->buttonFaceBrush) control.backBrush = SystemColourBrush(kButtonFaceIndex);
  return control;
}

Form DefaultForm(std::uint32_t number) {
  Form form;
  form.number = number;
  char name[kTextFieldSize];
  char handleName[kTextFieldSize];
  ComposeFormName(number, name);
  ComposeHandleName(name, handleName);
  form.name = handleName;
  form.caption = name;
  // Where CreateFormWin puts a new frame in the MDI client.
  form.left = 20;
  form.top = 20;
  return form;
}

std::string DefaultFormName(std::uint32_t number, bool mdi) {
  char name[kTextFieldSize];
  ComposeNumberedName(mdi ? kMdiFormPrefix : kFormPrefix, number, name);
  return name;
}

std::string DefaultFormTitle(std::uint32_t projectNumber, std::string_view formName, bool mdi) {
  char title[kTextFieldSize];
  const std::string name(formName.substr(0, kMaxTextBytes));
  ComposeNamedFormTitle(projectNumber, name.c_str(), mdi ? kMdiFormTitleSuffix : kFormTitleSuffix, title);
  return title;
}

FormTexts DefaultFormTexts(const Project& project, const Form& form) {
  const bool mdi = project.mdiForm == form.number;
  FormTexts texts{DefaultFormName(form.number, mdi), {}};
  texts.title = DefaultFormTitle(project.number, form.formName.empty() ? texts.formName : form.formName, mdi);
  return texts;
}

void EmptyDefaultFormTexts(Project& project) {
  for (Form& form : project.forms) {
    const FormTexts defaults = DefaultFormTexts(project, form);
    if (form.title == defaults.title) form.title.clear();
    if (form.formName == defaults.formName) form.formName.clear();
  }
}

bool IsProjectKind(std::string_view kind) {
  return std::find(kProjectKinds.begin(), kProjectKinds.end(), kind) != kProjectKinds.end();
}

const Form* FindForm(const Project& project, std::uint32_t number) {
  for (const Form& form : project.forms) {
    if (form.number == number) return &form;
  }
  return nullptr;
}

}  // namespace kelp
