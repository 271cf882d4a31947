// Make and Run in kelp.exe: the project saved, the program generated into
// the project's "build" folder, the user's assembler and linker run on it
// with their output in the Output window, and the program started.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/make_settings.h"
#include "core/program_generator.h"
#include "core/project_model.h"

namespace kelp::host {

class ProjectSession;

class MakeSession {
 public:
  // settingsPath: the make.ini file (written as a commented template the
  // first time Make finds none).
  MakeSession(HWND frame, ProjectSession& project, HWND output, std::string settingsPath);
  ~MakeSession();
  MakeSession(const MakeSession&) = delete;
  MakeSession& operator=(const MakeSession&) = delete;

  // F7. True when the program was made.
  bool Make();
  // F5: makes the program first when anything changed since, then starts it.
  void Run();
  // The made program is running: Make is refused until it ends.
  bool ProgramRunning() const;
  const std::string& ProgramPath() const { return program_; }

 private:
  struct Place {
    CodeWindowRef window;
    std::uint32_t line = 0;
  };
  bool MakeNow();
  bool ReadSettings(MakeSettings& settings);
  bool RunStep(const std::string& what, const std::string& command, const std::string& folder);
  void Say(const std::string& text, int target = 0);
  bool Refuse(const std::string& why);
  int TargetFor(const CodeWindowRef& window, std::uint32_t line);
  void Follow(int target);
  void ShowOutput();

  HWND frame_;
  ProjectSession& project_;
  HWND output_;
  std::string settingsPath_;
  std::string program_;
  HANDLE running_ = nullptr;
  bool making_ = false;
  std::uint64_t madeAt_ = 0;       // the project's change count when program_ was made
  Project generatedFrom_;          // what was generated from
  GenerateResult generated_;
  std::vector<Place> places_;  // what each output line's target leads to (target - 1)
};

// Where Make's settings are kept: %APPDATA%\Kelp\make.ini, or the folder
// KELP_SETTINGS_FOLDER names (the tests give each run its own).
std::string DefaultMakeSettingsPath();

}  // namespace kelp::host
