#include "core/project_writer.h"

#include "core/project_fields.h"
#include "core/project_paths.h"
#include "core/project_text.h"

namespace kelp {
namespace {

// CR LF, as Notepad and every Windows editor expect.
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kIndentStep = "  ";

class LineWriter {
 public:
  void Header(std::string_view word) {
    out_ += word;
    out_ += ' ';
    out_ += std::to_string(kFormatVersion);
    out_ += kLineEnd;
  }
  void Begin(std::string_view what) {
    StartLine() += "Begin ";
    out_ += what;
    out_ += kLineEnd;
    indent_ += kIndentStep;
  }
  void End() {
    indent_.resize(indent_.size() - kIndentStep.size());
    StartLine() += "End";
    out_ += kLineEnd;
  }
  // "Key = " at the current depth; the caller appends the value and Finish().
  std::string& Property(std::string_view key) {
    StartLine() += key;
    out_ += " = ";
    return out_;
  }
  void Finish() { out_ += kLineEnd; }
  void TextProperty(std::string_view key, std::string_view value) {
    AppendQuoted(Property(key), value);
    Finish();
  }
  void NumberProperty(std::string_view key, std::int64_t value) {
    Property(key) += std::to_string(value);
    Finish();
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string& StartLine() { return out_ += indent_; }
  std::string out_;
  std::string indent_;
};

// Writes the properties that differ from their defaults.
struct FieldWriter {
  LineWriter& lines;

  void Text(std::string_view key, const std::string& value, const std::string& byDefault, std::size_t) {
    if (value != byDefault) lines.TextProperty(key, value);
  }

  void TextOrDefault(std::string_view key, const std::string& value, const std::string& byDefault,
                     std::size_t maxBytes) {
    if (!value.empty()) Text(key, value, byDefault, maxBytes);
  }

  template <typename T>
  void Number(std::string_view key, const T& value, const T& byDefault, const NumberRule& rule) {
    if (!rule.always && value == byDefault) return;
    if (rule.shown == Shown::kHex) {
      AppendHex(lines.Property(key), static_cast<std::uint32_t>(value));
      lines.Finish();
    } else {
      lines.NumberProperty(key, static_cast<std::int64_t>(value));
    }
  }

  void Brush(std::string_view key, const BackBrush& value, const BackBrush& byDefault) {
    if (value == byDefault) return;
    std::string& line = lines.Property(key);
    switch (value.kind) {
      case BrushKind::kNone:
        line += kBrushNone;
        break;
      case BrushKind::kPicked:
        line += kBrushPicked;
        break;
      case BrushKind::kSystemColour:
        line += kBrushSystemColour;
        line += ' ';
        line += std::to_string(value.systemColour);
        break;
    }
    lines.Finish();
  }

  void Place(std::string_view key, const std::optional<WindowPlace>& value,
             const std::optional<WindowPlace>& byDefault) {
    if (!value || value == byDefault) return;
    std::string& line = lines.Property(key);
    const char* separator = "";
    for (std::int32_t part : PlaceParts(*value)) {
      line += separator;
      line += std::to_string(part);
      separator = ", ";
    }
    lines.Finish();
  }
};

template <typename Object>
void WriteFields(LineWriter& lines, const Object& object, const Object& defaults, const std::string& codePath,
                 std::vector<ProjectFile>& codeFiles) {
  FieldWriter writer{lines};
  VisitFields(object, defaults, writer);
  if (object.code) {
    lines.TextProperty(kCodeKey, codePath);
    codeFiles.push_back({codePath, *object.code});
  }
}

std::string NumberedWord(std::string_view prefix, std::uint32_t number) {
  return std::string(prefix) + std::to_string(number);
}

// The form file, followed in `files` by the form's and its controls' code.
void WriteForm(const Project& project, const Form& form, std::vector<ProjectFile>& files) {
  const std::size_t formFileIndex = files.size();
  files.push_back({FormFileName(form.number), {}});
  std::vector<ProjectFile> codeFiles;
  LineWriter lines;
  lines.Header(kFormFileHeader);
  lines.Begin(NumberedWord("Form", form.number));
  Form defaults = DefaultForm(form.number);
  FormTexts texts = DefaultFormTexts(project, form);
  defaults.formName = std::move(texts.formName);
  defaults.title = std::move(texts.title);
  WriteFields(lines, form, defaults, FormCodeFileName(form.number), codeFiles);
  for (const Control& control : form.controls) {
    const char* prefix = KindPrefix(control.kind);
    lines.Begin(NumberedWord(prefix != nullptr ? prefix : "Unknown", control.number));
    WriteFields(lines, control, DefaultControl(control.kind, control.number),
                ControlCodeFileName(form.number, control.kind, control.number), codeFiles);
    lines.End();
  }
  lines.End();
  files[formFileIndex].bytes = lines.Take();
  for (ProjectFile& code : codeFiles) files.push_back(std::move(code));
}

void WriteModules(LineWriter& lines, std::string_view key, const std::vector<CodeModule>& modules,
                  std::string (*fileName)(std::uint32_t), std::vector<ProjectFile>& files) {
  for (const CodeModule& module : modules) {
    const std::string path = fileName(module.number);
    std::string& line = lines.Property(key);
    line += std::to_string(module.number);
    line += ", ";
    AppendQuoted(line, module.name);
    line += ", ";
    AppendQuoted(line, path);
    if (!module.shown) {
      line += ", ";
      line += kModuleHidden;
    }
    lines.Finish();
    files.push_back({path, module.code});
  }
}

}  // namespace

std::vector<ProjectFile> WriteProject(const Project& project, std::string_view projectFileName) {
  std::vector<ProjectFile> files;
  files.push_back({std::string(projectFileName), {}});
  LineWriter lines;
  lines.Header(kProjectFileHeader);
  lines.Begin("Project");
  const Project defaults;
  if (project.name != NumberedWord("Project", project.number)) lines.TextProperty("Name", project.name);
  if (project.number != defaults.number) lines.NumberProperty("Number", project.number);
  if (project.kind != defaults.kind) lines.TextProperty("Kind", project.kind);
  if (project.startupForm) lines.NumberProperty("StartupForm", *project.startupForm);
  if (project.mdiForm) lines.NumberProperty("MdiForm", *project.mdiForm);
  lines.NumberProperty("FormCounter", project.formCounter);
  lines.NumberProperty("ModuleCounter", project.moduleCounter);
  lines.NumberProperty("ClassModuleCounter", project.classModuleCounter);
  for (const ProjectSetting& setting : project.settings) {
    std::string& line = lines.Property("Setting");
    AppendQuoted(line, setting.key);
    line += ", ";
    AppendQuoted(line, setting.value);
    lines.Finish();
  }
  for (const Form& form : project.forms) {
    lines.TextProperty("Form", FormFileName(form.number));
    WriteForm(project, form, files);
  }
  WriteModules(lines, "Module", project.modules, ModuleFileName, files);
  WriteModules(lines, "ClassModule", project.classModules, ClassModuleFileName, files);
  lines.End();
  files[0].bytes = lines.Take();
  return files;
}

}  // namespace kelp
