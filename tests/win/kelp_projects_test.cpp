// Projects kept by kelp.exe: what the user made is saved as files, opened
// again as it was (in this process and in a fresh kelp.exe), and survives
// a save killed at any step and an environment that ends without saving.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "core/project_paths.h"
#include "core/project_store.h"
#include "core/project_writer.h"
#include "designer/placement.h"
#include "host_project_fixture.h"
#include "kelp_process.h"
#include "project_snapshot.h"
#include "win_file_system.h"

namespace kelp::test {
namespace {

using host::RebuildProject;
using host::TakeSnapshot;
using host::WinFileSystem;

constexpr char kRichFile[] = "Rich.kproj";

HWND SurfaceOf(HWND frame) {
  KELP32_FORM_INFO info{};
  GetFormInfo(frame, &info);
  return KELP32_HANDLE(HWND, info.hSurface);
}

std::string LongestCaption() {
  std::string caption(259, 'W');
  caption.front() = '<';
  caption.back() = '>';
  return caption;
}

std::string HighCharacters() {
  std::string text = "\xC4pfel ";
  for (int c = 128; c < 256; c += 9) text += static_cast<char>(c);
  return text;
}

// Every field of the control away from what the designer gave it.
void ChangeEverything(HWND object, int seed, bool picked) {
  KELP32_DESIGN_PROPERTIES p{};
  ASSERT_TRUE(GetDesignProperties(object, &p));
  std::snprintf(p.handleName, sizeof(p.handleName), "hThing%d", seed);
  std::snprintf(p.idName, sizeof(p.idName), "IDC_THING_%d", seed);
  p.ctrlId = 3000 + seed;
  const std::string captions[] = {"  say \"hi\"; a = b  ", HighCharacters(), LongestCaption(), "=;\"'\t"};
  const std::string& caption = captions[seed % 4];
  std::memcpy(p.caption, caption.c_str(), caption.size() + 1);
  p.left += 3;
  p.top += 2;
  p.width += 5;
  p.height += 1;
  p.windowLeft = p.left;
  p.windowTop = p.top;
  p.windowWidth = p.width + (seed % 3 == 0 ? 2 : 0);  // a window not the record's size
  p.windowHeight = p.height;
  p.style |= WS_BORDER;
  p.exStyle |= WS_EX_STATICEDGE;
  p.enabled = 0;
  p.backColour = RGB(10 + seed, 200, 30);
  p.brushKind = picked ? KELP32_BRUSH_PICKED : KELP32_BRUSH_SYSTEM;
  p.brushSystemColour = COLOR_INFOBK;
  p.foreColour = RGB(200, 0, seed);
  p.hasFont = 1;
  p.font.lfHeight = -15 - seed % 5;
  p.font.lfWeight = FW_BOLD;
  p.font.lfItalic = TRUE;
  p.font.lfUnderline = seed % 2;
  p.font.lfStrikeOut = seed % 3 == 1;
  p.font.lfCharSet = ANSI_CHARSET;
  std::strcpy(p.font.lfFaceName, "Courier New");
  p.fields = KELP32_SET_SAVED;
  ASSERT_TRUE(SetDesignProperties(object, &p));
}

constexpr UINT kKinds[] = {KIND_GROUPBOX,  KIND_LABEL,       KIND_TEXTBOX,   KIND_BUTTON,       KIND_CHECKBOX,
                           KIND_OPTIONBUTTON, KIND_COMBOBOX, KIND_LISTBOX,   KIND_HSCROLLBAR,   KIND_VSCROLLBAR,
                           KIND_TIMER,     KIND_DRIVELISTBOX, KIND_DIRLISTBOX, KIND_FILELISTBOX, KIND_IMAGEBOX,
                           KIND_CALENDAR,  KIND_TRACKBAR,    KIND_PROGRESSBAR, KIND_STATUSBAR};

const char kCode[] = "\tmov eax, 1\r\n\r\n\tret ; done\n\n; a lone LF above, CR LF here\r\n\t\tnop";

class KelpProjects : public HostProjectTest {
 protected:
  // A project with every kind of control, every property changed, several
  // forms, the MDI form, modules and class modules, code of every shape,
  // some windows closed.
  void BuildRichProject() {
    HWND form1 = AddFormByMenu();
    ASSERT_NE(form1, nullptr);
    ::MoveWindow(form1, 4, 6, 560, 520, TRUE);
    HWND surface = SurfaceOf(form1);
    int seed = 0;
    for (UINT kind : kKinds) {
      const int x = 8 + (seed % 5) * 100;
      const int y = 8 + (seed / 5) * 80;
      HWND control = PlaceDesignControl(surface, kind, seed % 4 == 1 ? 2 : 0, nullptr, x, y, 80, 40);
      ASSERT_NE(control, nullptr) << "kind " << kind;
      ChangeEverything(control, seed, seed % 2 == 0);
      if (seed % 3 == 0) SetCodeText(control, kCode, seed % 2 == 0 ? KELP32_CODE_VISIBLE : 0);
      ++seed;
    }
    ASSERT_NE(PlaceDesignControl(surface, KIND_BUTTON, 5, nullptr, 300, 400, 90, 30), nullptr);
    ChangeEverything(form1, 99, true);
    SetCodeText(form1, "; Form1's own code\r\n", KELP32_CODE_VISIBLE);

    HWND form2 = AddFormByMenu();
    ASSERT_NE(form2, nullptr);
    ASSERT_NE(PlaceDesignControl(SurfaceOf(form2), KIND_LABEL, 0, nullptr, 10, 10, 60, 20), nullptr);
    ::SendMessageA(form2, WM_CLOSE, 0, 0);  // hidden, still in the project
    HWND mdi = AddMdiFormByMenu();
    ASSERT_NE(mdi, nullptr);
    KELP32_DESIGN_PROPERTIES name{};
    std::strcpy(name.handleName, "hShell");
    name.fields = KELP32_SET_NAME;
    SetDesignProperties(mdi, &name);

    HWND module1 = AddModuleByMenu();
    SetCodeText(module1, "start:\n\tinvoke ExitProcess, 0\nend start\n", KELP32_CODE_VISIBLE);
    HWND module2 = AddModuleByMenu();
    SetCodeText(module2, "", 0);
    HWND class1 = AddClassModuleByMenu();
    SetCodeText(class1, "; a class\r\n\r\n", KELP32_CODE_VISIBLE);
    PumpPending();
  }

