#include "project_snapshot.h"

#include <cstring>
#include <map>
#include <vector>

#include "kelp32.h"

namespace kelp::host {
namespace {

// A closed form opens without its controls and its code windows: windows
// cost about a millisecond each under Wine, and a project of many forms
// would take many seconds to open. They are built when the form is first
// shown (the frame's WM_SHOWWINDOW, caught by a subclass for as long as it
// waits); until then a snapshot takes them from the saved form.
struct DeferredForm {
  Form saved;
  WNDPROC frameProc = nullptr;
};
std::map<HWND, DeferredForm> gDeferred;

template <std::size_t N>
void CopyField(char (&field)[N], const std::string& text) {
  const std::size_t length = text.size() < N - 1 ? text.size() : N - 1;
  text.copy(field, length);
  field[length] = '\0';
}

std::string CodeText(HWND codeWindow) {
  const DWORD length = GetCodeText(codeWindow, nullptr, 0);
  std::string text(length + 1, '\0');
  const DWORD copied = GetCodeText(codeWindow, text.data(), length + 1);
  text.resize(copied < length ? copied : length);
  return text;
}

bool IsShown(HWND window) {
  return (::GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void ReadCode(DWORD handle, RecordFields& object) {
  HWND window = KELP32_HANDLE(HWND, handle);
  if (window == nullptr) return;
  object.code = CodeText(window);
  object.codeShown = IsShown(window);
}

BackBrush BrushOf(const KELP32_DESIGN_PROPERTIES& p) {
  switch (p.brushKind) {
    case KELP32_BRUSH_SYSTEM:
      return SystemColourBrush(p.brushSystemColour);
    case KELP32_BRUSH_PICKED:
      return {BrushKind::kPicked, 0};
    default:
      return {};
  }
}

// The record's fields as the properties window shows them; the window's own
// place only where it is not the record's.
void ReadFields(const KELP32_DESIGN_PROPERTIES& p, RecordFields& object) {
  object.name = p.handleName;
  object.idName = p.idName;
  object.ctrlId = p.ctrlId;
  object.caption = p.caption;
  object.left = p.left;
  object.top = p.top;
  object.width = p.width;
  object.height = p.height;
  object.style = p.style;
  object.exStyle = p.exStyle;
  object.enabled = p.enabled;
  object.backColour = p.backColour;
  object.backBrush = BrushOf(p);
  object.foreColour = p.foreColour;
  if (p.hasFont) {
    object.font.face = p.font.lfFaceName;
    object.font.height = p.font.lfHeight;
    object.font.weight = p.font.lfWeight;
    object.font.italic = p.font.lfItalic != 0;
    object.font.underline = p.font.lfUnderline != 0;
    object.font.strikeOut = p.font.lfStrikeOut != 0;
    object.font.charset = p.font.lfCharSet;
  }
  const WindowPlace window{p.windowLeft, p.windowTop, p.windowWidth, p.windowHeight};
  if (window != WindowPlace{p.left, p.top, p.width, p.height}) object.window = window;
  ReadCode(p.hCodeWindow, object);
}

// A form's back panel has no place of its own to restore, only a size.
void ReadFormWindow(Form& form) {
  if (form.window && form.window->width == form.width && form.window->height == form.height) {
    form.window.reset();
  }
}

// A status bar docks at its form's bottom, as wide as the form, whenever it
// is placed. A closed form's size may be typed while its controls still wait
// in the file, so its status bars are read as docked to the size it has now:
// what is saved is what showing the form will make.
void DockWaitingStatusBars(HWND surface, std::vector<Control>& controls) {
  RECT client{};
  ::GetClientRect(surface, &client);
  for (Control& control : controls) {
    if (control.kind != KIND_STATUSBAR) continue;
    const std::int32_t height = control.window ? control.window->height : control.height;
    control.left = 0;
    control.top = client.bottom - height;
    control.width = client.right;
    control.height = height;
    control.window.reset();
  }
}

Form ReadForm(HWND frame, std::uint32_t projectNumber, bool& mdi) {
  KELP32_FORM_INFO info{};
  GetFormInfo(frame, &info);
  Form form;
  form.number = info.number;
  mdi = (info.flags & KELP32_FORM_MDI) != 0;
  form.hidden = (info.flags & KELP32_FORM_HIDDEN) != 0;
  form.frame = WindowPlace{info.left, info.top, info.frameWidth, info.frameHeight};
  const std::string defaultName = DefaultFormName(info.number, mdi);
  if (defaultName != info.formName) form.formName = info.formName;
  if (DefaultFormTitle(projectNumber, info.formName, mdi) != info.formTitle) form.title = info.formTitle;
  KELP32_DESIGN_PROPERTIES properties{};
  GetDesignProperties(frame, &properties);
  ReadFields(properties, form);
  ReadFormWindow(form);
  if (const auto deferred = gDeferred.find(frame); deferred != gDeferred.end()) {
    form.controls = deferred->second.saved.controls;
    DockWaitingStatusBars(KELP32_HANDLE(HWND, info.hSurface), form.controls);
    form.code = deferred->second.saved.code;
    form.codeShown = deferred->second.saved.codeShown;
    return form;
  }
  HWND surface = KELP32_HANDLE(HWND, info.hSurface);
  for (HWND child = GetNextControl(surface, nullptr); child != nullptr;
       child = GetNextControl(surface, child)) {
    KELP32_DESIGN_PROPERTIES p{};
    if (!GetDesignProperties(child, &p)) continue;
    Control control;
    control.kind = p.kind;
    control.number = p.number;
    ReadFields(p, control);
    form.controls.push_back(std::move(control));
  }
  return form;
}

std::uint32_t ProjectNumberOfForms(std::uint32_t fallback) {
  HWND first = GetNextForm(nullptr);
  KELP32_FORM_INFO info{};
  if (first != nullptr && GetFormInfo(first, &info) && info.projectNumber != 0) return info.projectNumber;
  return fallback;
}

void ReadModules(Project& project) {
  for (HWND window = GetNextCodeModule(nullptr); window != nullptr; window = GetNextCodeModule(window)) {
    KELP32_MODULE_INFO info{};
    if (!GetCodeModuleInfo(window, &info)) continue;
    CodeModule module;
    module.number = info.number;
    module.name = info.moduleName;
    module.code = CodeText(window);
    module.shown = (info.flags & KELP32_CODE_VISIBLE) != 0;
    (info.kind == KELP32_CLASS_MODULE ? project.classModules : project.modules).push_back(std::move(module));
  }
}

// What SetDesignProperties gets: the new window's own values, with every
// saved field over them.
KELP32_DESIGN_PROPERTIES SavedProperties(HWND object, const RecordFields& saved) {
  KELP32_DESIGN_PROPERTIES p{};
  GetDesignProperties(object, &p);
  const KELP32_LOGFONT liveFont = p.font;
  const bool liveHasFont = p.hasFont != 0;
  CopyField(p.handleName, saved.name);
  CopyField(p.idName, saved.idName);
  p.ctrlId = saved.ctrlId;
  CopyField(p.caption, saved.caption);
  p.left = saved.left;
  p.top = saved.top;
  p.width = saved.width;
  p.height = saved.height;
  const WindowPlace window =
      saved.window.value_or(WindowPlace{saved.left, saved.top, saved.width, saved.height});
  p.windowLeft = window.left;
  p.windowTop = window.top;
  p.windowWidth = window.width;
  p.windowHeight = window.height;
  p.style = saved.style;
  p.exStyle = saved.exStyle;
  p.enabled = saved.enabled;
  p.backColour = saved.backColour;
  p.brushKind = saved.backBrush.kind == BrushKind::kPicked         ? KELP32_BRUSH_PICKED
                : saved.backBrush.kind == BrushKind::kSystemColour ? KELP32_BRUSH_SYSTEM
                                                                   : KELP32_BRUSH_NONE;
  p.brushSystemColour = saved.backBrush.systemColour;
  p.foreColour = saved.foreColour;
  p.fields = KELP32_SET_SAVED;
  KELP32_LOGFONT font = liveFont;
  CopyField(font.lfFaceName, saved.font.face);
  font.lfHeight = saved.font.height;
  font.lfWeight = saved.font.weight;
  font.lfItalic = saved.font.italic;
  font.lfUnderline = saved.font.underline;
  font.lfStrikeOut = saved.font.strikeOut;
  font.lfCharSet = saved.font.charset;
  // A new font only where the saved one is not the one the window has.
  if (liveHasFont && std::memcmp(&font, &liveFont, sizeof(font)) == 0) {
    p.fields &= ~static_cast<DWORD>(KELP32_SET_FONT);
  } else {
    p.font = font;
    p.hasFont = 1;
  }
  return p;
}

void GiveCode(HWND owner, const RecordFields& saved) {
  if (saved.code) SetCodeText(owner, saved.code->c_str(), saved.codeShown ? KELP32_CODE_VISIBLE : 0);
}

// Placing a control puts a group box beneath every other control, but a file
// may stack them otherwise (written by hand, or by an older designer): the
// placed controls are stacked again as the file lists them, bottom to top.
void StackAsSaved(HWND surface, const std::vector<HWND>& placed) {
  std::vector<HWND> stacked;
  for (HWND c = GetNextControl(surface, nullptr); c != nullptr; c = GetNextControl(surface, c)) stacked.push_back(c);
  if (stacked == placed) return;
  for (std::size_t i = placed.size(); i-- > 1;) {
    ::SetWindowPos(placed[i - 1], placed[i], 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// The controls and the code of a form, placed in their stacking order.
bool BuildContents(HWND frame, HWND surface, const Form& saved, std::string& problem) {
  bool whole = true;
  std::vector<HWND> inOrder;
  for (const Control& control : saved.controls) {
    const WindowPlace place =
        control.window.value_or(WindowPlace{control.left, control.top, control.width, control.height});
    HWND placed = PlaceDesignControl(surface, control.kind, control.number, nullptr, place.left, place.top,
                                     place.width, place.height);
    if (placed == nullptr) {
      problem = std::string(KindPrefix(control.kind) ? KindPrefix(control.kind) : "A control") +
                std::to_string(control.number) + " of Form" + std::to_string(saved.number) +
                " could not be placed again";
      whole = false;
      continue;
    }
    const KELP32_DESIGN_PROPERTIES properties = SavedProperties(placed, control);
    SetDesignProperties(placed, &properties);
    GiveCode(placed, control);
    inOrder.push_back(placed);
  }
  StackAsSaved(surface, inOrder);
  GiveCode(frame, saved);
  return whole;
}

// Under Wine most of an open's time went into painting: every new form is
// shown by its MDI client (and the closed ones hidden again), and the
// project and properties windows repaint for each form and control. The
// frame's visible parts wait while the project is built, then paint once.
class PaintingPaused {
 public:
  explicit PaintingPaused(HWND frame) {
    for (HWND child = ::GetWindow(frame, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      if (!::IsWindowVisible(child)) continue;
      ::SendMessageA(child, WM_SETREDRAW, FALSE, 0);
      paused_.push_back(child);
    }
  }
  ~PaintingPaused() {
    for (HWND child : paused_) {
      ::SendMessageA(child, WM_SETREDRAW, TRUE, 0);
      ::RedrawWindow(child, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
  }
  PaintingPaused(const PaintingPaused&) = delete;
  PaintingPaused& operator=(const PaintingPaused&) = delete;

 private:
  std::vector<HWND> paused_;
};

void StopDeferring(HWND frame) {
  const auto found = gDeferred.find(frame);
  if (found == gDeferred.end()) return;
  ::SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.frameProc));
  gDeferred.erase(found);
}

LRESULT CALLBACK DeferredFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = gDeferred.find(frame);
  if (found == gDeferred.end()) return ::DefWindowProcA(frame, message, wParam, lParam);
  const WNDPROC frameProc = found->second.frameProc;
  if ((message == WM_SHOWWINDOW && wParam != FALSE) || message == WM_NCDESTROY) {
    const Form saved = std::move(found->second.saved);
    StopDeferring(frame);
    if (message == WM_SHOWWINDOW) {
      KELP32_FORM_INFO info{};
      GetFormInfo(frame, &info);
      std::string problem;
      BuildContents(frame, KELP32_HANDLE(HWND, info.hSurface), saved, problem);
    }
  }
  return ::CallWindowProcA(frameProc, frame, message, wParam, lParam);
}

void Defer(HWND frame, const Form& saved) {
  DeferredForm& deferred = gDeferred[frame];
  deferred.saved = saved;
  deferred.frameProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DeferredFrameProc)));
}

// While painting is paused a window's visible bit is off (WM_SETREDRAW), so
// whether a form is open is read from its own style.
bool HasVisibleStyle(HWND window) {
  return (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool BuildForm(const Project& project, const Form& saved, std::string& problem) {
  const bool mdi = project.mdiForm == saved.number;
  KELP32_FORM_INFO info{};
  info.number = saved.number;
  info.flags = (mdi ? KELP32_FORM_MDI : 0) | (saved.hidden ? KELP32_FORM_HIDDEN : 0);
  info.projectNumber = project.number;
  if (saved.frame) {
    info.left = saved.frame->left;
    info.top = saved.frame->top;
    info.frameWidth = saved.frame->width;
    info.frameHeight = saved.frame->height;
  }
  const WindowPlace panel = saved.window.value_or(WindowPlace{0, 0, saved.width, saved.height});
  info.width = panel.width;
  info.height = panel.height;
  CopyField(info.formName, saved.formName);
  CopyField(info.formTitle, saved.title);
  HWND frame = CreateProjectForm(&info);
  if (frame == nullptr) {
    problem = "Form" + std::to_string(saved.number) + " could not be made again";
    return false;
  }
  const KELP32_DESIGN_PROPERTIES formProperties = SavedProperties(frame, saved);
  SetDesignProperties(frame, &formProperties);
  if (saved.hidden && !HasVisibleStyle(frame)) {
    Defer(frame, saved);
    return true;
  }
  return BuildContents(frame, KELP32_HANDLE(HWND, info.hSurface), saved, problem);
}

}  // namespace

Project TakeSnapshot(const Project& kept) {
  Project project;
  project.kind = kept.kind;
  project.settings = kept.settings;
  project.number = ProjectNumberOfForms(kept.number);
  KELP32_PROJECT_INFO info{};
  GetProjectInfo(&info);
  project.name = info.projectTitle[0] != '\0' ? std::string(info.projectTitle) : kept.name;
  project.formCounter = info.formCounter;
  project.moduleCounter = info.moduleCounter;
  project.classModuleCounter = info.classModuleCounter;
  for (HWND frame = GetNextForm(nullptr); frame != nullptr; frame = GetNextForm(frame)) {
    bool mdi = false;
    project.forms.push_back(ReadForm(frame, project.number, mdi));
    if (mdi) project.mdiForm = project.forms.back().number;
  }
  if (kept.startupForm && FindForm(project, *kept.startupForm) != nullptr)
    project.startupForm = kept.startupForm;
  ReadModules(project);
  return project;
}

bool RebuildProject(const Project& project, HWND projectWindow, std::string& problem) {
  const PaintingPaused paused(::GetAncestor(projectWindow, GA_ROOT));
  while (!gDeferred.empty()) StopDeferring(gDeferred.begin()->first);
  CloseProject(project.formCounter, project.moduleCounter, project.classModuleCounter);
  ::SendMessageA(projectWindow, PRJ_SETTITLE, reinterpret_cast<WPARAM>(project.name.c_str()), 0);
  bool whole = true;
  for (const Form& form : project.forms) whole = BuildForm(project, form, problem) && whole;
  const auto open = [&](DWORD kind, const CodeModule& module) {
    if (CreateCodeModule(kind, module.number, module.name.c_str(), module.code.c_str(),
                         module.shown ? KELP32_CODE_VISIBLE : 0) == nullptr) {
      problem = module.name + " could not be opened again";
      whole = false;
    }
  };
  for (const CodeModule& module : project.modules) open(KELP32_MODULE, module);
  for (const CodeModule& module : project.classModules) open(KELP32_CLASS_MODULE, module);
  return whole;
}

}  // namespace kelp::host
