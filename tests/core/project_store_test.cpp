// Saving into a folder: wherever the machine stops during a save, the
// project opens as it was before the save or as it is after it, and a save
// that fails says which file and why and leaves the old files.
#include <gtest/gtest.h>

#include "core/project_paths.h"
#include "memory_folder.h"

namespace kelp {
namespace {

using test::kProjectName;
using test::MemoryFolder;

// Three versions of a project, each saved over the one before.
Project First() {
  Project project = test::SmallProject();
  Control check = DefaultControl(kKindCheckBox, 0);
  check.code = "; checked\r\n";
  project.forms[0].controls.push_back(check);
  return project;
}

// The button's code changed, the check box deleted (its code file is no
// longer part of the project), a module added; Form1.asm and Module1.asm
// stay as they were.
Project Second() {
  Project project = First();
  Form& form = project.forms[0];
  form.controls[1].code = "\t.if wParam == IDC_BUTTON0\r\n\t\tinvoke MessageBox, 0, 0, 0, 0\r\n\t.endif\r\n";
  form.controls.pop_back();
  form.controls[0].left += 8;
  project.modules.push_back({2, "Module2", "; more\r\n"});
  project.moduleCounter = 2;
  return project;
}

Project Third() {
  Project project = Second();
  project.forms.push_back(DefaultForm(2));
  project.forms.back().code = "; Form2\r\n";
  project.formCounter = 2;
  project.modules[0].code += "; changed\r\n";
  return project;
}

bool HoldsUnfinishedSave(const MemoryFolder& folder) {
  for (const auto& [name, file] : folder.files) {
    if (name.ends_with(kTemporarySuffix) || name == std::string(kProjectName) + std::string(kCommitSuffix)) {
      return true;
    }
  }
  return false;
}

// The folder's files that make the project, without backups.
test::MemoryFiles LiveFiles(const MemoryFolder& folder) {
  test::MemoryFiles live = folder.Contents();
  std::erase_if(live, [](const auto& file) { return file.first.ends_with(kBackupSuffix); });
  return live;
}

Project Opened(MemoryFolder& folder) {
  const ReadResult read = OpenProject(folder, kProjectName);
  EXPECT_FALSE(read.Refused()) << FormatDiagnostic(read.diagnostics.front());
  return read.project.value_or(Project{});
}

TEST(ProjectStore, ASavedProjectOpensAsItWasSaved) {
  MemoryFolder folder;
  const SaveResult saved = SaveProject(folder, kProjectName, test::RichProject());
  ASSERT_TRUE(saved.ok);
  EXPECT_EQ(Opened(folder), test::RichProject());
  EXPECT_FALSE(HoldsUnfinishedSave(folder));
}

TEST(ProjectStore, SavingAgainRewritesOnlyTheFilesThatChanged) {
  MemoryFolder folder;
  Project project = First();
  ASSERT_TRUE(SaveProject(folder, kProjectName, project).ok);
  const test::MemoryFiles before = folder.Contents();
  const SaveResult same = SaveProject(folder, kProjectName, project);
  EXPECT_TRUE(same.ok);
  EXPECT_EQ(same.filesWritten, 0u);
  EXPECT_EQ(folder.Contents(), before) << "not even the backups are touched";
  project.forms[0].controls[1].code->append("\tnop\r\n");
  const SaveResult one = SaveProject(folder, kProjectName, project);
  EXPECT_EQ(one.filesWritten, 1u);
  EXPECT_EQ(folder.files.at("Form1.Button0.asm.bak").bytes, before.at("Form1.Button0.asm"));
  EXPECT_EQ(folder.files.count(std::string(kProjectName) + ".bak"), 0u);
}

TEST(ProjectStore, FilesNoLongerPartOfTheProjectGoToTheBackupWithTheOldVersion) {
  MemoryFolder folder;
  ASSERT_TRUE(SaveProject(folder, kProjectName, First()).ok);
  EXPECT_EQ(OpenBackup(folder, kProjectName).project, std::nullopt) << "a first save has nothing before it";
  ASSERT_TRUE(SaveProject(folder, kProjectName, Second()).ok);
  EXPECT_EQ(folder.files.count("Form1.Checkbox0.asm"), 0u);
  EXPECT_EQ(folder.files.count("Form1.Checkbox0.asm.bak"), 1u);
  EXPECT_EQ(Opened(folder), Second());
  EXPECT_EQ(OpenBackup(folder, kProjectName).project, First());
  ASSERT_TRUE(SaveProject(folder, kProjectName, Third()).ok);
  EXPECT_EQ(folder.files.count("Form1.Checkbox0.asm.bak"), 0u) << "backups go back one save only";
  EXPECT_EQ(OpenBackup(folder, kProjectName).project, Second());
}

// Saves Third over Second (Second over First before it) in a folder that
// stops after `operations` steps, and brings the machine back.
MemoryFolder StoppedDuringSave(std::size_t operations, bool& stopped) {
  MemoryFolder folder;
  EXPECT_TRUE(SaveProject(folder, kProjectName, First()).ok);
  EXPECT_TRUE(SaveProject(folder, kProjectName, Second()).ok);
  folder.operations = 0;
  folder.crashAfter = operations;
  const SaveResult saved = SaveProject(folder, kProjectName, Third());
  stopped = folder.crashed;
  EXPECT_EQ(saved.ok, !stopped);
  folder.Restart();
  return folder;
}

TEST(ProjectStore, AMachineStoppedAtAnyStepOfASaveLeavesTheOldOrTheNewProject) {
  int old = 0;
  int fresh = 0;
  for (std::size_t operations = 0;; ++operations) {
    bool stopped = false;
    MemoryFolder folder = StoppedDuringSave(operations, stopped);
    const Project opened = Opened(folder);
    ASSERT_TRUE(opened == Second() || opened == Third()) << "stopped after " << operations;
    (opened == Second() ? old : fresh) += 1;
    EXPECT_FALSE(HoldsUnfinishedSave(folder)) << operations;
    // The backup is the version before the one that opens, or none; never a mix.
    const ReadResult backup = OpenBackup(folder, kProjectName);
    if (!backup.Refused()) {
      EXPECT_EQ(*backup.project, opened == Second() ? First() : Second()) << operations;
    }
    ASSERT_TRUE(SaveProject(folder, kProjectName, Third()).ok) << operations;
    EXPECT_EQ(Opened(folder), Third());
    if (!stopped) break;
  }
  EXPECT_GT(old, 5);
  EXPECT_GT(fresh, 5);
}

TEST(ProjectStore, AMachineStoppedAgainWhileFinishingASaveStillLeavesOneWholeProject) {
  for (std::size_t operations = 0;; ++operations) {
    bool stopped = false;
    for (std::size_t again = 0;; ++again) {
      MemoryFolder folder = StoppedDuringSave(operations, stopped);
      folder.crashAfter = again;
      OpenProject(folder, kProjectName);
      const bool stoppedAgain = folder.crashed;
      folder.Restart();
      const Project opened = Opened(folder);
      ASSERT_TRUE(opened == Second() || opened == Third()) << operations << ", then " << again;
      if (!stoppedAgain) break;
    }
    if (!stopped) break;
  }
}

struct Fault {
  const char* what;
  void (*set)(MemoryFolder&);
  const char* file;
  const char* reason;
};

TEST(ProjectStore, AFailedSaveNamesTheFileAndTheReasonAndLeavesTheOldFiles) {
  const Fault faults[] = {
      {"a read-only folder", [](MemoryFolder& f) { f.readOnlyFolder = true; }, kProjectName, "read-only"},
      {"a full disk", [](MemoryFolder& f) { f.freeBytes = 100; }, kProjectName, "disk is full"},
      {"a read-only file", [](MemoryFolder& f) { f.files.at("Module1.asm").readOnly = true; }, "Module1.asm",
       "read-only"},
      {"a refused temporary", [](MemoryFolder& f) { f.refusedName = "Form2.asm.new"; }, "Form2.asm",
       "refuses"},
      {"a refused name, after the commit", [](MemoryFolder& f) { f.refusedName = "Form2.asm"; }, "Form2.asm",
       "refuses"},
  };
  for (const Fault& fault : faults) {
    MemoryFolder folder;
    ASSERT_TRUE(SaveProject(folder, kProjectName, Second()).ok);
    const test::MemoryFiles before = LiveFiles(folder);
    fault.set(folder);
    const SaveResult saved = SaveProject(folder, kProjectName, Third());
    EXPECT_FALSE(saved.ok) << fault.what;
    bool named = false;
    for (const Diagnostic& diagnostic : saved.diagnostics) {
      named |= diagnostic.file == fault.file && diagnostic.message.find(fault.reason) != std::string::npos;
    }
    EXPECT_TRUE(named) << fault.what << ": " << FormatDiagnostic(saved.diagnostics.front());
    EXPECT_EQ(LiveFiles(folder), before) << fault.what;
    folder.readOnlyFolder = false;
    folder.refusedName.clear();
    EXPECT_EQ(Opened(folder), Second()) << fault.what;
  }
}

TEST(ProjectStore, AProjectThatWouldNotOpenAgainIsNotSaved) {
  MemoryFolder folder;
  Project project = First();
  project.forms[0].caption = std::string(300, 'x');
  const SaveResult saved = SaveProject(folder, kProjectName, project);
  EXPECT_FALSE(saved.ok);
  ASSERT_FALSE(saved.diagnostics.empty());
  EXPECT_EQ(saved.diagnostics.front().file, "Form1.kform");
  EXPECT_TRUE(folder.files.empty());
  EXPECT_FALSE(SaveProject(folder, "CON.kproj", First()).ok);
  EXPECT_TRUE(folder.files.empty());
}

TEST(ProjectStore, AFormsNameAndTitleSpeltOutAsTheirDefaultsAreSavedAndOpenEmpty) {
  MemoryFolder folder;
  Project project = First();
  project.forms[0].formName = "Form1";
  project.forms[0].title = "Project1 - Form1 (Form)";
  ASSERT_TRUE(SaveProject(folder, kProjectName, project).ok);
  EXPECT_EQ(OpenProject(folder, kProjectName).project, First());
}

TEST(ProjectStore, ADamagedCommitFileIsUndoneRatherThanCarriedOut) {
  MemoryFolder folder;
  ASSERT_TRUE(SaveProject(folder, kProjectName, First()).ok);
  folder.files["Form1.kform.new"] = {"KelpForm 1\r\nBegin Form1\r\nEnd\r\n"};
  folder.files[std::string(kProjectName) + ".commit"] = {
      "KelpCommit 1\r\nReplace \"Form1.kform\"\r\nEnd 1 0"};
  const ReadResult read = OpenProject(folder, kProjectName);
  ASSERT_FALSE(read.Refused());
  EXPECT_EQ(*read.project, First());
  EXPECT_EQ(read.diagnostics.front().severity, Severity::kWarning);
  EXPECT_FALSE(HoldsUnfinishedSave(folder));
}

TEST(ProjectStore, TheRecoveryCopyLivesInItsOwnFolderAndNeverTouchesTheProject) {
  MemoryFolder projectFolder;
  MemoryFolder recoveryFolder;
  ASSERT_TRUE(SaveProject(projectFolder, kProjectName, First()).ok);
  const test::MemoryFiles saved = projectFolder.Contents();
  EXPECT_FALSE(HasRecoveryCopy(recoveryFolder, kProjectName));
  ASSERT_TRUE(SaveRecoveryCopy(recoveryFolder, kProjectName, Second()).ok);
  ASSERT_TRUE(SaveRecoveryCopy(recoveryFolder, kProjectName, Third()).ok);
  EXPECT_EQ(projectFolder.Contents(), saved);
  EXPECT_TRUE(HasRecoveryCopy(recoveryFolder, kProjectName));
  EXPECT_EQ(Opened(recoveryFolder), Third());
  ASSERT_TRUE(RemoveRecoveryCopy(recoveryFolder, kProjectName).ok);
  EXPECT_TRUE(recoveryFolder.files.empty());
  EXPECT_FALSE(HasRecoveryCopy(recoveryFolder, kProjectName));
}

}  // namespace
}  // namespace kelp
