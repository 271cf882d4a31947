#include "project_samples.h"

#include "core/placement_table.h"

namespace kelp::test {

std::string EveryTextByte() {
  std::string text = " ";
  for (int byte = 1; byte < 256; ++byte) {
    if (byte != ' ') text += static_cast<char>(byte);
  }
  return text + "  ";
}

std::string LongestCaption() {
  std::string text;
  for (std::size_t i = 0; i < kMaxTextBytes; ++i) text += static_cast<char>("=;\" \xE9x"[i % 6]);
  return text;
}

std::string AwkwardCode() {
  return "; caf\xE9 \xA9 \xFF\r\n\tmov eax, 1\r\n\r\n\r\n\t\tret\nlone LF above\n\n\tinvoke ExitProcess, 0";
}

namespace {

// Gives every field a value no default has.
void ChangeEverything(RecordFields& fields, int seed) {
  const std::string n = std::to_string(seed);
  fields.name = "hThing" + n;
  fields.idName = "IDC_THING" + n;
  fields.ctrlId = 40000 + static_cast<std::uint32_t>(seed);
  const char* plain = "  Say \"Hi\"; x = 1  ";
  fields.caption = seed % 3 == 0 ? EveryTextByte() : seed % 3 == 1 ? LongestCaption() : plain;
  fields.left = -5 - seed;
  fields.top = 7 + seed;
  fields.width = 100 + seed;
  fields.height = 20 + seed;
  fields.style = 0x50010000u | static_cast<std::uint32_t>(seed);
  fields.exStyle = 0x00000401u + static_cast<std::uint32_t>(seed);
  fields.enabled = 1;
  fields.backColour = 0x00112233u + static_cast<std::uint32_t>(seed);
  fields.foreColour = 0xFF0000FFu;
  fields.backBrush = seed % 2 == 0 ? BackBrush{BrushKind::kPicked, 0} : SystemColourBrush(5);
  fields.font = {"Courier New", -16, 700, true, true, true, 238};
  fields.code = AwkwardCode() + "\r\n; " + n;
  fields.codeShown = false;
  fields.window = WindowPlace{-3 - seed, 4 + seed, 110 + seed, 30 + seed};
}

}  // namespace

Project RichProject() {
  Project project;
  project.name = "Hello \"World\"";
  project.number = 2;
  project.kind = "MDI";
  project.startupForm = 3;
  project.mdiForm = 7;
  project.formCounter = 9;
  project.moduleCounter = 4;
  project.classModuleCounter = 2;
  project.settings = {
      {"Assembler", "ml /c /coff \"%1\""}, {"Linker", "link /SUBSYSTEM:WINDOWS"}, {"Empty", ""}};

  Form everyKind = DefaultForm(3);
  ChangeEverything(everyKind, 1000);
  everyKind.formName = "Main \"Form\"";
  everyKind.title = EveryTextByte();
  everyKind.frame = WindowPlace{kSmallestCoordinate, kLargestCoordinate, 0, kLargestCoordinate};
  everyKind.hidden = true;
  int seed = 0;
  for (const KindRow& row : kKindRows) {
    Control control = DefaultControl(row.kind, static_cast<std::uint32_t>(seed * 4099 % 65536));
    ChangeEverything(control, seed++);
    everyKind.controls.push_back(control);
  }
  everyKind.controls.push_back(DefaultControl(kKindButton, kMaxControlNumber));
  everyKind.controls.back().width = 75;

  Form mdi = DefaultForm(7);
  mdi.width = 640;
  mdi.height = 480;
  mdi.backColour = 0x00F0F0F0;
  mdi.formName = "Form7";  // not what the MDI form is named by default
  Control status = DefaultControl(kKindStatusBar, 0);
  status.code = "";
  mdi.controls.push_back(status);
  mdi.controls.push_back(DefaultControl(kKindTimer, 1));

  project.forms = {everyKind, mdi};
  project.modules = {{1, "Module1", AwkwardCode()}, {4, "Strings", "", false}};
  project.classModules = {{2, "Class2", "Class2 struct\r\nClass2 ends", false}};
  return project;
}

namespace {

// A control placed as a drag leaves it, then captioned.
Control Placed(std::uint32_t kind, std::int32_t left, std::int32_t top, std::int32_t width,
               std::int32_t height, const char* caption) {
  Control control = DefaultControl(kind, 0);
  control.left = left;
  control.top = top;
  control.width = width;
  control.height = height;
  control.backColour = 0x00A0A0A0;
  control.caption = caption;
  return control;
}

}  // namespace

Project SmallProject() {
  Project project;
  project.formCounter = 1;
  project.moduleCounter = 1;
  project.startupForm = 1;
  Form form = DefaultForm(1);
  form.width = 342;
  form.height = 222;
  form.backColour = 0x00F0F0F0;
  form.code = "; Form1\r\n";
  Control button = Placed(kKindButton, 16, 40, 75, 23, "Say Hello");
  button.code = "\t.if wParam == IDC_BUTTON0\r\n\t.endif\r\n";
  form.controls = {Placed(kKindLabel, 8, 8, 120, 16, "Name:"), button};
  project.forms = {form};
  project.modules = {{1, "Module1", "; helpers\r\n"}};
  return project;
}

MemoryFiles ToMap(const std::vector<ProjectFile>& files) {
  MemoryFiles map;
  for (const ProjectFile& file : files) map[file.path] = file.bytes;
  return map;
}

ReadFileFn ReaderOf(const MemoryFiles& files) {
  return [&files](const std::string& path, std::size_t maxBytes) {
    auto found = files.find(path);
    if (found == files.end()) return FileContents{};
    if (found->second.size() > maxBytes) return FileContents{ReadStatus::kTooLarge, {}, {}};
    return FileContents{ReadStatus::kOk, found->second, {}};
  };
}

ReadResult ReadFiles(const MemoryFiles& files) {
  auto project = files.find(kProjectName);
  return ReadProject(kProjectName, project == files.end() ? "" : project->second, ReaderOf(files));
}

}  // namespace kelp::test
