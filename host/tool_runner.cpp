#include "tool_runner.h"

#include <memory>
#include <vector>

#include "win_file_system.h"

namespace kelp::host {
namespace {

struct HandleCloser {
  using pointer = HANDLE;
  void operator()(HANDLE handle) const {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Splits what the tool wrote into lines as it comes.
class LineCollector {
 public:
  explicit LineCollector(const std::function<void(const std::string&)>& onLine) : onLine_(onLine) {}
  void Add(const char* bytes, DWORD count) {
    for (DWORD i = 0; i < count; ++i) {
      const char c = bytes[i];
      if (c == '\n') {
        Flush();
      } else if (c != '\r') {
        pending_ += c;
      }
    }
  }
  void Flush() {
    if (!pending_.empty()) onLine_(pending_);
    pending_.clear();
  }

 private:
  const std::function<void(const std::string&)>& onLine_;
  std::string pending_;
};

void Drain(HANDLE pipe, LineCollector& lines) {
  char buffer[4096];
  DWORD available = 0;
  while (::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
    DWORD got = 0;
    if (!::ReadFile(pipe, buffer, sizeof(buffer), &got, nullptr) || got == 0) return;
    lines.Add(buffer, got);
  }
}

void PumpWhileWaiting() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

}  // namespace

ToolRun RunTool(const std::string& commandLine, const std::string& folder,
                const std::function<void(const std::string& line)>& onLine, DWORD timeoutMs) {
  ToolRun run;
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
    run.whyNot = LastErrorReason();
    return run;
  }
  UniqueHandle reader(readEnd), writer(writeEnd);
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = nullptr;
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    run.whyNot = LastErrorReason();
    return run;
  }
  run.started = true;
  UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
  writer.reset();  // the tool holds the only write end: the pipe ends with it
  LineCollector lines(onLine);
  const DWORD start = ::GetTickCount();
  while (::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0) {
    Drain(readEnd, lines);
    PumpWhileWaiting();
    if (::GetTickCount() - start > timeoutMs) {
      ::TerminateProcess(process.hProcess, 1);
      ::WaitForSingleObject(process.hProcess, 5000);
      run.timedOut = true;
      break;
    }
  }
  Drain(readEnd, lines);
  lines.Flush();
  ::GetExitCodeProcess(process.hProcess, &run.exitCode);
  return run;
}

}  // namespace kelp::host
