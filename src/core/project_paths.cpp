#include "core/project_paths.h"

#include <array>

namespace kelp {
namespace {

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// Names Windows opens as devices in every folder, whatever extension
// follows. The superscript COM and LPT digits are bytes above 127, which no
// path may hold.
constexpr std::array<std::string_view, 6> kDeviceNames = {"con", "prn", "aux", "nul", "conin$", "conout$"};

bool IsDeviceName(std::string_view component) {
  std::string_view base = component.substr(0, component.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (std::string_view device : kDeviceNames) {
    if (EqualsIgnoringCase(base, device)) return true;
  }
  const bool numbered = base.size() == 4 && (EqualsIgnoringCase(base.substr(0, 3), "com") ||
                                             EqualsIgnoringCase(base.substr(0, 3), "lpt"));
  return numbered && base[3] >= '0' && base[3] <= '9';
}

constexpr std::string_view kForbiddenInNames = "<>:\"|?*";

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// Reads a number written the way the writer writes one: decimal, no
// leading zero, at most `largest`.
bool ConsumeNumber(std::string_view& text, std::uint64_t largest) {
  std::size_t digits = 0;
  std::uint64_t value = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && digits < 11) {
    value = value * 10 + static_cast<std::uint64_t>(text[digits] - '0');
    ++digits;
  }
  if (digits == 0 || (digits > 1 && text[0] == '0') || value > largest) return false;
  text.remove_prefix(digits);
  return true;
}

bool ConsumeLiteral(std::string_view& text, std::string_view literal) {
  if (text.substr(0, literal.size()) != literal) return false;
  text.remove_prefix(literal.size());
  return true;
}

std::string NumberedName(std::string_view prefix, std::uint32_t number, std::string_view extension) {
  std::string name(prefix);
  name += std::to_string(number);
  name += extension;
  return name;
}

}  // namespace

std::string FormFileName(std::uint32_t formNumber) {
  return NumberedName("Form", formNumber, kFormFileExtension);
}

std::string FormCodeFileName(std::uint32_t formNumber) {
  return NumberedName("Form", formNumber, kCodeFileExtension);
}

std::string ControlCodeFileName(std::uint32_t formNumber, std::uint32_t kind, std::uint32_t number) {
  const char* prefix = KindPrefix(kind);
  if (prefix == nullptr) return {};
  return NumberedName("Form", formNumber, ".") + NumberedName(prefix, number, kCodeFileExtension);
}

std::string ModuleFileName(std::uint32_t number) {
  return NumberedName("Module", number, kCodeFileExtension);
}

std::string ClassModuleFileName(std::uint32_t number) {
  return NumberedName("Class", number, kCodeFileExtension);
}

bool IsPartFileName(std::string_view name) {
  constexpr std::uint64_t kLargestNumber = 0xFFFFFFFFu;
  if (ConsumeLiteral(name, "Module") || ConsumeLiteral(name, "Class")) {
    return ConsumeNumber(name, kLargestNumber) && name == kCodeFileExtension;
  }
  if (!ConsumeLiteral(name, "Form") || !ConsumeNumber(name, kLargestNumber)) return false;
  if (name == kFormFileExtension || name == kCodeFileExtension) return true;
  if (!ConsumeLiteral(name, ".")) return false;
  std::size_t prefixLength = 0;
  while (prefixLength < name.size() && !(name[prefixLength] >= '0' && name[prefixLength] <= '9')) {
    ++prefixLength;
  }
  if (!KindOfPrefix(name.substr(0, prefixLength))) return false;
  name.remove_prefix(prefixLength);
  return ConsumeNumber(name, kMaxControlNumber) && name == kCodeFileExtension;
}

std::string PathComponentProblem(std::string_view component) {
  if (component.empty()) return "has an empty part";
  if (component == "." || component == "..")
    return "has a part " + Quoted(component) + ", which leaves its folder";
  if (component.size() > 255) return "has a part longer than 255 bytes";
  for (char c : component) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E) return "holds a byte that is not printable ASCII in " + Quoted(component);
    if (kForbiddenInNames.find(c) != std::string_view::npos || IsSeparator(c)) {
      return "holds the character '" + std::string(1, c) + "', which a file name cannot have";
    }
  }
  if (component.back() == '.' || component.back() == ' ') {
    return "has a part " + Quoted(component) + " ending in a dot or a blank, which Windows drops";
  }
  if (IsDeviceName(component)) return "names the device " + Quoted(component) + ", not a file";
  return {};
}

std::string PathProblem(std::string_view path) {
  if (path.empty()) return "is empty";
  if (IsSeparator(path[0])) return "is absolute (it starts at the root of a drive or a server)";
  if (path.size() >= 2 && path[1] == ':') return "names a drive (" + std::string(path.substr(0, 2)) + ")";
  if (path.size() > kMaxRelativePathBytes) {
    return "is longer than " + std::to_string(kMaxRelativePathBytes) + " bytes";
  }
  std::size_t start = 0;
  while (true) {
    std::size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    std::string problem = PathComponentProblem(path.substr(start, end - start));
    if (!problem.empty()) return problem;
    if (end == path.size()) return {};
    start = end + 1;
  }
}

std::string ProjectFileNameProblem(std::string_view name) {
  std::string problem = PathComponentProblem(name);
  if (!problem.empty()) return problem;
  if (!EndsWith(name, kProjectFileExtension) || name.size() == kProjectFileExtension.size()) {
    return "does not end in " + std::string(kProjectFileExtension);
  }
  return {};
}

std::string FieldTextProblem(std::string_view text, std::size_t maxBytes) {
  if (text.size() > maxBytes) {
    return "is " + std::to_string(text.size()) + " bytes long; it holds at most " + std::to_string(maxBytes);
  }
  if (text.find('\0') != std::string_view::npos) return "holds a zero byte, which would end the text there";
  return {};
}

std::string PathKey(std::string_view path) {
  std::string key(path);
  for (char& c : key) c = IsSeparator(c) ? '/' : LowerAscii(c);
  return key;
}

}  // namespace kelp
