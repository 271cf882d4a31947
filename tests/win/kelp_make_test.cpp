// Make and Run in kelp.exe: the settings a user must give, the program made
// with a real assembler (JWasm, built for Windows from ../shared/tools),
// an assembly error followed back to its code window and line, and the made
// program run (32-bit only: 64-bit Wine here cannot start 32-bit programs).
#include <windows.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "core/project_store.h"
#include "harness.h"
#include "kelp32.h"
#include "kelp_process.h"
#include "main_frame.h"
#include "output_window.h"
#include "win_file_system.h"

namespace kelp::test {
namespace {

using host::WinFileSystem;

// The Windows path of JWasm built for this architecture, or empty.
std::string TestJwasm() {
  const char* unix = std::getenv("KELP_TEST_JWASM");
  if (unix == nullptr || *unix == '\0') return {};
  std::string path = std::string("Z:") + unix;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

bool Is32Bit() { return sizeof(void*) == 4; }

// Every line of kelp.exe's Output window.
std::vector<std::string> OutputLines(HWND frame) {
  std::vector<std::string> lines;
  HWND output = ::FindWindowExA(frame, nullptr, host::kOutputClassName, nullptr);
  HWND list = ::FindWindowExA(output, nullptr, "ListBox", nullptr);
  const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[2048] = {};
    if (::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < static_cast<LRESULT>(sizeof(text))) {
      ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    }
    lines.emplace_back(text);
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += line + "\n";
  return all;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

// Form1 with a button whose handler block does what `handler` says.
std::string WriteButtonProject(const std::string& name, const std::string& handler) {
  const std::string folder = FreshFolder(name);
  Project project;
  Form form = DefaultForm(1);
  form.width = 320;
  form.height = 200;
  form.frame = WindowPlace{10, 10, 340, 240};
  Control button = DefaultControl(KIND_BUTTON, 0);
  button.caption = "Say Hello";
  button.left = 20;
  button.top = 30;
  button.width = 120;
  button.height = 30;
  button.code = ";-----------------------------------------------\r\n"
                ";TODO: Place code here for this Click action.\r\n"
                ";-----------------------------------------------\r\n"
                "        .if wParam == IDC_BUTTON0\r\n" +
                handler +
                "        .endif\r\n";
  form.controls.push_back(button);
  project.forms.push_back(form);
  project.formCounter = 1;
  WinFileSystem files(folder);
  EXPECT_TRUE(SaveProject(files, "Hello.kproj", project).ok);
  return folder;
}

TEST(KelpMake, WithoutSettingsMakeSaysWhatToSetAndWhere) {
  const std::string folder = WriteButtonProject("make-unset", "");
  const std::string settings = FreshFolder("make-unset-settings");
  ::SetEnvironmentVariableA("KELP_SETTINGS_FOLDER", settings.c_str());
  KelpProcess kelp("\"" + folder + "\\Hello.kproj\"", FreshFolder("make-unset-recovery"));
  ::SetEnvironmentVariableA("KELP_SETTINGS_FOLDER", nullptr);
  ASSERT_TRUE(PumpUntil([&] { return kelp.Title() == "Hello - Kelp - MASM Visual Designer"; }, 60000));
  kelp.PostCommand(host::kMakeCommand);
  HWND box = kelp.AwaitMessageBox();
  ASSERT_NE(box, nullptr);
  const std::string text = KelpProcess::MessageText(box);
  EXPECT_NE(text.find("set Assemble"), std::string::npos) << text;
  EXPECT_NE(text.find("make.ini"), std::string::npos) << text;
  KelpProcess::Answer(box, IDOK);
  EXPECT_EQ(FilesIn(settings).count("make.ini"), 1u) << "a template to fill in";
  kelp.Kill();
}

}  // namespace
}  // namespace kelp::test
