#include "make_session.h"

#include <cstdlib>

#include "core/make_settings.h"
#include "core/program_generator.h"
#include "core/tool_output.h"
#include "kelp32.h"
#include "main_frame.h"
#include "output_window.h"
#include "project_session.h"
#include "tool_runner.h"
#include "win_file_system.h"

namespace kelp::host {
namespace {

constexpr char kMessageTitle[] = "Kelp";
constexpr char kBuildFolder[] = "build";
constexpr DWORD kToolTimeoutMs = 120000;

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The code window a generator's place names, made and shown if need be.
HWND CodeWindowOf(const CodeWindowRef& ref) {
  if (ref.kind == CodeWindowRef::Kind::kModule || ref.kind == CodeWindowRef::Kind::kClassModule) {
    const DWORD kind = ref.kind == CodeWindowRef::Kind::kModule ? KELP32_MODULE : KELP32_CLASS_MODULE;
    for (HWND window = GetNextCodeModule(nullptr); window != nullptr; window = GetNextCodeModule(window)) {
      KELP32_MODULE_INFO info{};
      if (GetCodeModuleInfo(window, &info) && info.kind == kind && info.number == ref.moduleNumber) return window;
    }
    return nullptr;
  }
  for (HWND frame = GetNextForm(nullptr); frame != nullptr; frame = GetNextForm(frame)) {
    KELP32_FORM_INFO info{};
    if (!GetFormInfo(frame, &info) || info.number != ref.formNumber) continue;
    // A closed form is built when shown; its code windows with it.
    if (!::IsWindowVisible(frame)) ::ShowWindow(frame, SW_SHOW);
    GetFormInfo(frame, &info);
    if (ref.kind == CodeWindowRef::Kind::kForm) return KELP32_HANDLE(HWND, info.hCodeWindow);
    HWND surface = KELP32_HANDLE(HWND, info.hSurface);
    HWND control = GetNextControl(surface, nullptr);
    for (std::size_t i = 0; control != nullptr && i < ref.controlIndex; ++i) control = GetNextControl(surface, control);
    KELP32_DESIGN_PROPERTIES properties{};
    if (control == nullptr || !GetDesignProperties(control, &properties)) return nullptr;
    return KELP32_HANDLE(HWND, properties.hCodeWindow);
  }
  return nullptr;
}

// The whole line in the editor, selected and scrolled into view.
void SelectLine(HWND codeWindow, std::uint32_t line) {
  HWND editor = ::GetDlgItem(codeWindow, IDC_CODE_EDITOR);
  if (editor == nullptr) return;
  const WPARAM index = line > 0 ? line - 1 : 0;
  const LRESULT start = ::SendMessageA(editor, EM_LINEINDEX, index, 0);
  if (start < 0) return;
  const LRESULT length = ::SendMessageA(editor, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  ::SendMessageA(editor, EM_SETSEL, static_cast<WPARAM>(start), start + length);
  ::SendMessageA(editor, EM_SCROLLCARET, 0, 0);
  ::SetFocus(editor);
}

}  // namespace

std::string DefaultMakeSettingsPath() {
  if (const char* chosen = std::getenv("KELP_SETTINGS_FOLDER"); chosen != nullptr && *chosen != '\0') {
    return std::string(chosen) + "\\make.ini";
  }
  const char* base = std::getenv("APPDATA");
  if (base == nullptr || *base == '\0') base = std::getenv("LOCALAPPDATA");
  return std::string(base != nullptr ? base : ".") + "\\Kelp\\make.ini";
}

MakeSession::MakeSession(HWND frame, ProjectSession& project, HWND output, std::string settingsPath)
    : frame_(frame), project_(project), output_(output), settingsPath_(std::move(settingsPath)) {
  SetOutputFollower(output_, [this](int target) { Follow(target); });
}

MakeSession::~MakeSession() {
  if (running_ != nullptr) ::CloseHandle(running_);
}

void MakeSession::ShowOutput() {
  if (!::IsWindowVisible(output_)) {
    ::ShowWindow(output_, SW_SHOW);
    RelayOutFrame();
  }
}

void MakeSession::Say(const std::string& text, int target) {
  AddOutputLine(output_, text, target);
}

bool MakeSession::Refuse(const std::string& why) {
  Say(why);
  ::MessageBoxA(frame_, why.c_str(), kMessageTitle, MB_OK | MB_ICONWARNING);
  return false;
}

int MakeSession::TargetFor(const CodeWindowRef& window, std::uint32_t line) {
  places_.push_back({window, line});
  return static_cast<int>(places_.size());
}

void MakeSession::Follow(int target) {
  if (target <= 0 || static_cast<std::size_t>(target) > places_.size()) return;
  const Place& place = places_[static_cast<std::size_t>(target) - 1];
  HWND codeWindow = CodeWindowOf(place.window);
  if (codeWindow == nullptr) return;
  ::ShowWindow(codeWindow, SW_SHOW);
  ::SendMessageA(::GetParent(codeWindow), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(codeWindow), 0);
  ::BringWindowToTop(codeWindow);
  SelectLine(codeWindow, place.line);
}

bool MakeSession::ProgramRunning() const {
  return running_ != nullptr && ::WaitForSingleObject(running_, 0) == WAIT_TIMEOUT;
}

bool MakeSession::ReadSettings(MakeSettings& settings) {
  WinFileSystem folder(FolderOf(settingsPath_));
  const std::string name = FileNameOf(settingsPath_);
  FileContents contents = folder.Read(name, 1 << 20);
  if (contents.status == ReadStatus::kMissing) {
    MakeFolders(FolderOf(settingsPath_));
    folder.Write(name, MakeSettingsTemplate());
    return Refuse("Make needs your assembler: set Assemble (and Link) in " + settingsPath_ +
                  ". The file explains how, with examples for ml.exe, JWasm and UASM.");
  }
  if (contents.status != ReadStatus::kOk) {
    return Refuse("Make cannot read its settings, " + settingsPath_ + ": " + contents.reason);
  }
  const MakeSettingsRead read = ReadMakeSettings(contents.bytes);
  for (const MakeSettingsProblem& problem : read.problems) {
    Say(settingsPath_ + ", line " + std::to_string(problem.line) + ": " + problem.message);
  }
  if (!read.problems.empty()) return Refuse("Make's settings have mistakes: see the Output window.");
  settings = read.settings;
  const bool linking = !settings.link.empty();
  if (const std::string problem = AssembleCommandProblem(settings.assemble, linking); !problem.empty()) {
    return Refuse("Make cannot assemble: " + problem + " in " + settingsPath_ + ".");
  }
  if (linking) {
    if (const std::string problem = LinkCommandProblem(settings.link); !problem.empty()) {
      return Refuse("Make cannot link: " + problem + " in " + settingsPath_ + ".");
    }
  }
  return true;
}

// Runs one tool; its lines go to the Output window, those that point into
// generated code lead back to the code window they came from.
bool MakeSession::RunStep(const std::string& what, const std::string& command, const std::string& folder) {
  Say(what + ": " + command);
  bool sawError = false;
  const ToolRun run = RunTool(
      command, folder,
      [&](const std::string& line) {
        int target = 0;
        if (const std::optional<ToolMessage> message = ParseToolLine(line)) {
          sawError = sawError || message->error;
          if (const auto source = MapGeneratedLine(generated_, FileNameOf(message->file), message->line)) {
            target = TargetFor(source->window, source->line);
            Say(CodeWindowLabel(generatedFrom_, source->window) + ", line " + std::to_string(source->line) + ": " +
                    message->text,
                target);
            return;
          }
        }
        Say("  " + line, target);
      },
      kToolTimeoutMs);
  if (!run.started) {
    return Refuse("Make could not start the " + what + " (" + run.whyNot + "): check the command in " +
                  settingsPath_ + ":\n" + command);
  }
  if (run.timedOut) return Refuse("The " + what + " did not finish in 2 minutes and was stopped.");
  if (run.exitCode != 0 || sawError) {
    Say("The " + what + " failed (exit code " + std::to_string(run.exitCode) + "). Double-click an error to go to it.");
    return false;
  }
  return true;
}

bool MakeSession::Make() {
  if (making_) return false;
  if (ProgramRunning()) {
    return Refuse(FileNameOf(program_) + " is still running: close it before making it again.");
  }
  making_ = true;
  const bool made = MakeNow();
  making_ = false;
  return made;
}

bool MakeSession::MakeNow() {
  ShowOutput();
  ClearOutput(output_);
  places_.clear();
  if (project_.Path().empty() || project_.Changed()) {
    Say("Saving the project first.");
    if (!project_.Save()) {
      Say("Make stopped: the project is not saved.");
      return false;
    }
  }
  MakeSettings settings;
  if (!ReadSettings(settings)) return false;

  generatedFrom_ = project_.Current();
  const std::string projectFolder = FolderOf(project_.Path());
  const std::string baseName = WithoutExtension(FileNameOf(project_.Path()));
  GenerateOptions options;
  options.baseName = baseName;
  generated_ = GenerateProgram(generatedFrom_, options);
  for (const GenerateDiagnostic& diagnostic : generated_.diagnostics) {
    const int target = diagnostic.window ? TargetFor(*diagnostic.window, diagnostic.line) : 0;
    Say(diagnostic.where + (diagnostic.line > 0 ? ", line " + std::to_string(diagnostic.line) : std::string()) +
            ": " + diagnostic.message,
        target);
  }
  if (!generated_.ok) {
    Say("Make stopped before the assembler: the code above cannot be placed. Double-click a line to go to it.");
    return false;
  }
  const std::string buildFolder = projectFolder + "\\" + kBuildFolder;
  if (!MakeFolders(buildFolder)) return Refuse("Make cannot make the folder " + buildFolder + ": " + LastErrorReason());
  WinFileSystem build(buildFolder);
  CommandFiles files;
  files.program = projectFolder + "\\" + baseName + ".exe";
  for (const GeneratedFile& file : generated_.files) {
    if (const FsResult written = build.Write(file.name, file.bytes); !written.ok) {
      return Refuse("Make cannot write " + buildFolder + "\\" + file.name + ": " + written.reason);
    }
    if (EndsWith(file.name, ".asm")) {
      files.objects.push_back(buildFolder + "\\" + WithoutExtension(file.name) + settings.objectExtension);
    }
  }
  Say("Generated " + std::to_string(generated_.files.size()) + " files in " + buildFolder + ".");
  std::size_t object = 0;
  for (const GeneratedFile& file : generated_.files) {
    if (!EndsWith(file.name, ".asm")) continue;
    files.source = buildFolder + "\\" + file.name;
    files.object = files.objects[object++];
    if (!RunStep("assembler", ExpandCommand(settings.assemble, files), buildFolder)) return false;
  }
  if (!settings.link.empty() && !RunStep("linker", ExpandCommand(settings.link, files), buildFolder)) return false;
  if (!FileExists(files.program)) {
    return Refuse("The tools ended without errors but made no " + files.program + ": check the commands in " +
                  settingsPath_ + ".");
  }
  program_ = files.program;
  madeAt_ = project_.ChangeCount();
  Say("Made " + program_ + ".");
  return true;
}

void MakeSession::Run() {
  if (ProgramRunning()) {
    Refuse(FileNameOf(program_) + " is already running.");
    return;
  }
  const bool current = !program_.empty() && madeAt_ == project_.ChangeCount() && !project_.Changed() &&
                       FileExists(program_);
  if (!current && !Make()) return;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::string command = "\"" + program_ + "\"";
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, FolderOf(program_).c_str(),
                        &startup, &process)) {
    Refuse("Kelp could not start " + program_ + ": " + LastErrorReason() + ".");
    return;
  }
  ::CloseHandle(process.hThread);
  if (running_ != nullptr) ::CloseHandle(running_);
  running_ = process.hProcess;
  Say("Running " + program_ + ".");
}

}  // namespace kelp::host
