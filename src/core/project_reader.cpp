#include "core/project_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/project_fields.h"
#include "core/project_paths.h"
#include "core/project_text.h"

namespace kelp {
namespace {

// Enough for any path a person would write; PathProblem says what is wrong
// with a long one.
constexpr std::size_t kMaxPathTextBytes = 1024;
constexpr std::int64_t kLargestNumber = 0xFFFFFFFF;

struct Place {
  std::string file;
  std::uint32_t line = 0;
};

std::string Describe(const Place& place) {
  return place.line == 0 ? place.file : place.file + ", line " + std::to_string(place.line);
}

std::string Quoted(std::string_view text) {
  return text.empty() ? "\"\"" : Excerpt(text);
}

std::string SizeText(std::size_t bytes) {
  return std::to_string(bytes >> 20) + " MB";
}

// The next line that holds more than blanks.
bool NextContentLine(LineSplitter& lines, std::string_view& line) {
  while (lines.Next(line)) {
    if (!LineCursor(line).AtEnd()) return true;
  }
  return false;
}

// "Button0" after Begin: a kind's base name and a number written without
// leading zeros.
struct BlockName {
  std::string_view prefix;
  std::int64_t number = 0;
};

bool SplitBlockName(std::string_view word, BlockName& name) {
  std::size_t digits = 0;
  while (digits < word.size() && !(word[digits] >= '0' && word[digits] <= '9')) ++digits;
  name.prefix = word.substr(0, digits);
  const std::string_view number = word.substr(digits);
  if (number.empty() || number.size() > 10 || (number.size() > 1 && number[0] == '0')) return false;
  name.number = 0;
  for (char c : number) {
    if (c < '0' || c > '9') return false;
    name.number = name.number * 10 + (c - '0');
  }
  return name.number <= kLargestNumber;
}

// Reads the value of one property line into the matching field of a form
// or a control (VisitFields calls it once for every field).
class FieldReader {
 public:
  FieldReader(std::string_view key, LineCursor& cursor) : key_(key), cursor_(cursor) {}

  void Text(std::string_view name, std::string& value, const std::string&, std::size_t maxBytes) {
    if (Matches(name) && !cursor_.Text(value, maxBytes)) Fail(cursor_.Error());
  }

  // What equals the default is emptied once the whole project is read
  // (EmptyDefaultFormTexts): the default depends on other properties.
  void TextOrDefault(std::string_view name, std::string& value, const std::string& byDefault,
                     std::size_t maxBytes) {
    Text(name, value, byDefault, maxBytes);
  }

  template <typename T>
  void Number(std::string_view name, T& value, const T&, const NumberRule& rule) {
    if (!Matches(name)) return;
    std::int64_t number = 0;
    if (!cursor_.Number(number)) return Fail(cursor_.Error());
    if (InRange(std::string(name), number, rule)) value = static_cast<T>(number);
  }

  void Place(std::string_view name, std::optional<WindowPlace>& value, const std::optional<WindowPlace>&) {
    if (!Matches(name)) return;
    std::int64_t parts[std::size(kPlaceParts)] = {};
    for (std::size_t i = 0; i < std::size(parts); ++i) {
      if ((i > 0 && !cursor_.Literal(',')) || !cursor_.Number(parts[i])) {
        return Fail(cursor_.Error() + " (" + std::string(name) + " = left, top, width, height)");
      }
      const std::string what = "the " + std::string(kPlaceParts[i]) + " of " + std::string(name);
      if (!InRange(what, parts[i], kPlaceRules[i])) return;
    }
    value = WindowPlace{static_cast<std::int32_t>(parts[0]), static_cast<std::int32_t>(parts[1]),
                        static_cast<std::int32_t>(parts[2]), static_cast<std::int32_t>(parts[3])};
  }

