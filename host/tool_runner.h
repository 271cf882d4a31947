// Runs an assembler or a linker as Make does: its output read line by line
// while it runs, the environment kept responsive, a tool that hangs ended.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kelp::host {

struct ToolRun {
  bool started = false;
  std::string whyNot;     // when not started: "the file does not exist"
  bool timedOut = false;  // ended after the time allowed
  DWORD exitCode = 0;
};

ToolRun RunTool(const std::string& commandLine, const std::string& folder,
                const std::function<void(const std::string& line)>& onLine, DWORD timeoutMs);

}  // namespace kelp::host
