// A project's folder on a Windows disk, for the crash-safe save and the
// open of the core's project store.
#pragma once

#include <windows.h>

#include <string>

#include "core/project_store.h"

namespace kelp::host {

class WinFileSystem final : public FileSystem {
 public:
  // folder: an absolute path, with or without a trailing "\".
  explicit WinFileSystem(std::string folder);

  FsResult Write(const std::string& path, std::string_view bytes) override;
  FsResult Flush(const std::string& path) override;
  FsResult Replace(const std::string& from, const std::string& to) override;
  FsResult Remove(const std::string& path) override;
  FileContents Read(const std::string& path, std::size_t maxBytes) override;
  bool Exists(const std::string& path) override;
  FsResult List(std::vector<std::string>& names) override;

  const std::string& Folder() const { return folder_; }

 private:
  std::string Full(const std::string& path) const;
  // The tests of a save killed half-way set KELP_TEST_KILL_AT_FILE_STEP=n:
  // the process ends at the n-th change to the disk, a Write cut in half.
  void MaybeDie(HANDLE file = INVALID_HANDLE_VALUE, std::string_view bytes = {});

  std::string folder_;
  long killAtStep_ = 0;
  long steps_ = 0;
};

// Why the last call failed, in words a message box can show ("the disk is
// full").
std::string LastErrorReason();

// The folder and the file name of a path ("C:\a\Hello.kproj").
std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);
// "Hello.kproj" without ".kproj".
std::string WithoutExtension(const std::string& name);
// Makes the folder and those above it that are missing; true when it exists.
bool MakeFolders(const std::string& folder);

}  // namespace kelp::host