  void Brush(std::string_view name, BackBrush& value, const BackBrush&) {
    if (!Matches(name)) return;
    const std::string_view word = cursor_.Word();
    std::int64_t index = 0;
    if (word == kBrushNone) {
      value = {};
    } else if (word == kBrushPicked) {
      value = {BrushKind::kPicked, 0};
    } else if (word != kBrushSystemColour) {
      Fail("BackBrush is None, Picked or SystemColour and an index, not " + Excerpt(word));
    } else if (!cursor_.Number(index)) {
      Fail(cursor_.Error());
    } else if (index < 0 || index > kLargestSystemColour) {
      Fail("a system colour index runs from 0 to " + std::to_string(kLargestSystemColour) + ", not " +
           std::to_string(index));
    } else {
      value = SystemColourBrush(static_cast<std::uint32_t>(index));
    }
  }

  int Matched() const { return matched_; }
  const std::string& Error() const { return error_; }

 private:
  bool InRange(const std::string& what, std::int64_t number, const NumberRule& rule) {
    if (number >= rule.least && number <= rule.most) return true;
    Fail(what + " must lie between " + std::to_string(rule.least) + " and " + std::to_string(rule.most) +
         ", not " + std::to_string(number));
    return false;
  }
  bool Matches(std::string_view name) {
    const int index = next_++;
    if (matched_ >= 0 || name != key_) return false;
    matched_ = index;
    return true;
  }
  void Fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
  }

  std::string_view key_;
  LineCursor& cursor_;
  int next_ = 0;
  int matched_ = -1;
  std::string error_;
};

// Whether a form has a property of that name, to tell a control's reader
// that it put a form's property in the wrong block.
bool IsFormKey(std::string_view key) {
  Form form;
  LineCursor noValue("");
  FieldReader reader(key, noValue);
  VisitFields(form, form, reader);
  return reader.Matched() >= 0;
}

// Where each property of the object being read was given, to refuse one
// given twice; the last slot is for Code.
using SeenLines = std::array<std::uint32_t, kMostFieldCount + 1>;

class Reader {
 public:
  explicit Reader(const ReadFileFn& readFile) : readFile_(readFile) {}

  ReadResult Run(std::string_view projectFileName, std::string_view bytes) {
    projectFile_ = std::string(projectFileName);
    paths_.emplace(PathKey(projectFile_), Place{projectFile_, 0});
    Project project;
    if (bytes.size() > kMaxProjectFileBytes) {
      Error(projectFile_, 0,
            "is larger than the " + SizeText(kMaxProjectFileBytes) + " a project file may hold");
    } else if (ReadProjectFile(bytes, project)) {
      ReadForms(project);
      if (!refused_) CheckProject(project);
    }
    if (dropped_ > 0) {
      Report(Severity::kWarning, projectFile_, 0, std::to_string(dropped_) + " more problems are not listed");
    }
    if (!refused_) result_.project = std::move(project);
    return std::move(result_);
  }

 private:
  struct FormRef {
    std::string path;
    std::uint32_t line;
  };
  struct NumberRef {
    std::optional<std::uint32_t> value;
    std::uint32_t line = 0;
  };

  // --- Diagnostics ---

  void Report(Severity severity, const std::string& file, std::uint32_t line, std::string message) {
    if (result_.diagnostics.size() >= kMaxDiagnostics) {
      ++dropped_;
      return;
    }
    result_.diagnostics.push_back({severity, file, line, std::move(message)});
  }
  bool Error(const std::string& file, std::uint32_t line, std::string message) {
    refused_ = true;
    Report(Severity::kError, file, line, std::move(message));
    return false;
  }
  void Warning(const std::string& file, std::uint32_t line, std::string message) {
    Report(Severity::kWarning, file, line, std::move(message));
  }

  // --- Files ---

