// Any bytes as a saved project. The input is read twice: whole, as the form
// file of a project that names it; and cut at the first "\n@@\n" into a
// project file and the bytes of every form file it names. Whatever opens
// must write files that open again as the same project, and those files
// must be written again byte for byte.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "core/project_reader.h"
#include "core/project_writer.h"

namespace {

constexpr char kProjectName[] = "Fuzz.kproj";
constexpr std::string_view kFormProject =
    "KelpProject 1\r\nBegin Project\r\n  Form = \"Form1.kform\"\r\n  Module = 1, \"M\", "
    "\"Module1.asm\"\r\nEnd\r\n";
constexpr std::string_view kSeparator = "\n@@\n";

void Check(bool condition) {
  if (!condition) std::abort();
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// Form files get the form bytes, code files a little code, and a name with
// "missing" in it nothing, so that all three ways of reading are taken.
kelp::ReadFileFn InputReader(std::string_view form) {
  return [form](const std::string& path, std::size_t maxBytes) {
    if (path.find("missing") != std::string::npos) return kelp::FileContents{};
    if (EndsWith(path, ".kform")) {
      if (form.size() > maxBytes) return kelp::FileContents{kelp::ReadStatus::kTooLarge, {}, {}};
      return kelp::FileContents{kelp::ReadStatus::kOk, std::string(form), {}};
    }
    if (path.find("unreadable") != std::string::npos)
      return kelp::FileContents{kelp::ReadStatus::kFailed, {}, "no"};
    return kelp::FileContents{kelp::ReadStatus::kOk, "\tret\r\n" + path, {}};
  };
}

void CheckRoundTrip(const kelp::ReadResult& read) {
  for (const kelp::Diagnostic& diagnostic : read.diagnostics) {
    Check(!diagnostic.file.empty() && !diagnostic.message.empty());
  }
  if (read.Refused()) return;
  const std::vector<kelp::ProjectFile> files = kelp::WriteProject(*read.project, kProjectName);
  std::map<std::string, std::string> written;
  for (const kelp::ProjectFile& file : files) Check(written.emplace(file.path, file.bytes).second);
  const kelp::ReadResult again =
      kelp::ReadProject(kProjectName, files[0].bytes, [&](const std::string& path, std::size_t) {
        auto found = written.find(path);
        Check(found != written.end());
        return kelp::FileContents{kelp::ReadStatus::kOk, found->second, {}};
      });
  Check(!again.Refused());
  Check(*again.project == *read.project);
  Check(kelp::WriteProject(*again.project, kProjectName) == files);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckRoundTrip(kelp::ReadProject(kProjectName, kFormProject, InputReader(input)));
  const std::size_t cut = input.find(kSeparator);
  const std::string_view project = input.substr(0, cut);
  const std::string_view form = cut == std::string_view::npos ? "" : input.substr(cut + kSeparator.size());
  CheckRoundTrip(kelp::ReadProject(kProjectName, project, InputReader(form)));
  return 0;
}
