// Saving and opening a project in a folder, so that a process killed at any
// instant of a save leaves a project that opens either as it was before the
// save or as it is after it, complete: never a mix, never a cut file.
//
// A save (SaveProject):
//  1. finishes or rolls back an earlier save that was interrupted (below);
//  2. writes the project in memory and reads it back: a project that would
//     not open again exactly as it is is not saved;
//  3. leaves alone every file whose bytes are already on disk, and writes
//     each other one under a temporary name (Form1.kform.new), flushed;
//  4. writes the commit file, Hello.kproj.commit (through
//     Hello.kproj.commit.new, flushed and renamed): the files to replace and
//     those no longer part of the project. From the instant it has its name
//     the save counts as made;
//  5. moves each listed file aside to its backup (Form1.kform.bak) and gives
//     the temporary its name; files no longer part of the project go to
//     their backup too;
//  6. renames the commit file Hello.kproj.commit.bak: it tells which backups
//     make up the version before this save (OpenBackup). The next save that
//     changes anything removes them (the list first) before its commit.
// Opening (OpenProject) first finishes a save whose commit file exists, and
// removes the temporary files of one that never reached it.
//
// A failing step returns an error naming the file and the reason; before
// the commit the old files are untouched, after it the steps done are
// undone. The folder holds one project: its parts have fixed names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/project_model.h"
#include "core/project_reader.h"

namespace kelp {

struct FsResult {
  bool ok = true;
  std::string reason;  // why it failed: "access denied", "disk full"
};

inline FsResult FsOk() {
  return {};
}
inline FsResult FsFailed(std::string reason) {
  return {false, std::move(reason)};
}

// A folder, by paths relative to it. On Windows: CreateFileA and WriteFile,
// FlushFileBuffers, MoveFileExA with MOVEFILE_REPLACE_EXISTING |
// MOVEFILE_WRITE_THROUGH, DeleteFileA, FindFirstFileA. Windows renames a
// read-only file without complaint; Replace and Remove refuse one (its
// attributes say so), so that a save never replaces a file a user has
// protected.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Creates or empties the file and writes all the bytes; they may stay in
  // a cache, and be lost in a crash, until Flush.
  virtual FsResult Write(const std::string& path, std::string_view bytes) = 0;
  // Makes what was written to the file durable.
  virtual FsResult Flush(const std::string& path) = 0;
  // Gives the file `from` the name `to` in one step, durably, replacing a
  // file of that name.
  virtual FsResult Replace(const std::string& from, const std::string& to) = 0;
  // Removes the file; one that does not exist is no failure.
  virtual FsResult Remove(const std::string& path) = 0;
  virtual FileContents Read(const std::string& path, std::size_t maxBytes) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // The names of the files in the folder itself.
  virtual FsResult List(std::vector<std::string>& names) = 0;
};

inline constexpr std::string_view kTemporarySuffix = ".new";
inline constexpr std::string_view kBackupSuffix = ".bak";
inline constexpr std::string_view kCommitSuffix = ".commit";

struct SaveResult {
  bool ok = false;
  std::vector<Diagnostic> diagnostics;  // each names a file and what went wrong
  std::size_t filesWritten = 0;         // files that were new or changed
};

SaveResult SaveProject(FileSystem& folder, std::string_view projectFileName, const Project& project);

// Finishes or rolls back an interrupted save, then reads the project.
ReadResult OpenProject(FileSystem& folder, std::string_view projectFileName);

// The version before the last completed save, from its backups; refused
// when there is none (no save yet, or a later save has begun).
ReadResult OpenBackup(FileSystem& folder, std::string_view projectFileName);

// Step 1 of a save and of an open, on its own.
SaveResult FinishInterruptedSave(FileSystem& folder, std::string_view projectFileName);

// The recovery copy the host writes while changes are unsaved: the same
// crash-safe save, into a folder of its own, so that it never touches the
// project's files. It is opened with OpenProject on that folder.
inline SaveResult SaveRecoveryCopy(FileSystem& recoveryFolder, std::string_view projectFileName,
                                   const Project& project) {
  return SaveProject(recoveryFolder, projectFileName, project);
}
bool HasRecoveryCopy(FileSystem& recoveryFolder, std::string_view projectFileName);
// Removes every file of the copy (after a clean save or exit).
SaveResult RemoveRecoveryCopy(FileSystem& recoveryFolder, std::string_view projectFileName);

}  // namespace kelp
