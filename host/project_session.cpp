#include "project_session.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdlib>

#include "core/project_paths.h"
#include "core/project_store.h"
#include "kelp32.h"
#include "project_snapshot.h"
#include "win_file_system.h"

namespace kelp::host {
namespace {

constexpr char kProductTitle[] = "Kelp - MASM Visual Designer";
constexpr char kMessageTitle[] = "Kelp";
constexpr char kRecoveryProjectFile[] = "Recovery.kproj";
// Beside the copy: the path the project was saved to, if it ever was.
constexpr char kRecoveryOriginFile[] = "Recovery.origin";
constexpr char kProjectFilter[] = "Kelp projects (*.kproj)\0*.kproj\0All files (*.*)\0*.*\0";
constexpr std::size_t kDiagnosticsShown = 12;

std::string Listed(const std::vector<Diagnostic>& diagnostics, Severity least) {
  std::string text;
  std::size_t shown = 0;
  for (const Diagnostic& diagnostic : diagnostics) {
    if (diagnostic.severity < least) continue;
    if (shown++ == kDiagnosticsShown) {
      text += "...\n";
      break;
    }
    text += FormatDiagnostic(diagnostic) + "\n";
  }
  return text;
}

bool EndsWithNoCase(const std::string& text, std::string_view tail) {
  if (text.size() < tail.size()) return false;
  return PathKey(text.substr(text.size() - tail.size())) == PathKey(tail);
}

std::string FullPath(const std::string& path) {
  char full[MAX_PATH] = {};
  const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

// The common Open or Save dialog for project files; file holds MAX_PATH.
OPENFILENAMEA ProjectFileDialog(HWND owner, char* file, const char* title, DWORD flags) {
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kProjectFilter;
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = title;
  dialog.Flags = flags | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  return dialog;
}

}  // namespace

std::string DefaultRecoveryFolder() {
  if (const char* chosen = std::getenv("KELP_RECOVERY_FOLDER"); chosen != nullptr && *chosen != '\0') {
    return chosen;
  }
  const char* base = std::getenv("LOCALAPPDATA");
  if (base == nullptr || *base == '\0') base = std::getenv("TEMP");
  return std::string(base != nullptr ? base : ".") + "\\Kelp\\Recovery";
}

ProjectSession::ProjectSession(HWND frame, HWND projectWindow, std::string recoveryFolder)
    : frame_(frame), projectWindow_(projectWindow), recoveryFolder_(std::move(recoveryFolder)) {
  ShowTitle();
}

std::string ProjectSession::DisplayName() const {
  if (!path_.empty()) return WithoutExtension(FileNameOf(path_));
  // Before its first save a project is named by its number: the project
  // window's root shows its first form's title instead.
  HWND first = GetNextForm(nullptr);
  KELP32_FORM_INFO info{};
  if (first == nullptr || !GetFormInfo(first, &info)) return {};
  return "Project" + std::to_string(info.projectNumber != 0 ? info.projectNumber : 1);
}

void ProjectSession::ShowTitle() {
  const std::string name = DisplayName();
  std::string title = kProductTitle;
  if (!name.empty()) title = name + (changed_ ? "* - " : " - ") + title;
  ::SetWindowTextA(frame_, title.c_str());
}

void ProjectSession::Tell(const std::string& text, UINT icon) const {
  ::MessageBoxA(frame_, text.c_str(), kMessageTitle, MB_OK | icon);
}

Project ProjectSession::Current() const {
  return TakeSnapshot(kept_);
}

void ProjectSession::MarkChanged() {
  recoveryStale_ = true;
  changeCount_ += 1;
  if (changed_) return;
  changed_ = true;
  ShowTitle();
}

// A folder holds one project: its parts have fixed names (Form1.kform), so
// a second project saved beside the first would overwrite the first's.
bool ProjectSession::FolderIsFreeFor(const std::string& path) {
  WinFileSystem folder(FolderOf(path));
  std::vector<std::string> names;
  folder.List(names);
  const std::string mine = PathKey(FileNameOf(path));
  for (const std::string& name : names) {
    if (!EndsWithNoCase(name, kProjectFileExtension) || PathKey(name) == mine) continue;
    Tell("The folder " + folder.Folder() + " already holds the project " + name +
             ".\n\nA folder holds one project. Save this one in a folder of its own.",
         MB_ICONWARNING);
    return false;
  }
  return true;
}

bool ProjectSession::SaveTo(const std::string& path) {
  const std::string name = FileNameOf(path);
  if (!EndsWithNoCase(name, kProjectFileExtension)) {
    Tell("\"" + name + "\" is no project file name: it must end in " + std::string(kProjectFileExtension) + ".",
         MB_ICONWARNING);
    return false;
  }
  if (!FolderIsFreeFor(path)) return false;
  WinFileSystem folder(FolderOf(path));
  const Project project = TakeSnapshot(kept_);
  const SaveResult saved = SaveProject(folder, name, project);
  if (!saved.ok) {
    Tell("The project was not saved to " + path + ":\n\n" + Listed(saved.diagnostics, Severity::kWarning) +
             "\nYour changes are still here; save them somewhere else, or mend the cause and save again.",
         MB_ICONERROR);
    return false;
  }
  path_ = path;
  kept_ = project;
  changed_ = false;
  recoveryStale_ = false;
  ForgetRecoveryCopy();
  ShowTitle();
  return true;
}

bool ProjectSession::Save() {
  return path_.empty() ? SaveAs() : SaveTo(path_);
}

bool ProjectSession::SaveAs() {
  char file[MAX_PATH] = {};
  const std::string suggested =
      path_.empty() ? DisplayName() + std::string(kProjectFileExtension) : FileNameOf(path_);
  suggested.copy(file, std::min<std::size_t>(suggested.size(), MAX_PATH - 1));
  OPENFILENAMEA dialog = ProjectFileDialog(frame_, file, "Save Project", OFN_OVERWRITEPROMPT);
  dialog.lpstrDefExt = "kproj";
  if (!::GetSaveFileNameA(&dialog)) return false;
  return SaveTo(file);
}

bool ProjectSession::KeepOrDiscardChanges() {
  if (!changed_) return true;
  const std::string question = "Save changes to \"" + DisplayName() + "\"?";
  switch (::MessageBoxA(frame_, question.c_str(), kMessageTitle, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return Save();
    case IDNO:
      return true;
    default:
      return false;
  }
}

void ProjectSession::OpenWithDialog() {
  if (!KeepOrDiscardChanges()) return;
  char file[MAX_PATH] = {};
  OPENFILENAMEA dialog = ProjectFileDialog(frame_, file, "Open Project", OFN_FILEMUSTEXIST);
  if (::GetOpenFileNameA(&dialog)) OpenPath(file);
}

bool ProjectSession::OpenPath(const std::string& given) {
  const std::string path = FullPath(given);
  WinFileSystem folder(FolderOf(path));
  const ReadResult read = OpenProject(folder, FileNameOf(path));
  if (read.Refused()) {
    Tell("Kelp cannot open " + path + ":\n\n" + Listed(read.diagnostics, Severity::kError) +
             "\nNothing was changed.",
         MB_ICONERROR);
    return false;
  }
  std::string problem;
  const bool whole = RebuildProject(*read.project, projectWindow_, problem);
  path_ = path;
  kept_ = *read.project;
  changed_ = false;
  recoveryStale_ = false;
  changeCount_ += 1;
  ForgetRecoveryCopy();
  ShowTitle();
  const std::string warnings = Listed(read.diagnostics, Severity::kWarning);
  if (!whole) {
    Tell(FileNameOf(path) + " opened, but not all of it: " + problem + ".", MB_ICONWARNING);
  } else if (!warnings.empty()) {
    Tell(FileNameOf(path) + " opened, with warnings:\n\n" + warnings, MB_ICONINFORMATION);
  }
  return true;
}

void ProjectSession::StartNew() {
  if (!KeepOrDiscardChanges()) return;
  CloseProject(0, 0, 0);
  changeCount_ += 1;
  path_.clear();
  kept_ = Project{};
  changed_ = false;
  recoveryStale_ = false;
  ForgetRecoveryCopy();
  ShowTitle();
  NewProject(frame_);
}

void ProjectSession::Ending() {
  ForgetRecoveryCopy();
}

void ProjectSession::WriteRecoveryCopy() {
  if (!changed_ || !recoveryStale_ || !MakeFolders(recoveryFolder_)) return;
  WinFileSystem folder(recoveryFolder_);
  // The origin first: a copy is only offered back when it is whole, and
  // then it always has its origin beside it.
  if (!folder.Write(kRecoveryOriginFile, path_).ok || !folder.Flush(kRecoveryOriginFile).ok) return;
  if (SaveRecoveryCopy(folder, kRecoveryProjectFile, TakeSnapshot(kept_)).ok) recoveryStale_ = false;
}

void ProjectSession::ForgetRecoveryCopy() {
  WinFileSystem folder(recoveryFolder_);
  if (!folder.Exists(kRecoveryProjectFile) && !folder.Exists(kRecoveryOriginFile)) return;
  RemoveRecoveryCopy(folder, kRecoveryProjectFile);
  folder.Remove(kRecoveryOriginFile);
}

bool ProjectSession::OfferRecovery() {
  WinFileSystem folder(recoveryFolder_);
  if (!HasRecoveryCopy(folder, kRecoveryProjectFile)) return false;
  const FileContents origin = folder.Read(kRecoveryOriginFile, MAX_PATH);
  const std::string savedAt = origin.status == ReadStatus::kOk ? origin.bytes : std::string();
  const std::string what = savedAt.empty() ? "a project that was never saved" : savedAt;
  const std::string question = "Kelp ended last time before the changes to " + what +
                               " were saved.\n\nRestore them? (No throws them away.)";
  if (::MessageBoxA(frame_, question.c_str(), kMessageTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    ForgetRecoveryCopy();
    return false;
  }
  const ReadResult read = OpenProject(folder, kRecoveryProjectFile);
  if (read.Refused()) {
    Tell("The recovery copy cannot be opened:\n\n" + Listed(read.diagnostics, Severity::kError), MB_ICONERROR);
    return false;
  }
  std::string problem;
  RebuildProject(*read.project, projectWindow_, problem);
  path_ = savedAt;
  kept_ = *read.project;
  changed_ = true;
  changeCount_ += 1;
  recoveryStale_ = false;  // the copy holds exactly this
  ShowTitle();
  return true;
}

}  // namespace kelp::host