  std::string folder_ = FreshFolder("rich");
  std::string recovery_ = FreshFolder("rich-recovery");
};

TEST_F(KelpProjects, WhatIsSavedOpensAsItWasHereAndInAFreshKelp) {
  BuildRichProject();
  const Project made = TakeSnapshot(Project{});
  ASSERT_EQ(made.forms.size(), 3u);
  ASSERT_EQ(made.forms[0].controls.size(), std::size(kKinds) + 1);
  EXPECT_EQ(made.forms[0].controls.front().kind, static_cast<std::uint32_t>(KIND_GROUPBOX)) << "beneath";
  ASSERT_EQ(made.modules.size(), 2u);
  ASSERT_EQ(made.classModules.size(), 1u);
  WinFileSystem folder(folder_);
  const SaveResult saved = SaveProject(folder, kRichFile, made);
  ASSERT_TRUE(saved.ok) << (saved.diagnostics.empty() ? "" : FormatDiagnostic(saved.diagnostics[0]));
  const auto files = FilesIn(folder_);
  const std::map<UINT, std::int32_t> nextBefore = [&] {
    std::map<UINT, std::int32_t> next;
    for (UINT kind : kKinds) next[kind] = FindFreeSlot(*NameTableOf(SurfaceOf(GetNextForm(nullptr)), kind));
    return next;
  }();

  // Opened again here: the same project, and the same files from it.
  const ReadResult read = OpenProject(folder, kRichFile);
  ASSERT_FALSE(read.Refused());
  std::string problem;
  EXPECT_TRUE(RebuildProject(*read.project, ProjectWindow(), problem)) << problem;
  const Project reopened = TakeSnapshot(*read.project);
  const auto madeFiles = WriteProject(made, kRichFile);
  const auto reopenedFiles = WriteProject(reopened, kRichFile);
  ASSERT_EQ(madeFiles.size(), reopenedFiles.size());
  for (std::size_t i = 0; i < madeFiles.size(); ++i) {
    EXPECT_EQ(madeFiles[i].path, reopenedFiles[i].path);
    EXPECT_EQ(madeFiles[i].bytes, reopenedFiles[i].bytes) << madeFiles[i].path;
  }
  EXPECT_TRUE(reopened == made);
  // Form2 was closed: its controls are made when it is first shown, as saved.
  HWND form2 = GetNextForm(GetNextForm(nullptr));
  ASSERT_FALSE(::IsWindowVisible(form2));
  ::ShowWindow(form2, SW_SHOW);
  HWND label = GetNextControl(SurfaceOf(form2), nullptr);
  ASSERT_NE(label, nullptr) << "Form2's label is built when the form is shown";
  KELP32_DESIGN_PROPERTIES shown{};
  GetDesignProperties(label, &shown);
  EXPECT_EQ(shown.kind, static_cast<DWORD>(KIND_LABEL));
  ::ShowWindow(form2, SW_HIDE);
  EXPECT_TRUE(TakeSnapshot(*read.project) == made) << "the same project with Form2 built";
  HWND surface = SurfaceOf(GetNextForm(nullptr));
  ::BringWindowToTop(GetNextForm(nullptr));
  for (UINT kind : kKinds) {
    EXPECT_EQ(FindFreeSlot(*NameTableOf(surface, kind)), nextBefore.at(kind)) << "kind " << kind;
  }
  HWND drawn = Draw(surface, KIND_BUTTON, {12, 58, 90, 82});  // between the first two rows
  ASSERT_NE(drawn, nullptr);
  KELP32_DESIGN_PROPERTIES next{};
  GetDesignProperties(drawn, &next);
  EXPECT_STREQ(next.handleName, "hButton1") << "0, 2 and 5 are taken";
  CloseProject(0, 0, 0);

  // A fresh kelp.exe opens the files, saves them, and nothing changes.
  KelpProcess kelp("\"" + folder_ + "\\" + kRichFile + "\"", recovery_);
  ASSERT_NE(kelp.Frame(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return kelp.Title() == "Rich - Kelp - MASM Visual Designer"; }, 60000))
      << "opened, not changed: " << kelp.Title();
  ASSERT_TRUE(kelp.Command(IDM_SAVEPROJECT));
  EXPECT_EQ(FilesIn(folder_), files) << "the same bytes: no file rewritten, no backup made";
  // A change is marked in the title, and saved.
  ASSERT_TRUE(kelp.Command(IDM_ADDMODULE));
  EXPECT_EQ(kelp.Title(), "Rich* - Kelp - MASM Visual Designer");
  ASSERT_TRUE(kelp.Command(IDM_SAVEPROJECT));
  EXPECT_EQ(kelp.Title(), "Rich - Kelp - MASM Visual Designer");
  const ReadResult after = OpenProject(folder, kRichFile);
  ASSERT_FALSE(after.Refused());
  EXPECT_EQ(after.project->modules.size(), 3u);
  EXPECT_TRUE(after.project->forms == made.forms);
  ::PostMessageA(kelp.Frame(), WM_CLOSE, 0, 0);
  EXPECT_EQ(kelp.AwaitExit(), 0u) << "saved: no question";
}

TEST_F(KelpProjects, AFormOpensStackedAsItsFileSaysWhereTheDesignerWouldNotStackIt) {
  HWND surface = SurfaceOf(AddFormByMenu());
  for (UINT kind : {KIND_GROUPBOX, KIND_BUTTON, KIND_TIMER}) {
    ASSERT_NE(PlaceDesignControl(surface, kind, 0, nullptr, 10, 10, 80, 40), nullptr);
  }
  PumpPending();
  Project file = TakeSnapshot(Project{});
  // The timer lowest, the group box on top: a file from an older designer.
  std::vector<Control>& controls = file.forms[0].controls;
  ASSERT_EQ(controls.size(), 3u);
  std::reverse(controls.begin(), controls.end());
  std::string problem;
  ASSERT_TRUE(RebuildProject(file, ProjectWindow(), problem)) << problem;
  EXPECT_TRUE(TakeSnapshot(file) == file);
}

// A closed form keeps its controls in the file until it is shown, yet its
// size can be typed meanwhile: its status bar is saved docked to the size it
// has, as showing the form will dock it, so showing it changes nothing.
TEST_F(KelpProjects, AClosedFormsStatusBarIsSavedDockedToTheSizeTypedForTheForm) {
  HWND frame = AddFormByMenu();
  ASSERT_NE(PlaceDesignControl(SurfaceOf(frame), KIND_STATUSBAR, 0, nullptr, 10, 10, 80, 20), nullptr);
  PumpPending();
  Project file = TakeSnapshot(Project{});
  file.forms[0].hidden = true;
  std::string problem;
  ASSERT_TRUE(RebuildProject(file, ProjectWindow(), problem)) << problem;
  frame = GetNextForm(nullptr);
  ASSERT_FALSE(::IsWindowVisible(frame));
  KELP32_DESIGN_PROPERTIES size{};
  GetDesignProperties(frame, &size);
  size.width += 113;
  size.height += 48;
  size.fields = KELP32_SET_SIZE;
  SetDesignProperties(frame, &size);
  const Project closed = TakeSnapshot(file);
  RECT surface{};
  ::GetClientRect(SurfaceOf(frame), &surface);
  const Control& bar = closed.forms[0].controls.at(0);
  EXPECT_EQ(bar.left, 0);
  EXPECT_EQ(bar.width, surface.right);
  EXPECT_EQ(bar.top + bar.height, surface.bottom);
  ::ShowWindow(frame, SW_SHOW);
  ASSERT_NE(GetNextControl(SurfaceOf(frame), nullptr), nullptr) << "built when shown";
  ::ShowWindow(frame, SW_HIDE);
  EXPECT_TRUE(TakeSnapshot(file) == closed);
}

// A small project written straight from the model, as kelp.exe would save it.
Project SmallProject() {
  Project project;
  Form form = DefaultForm(1);
  form.width = 300;
  form.height = 200;
  form.frame = WindowPlace{10, 10, 320, 240};
  Control button = DefaultControl(KIND_BUTTON, 0);
  button.left = 20;
  button.top = 30;
  button.width = 90;
  button.height = 26;
  button.code = "; clicked\r\n";
  form.controls.push_back(button);
  form.code = "; Form1\r\n";
  project.forms.push_back(form);
  project.formCounter = 1;
  CodeModule module{1, "Module1", "start:\r\nend start\r\n", true};
  project.modules.push_back(module);
  project.moduleCounter = 1;
  return project;
}

std::string WriteSmallProject(const std::string& name) {
  const std::string folder = FreshFolder(name);
  WinFileSystem files(folder);
  EXPECT_TRUE(SaveProject(files, "Small.kproj", SmallProject()).ok);
  return folder;
}

// The project's own files, without the backups of earlier saves.
std::map<std::string, std::string> ProjectFilesIn(const std::string& folder) {
  std::map<std::string, std::string> files = FilesIn(folder);
  std::erase_if(files, [](const auto& file) { return file.first.ends_with(".bak"); });
  return files;
}

// The change the killed kelp.exe saves: its form moved, a module added.
void ChangeAndSave(KelpProcess& kelp) {
  HWND client = ::FindWindowExA(kelp.Frame(), nullptr, "MDIClient", nullptr);
  HWND form = ::FindWindowExA(client, nullptr, KELP32_FORM_FRAME_CLASS, nullptr);
  ::SetWindowPos(form, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  kelp.Command(IDM_ADDMODULE);
  kelp.PostCommand(IDM_SAVEPROJECT);
}

TEST(KelpSaves, AKilledSaveLeavesTheProjectAsItWasOrAsItIsAfter) {
  const std::string original = WriteSmallProject("kill-original");
  const std::string recovery = FreshFolder("kill-recovery");
  WinFileSystem originalFiles(original);
  const ReadResult before = OpenProject(originalFiles, "Small.kproj");
  ASSERT_FALSE(before.Refused());

  // The save done whole, to learn what "after" is.
  const std::string whole = FreshFolder("kill-whole");
  CopyFolder(original, whole);
  {
    KelpProcess kelp("\"" + whole + "\\Small.kproj\"", recovery);
    ASSERT_NE(kelp.Frame(), nullptr);
    ChangeAndSave(kelp);
    ASSERT_TRUE(PumpUntil([&] { return kelp.Title() == "Small - Kelp - MASM Visual Designer"; }, 60000));
  }
  WinFileSystem wholeFiles(whole);
  const ReadResult after = OpenProject(wholeFiles, "Small.kproj");
  ASSERT_FALSE(after.Refused());
  ASSERT_FALSE(*after.project == *before.project);

  // Killed at every step of the same save in turn, until a save ends whole.
  int befores = 0, afters = 0;
  for (int step = 1; step < 80; ++step) {
    SCOPED_TRACE("killed at step " + std::to_string(step));
    const std::string folder = FreshFolder("kill-" + std::to_string(step));
    CopyFolder(original, folder);
    KelpProcess kelp("\"" + folder + "\\Small.kproj\"", recovery, step);
    ASSERT_NE(kelp.Frame(), nullptr);
    ChangeAndSave(kelp);
    ASSERT_TRUE(PumpUntil([&] { return kelp.Exited() || kelp.Title() == "Small - Kelp - MASM Visual Designer"; },
                          60000));
    const bool killed = kelp.Exited();
    if (killed) {
      EXPECT_EQ(kelp.AwaitExit(), 3u) << "ended by the test's kill, not by a fault";
    }
    WinFileSystem files(folder);
    const ReadResult opened = OpenProject(files, "Small.kproj");
    ASSERT_FALSE(opened.Refused()) << FormatDiagnostic(opened.diagnostics.at(0));
    const bool isBefore = *opened.project == *before.project;
    const bool isAfter = *opened.project == *after.project;
    EXPECT_TRUE(isBefore || isAfter) << "a mix, or something else";
    befores += isBefore;
    afters += isAfter;
    if (!killed) break;  // the save had fewer steps: it ended whole
  }
  EXPECT_GT(befores, 3) << "killed before the save counted";
  EXPECT_GT(afters, 1) << "killed after the save counted, before it was tidy";
}

TEST(KelpSaves, ChangesNotSavedAreOfferedBackAfterACrash) {
  const std::string folder = WriteSmallProject("recover");
  const std::string recovery = FreshFolder("recover-copy");
  {
    KelpProcess kelp("\"" + folder + "\\Small.kproj\"", recovery);
    ASSERT_NE(kelp.Frame(), nullptr);
    ASSERT_TRUE(kelp.Command(IDM_ADDMODULE));
    // The environment loses the focus: the recovery copy is written.
    ::SendMessageA(kelp.Frame(), WM_ACTIVATEAPP, FALSE, 0);
    ASSERT_TRUE(PumpUntil([&] { return FilesIn(recovery).count("Recovery.kproj") == 1; }, 30000));
    kelp.Kill();
  }
  const auto files = FilesIn(folder);
  {
    KelpProcess kelp("", recovery);
    HWND question = kelp.AwaitMessageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_NE(KelpProcess::MessageText(question).find("Small.kproj"), std::string::npos)
        << KelpProcess::MessageText(question);
    KelpProcess::Answer(question, IDYES);
    ASSERT_TRUE(PumpUntil([&] { return kelp.Title() == "Small* - Kelp - MASM Visual Designer"; }, 30000))
        << kelp.Title();
    HWND client = ::FindWindowExA(kelp.Frame(), nullptr, "MDIClient", nullptr);
    EXPECT_NE(::FindWindowExA(client, nullptr, nullptr, "Module2 (Code)"), nullptr) << "the module added";
    EXPECT_EQ(FilesIn(folder), files) << "restoring saves nothing by itself";
    // Closing asks; Cancel keeps everything, No throws the changes away.
    ::PostMessageA(kelp.Frame(), WM_CLOSE, 0, 0);
    HWND ask = kelp.AwaitMessageBox();
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(KelpProcess::MessageText(ask), "Save changes to \"Small\"?");
    KelpProcess::Answer(ask, IDCANCEL);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(ask); }, 10000));
    EXPECT_TRUE(::IsWindowVisible(kelp.Frame()));
    ::PostMessageA(kelp.Frame(), WM_CLOSE, 0, 0);
    ask = kelp.AwaitMessageBox();
    ASSERT_NE(ask, nullptr);
    KelpProcess::Answer(ask, IDNO);
    EXPECT_EQ(kelp.AwaitExit(), 0u);
  }
  EXPECT_EQ(FilesIn(folder), files);
  EXPECT_TRUE(FilesIn(recovery).empty()) << "nothing is offered next time";
}

