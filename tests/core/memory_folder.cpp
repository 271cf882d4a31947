#include "memory_folder.h"

namespace kelp::test {

std::optional<FsResult> MemoryFolder::Stopped() {
  if (crashed) return FsFailed("the machine has stopped");
  if (crashAfter && operations == *crashAfter) {
    crashed = true;
    return FsFailed("the machine has stopped");
  }
  ++operations;
  if (readOnlyFolder) return FsFailed("the folder is read-only");
  return std::nullopt;
}

FsResult MemoryFolder::Write(const std::string& path, std::string_view bytes) {
  if (auto stopped = Stopped()) {
    // Stopped in the middle of writing: half the bytes, never flushed.
    if (crashed && !readOnlyFolder) files[path] = {std::string(bytes.substr(0, bytes.size() / 2)), false};
    return *stopped;
  }
  if (path == refusedName) return FsFailed("the file system refuses the name");
  if (files.count(path) != 0 && files[path].readOnly) return FsFailed("the file is read-only");
  if (freeBytes) {
    if (bytes.size() > *freeBytes) {
      files[path] = {};
      return FsFailed("the disk is full");
    }
    *freeBytes -= bytes.size();
  }
  files[path] = {std::string(bytes), false};
  return FsOk();
}

FsResult MemoryFolder::Flush(const std::string& path) {
  if (auto stopped = Stopped()) return *stopped;
  if (files.count(path) == 0) return FsFailed("no such file");
  files[path].durable = true;
  return FsOk();
}

FsResult MemoryFolder::Replace(const std::string& from, const std::string& to) {
  if (auto stopped = Stopped()) return *stopped;
  if (to == refusedName) return FsFailed("the file system refuses the name");
  if (files.count(from) == 0) return FsFailed("no such file");
  if (files[from].readOnly || (files.count(to) != 0 && files[to].readOnly))
    return FsFailed("the file is read-only");
  File moved = files[from];
  files.erase(from);
  files[to] = moved;
  return FsOk();
}

FsResult MemoryFolder::Remove(const std::string& path) {
  if (auto stopped = Stopped()) return *stopped;
  if (files.count(path) != 0 && files[path].readOnly) return FsFailed("the file is read-only");
  files.erase(path);
  return FsOk();
}

FileContents MemoryFolder::Read(const std::string& path, std::size_t maxBytes) {
  if (crashed) return {ReadStatus::kFailed, {}, "the machine has stopped"};
  auto found = files.find(path);
  if (found == files.end()) return {};
  if (found->second.bytes.size() > maxBytes) return {ReadStatus::kTooLarge, {}, {}};
  return {ReadStatus::kOk, found->second.bytes, {}};
}

FsResult MemoryFolder::List(std::vector<std::string>& names) {
  names.clear();
  for (const auto& [name, file] : files) names.push_back(name);
  return FsOk();
}

void MemoryFolder::Restart() {
  for (auto& [name, file] : files) {
    if (!file.durable) file.bytes.resize(file.bytes.size() / 2);
    file.durable = true;
  }
  crashAfter.reset();
  crashed = false;
  operations = 0;
}

MemoryFiles MemoryFolder::Contents() const {
  MemoryFiles contents;
  for (const auto& [name, file] : files) contents[name] = file.bytes;
  return contents;
}

}  // namespace kelp::test
