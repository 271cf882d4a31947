// Reads a saved project back: the project file's bytes, and every other
// file through a callback, into a Project, or a refusal.
//
// Anything that would open a project other than the one saved is refused
// with an error naming the file, the line and what is wrong: a form file or
// the project file that is missing, unreadable, empty, binary, cut short,
// garbled, too large or of a newer version; impossible values; duplicate
// numbers or paths; paths that leave the project's folder. A code file
// that exists but cannot be read is refused too, since saving over it
// would lose its text. What can be opened soundly opens with a warning: a
// code file that is missing opens as an empty code window, and names or
// identifiers that two objects share (the designer allows it) are pointed
// out.
//
// Reading never allocates more than a small multiple of the bytes it is
// given, and takes time about linear in them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/project_model.h"

namespace kelp {

inline constexpr std::size_t kMaxProjectFileBytes = std::size_t{4} << 20;
inline constexpr std::size_t kMaxFormFileBytes = std::size_t{64} << 20;
inline constexpr std::size_t kMaxCodeFileBytes = std::size_t{64} << 20;
inline constexpr std::size_t kMaxSettingBytes = 32767;  // a whole command line
// Past this many, diagnostics are counted but not kept.
inline constexpr std::size_t kMaxDiagnostics = 100;

enum class Severity : std::uint8_t { kWarning, kError };

struct Diagnostic {
  Severity severity = Severity::kError;
  std::string file;        // as the project names it
  std::uint32_t line = 0;  // from 1; 0 for the file as a whole
  std::string message;
  bool operator==(const Diagnostic&) const = default;
};

// "Form1.kform, line 12: error: ..." for a message box or a log.
std::string FormatDiagnostic(const Diagnostic& diagnostic);

enum class ReadStatus : std::uint8_t { kOk, kMissing, kTooLarge, kFailed };

struct FileContents {
  ReadStatus status = ReadStatus::kMissing;
  std::string bytes;
  std::string reason;  // why a read failed ("access denied")
};

// Reads a file by its path relative to the project file; a file larger
// than maxBytes is kTooLarge and need not be read at all.
using ReadFileFn = std::function<FileContents(const std::string& path, std::size_t maxBytes)>;

struct ReadResult {
  std::optional<Project> project;  // none when the open is refused
  std::vector<Diagnostic> diagnostics;
  // Every file the project names, in the order named (the project file
  // not included), whether or not it could be read.
  std::vector<std::string> files;
  bool Refused() const { return !project.has_value(); }
};

ReadResult ReadProject(std::string_view projectFileName, std::string_view projectBytes,
                       const ReadFileFn& readFile);

}  // namespace kelp
