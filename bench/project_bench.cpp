// Opening and saving a large project as kelp.exe does: 50 forms of 100
// controls each and 20,000 lines of code (400 in each form's code window),
// saved to files, opened again (read, then the forms, controls and code
// windows built), and saved after one change and after none. Goals under
// Wine: an open in at most 2 s, a save in at most 0.5 s.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench_host.h"
#include "core/project_store.h"
#include "core/project_writer.h"
#include "kelp32.h"
#include "masm_text.h"
#include "project_snapshot.h"
#include "win_file_system.h"

namespace {

using kelp::bench::NowMicroseconds;

constexpr int kForms = 50;
constexpr int kControlsPerForm = 100;
constexpr int kLinesPerForm = 400;
constexpr int kColumns = 10;

// The kinds a form of a real program is mostly made of.
constexpr std::uint32_t kKinds[] = {kelp::kKindLabel,    kelp::kKindTextBox,  kelp::kKindButton,
                                    kelp::kKindCheckBox, kelp::kKindListBox, kelp::kKindComboBox};

kelp::Project LargeProject() {
  kelp::Project project;
  for (int f = 1; f <= kForms; ++f) {
    kelp::Form form = kelp::DefaultForm(static_cast<std::uint32_t>(f));
    form.width = 1000;
    form.height = 700;
    form.frame = kelp::WindowPlace{10 + f * 4, 10 + f * 4, 640, 480};
    form.hidden = f > 1;  // one form open, the others closed, as a user leaves them
    for (int c = 0; c < kControlsPerForm; ++c) {
      const std::uint32_t kind = kKinds[c % std::size(kKinds)];
      kelp::Control control = kelp::DefaultControl(kind, static_cast<std::uint32_t>(c / std::size(kKinds)));
      control.left = 8 + (c % kColumns) * 96;
      control.top = 8 + (c / kColumns) * 64;
      control.width = 88;
      control.height = 28;
      form.controls.push_back(control);
    }
    form.code = kelp::bench::DenseMasm(kLinesPerForm);
    form.codeShown = f == 1;
    project.forms.push_back(std::move(form));
  }
  project.formCounter = kForms;
  return project;
}

std::string FreshFolder() {
  char temporary[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temporary);
  const std::string folder = std::string(temporary) + "kelp-project-bench-" + std::to_string(::GetCurrentProcessId());
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

double Seconds(double fromMicroseconds) { return (NowMicroseconds() - fromMicroseconds) / 1e6; }

}  // namespace

int main() {
  const kelp::bench::Host host = kelp::bench::StartHost(1280, 900);
  HWND projectWindow = Create_Project_Window(host.frame);
  Create_Prop_Window(host.frame);
  const std::string folder = FreshFolder();
  kelp::host::WinFileSystem files(folder);

  double start = NowMicroseconds();
  const kelp::SaveResult written = kelp::SaveProject(files, "Large.kproj", LargeProject());
  const double writeSeconds = Seconds(start);
  if (!written.ok) {
    std::printf("project_bench: the project could not be written: %s\n",
                kelp::FormatDiagnostic(written.diagnostics.at(0)).c_str());
    return 1;
  }

  start = NowMicroseconds();
  const kelp::ReadResult read = kelp::OpenProject(files, "Large.kproj");
  const double readSeconds = Seconds(start);
  std::string problem;
  start = NowMicroseconds();
  if (read.Refused() || !kelp::host::RebuildProject(*read.project, projectWindow, problem)) {
    std::printf("project_bench: the project could not be opened: %s\n", problem.c_str());
    return 1;
  }
  kelp::bench::PumpPending();
  const double buildSeconds = Seconds(start);

  // A save with nothing changed, then one after a control moved.
  start = NowMicroseconds();
  kelp::Project snapshot = kelp::host::TakeSnapshot(*read.project);
  const double snapshotSeconds = Seconds(start);
  kelp::SaveResult saved = kelp::SaveProject(files, "Large.kproj", snapshot);
  const double unchangedSaveSeconds = Seconds(start);
  HWND first = GetNextForm(nullptr);
  KELP32_FORM_INFO info{};
  GetFormInfo(first, &info);
  HWND control = GetNextControl(KELP32_HANDLE(HWND, info.hSurface), nullptr);
  ::SetWindowPos(control, nullptr, 400, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  start = NowMicroseconds();
  snapshot = kelp::host::TakeSnapshot(*read.project);
  saved = kelp::SaveProject(files, "Large.kproj", snapshot);
  const double changedSaveSeconds = Seconds(start);

  std::size_t bytes = 0;
  for (const auto& file : kelp::WriteProject(snapshot, "Large.kproj")) bytes += file.bytes.size();
  std::printf("project_bench: %d forms x %d controls, %d lines of code, %zu files, %zu bytes\n", kForms,
              kControlsPerForm, kForms * kLinesPerForm, read.files.size() + 1, bytes);
  std::printf("  first save (every file new)        %7.3f s\n", writeSeconds);
  std::printf("  open: read and check the files     %7.3f s\n", readSeconds);
  std::printf("  open: forms, controls, code built  %7.3f s\n", buildSeconds);
  std::printf("  open, whole                        %7.3f s   (goal 2 s)\n", readSeconds + buildSeconds);
  std::printf("  save, nothing changed              %7.3f s   (of it the snapshot %.3f s)\n", unchangedSaveSeconds,
              snapshotSeconds);
  std::printf("  save, one control moved            %7.3f s   (goal 0.5 s)%s\n", changedSaveSeconds,
              saved.ok ? "" : "  FAILED");
  std::printf("project_bench.open_seconds %.3f\n", readSeconds + buildSeconds);
  std::printf("project_bench.save_seconds %.3f\n", changedSaveSeconds);
  return 0;
}
