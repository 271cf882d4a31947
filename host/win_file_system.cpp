#include "win_file_system.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace kelp::host {
namespace {

struct FileCloser {
  using pointer = HANDLE;
  void operator()(HANDLE file) const {
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  }
};
using UniqueFile = std::unique_ptr<void, FileCloser>;

UniqueFile OpenFile(const std::string& path, DWORD access, DWORD disposition) {
  HANDLE file = ::CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

FsResult Failed() {
  return FsFailed(LastErrorReason());
}

// Windows renames over a read-only file and deletes one only when asked
// twice; a save must not replace what the user protected.
bool IsReadOnly(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace

std::string LastErrorReason() {
  const DWORD error = ::GetLastError();
  switch (error) {
    case ERROR_ACCESS_DENIED:
      return "access is denied";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "the disk is full";
    case ERROR_WRITE_PROTECT:
      return "the disk is write-protected";
    case ERROR_PATH_NOT_FOUND:
      return "the folder does not exist";
    case ERROR_FILE_NOT_FOUND:
      return "the file does not exist";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "another program has the file open";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return "the name is not allowed";
    default:
      break;
  }
  char text[256] = {};
  const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                        0, text, sizeof(text), nullptr);
  std::string reason = length > 0 ? std::string(text, length) : "error " + std::to_string(error);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.')) {
    reason.pop_back();
  }
  return reason;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutExtension(const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

bool MakeFolders(const std::string& folder) {
  if (folder.empty()) return false;
  const DWORD attributes = ::GetFileAttributesA(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const std::string parent = FolderOf(folder);
  if (parent != folder && parent.size() > 2) MakeFolders(parent);
  return ::CreateDirectoryA(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

WinFileSystem::WinFileSystem(std::string folder) : folder_(std::move(folder)) {
  while (folder_.size() > 3 && (folder_.back() == '\\' || folder_.back() == '/')) folder_.pop_back();
  if (const char* step = std::getenv("KELP_TEST_KILL_AT_FILE_STEP")) killAtStep_ = std::atol(step);
}

std::string WinFileSystem::Full(const std::string& path) const {
  std::string full = folder_;
  if (full.back() != '\\' && full.back() != '/') full += '\\';
  for (char c : path) full += c == '/' ? '\\' : c;
  return full;
}

void WinFileSystem::MaybeDie(HANDLE file, std::string_view bytes) {
  if (killAtStep_ <= 0 || ++steps_ != killAtStep_) return;
  if (file != INVALID_HANDLE_VALUE && !bytes.empty()) {
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size() / 2), &written, nullptr);
  }
  ::TerminateProcess(::GetCurrentProcess(), 3);
}

FsResult WinFileSystem::Write(const std::string& path, std::string_view bytes) {
  const std::string full = Full(path);
  if (IsReadOnly(full)) return FsFailed("the file is read-only");
  UniqueFile file = OpenFile(full, GENERIC_WRITE, CREATE_ALWAYS);
  if (!file) return Failed();
  MaybeDie(file.get(), bytes);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return Failed();
    done += written;
  }
  return FsOk();
}

FsResult WinFileSystem::Flush(const std::string& path) {
  UniqueFile file = OpenFile(Full(path), GENERIC_WRITE, OPEN_EXISTING);
  if (!file) return Failed();
  MaybeDie();
  if (!::FlushFileBuffers(file.get())) return Failed();
  return FsOk();
}

FsResult WinFileSystem::Replace(const std::string& from, const std::string& to) {
  const std::string source = Full(from);
  const std::string target = Full(to);
  // Moving a protected file aside to its backup would let the save replace
  // it all the same.
  if (IsReadOnly(source) || IsReadOnly(target)) return FsFailed("the file is read-only");
  MaybeDie();
  if (!::MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return Failed();
  }
  return FsOk();
}

FsResult WinFileSystem::Remove(const std::string& path) {
  const std::string full = Full(path);
  if (IsReadOnly(full)) return FsFailed("the file is read-only");
  MaybeDie();
  if (!::DeleteFileA(full.c_str())) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return FsOk();
    ::SetLastError(error);
    return Failed();
  }
  return FsOk();
}

FileContents WinFileSystem::Read(const std::string& path, std::size_t maxBytes) {
  FileContents contents;
  HANDLE raw = ::CreateFileA(Full(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      contents.status = ReadStatus::kMissing;
    } else {
      contents.status = ReadStatus::kFailed;
      contents.reason = LastErrorReason();
    }
    return contents;
  }
  UniqueFile file(raw);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) {
    contents.status = ReadStatus::kFailed;
    contents.reason = LastErrorReason();
    return contents;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    contents.status = ReadStatus::kTooLarge;
    return contents;
  }
  contents.bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < contents.bytes.size()) {
    DWORD got = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.bytes.size() - done, 1u << 20));
    if (!::ReadFile(file.get(), contents.bytes.data() + done, chunk, &got, nullptr)) {
      contents.status = ReadStatus::kFailed;
      contents.reason = LastErrorReason();
      contents.bytes.clear();
      return contents;
    }
    if (got == 0) break;  // the file shrank while it was read
    done += got;
  }
  contents.bytes.resize(done);
  contents.status = ReadStatus::kOk;
  return contents;
}

bool WinFileSystem::Exists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(Full(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

FsResult WinFileSystem::List(std::vector<std::string>& names) {
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA(Full("*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    if (::GetLastError() == ERROR_FILE_NOT_FOUND) return FsOk();
    return Failed();
  }
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(found.cFileName);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return FsOk();
}

}  // namespace kelp::host
