#include "core/project_store.h"

#include <unordered_map>
#include <unordered_set>

#include "core/project_paths.h"
#include "core/project_text.h"
#include "core/project_writer.h"

namespace kelp {
namespace {

constexpr std::string_view kCommitHeader = "KelpCommit";
constexpr std::size_t kMaxCommitFileBytes = std::size_t{1} << 20;

struct CommitEntry {
  bool replace;  // else remove
  std::string path;
};

std::string Suffixed(std::string_view path, std::string_view suffix) {
  return std::string(path) + std::string(suffix);
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// A form's name or title equal to its default reads back empty.
Project AsReadBack(Project project) {
  EmptyDefaultFormTexts(project);
  return project;
}

std::string CommitName(std::string_view project) {
  return Suffixed(project, kCommitSuffix);
}

std::string CommitFileText(const std::vector<CommitEntry>& entries) {
  std::string text(kCommitHeader);
  text += " 1\r\n";
  for (const CommitEntry& entry : entries) {
    text += entry.replace ? "Replace " : "Remove ";
    AppendQuoted(text, entry.path);
    text += "\r\n";
  }
  const std::uint32_t checksum = Checksum(text);
  text += "End " + std::to_string(entries.size()) + " ";
  AppendHex(text, checksum);
  text += "\r\n";
  return text;
}

// The entries of a commit file, or false when it is not whole: a count and
// a checksum close it.
bool ParseCommitFile(std::string_view bytes, std::vector<CommitEntry>& entries) {
  LineSplitter lines(bytes);
  std::string_view line;
  if (!lines.Next(line)) return false;
  LineCursor header(line);
  std::int64_t version = 0;
  if (header.Word() != kCommitHeader || !header.Number(version) || version != 1 || !header.AtEnd())
    return false;
  while (lines.Next(line)) {
    LineCursor cursor(line);
    const std::string_view word = cursor.Word();
    if (word == "End") {
      const auto bodyBytes = static_cast<std::size_t>(line.data() - bytes.data());
      std::int64_t count = 0;
      std::int64_t checksum = 0;
      return cursor.Number(count) && cursor.Number(checksum) && cursor.AtEnd() &&
             static_cast<std::size_t>(count) == entries.size() &&
             static_cast<std::uint32_t>(checksum) == Checksum(bytes.substr(0, bodyBytes));
    }
    CommitEntry entry{word == "Replace", {}};
    if ((word != "Replace" && word != "Remove") || !cursor.Text(entry.path, kMaxRelativePathBytes) ||
        !cursor.AtEnd() || !PathProblem(entry.path).empty()) {
      return false;
    }
    entries.push_back(std::move(entry));
  }
  return false;
}

// A file this store may clean up in the folder: a part, the project file or
// its commit file, with the suffix taken off.
bool IsManagedName(std::string_view name, std::string_view projectFile) {
  return name == projectFile || name == CommitName(projectFile) || IsPartFileName(name);
}

class Store {
 public:
  Store(FileSystem& folder, std::string_view projectFile) : fs_(folder), projectFile_(projectFile) {}

  SaveResult Save(const Project& project) {
    const std::string problem = ProjectFileNameProblem(projectFile_);
    if (!problem.empty()) {
      Fail(projectFile_, "cannot be the name of a project file: it " + problem);
      return Take();
    }
    if (!Finish()) return Take();
    std::vector<ProjectFile> files = WriteProject(project, projectFile_);
    if (!ReadsBackAs(files, project)) return Take();
    std::vector<std::string> oldFiles = FilesOfSavedProject();

    std::unordered_set<std::string> newKeys;
    std::vector<const ProjectFile*> changed;
    for (const ProjectFile& file : files) {
      newKeys.insert(PathKey(file.path));
      const FileContents current = fs_.Read(file.path, file.bytes.size());
      if (current.status == ReadStatus::kOk && current.bytes == file.bytes) continue;
      changed.push_back(&file);
    }
    // The project file (written first) is replaced last: a program that
    // reads the folder without finishing the save sees the old project for
    // as long as it can.
    std::vector<CommitEntry> entries;
    for (const ProjectFile* file : changed) {
      if (file != &files[0]) entries.push_back({true, file->path});
    }
    if (!changed.empty() && changed[0] == &files[0]) entries.push_back({true, projectFile_});
    for (const std::string& old : oldFiles) {
      if (newKeys.count(PathKey(old)) == 0 && fs_.Exists(old)) entries.push_back({false, old});
    }
    result_.filesWritten = changed.size();
    if (entries.empty()) return Succeed();

    for (const ProjectFile* file : changed) {
      const std::string temporary = Suffixed(file->path, kTemporarySuffix);
      if (!Check(fs_.Write(temporary, file->bytes), file->path, "could not be written to " + temporary) ||
          !Check(fs_.Flush(temporary), file->path, "could not be flushed to disk in " + temporary)) {
        RemoveTemporaries();
        return Take();
      }
    }
    if (!RemoveBackups(oldFiles, files) || !Commit(entries)) {
      RemoveTemporaries();
      return Take();
    }
    if (!RollForward(entries)) {
      UndoAfterFailure(entries);
      return Take();
    }
    if (!KeepCommitAsBackupList()) return Take();
    return Succeed();
  }

  // Step 1: a commit file that is whole is carried out; temporaries without
  // one are removed.
  bool Finish() {
    const std::string commit = CommitName(projectFile_);
    const FileContents contents = fs_.Read(commit, kMaxCommitFileBytes);
    if (contents.status == ReadStatus::kFailed) {
      return Fail(commit, "cannot be read (" + contents.reason + "): an interrupted save cannot be finished");
    }
    std::vector<CommitEntry> entries;
    if (contents.status == ReadStatus::kOk && ParseCommitFile(contents.bytes, entries)) {
      if (!RollForward(entries)) return false;
      if (!KeepCommitAsBackupList()) return false;
      return RemoveTemporaries();
    }
    if (contents.status != ReadStatus::kMissing) {
      // Written through a temporary and renamed, a commit file is never cut
      // short by a crash; one that is damaged all the same cannot be
      // carried out, and the files it names are still as they were.
      Warn(commit, "is damaged and was removed: the save it began is undone");
      if (!Check(fs_.Remove(commit), commit, "could not be removed")) return false;
    }
    return RemoveTemporaries();
  }

  ReadResult Open() {
    ReadResult refused;
    if (!Finish()) {
      refused.diagnostics = std::move(result_.diagnostics);
      return refused;
    }
    ReadResult read =
        ReadFrom([this](const std::string& path, std::size_t maxBytes) { return fs_.Read(path, maxBytes); });
    read.diagnostics.insert(read.diagnostics.begin(), result_.diagnostics.begin(), result_.diagnostics.end());
    return read;
  }

  ReadResult OpenBackup() {
    const std::string list = Suffixed(CommitName(projectFile_), kBackupSuffix);
    const FileContents contents = fs_.Read(list, kMaxCommitFileBytes);
    std::vector<CommitEntry> entries;
    if (contents.status != ReadStatus::kOk || !ParseCommitFile(contents.bytes, entries)) {
      ReadResult none;
      none.diagnostics.push_back({Severity::kError, projectFile_, 0, "has no backup of an earlier version"});
      return none;
    }
    std::unordered_set<std::string> replaced;
    for (const CommitEntry& entry : entries) replaced.insert(PathKey(entry.path));
    return ReadFrom([this, &replaced](const std::string& path, std::size_t maxBytes) {
      if (replaced.count(PathKey(path)) == 0) return fs_.Read(path, maxBytes);
      // Replaced by the last save: the backup, or nothing when the file
      // was new then.
      const std::string backup = Suffixed(path, kBackupSuffix);
      return fs_.Exists(backup) ? fs_.Read(backup, maxBytes) : FileContents{};
    });
  }

  SaveResult RemoveAll() {
    std::vector<std::string> names;
    if (!Check(fs_.List(names), ".", "cannot be listed")) return Take();
    // The commit file first, so that nothing brings the copy back; then the
    // project file, so that no half-removed copy opens.
    const std::string commit = CommitName(projectFile_);
    for (const std::string& path : {commit, projectFile_}) {
      if (!Check(fs_.Remove(path), path, "could not be removed")) return Take();
    }
    for (const std::string& name : names) {
      std::string_view base = name;
      for (std::string_view suffix : {kTemporarySuffix, kBackupSuffix}) {
        if (EndsWith(base, suffix)) base.remove_suffix(suffix.size());
      }
      if (IsManagedName(base, projectFile_) && !Check(fs_.Remove(name), name, "could not be removed")) {
        return Take();
      }
    }
    return Succeed();
  }

  SaveResult Take() { return std::move(result_); }

 private:
  template <typename ReadFn>
  ReadResult ReadFrom(ReadFn read) {
    const FileContents project = read(projectFile_, kMaxProjectFileBytes);
    if (project.status != ReadStatus::kOk) {
      ReadResult refused;
      refused.diagnostics.push_back({Severity::kError, projectFile_, 0,
                                     project.status == ReadStatus::kMissing ? "is missing"
                                     : project.status == ReadStatus::kTooLarge
                                         ? "is larger than a project file may be"
                                         : "cannot be read (" + project.reason + ")"});
      return refused;
    }
    return ReadProject(projectFile_, project.bytes, read);
  }

  // The files the project on disk names now, so that those the new one no
  // longer names can go; none when it cannot be read whole.
  std::vector<std::string> FilesOfSavedProject() {
    ReadResult saved =
        ReadFrom([this](const std::string& path, std::size_t maxBytes) { return fs_.Read(path, maxBytes); });
    return saved.Refused() ? std::vector<std::string>{} : std::move(saved.files);
  }

  bool ReadsBackAs(const std::vector<ProjectFile>& files, const Project& project) {
    std::unordered_map<std::string, const std::string*> byPath;
    for (const ProjectFile& file : files) byPath.emplace(file.path, &file.bytes);
    const ReadResult read =
        ReadProject(projectFile_, files[0].bytes, [&](const std::string& path, std::size_t) {
          auto found = byPath.find(path);
          return found == byPath.end() ? FileContents{} : FileContents{ReadStatus::kOk, *found->second, {}};
        });
    if (!read.Refused() && (*read.project == project || *read.project == AsReadBack(project))) return true;
    // What the reader said explains it: its errors, or the warnings of what
    // it would have changed (a counter below a number in use).
    result_.diagnostics.insert(result_.diagnostics.end(), read.diagnostics.begin(), read.diagnostics.end());
    return Fail(projectFile_, "was not saved: written, it would not open again as it is");
  }

  bool Commit(const std::vector<CommitEntry>& entries) {
    const std::string commit = CommitName(projectFile_);
    const std::string temporary = Suffixed(commit, kTemporarySuffix);
    return Check(fs_.Write(temporary, CommitFileText(entries)), temporary, "could not be written") &&
           Check(fs_.Flush(temporary), temporary, "could not be flushed to disk") &&
           Check(fs_.Replace(temporary, commit), commit, "could not be made from " + temporary);
  }

  // Each step looks at what is on disk, so that carrying out a commit again
  // after a crash in the middle of it does no harm.
  bool RollForward(const std::vector<CommitEntry>& entries) {
    for (const CommitEntry& entry : entries) {
      const std::string backup = Suffixed(entry.path, kBackupSuffix);
      const std::string temporary = Suffixed(entry.path, kTemporarySuffix);
      if (entry.replace && !fs_.Exists(temporary)) continue;
      if (fs_.Exists(entry.path) &&
          !Check(fs_.Replace(entry.path, backup), entry.path, "could not be moved to its backup " + backup)) {
        return false;
      }
      if (entry.replace &&
          !Check(fs_.Replace(temporary, entry.path), entry.path, "could not be replaced by " + temporary)) {
        return false;
      }
    }
    return true;
  }

  // A step after the commit failed: put back what was done, newest first,
  // and withdraw the commit. If that fails too, the commit stays and the
  // next open carries it out.
  void UndoAfterFailure(const std::vector<CommitEntry>& entries) {
    bool undone = true;
    for (auto it = entries.rbegin(); it != entries.rend() && undone; ++it) {
      const std::string backup = Suffixed(it->path, kBackupSuffix);
      const std::string temporary = Suffixed(it->path, kTemporarySuffix);
      if (it->replace && !fs_.Exists(temporary) && fs_.Exists(it->path)) {
        undone = Check(fs_.Replace(it->path, temporary), it->path, "could not be put back");
      }
      if (undone && fs_.Exists(backup) && !fs_.Exists(it->path)) {
        undone = Check(fs_.Replace(backup, it->path), it->path, "could not be put back from " + backup);
      }
    }
    const std::string commit = CommitName(projectFile_);
    if (undone && Check(fs_.Remove(commit), commit, "could not be removed")) {
      RemoveTemporaries();
      Fail(projectFile_, "was not saved; the files are as they were before");
    } else {
      Fail(projectFile_, "was saved only in part; the save is finished when the project is next opened");
    }
  }

  bool KeepCommitAsBackupList() {
    const std::string commit = CommitName(projectFile_);
    const std::string list = Suffixed(commit, kBackupSuffix);
    return Check(fs_.Replace(commit, list), commit, "could not be renamed " + list);
  }

  // Backups of the version before last: the list first, so that a crash
  // between the removals leaves no list that names missing backups.
  bool RemoveBackups(const std::vector<std::string>& oldFiles, const std::vector<ProjectFile>& files) {
    const std::string list = Suffixed(CommitName(projectFile_), kBackupSuffix);
    if (!Check(fs_.Remove(list), list, "could not be removed")) return false;
    std::vector<std::string> backups = ManagedNamesEndingIn(kBackupSuffix);
    for (const std::string& path : oldFiles) backups.push_back(Suffixed(path, kBackupSuffix));
    for (const ProjectFile& file : files) backups.push_back(Suffixed(file.path, kBackupSuffix));
    for (const std::string& backup : backups) {
      if (fs_.Exists(backup) && !Check(fs_.Remove(backup), backup, "could not be removed")) return false;
    }
    return true;
  }

  bool RemoveTemporaries() {
    for (const std::string& temporary : ManagedNamesEndingIn(kTemporarySuffix)) {
      if (!Check(fs_.Remove(temporary), temporary, "could not be removed")) return false;
    }
    return true;
  }

  std::vector<std::string> ManagedNamesEndingIn(std::string_view suffix) {
    std::vector<std::string> names;
    std::vector<std::string> found;
    if (!fs_.List(names).ok) return found;
    for (const std::string& name : names) {
      if (!EndsWith(name, suffix)) continue;
      if (IsManagedName(std::string_view(name).substr(0, name.size() - suffix.size()), projectFile_)) {
        found.push_back(name);
      }
    }
    return found;
  }

  bool Check(const FsResult& result, const std::string& file, const std::string& what) {
    if (result.ok) return true;
    return Fail(file, what + (result.reason.empty() ? "" : ": " + result.reason));
  }

  bool Fail(const std::string& file, std::string message) {
    result_.ok = false;
    result_.diagnostics.push_back({Severity::kError, file, 0, std::move(message)});
    return false;
  }

  void Warn(const std::string& file, std::string message) {
    result_.diagnostics.push_back({Severity::kWarning, file, 0, std::move(message)});
  }

  SaveResult Succeed() {
    result_.ok = true;
    return Take();
  }

  FileSystem& fs_;
  std::string projectFile_;
  SaveResult result_;
};

}  // namespace

SaveResult SaveProject(FileSystem& folder, std::string_view projectFileName, const Project& project) {
  return Store(folder, projectFileName).Save(project);
}

ReadResult OpenProject(FileSystem& folder, std::string_view projectFileName) {
  return Store(folder, projectFileName).Open();
}

ReadResult OpenBackup(FileSystem& folder, std::string_view projectFileName) {
  return Store(folder, projectFileName).OpenBackup();
}

SaveResult FinishInterruptedSave(FileSystem& folder, std::string_view projectFileName) {
  Store store(folder, projectFileName);
  const bool finished = store.Finish();
  SaveResult result = store.Take();
  result.ok = finished;
  return result;
}

bool HasRecoveryCopy(FileSystem& recoveryFolder, std::string_view projectFileName) {
  return recoveryFolder.Exists(std::string(projectFileName)) ||
         recoveryFolder.Exists(CommitName(projectFileName));
}

SaveResult RemoveRecoveryCopy(FileSystem& recoveryFolder, std::string_view projectFileName) {
  return Store(recoveryFolder, projectFileName).RemoveAll();
}

}  // namespace kelp
