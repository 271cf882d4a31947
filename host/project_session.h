// The project the user works on in kelp.exe: where it is saved, whether it
// changed since, and the commands that keep it (Save, Open, New, the
// question before anything is thrown away, the recovery copy).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/project_model.h"

namespace kelp::host {

class ProjectSession {
 public:
  // frame: the main frame (its title shows the project), projectWindow: the
  // library's project window. The recovery copy lives in recoveryFolder.
  ProjectSession(HWND frame, HWND projectWindow, std::string recoveryFolder);

  // Something the user did changed the project.
  void MarkChanged();
  bool Changed() const { return changed_; }
  const std::string& Path() const { return path_; }

  // "&Save Project": to the same place, or where the user says the first
  // time. False when nothing was saved (cancelled, or a failure the user
  // was told of); the project then stays marked changed.
  bool Save();
  bool SaveAs();
  // Saves to this path with no dialog.
  bool SaveTo(const std::string& path);

  // "&Open Project...": asks to save, then the Open dialog.
  void OpenWithDialog();
  // Opens the project file; on a refusal the user is told why (file and
  // line) and everything stays as it was. False then.
  bool OpenPath(const std::string& path);

  // "&New Project": asks to save, closes the project, shows the New Project
  // window.
  void StartNew();

  // Asks "Save changes to ...?" when the project changed: true to go on
  // (saved, or the user chose No), false to stay (Cancel, or the save
  // failed).
  bool KeepOrDiscardChanges();

  // The environment shuts down: the recovery copy is no longer wanted.
  void Ending();

  // Every 30 seconds and when the environment loses the focus: the changes
  // not saved yet go to the recovery copy.
  void WriteRecoveryCopy();
  // At start: a recovery copy left by an environment that ended without
  // saving is offered back. True when it was restored.
  bool OfferRecovery();

  std::string DisplayName() const;

  // The project as it is now, with what the library does not keep.
  Project Current() const;
  // Goes up with every change, save-worthy or not, and every open or new
  // project: Make compares it to know whether its program is current.
  std::uint64_t ChangeCount() const { return changeCount_; }

 private:
  void ShowTitle();
  void ForgetRecoveryCopy();
  void Tell(const std::string& text, UINT icon) const;
  bool FolderIsFreeFor(const std::string& path);

  HWND frame_;
  HWND projectWindow_;
  std::string recoveryFolder_;
  std::string path_;  // the .kproj, empty until the first save or open
  Project kept_;      // as last opened or saved: what the library does not keep
  bool changed_ = false;
  bool recoveryStale_ = false;
  std::uint64_t changeCount_ = 0;
};

// Where the recovery copy is kept: %LOCALAPPDATA%\Kelp\Recovery, or the
// folder KELP_RECOVERY_FOLDER names (the tests give each run its own).
std::string DefaultRecoveryFolder();

}  // namespace kelp::host
