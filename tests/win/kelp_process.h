// kelp.exe as a process of its own, for tests that open, save, kill and
// restart it: its frame found by its process, its message boxes answered,
// and the folders its projects live in.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace kelp::test {

// A visible top-level window of the process with this class and title
// (either may be null: any), or null.
HWND FindTopLevel(DWORD processId, const char* className, const char* title);

// The Windows path of JWasm built for this architecture, or empty.
std::string TestJwasm();
// 64-bit Wine here cannot start 32-bit programs: made programs run on 32-bit.
inline bool Is32Bit() { return sizeof(void*) == 4; }

// A fresh, empty folder under the temporary folder, for this test run.
std::string FreshFolder(const std::string& name);
// Every file of a folder, by name, with its bytes.
std::map<std::string, std::string> FilesIn(const std::string& folder);
void CopyFolder(const std::string& from, const std::string& to);

class KelpProcess {
 public:
  // Starts kelp.exe (beside this program) with the arguments; the recovery
  // copy goes to recoveryFolder. killAtFileStep > 0 ends it at that step
  // of its next save.
  KelpProcess(const std::string& arguments, const std::string& recoveryFolder, int killAtFileStep = 0);
  ~KelpProcess();
  KelpProcess(const KelpProcess&) = delete;
  KelpProcess& operator=(const KelpProcess&) = delete;

  bool Started() const { return process_.hProcess != nullptr; }
  // The main frame once it is shown, or null after the timeout.
  HWND Frame(DWORD timeoutMs = 30000);
  std::string Title();
  // Every visible top-level window of the process, with a message box's
  // text: what a failed wait for a title was looking at.
  std::string Showing();
  // A message box of the environment's ("Kelp"), once it is up; its text.
  HWND AwaitMessageBox(DWORD timeoutMs = 30000);
  static std::string MessageText(HWND box);
  static void Answer(HWND box, int button);  // IDYES, IDNO, IDCANCEL, IDOK
  // A top-level window of the process with this exact title.
  HWND AwaitWindow(const char* title, DWORD timeoutMs = 30000);
  // A menu command sent to the frame, as a click in its menu bar sends it.
  bool Command(WORD id, DWORD timeoutMs = 60000);
  void PostCommand(WORD id);
  // Waits for the process to end; its exit code, or STILL_ACTIVE.
  DWORD AwaitExit(DWORD timeoutMs = 60000);
  bool Exited() const;
  void Kill();

 private:
  PROCESS_INFORMATION process_{};
  HWND frame_ = nullptr;
};

}  // namespace kelp::test