  // What every Kelp text file is: not empty, not binary, ANSI, with a
  // header naming its kind and a version this reader knows.
  bool OpenTextFile(const std::string& file, std::string_view bytes, std::string_view header,
                    LineSplitter& lines) {
    if (bytes.empty()) return Error(file, 0, "is empty");
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
      return Error(file, 1,
                   "starts with a UTF-8 byte-order mark: Kelp files are ANSI text, save it without one");
    }
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
      return Error(file, 1, "is UTF-16 text: Kelp files are ANSI text");
    }
    const std::size_t zero = bytes.find('\0');
    if (zero != std::string_view::npos) {
      const auto line = static_cast<std::uint32_t>(std::count(bytes.begin(), bytes.begin() + zero, '\n') + 1);
      return Error(file, line, "holds a zero byte: it is not a text file");
    }
    std::string_view line;
    lines.Next(line);
    LineCursor cursor(line);
    const std::string expected = std::string(header) + " " + std::to_string(kFormatVersion);
    std::int64_t version = 0;
    if (cursor.Word() != header) {
      return Error(file, 1,
                   "is not a Kelp " + std::string(header == kFormFileHeader ? "form" : "project") +
                       " file: its first line should be " + Quoted(expected));
    }
    if (!cursor.Number(version) || !cursor.AtEnd() || version < 1) {
      return Error(file, 1, "has a damaged first line: it should be " + Quoted(expected));
    }
    if (version > kFormatVersion) {
      return Error(file, 1,
                   "was written by a newer Kelp (format version " + std::to_string(version) +
                       "); this one reads version " + std::to_string(kFormatVersion));
    }
    return true;
  }

  // A path named at a line: safe, and named nowhere else in the project.
  bool TakePath(const std::string& file, std::uint32_t line, const std::string& path) {
    const std::string problem = PathProblem(path);
    if (!problem.empty()) return Error(file, line, "the path " + Quoted(path) + " " + problem);
    auto [first, fresh] = paths_.emplace(PathKey(path), Place{file, line});
    if (!fresh) {
      const Place& other = first->second;
      return Error(
          file, line,
          "the file " + Quoted(path) +
              (other.line == 0 ? " is the project file itself" : " is already named at " + Describe(other)));
    }
    result_.files.push_back(path);
    return true;
  }

  // Fetches a named file; false (with the error) when the open must be refused.
  bool Fetch(const std::string& path, std::size_t maxBytes, const Place& namedAt, FileContents& contents,
             bool missingIsError) {
    contents = readFile_ ? readFile_(path, maxBytes) : FileContents{};
    if (contents.status == ReadStatus::kOk && contents.bytes.size() > maxBytes) {
      contents.status = ReadStatus::kTooLarge;
    }
    switch (contents.status) {
      case ReadStatus::kOk:
        return true;
      case ReadStatus::kMissing:
        if (missingIsError) return Error(path, 0, "is missing (named at " + Describe(namedAt) + ")");
        Warning(path, 0, "is missing (named at " + Describe(namedAt) + "): its code window opens empty");
        contents.bytes.clear();
        return true;
      case ReadStatus::kTooLarge:
        return Error(path, 0, "is larger than the " + SizeText(maxBytes) + " such a file may hold");
      case ReadStatus::kFailed:
        break;
    }
    return Error(path, 0, "cannot be read" + (contents.reason.empty() ? "" : " (" + contents.reason + ")"));
  }

  bool ReadCode(const std::string& file, std::uint32_t line, std::string& path, std::string& code) {
    if (!TakePath(file, line, path)) return false;
    FileContents contents;
    if (!Fetch(path, kMaxCodeFileBytes, {file, line}, contents, false)) return false;
    if (contents.bytes.find('\0') != std::string::npos) {
      Warning(path, 0, "holds a zero byte: a code window shows its text only up to the first one");
    }
    code = std::move(contents.bytes);
    return true;
  }

  // --- The project file ---

  bool ReadProjectFile(std::string_view bytes, Project& project) {
    const std::string& file = projectFile_;
    LineSplitter lines(bytes);
    if (!OpenTextFile(file, bytes, kProjectFileHeader, lines)) return false;
    std::string_view line;
    if (!NextContentLine(lines, line)) return Error(file, lines.LineNumber(), "ends before Begin Project");
    {
      LineCursor cursor(line);
      if (cursor.Word() != "Begin" || cursor.Word() != "Project" || !cursor.AtEnd()) {
        return Error(file, lines.LineNumber(), "expected Begin Project, found " + Excerpt(line));
      }
    }
    std::optional<std::string> name;
    std::unordered_map<std::string_view, std::uint32_t> seen;
    while (true) {
      if (!NextContentLine(lines, line)) {
        return Error(file, lines.LineNumber(), "ends before the End of the project: the file is cut short");
      }
      const std::uint32_t at = lines.LineNumber();
      LineCursor cursor(line);
      const std::string_view key = cursor.Word();
      if (key == "End") {
        if (!cursor.AtEnd()) return Error(file, at, "unexpected " + Excerpt(cursor.Rest()) + " after End");
        break;
      }
      if (key.empty() || key == "Begin") {
        return Error(file, at, "expected a property (Name = value) or End, found " + Excerpt(line));
      }
      const bool listed = key == "Setting" || key == "Form" || key == "Module" || key == "ClassModule";
      if (!listed) {
        auto [first, fresh] = seen.emplace(key, at);
        if (!fresh) {
          return Error(
              file, at,
              std::string(key) + " is given twice (first at line " + std::to_string(first->second) + ")");
        }
      }
      if (!cursor.Literal('=')) return Error(file, at, cursor.Error());
      std::string problem;
      if (!ReadProjectProperty(key, cursor, at, project, name, problem)) {
        return problem.empty() ? false : Error(file, at, problem);
      }
      if (!cursor.AtEnd())
        return Error(file, at, "unexpected " + Excerpt(cursor.Rest()) + " after the value");
    }
    if (NextContentLine(lines, line)) {
      return Error(file, lines.LineNumber(), "holds " + Excerpt(line) + " after the End of the project");
    }
    project.name = name ? *name : "Project" + std::to_string(project.number);
    return true;
  }

  // One property line of the project file. False with a problem for this
  // line, or with none when the error is already reported.
  bool ReadProjectProperty(std::string_view key, LineCursor& cursor, std::uint32_t at, Project& project,
                           std::optional<std::string>& name, std::string& problem) {
    std::int64_t number = 0;
    const auto readNumber = [&](std::int64_t least) {
      if (!cursor.Number(number)) {
        problem = cursor.Error();
      } else if (number < least) {
        problem = std::string(key) + " must be at least " + std::to_string(least);
      }
      return problem.empty();
    };
    const auto readText = [&](std::string& text, std::size_t maxBytes) {
      if (!cursor.Text(text, maxBytes)) problem = cursor.Error();
      return problem.empty();
    };
    if (key == "Name") {
      name.emplace();
      return readText(*name, kMaxTextBytes);
    }
    if (key == "Kind") {
      if (!readText(project.kind, kMaxTextBytes)) return false;
      if (!IsProjectKind(project.kind)) problem = "unknown kind of project " + Quoted(project.kind);
      return problem.empty();
    }
    if (key == "Number" || key == "FormCounter" || key == "ModuleCounter" || key == "ClassModuleCounter") {
      if (!readNumber(0)) return false;
      const auto value = static_cast<std::uint32_t>(number);
      if (key == "Number") project.number = value;
      if (key == "FormCounter") {
        project.formCounter = value;
        formCounterLine_ = at;
      } else if (key == "ModuleCounter") {
        project.moduleCounter = value;
        moduleCounterLine_ = at;
      } else if (key == "ClassModuleCounter") {
        project.classModuleCounter = value;
        classModuleCounterLine_ = at;
      }
      return true;
    }
    if (key == "StartupForm" || key == "MdiForm") {
      if (!readNumber(1)) return false;
      NumberRef& ref = key == "StartupForm" ? startupForm_ : mdiForm_;
      ref = {static_cast<std::uint32_t>(number), at};
      return true;
    }
    if (key == "Setting") {
      ProjectSetting setting;
      if (!readText(setting.key, kMaxTextBytes) || !cursor.Literal(',') ||
          !readText(setting.value, kMaxSettingBytes)) {
        if (problem.empty()) problem = cursor.Error();
        return false;
      }
      if (setting.key.empty()) problem = "a setting needs a name";
      if (!settingKeys_.insert(setting.key).second) {
        problem = "the setting " + Quoted(setting.key) + " is given twice";
      }
      project.settings.push_back(std::move(setting));
      return problem.empty();
    }
    if (key == "Form") {
      FormRef ref{{}, at};
      if (!readText(ref.path, kMaxPathTextBytes)) return false;
      if (!TakePath(projectFile_, at, ref.path)) return false;
      forms_.push_back(std::move(ref));
      return true;
    }
    if (key == "Module" || key == "ClassModule") {
      std::vector<CodeModule>& modules = key == "Module" ? project.modules : project.classModules;
      CodeModule module;
      std::string path;
      if (!readNumber(1) || !cursor.Literal(',') || !readText(module.name, kMaxTextBytes) ||
          !cursor.Literal(',') || !readText(path, kMaxPathTextBytes)) {
        if (problem.empty()) problem = cursor.Error();
        return false;
      }
      if (!cursor.AtEnd()) {
        const bool comma = cursor.Literal(',');
        const std::string_view word = comma ? cursor.Word() : std::string_view();
        if (word != kModuleHidden) {
          problem = comma ? "only " + std::string(kModuleHidden) + " may follow the file of a " +
                                std::string(key) + ", not " + Excerpt(word.empty() ? cursor.Rest() : word)
                          : cursor.Error();
          return false;
        }
        module.shown = false;
      }
      module.number = static_cast<std::uint32_t>(number);
      if (!(key == "Module" ? moduleNumbers_ : classModuleNumbers_).insert(module.number).second) {
        problem = std::string(key) + " " + std::to_string(number) + " is given twice";
        return false;
      }
      if (!ReadCode(projectFile_, at, path, module.code)) return false;
      moduleLines_.push_back(at);
      modules.push_back(std::move(module));
      return true;
    }
    problem = "unknown property " + Quoted(key) + " of a project";
    return false;
  }

  // --- Form files ---

  void ReadForms(Project& project) {
    std::unordered_map<std::uint32_t, std::string> numbers;
    for (const FormRef& ref : forms_) {
      FileContents contents;
      if (!Fetch(ref.path, kMaxFormFileBytes, {projectFile_, ref.line}, contents, true)) continue;
      Form form;
      if (!ReadFormFile(ref.path, contents.bytes, form)) continue;
      auto [first, fresh] = numbers.emplace(form.number, ref.path);
      if (!fresh) {
        Error(ref.path, formLine_, "Form" + std::to_string(form.number) + " is also in " + first->second);
        continue;
      }
      formFiles_.push_back(ref.path);
      project.forms.push_back(std::move(form));
    }
  }

  bool ReadFormFile(const std::string& file, std::string_view bytes, Form& form) {
    LineSplitter lines(bytes);
    if (!OpenTextFile(file, bytes, kFormFileHeader, lines)) return false;
    std::string_view line;
    BlockName name;
    if (!NextContentLine(lines, line)) return Error(file, lines.LineNumber(), "ends before Begin Form");
    formLine_ = lines.LineNumber();
    {
      LineCursor cursor(line);
      if (cursor.Word() != "Begin" || !SplitBlockName(cursor.Word(), name) || name.prefix != "Form" ||
          name.number < 1 || !cursor.AtEnd()) {
        return Error(file, formLine_,
                     "expected Begin Form and the form's number (Begin Form1), found " + Excerpt(line));
      }
    }
    form = DefaultForm(static_cast<std::uint32_t>(name.number));
    std::vector<std::uint32_t> controlLines;                 // where each control begins
    std::unordered_map<std::uint32_t, std::uint32_t> slots;  // kind << 16 | number, and its line
    SeenLines formSeen{};
    SeenLines controlSeen{};
    std::optional<Control> control;
    std::uint32_t controlLine = 0;
    while (true) {
      if (!NextContentLine(lines, line)) {
        return Error(file, lines.LineNumber(),
                     std::string("ends before the End of ") + (control ? "a control" : "the form") +
                         ": the file is cut short");
      }
      const std::uint32_t at = lines.LineNumber();
      LineCursor cursor(line);
      const std::string_view key = cursor.Word();
      if (key == "End") {
        if (!cursor.AtEnd()) return Error(file, at, "unexpected " + Excerpt(cursor.Rest()) + " after End");
        if (!control) break;
        form.controls.push_back(std::move(*control));
        controlLines.push_back(controlLine);
        control.reset();
        continue;
      }
      if (key == "Begin") {
        if (control) {
          return Error(file, at,
                       "a control cannot hold another (the one begun at line " + std::to_string(controlLine) +
                           " has no End)");
        }
        if (!SplitBlockName(cursor.Word(), name) || !cursor.AtEnd()) {
          return Error(file, at,
                       "expected a control's kind and number (Begin Button0), found " + Excerpt(line));
        }
        const std::optional<std::uint32_t> kind = KindOfPrefix(name.prefix);
        if (!kind) return Error(file, at, "unknown kind of control " + Quoted(name.prefix));
        if (name.number > kMaxControlNumber) {
          return Error(file, at, "a control's number runs from 0 to " + std::to_string(kMaxControlNumber));
        }
        const auto number = static_cast<std::uint32_t>(name.number);
        auto [first, fresh] = slots.emplace(*kind << 16 | number, at);
        if (!fresh) {
          return Error(file, at,
                       std::string(name.prefix) + std::to_string(number) + " is already at line " +
                           std::to_string(first->second));
        }
        control = DefaultControl(*kind, number);
        controlLine = at;
        controlSeen = {};
        continue;
      }
      if (key.empty()) return Error(file, at, "expected a property (Caption = value), Begin or End");
      if (!cursor.Literal('=')) return Error(file, at, cursor.Error());
      const bool read = control ? ReadField(file, at, key, cursor, *control, controlSeen)
                                : ReadField(file, at, key, cursor, form, formSeen);
      if (!read) return false;
      if (!cursor.AtEnd())
        return Error(file, at, "unexpected " + Excerpt(cursor.Rest()) + " after the value");
    }
    if (NextContentLine(lines, line)) {
      return Error(file, lines.LineNumber(), "holds " + Excerpt(line) + " after the End of the form");
    }
    WarnOfSharedNames(file, form, controlLines);
    return true;
  }

  template <typename Object>
  bool ReadField(const std::string& file, std::uint32_t at, std::string_view key, LineCursor& cursor,
                 Object& object, SeenLines& seen) {
    if (key == kCodeKey) {
      std::string path;
      if (!cursor.Text(path, kMaxPathTextBytes)) return Error(file, at, cursor.Error());
      if (!MarkSeen(file, at, key, seen[kMostFieldCount])) return false;
      object.code.emplace();
      return ReadCode(file, at, path, *object.code);
    }
    FieldReader reader(key, cursor);
    VisitFields(object, object, reader);
    const int index = reader.Matched();
    if (index < 0) {
      if (std::is_same_v<Object, Control> && IsFormKey(key)) {
        return Error(file, at, std::string(key) + " is a property of the form, not of a control");
      }
      return Error(file, at, "unknown property " + Quoted(key));
    }
    if (!reader.Error().empty()) return Error(file, at, reader.Error());
    return MarkSeen(file, at, key, seen[static_cast<std::size_t>(index)]);
  }

  bool MarkSeen(const std::string& file, std::uint32_t at, std::string_view key, std::uint32_t& seenAt) {
    if (seenAt != 0) {
      return Error(file, at,
                   std::string(key) + " is given twice (first at line " + std::to_string(seenAt) + ")");
    }
    seenAt = at;
    return true;
  }

  // The designer lets two objects share a name or an identifier, but the
  // program made from them would not assemble: say so, and open anyway.
  void WarnOfSharedNames(const std::string& file, const Form& form, const std::vector<std::uint32_t>& lines) {
    std::unordered_map<std::string_view, std::string> names;
    std::unordered_map<std::string_view, std::string> idNames;
    std::unordered_map<std::uint32_t, std::string> ids;
    const auto label = [](const Control& control) {
      return std::string(KindPrefix(control.kind)) + std::to_string(control.number);
    };
    if (!form.name.empty()) names.emplace(form.name, "Form" + std::to_string(form.number));
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
      const Control& control = form.controls[i];
      const std::string self = label(control);
      if (!control.name.empty()) {
        auto [first, fresh] = names.emplace(control.name, self);
        if (!fresh)
          Warning(file, lines[i], self + " has the name " + Quoted(control.name) + " of " + first->second);
      }
      if (!control.idName.empty()) {
        auto [first, fresh] = idNames.emplace(control.idName, self);
        if (!fresh) {
          Warning(file, lines[i],
                  self + " has the identifier " + Quoted(control.idName) + " of " + first->second);
        }
      }
      auto [first, fresh] = ids.emplace(control.ctrlId, self);
      if (!fresh) {
        Warning(
            file, lines[i],
            self + " has the identifier value " + std::to_string(control.ctrlId) + " of " + first->second);
      }
    }
  }

  // --- The whole ---

  void CheckProject(Project& project) {
    for (NumberRef* ref : {&startupForm_, &mdiForm_}) {
      if (ref->value && FindForm(project, *ref->value) == nullptr) {
        Error(projectFile_, ref->line,
              (ref == &startupForm_ ? "StartupForm " : "MdiForm ") + std::to_string(*ref->value) +
                  " names no form of the project");
      }
    }
    project.startupForm = startupForm_.value;
    project.mdiForm = mdiForm_.value;
    EmptyDefaultFormTexts(project);
    std::uint32_t highest = 0;
    for (const Form& form : project.forms) highest = std::max(highest, form.number);
    RaiseCounter(project.formCounter, highest, formCounterLine_, "FormCounter");
    highest = 0;
    for (const CodeModule& module : project.modules) highest = std::max(highest, module.number);
    RaiseCounter(project.moduleCounter, highest, moduleCounterLine_, "ModuleCounter");
    highest = 0;
    for (const CodeModule& module : project.classModules) highest = std::max(highest, module.number);
    RaiseCounter(project.classModuleCounter, highest, classModuleCounterLine_, "ClassModuleCounter");

    std::unordered_map<std::string_view, std::size_t> formNames;
    for (std::size_t i = 0; i < project.forms.size(); ++i) {
      const Form& form = project.forms[i];
      if (form.name.empty()) continue;
      auto [first, fresh] = formNames.emplace(form.name, i);
      if (!fresh) {
        Warning(formFiles_[i], 0,
                "the form's name " + Quoted(form.name) + " is also the name of the form in " +
                    formFiles_[first->second]);
      }
    }
    std::unordered_map<std::string_view, std::uint32_t> moduleNames;
    std::size_t lineIndex = 0;
    for (const std::vector<CodeModule>* modules : {&project.modules, &project.classModules}) {
      for (const CodeModule& module : *modules) {
        const std::uint32_t at = moduleLines_[lineIndex++];
        auto [first, fresh] = moduleNames.emplace(module.name, at);
        if (!fresh) {
          Warning(
              projectFile_, at,
              "the name " + Quoted(module.name) + " is also given at line " + std::to_string(first->second));
        }
      }
    }
  }

  // A counter below a number in use would give that number again.
  void RaiseCounter(std::uint32_t& counter, std::uint32_t highest, std::uint32_t line, const char* key) {
    if (counter >= highest) return;
    if (line != 0) {
      Warning(projectFile_, line,
              std::string(key) + " " + std::to_string(counter) +
                  " is below a number in use; it is taken as " + std::to_string(highest));
    }
    counter = highest;
  }

  const ReadFileFn& readFile_;
  ReadResult result_;
  std::string projectFile_;
  std::size_t dropped_ = 0;
  bool refused_ = false;
  std::unordered_map<std::string, Place> paths_;  // by PathKey: where each file is first named
  std::vector<FormRef> forms_;
  std::unordered_set<std::string> settingKeys_;
  std::unordered_set<std::uint32_t> moduleNumbers_;
  std::unordered_set<std::uint32_t> classModuleNumbers_;
  std::vector<std::string> formFiles_;      // of each form read, in order
  std::vector<std::uint32_t> moduleLines_;  // of each module, then each class module
  std::uint32_t formLine_ = 0;              // the Begin Form line of the form file being read
  NumberRef startupForm_;
  NumberRef mdiForm_;
  std::uint32_t formCounterLine_ = 0;
  std::uint32_t moduleCounterLine_ = 0;
  std::uint32_t classModuleCounterLine_ = 0;
};

}  // namespace

std::string FormatDiagnostic(const Diagnostic& diagnostic) {
  std::string text = diagnostic.file;
  if (diagnostic.line != 0) text += ", line " + std::to_string(diagnostic.line);
  text += diagnostic.severity == Severity::kError ? ": error: " : ": warning: ";
  text += diagnostic.message;
  return text;
}

ReadResult ReadProject(std::string_view projectFileName, std::string_view projectBytes,
                       const ReadFileFn& readFile) {
  return Reader(readFile).Run(projectFileName, projectBytes);
}

}  // namespace kelp
