#include "kelp_process.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "harness.h"

namespace kelp::test {
namespace {

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

struct Search {
  DWORD processId;
  const char* className;
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !::IsWindowVisible(window)) return TRUE;
  if (search->className != nullptr && ClassNameOf(window) != search->className) return TRUE;
  if (search->title != nullptr && WindowText(window) != search->title) return TRUE;
  search->found = window;
  return FALSE;
}

struct Listing {
  DWORD processId;
  std::string text;
};

BOOL CALLBACK ListWindow(HWND window, LPARAM lParam) {
  auto* listing = reinterpret_cast<Listing*>(lParam);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != listing->processId || !::IsWindowVisible(window)) return TRUE;
  listing->text += ClassNameOf(window) + " \"" + WindowText(window) + "\"";
  if (ClassNameOf(window) == "#32770") listing->text += ": " + KelpProcess::MessageText(window);
  listing->text += "\n";
  return TRUE;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  return PumpUntil(condition, timeoutMs);
}

}  // namespace

HWND FindTopLevel(DWORD processId, const char* className, const char* title) {
  Search search{processId, className, title, nullptr};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string TestJwasm() {
  const char* unix = std::getenv("KELP_TEST_JWASM");
  if (unix == nullptr || *unix == '\0') return {};
  std::string path = std::string("Z:") + unix;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

std::string FreshFolder(const std::string& name) {
  char temporary[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temporary);
  const std::string folder =
      std::string(temporary) + "kelp-tests-" + std::to_string(::GetCurrentProcessId()) + "-" + name;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  for (const auto& [file, bytes] : FilesIn(folder)) {
    const std::string path = folder + "\\" + file;
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
  }
  return folder;
}

std::map<std::string, std::string> FilesIn(const std::string& folder) {
  std::map<std::string, std::string> files;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    std::string bytes;
    if (FILE* file = std::fopen((folder + "\\" + found.cFileName).c_str(), "rb")) {
      char buffer[65536];
      std::size_t got = 0;
      while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0) bytes.append(buffer, got);
      std::fclose(file);
    }
    files[found.cFileName] = bytes;
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return files;
}

void CopyFolder(const std::string& from, const std::string& to) {
  for (const auto& [file, bytes] : FilesIn(from)) {
    ::CopyFileA((from + "\\" + file).c_str(), (to + "\\" + file).c_str(), FALSE);
  }
}

KelpProcess::KelpProcess(const std::string& arguments, const std::string& recoveryFolder, int killAtFileStep) {
  ::SetEnvironmentVariableA("KELP_RECOVERY_FOLDER", recoveryFolder.c_str());
  ::SetEnvironmentVariableA("KELP_TEST_KILL_AT_FILE_STEP",
                            killAtFileStep > 0 ? std::to_string(killAtFileStep).c_str() : nullptr);
  const std::string folder = ProgramFolder();
  std::string command = "\"" + folder + "\\kelp.exe\" " + arguments;
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process_)) {
    process_ = {};
  }
  ::SetEnvironmentVariableA("KELP_RECOVERY_FOLDER", nullptr);
  ::SetEnvironmentVariableA("KELP_TEST_KILL_AT_FILE_STEP", nullptr);
}

KelpProcess::~KelpProcess() {
  if (process_.hProcess == nullptr) return;
  if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) Kill();
  ::CloseHandle(process_.hThread);
  ::CloseHandle(process_.hProcess);
}

HWND KelpProcess::Frame(DWORD timeoutMs) {
  if (frame_ == nullptr && Started()) {
    WaitUntil([&] { return (frame_ = FindTopLevel(process_.dwProcessId, "KelpHost_Class", nullptr)) != nullptr; },
              timeoutMs);
  }
  return frame_;
}

std::string KelpProcess::Title() {
  return Frame() != nullptr ? WindowText(frame_) : std::string();
}

std::string KelpProcess::Showing() {
  if (!Started()) return "kelp.exe did not start";
  DWORD code = STILL_ACTIVE;
  if (::GetExitCodeProcess(process_.hProcess, &code) && code != STILL_ACTIVE) {
    return "kelp.exe ended with exit code " + std::to_string(code);
  }
  Listing listing{process_.dwProcessId, {}};
  ::EnumWindows(ListWindow, reinterpret_cast<LPARAM>(&listing));
  return listing.text.empty() ? "no window of kelp.exe is showing" : listing.text;
}

HWND KelpProcess::AwaitMessageBox(DWORD timeoutMs) {
  return AwaitWindow("Kelp", timeoutMs);
}

HWND KelpProcess::AwaitWindow(const char* title, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopLevel(process_.dwProcessId, nullptr, title)) != nullptr; }, timeoutMs);
  return found;
}

std::string KelpProcess::MessageText(HWND box) {
  char text[4096] = {};
  ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
  return text;
}

void KelpProcess::Answer(HWND box, int button) {
  ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

bool KelpProcess::Command(WORD id, DWORD timeoutMs) {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutA(Frame(), WM_COMMAND, id, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

void KelpProcess::PostCommand(WORD id) {
  ::PostMessageA(Frame(), WM_COMMAND, id, 0);
}

DWORD KelpProcess::AwaitExit(DWORD timeoutMs) {
  WaitUntil([&] { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

bool KelpProcess::Exited() const {
  return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
}

void KelpProcess::Kill() {
  ::TerminateProcess(process_.hProcess, 9);
  ::WaitForSingleObject(process_.hProcess, 10000);
}

}  // namespace kelp::test
