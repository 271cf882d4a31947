// A folder in memory for the tests of crash-safe saving: it can be
// read-only, full, refuse a name, or stop like a machine losing power.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/project_store.h"
#include "project_samples.h"

namespace kelp::test {

// A folder in memory. Each mutating call (Write, Flush, Replace, Remove)
// counts one operation; with crashAfter set, the call past it is where the
// machine stops: a write there leaves half its bytes, and every later call
// fails. Restart() is the machine coming back: what was written but never
// flushed is cut to half.
class MemoryFolder final : public FileSystem {
 public:
  struct File {
    std::string bytes;
    bool durable = true;
    bool readOnly = false;
  };

  FsResult Write(const std::string& path, std::string_view bytes) override;
  FsResult Flush(const std::string& path) override;
  FsResult Replace(const std::string& from, const std::string& to) override;
  FsResult Remove(const std::string& path) override;
  FileContents Read(const std::string& path, std::size_t maxBytes) override;
  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  FsResult List(std::vector<std::string>& names) override;

  void Restart();
  // The files as bytes, for comparing folders.
  MemoryFiles Contents() const;

  std::map<std::string, File> files;
  std::optional<std::size_t> crashAfter;
  std::size_t operations = 0;
  bool crashed = false;
  bool readOnlyFolder = false;
  std::optional<std::size_t> freeBytes;  // disk full past this many bytes written
  std::string refusedName;               // a name the file system will not make

 private:
  // Counts the call; the failure to return when the machine has stopped.
  std::optional<FsResult> Stopped();
};

}  // namespace kelp::test