TEST(KelpSaves, AFileThatCannotBeOpenedIsNamedWithItsLineAndChangesNothing) {
  const std::string folder = WriteSmallProject("refused");
  const std::string recovery = FreshFolder("refused-recovery");
  std::string form = FilesIn(folder).at("Form1.kform");
  form.insert(form.find("\r\n") + 2, "  Begin Spaceship0\r\n");
  if (FILE* file = std::fopen((folder + "\\Form1.kform").c_str(), "wb")) {
    std::fwrite(form.data(), 1, form.size(), file);
    std::fclose(file);
  }
  KelpProcess kelp("\"" + folder + "\\Small.kproj\"", recovery);
  HWND refusal = kelp.AwaitMessageBox();
  ASSERT_NE(refusal, nullptr);
  const std::string text = KelpProcess::MessageText(refusal);
  EXPECT_NE(text.find("Form1.kform, line 2"), std::string::npos) << text;
  KelpProcess::Answer(refusal, IDOK);
  EXPECT_NE(kelp.AwaitWindow("Kelp32 - New Project"), nullptr) << "the environment starts as without a project";
  EXPECT_EQ(kelp.Title(), "Kelp - MASM Visual Designer");
}

TEST(KelpSaves, ASaveThatFailsSaysWhichFileAndWhyAndKeepsTheChanges) {
  const std::string folder = WriteSmallProject("save-fails");
  const std::string recovery = FreshFolder("save-fails-recovery");
  const std::string form = folder + "\\Form1.kform";
  KelpProcess kelp("\"" + folder + "\\Small.kproj\"", recovery);
  ASSERT_TRUE(PumpUntil([&] { return kelp.Title() == "Small - Kelp - MASM Visual Designer"; }, 60000));
  ASSERT_TRUE(::SetFileAttributesA(form.c_str(), FILE_ATTRIBUTE_READONLY));
  const auto files = ProjectFilesIn(folder);
  ChangeAndSave(kelp);  // the form moved: Form1.kform must change
  HWND failure = kelp.AwaitMessageBox();
  ASSERT_NE(failure, nullptr);
  const std::string text = KelpProcess::MessageText(failure);
  EXPECT_NE(text.find("Form1.kform"), std::string::npos) << text;
  EXPECT_NE(text.find("read-only"), std::string::npos) << text;
  KelpProcess::Answer(failure, IDOK);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(failure); }, 10000));
  EXPECT_EQ(kelp.Title(), "Small* - Kelp - MASM Visual Designer") << "still changed";
  EXPECT_EQ(ProjectFilesIn(folder), files) << "the old files intact";
  ::SetFileAttributesA(form.c_str(), FILE_ATTRIBUTE_NORMAL);
  kelp.Kill();
}

TEST(KelpSaves, AReadOnlyFileIsNeverReplaced) {
  const std::string folder = WriteSmallProject("read-only");
  const std::string path = folder + "\\Form1.kform";
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  Project changed = SmallProject();
  changed.forms[0].controls[0].caption = "Changed";
  WinFileSystem files(folder);
  const auto before = FilesIn(folder);
  const SaveResult saved = SaveProject(files, "Small.kproj", changed);
  EXPECT_FALSE(saved.ok);
  ASSERT_FALSE(saved.diagnostics.empty());
  EXPECT_NE(FormatDiagnostic(saved.diagnostics[0]).find("read-only"), std::string::npos)
      << FormatDiagnostic(saved.diagnostics[0]);
  const ReadResult opened = OpenProject(files, "Small.kproj");
  ASSERT_FALSE(opened.Refused());
  EXPECT_TRUE(*opened.project == SmallProject()) << "the project as it was";
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace kelp::test
