// The random user: a seeded generator of real user actions over the whole
// environment as kelp.exe builds it, with the invariants checked after every
// action. 2,000 actions with a fixed seed run here; KELP_RANDOM_ACTIONS and
// KELP_RANDOM_SEED (one seed or several, separated by commas) make the long
// runs of docs/reliability.md. A failure prints the seed, the action number
// and the action log; the same seed and count replay the run.
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor_fixture.h"
#include "harness.h"
#include "random_user_desktop.h"
#include "random_user_invariants.h"
#include "user_actions.h"

namespace kelp::test {
namespace {

using random_user::Act;
using random_user::kActCount;

constexpr std::uint64_t kSeed = 20261207;
constexpr int kActions = 2000;
// An action whose modal loop (a menu, a move) is still running after this
// long did not do what the user meant; the loop is ended and it fails. A
// loop that is stuck stays stuck, so the limit is generous: typing a
// 300-character name takes over 10 s on the emulated 32-bit run, and as
// long on 64-bit with the processor shared by other runs.
constexpr DWORD kModalLimitMs = 30000;
// Actions that take this long are marked with their time in the log file.
constexpr DWORD kSlowActionMs = 2000;
constexpr UINT kWatchdogPeriodMs = 500;
// The whole log is printed up to this many actions, its end beyond.
constexpr std::size_t kLogLinesPrinted = 2000;
constexpr std::size_t kLastActionsFirst = 30;
// Every so many actions, each form's history is undone to its start and
// redone to its end, and both must give the form as it was.
constexpr int kUndoCheckEvery = 25;
// A long run prints how far it is, and where its time goes, this often.
constexpr int kProgressEvery = 5000;

std::vector<std::uint64_t> Seeds() {
  const char* text = std::getenv("KELP_RANDOM_SEED");
  if (text == nullptr || *text == '\0') return {kSeed};
  std::vector<std::uint64_t> seeds;
  for (const char* p = text; *p != '\0';) {
    char* end = nullptr;
    seeds.push_back(std::strtoull(p, &end, 10));
    p = *end == ',' ? end + 1 : end;
    if (end == p && *p != '\0') break;
  }
  return seeds;
}

int ActionCount() {
  const char* text = std::getenv("KELP_RANDOM_ACTIONS");
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : LoopCount(kActions);
}

// Ends a modal loop that outlives its action, so that a run never hangs.
class ModalWatchdog {
 public:
  ModalWatchdog() : start_(::GetTickCount()) {
    gWatchdog = this;
    timer_ = ::SetTimer(nullptr, 0, kWatchdogPeriodMs, Tick);
  }
  ~ModalWatchdog() {
    ::KillTimer(nullptr, timer_);
    gWatchdog = nullptr;
  }
  ModalWatchdog(const ModalWatchdog&) = delete;
  ModalWatchdog& operator=(const ModalWatchdog&) = delete;
  bool Fired() const { return fired_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (gWatchdog == nullptr || ::GetTickCount() - gWatchdog->start_ < kModalLimitMs) return;
    if (gWatchdog->fired_) return;
    gWatchdog->fired_ = true;
    // What ends a menu, a move or a size loop as a user would: Escape, and
    // the left button let go.
    ::EndMenu();
    INPUT inputs[3] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = VK_ESCAPE;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    inputs[2].type = INPUT_MOUSE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(3, inputs, sizeof(INPUT));
  }
  static inline ModalWatchdog* gWatchdog = nullptr;
  DWORD start_;
  UINT_PTR timer_ = 0;
  bool fired_ = false;
};

std::string LogFileFor(std::uint64_t seed) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "kelp-random-user-" + std::to_string(seed) + ".log";
}

// The log is written as the run goes, each action before it is carried
// out, so that even a crash leaves it behind.
class LogFile {
 public:
  explicit LogFile(std::uint64_t seed) : path_(LogFileFor(seed)), file_(std::fopen(path_.c_str(), "w")) {}
  ~LogFile() {
    if (file_ != nullptr) std::fclose(file_);
  }
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;
  void Write(const std::string& text) {
    if (file_ == nullptr) return;
    std::fputs(text.c_str(), file_);
    std::fflush(file_);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  FILE* file_;
};

void Report(std::uint64_t seed, int action, int count, const std::vector<std::string>& broken,
            const std::vector<std::string>& log) {
  const std::string path = LogFileFor(seed);
  std::string message = "random user: seed " + std::to_string(seed) + " broke an invariant at action " +
                         std::to_string(action) + " of " + std::to_string(count) + ":\n";
  for (const std::string& line : broken) message += "  " + line + "\n";
  message += "replay with KELP_RANDOM_SEED=" + std::to_string(seed) + " KELP_RANDOM_ACTIONS=" +
             std::to_string(action) + "\n";
  // The last actions first: a run that breaks under load may not break the
  // same way again, and a shortened output keeps its beginning.
  const std::size_t lastFirst = log.size() > kLastActionsFirst ? log.size() - kLastActionsFirst : 0;
  message += "the last actions:\n";
  for (std::size_t i = lastFirst; i < log.size(); ++i) message += "  " + log[i] + "\n";
  message += "all the actions (also in " + path + "):\n";
  const std::size_t first = log.size() > kLogLinesPrinted ? log.size() - kLogLinesPrinted : 0;
  for (std::size_t i = first; i < log.size(); ++i) message += "  " + log[i] + "\n";
  ADD_FAILURE() << message;
}

// The library shows two message boxes, no others.
void CheckMessageBoxes(MessageBoxCloser& boxes, std::vector<std::string>& broken) {
  for (const MessageBoxCloser::Box& box : boxes.closed) {
    const bool known = (box.title == "Alert!" && box.text == "No further matches") ||
                       (box.title == "Resource Dependent" && box.text == "Resource Dependent");
    if (!known) broken.push_back("a message box came up: '" + box.title + "': '" + box.text + "'");
  }
  boxes.closed.clear();
}

class RandomUser : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    desktop_.Build(MainFrame(), MdiClient());
  }

  // Runs one seed; false when an invariant broke.
  bool Run(std::uint64_t seed, int count, MessageBoxCloser& boxes) {
    desktop_.StartOver();
    random_user::UserActions actions(seed);
    std::vector<std::string> log;
    LogFile file(seed);
    std::array<int, kActCount> done{};
    std::array<DWORD, kActCount> took{};
    std::vector<std::string> broken = BrokenInvariants(desktop_.MdiClient());
    CheckMessageBoxes(boxes, broken);
    if (!broken.empty()) {
      Report(seed, 0, count, broken, log);
      return false;
    }
    const DWORD start = ::GetTickCount();
    DWORD checking = 0;
    DWORD undoChecking = 0;
    for (int i = 1; i <= count; ++i) {
      const random_user::Action action = actions.Next(desktop_.Describe());
      std::string line = "#" + std::to_string(i) + " " + random_user::Describe(action);
      file.Write(line);
      bool modalLoopEnded = false;
      {
        const ModalWatchdog watchdog;
        const DWORD began = ::GetTickCount();
        const std::string did = desktop_.Perform(action);
        file.Write(" -> " + did);
        line += " -> " + did;
        PumpPending();
        modalLoopEnded = watchdog.Fired();
        const DWORD tookMs = ::GetTickCount() - began;
        took[static_cast<std::size_t>(action.act)] += tookMs;
        // A slow action is the first sign of what may one day take too long.
        file.Write(tookMs >= kSlowActionMs ? " [" + std::to_string(tookMs) + " ms]\n" : "\n");
      }
      log.push_back(line);
      done[static_cast<std::size_t>(action.act)] += 1;
      const DWORD checkBegan = ::GetTickCount();
      broken = BrokenInvariants(desktop_.MdiClient());
      CheckMessageBoxes(boxes, broken);
      for (std::string& problem : desktop_.TakeProjectProblems()) broken.push_back(std::move(problem));
      desktop_.NoteFirstStates();
      if (i % kUndoCheckEvery == 0) {
        const DWORD undoBegan = ::GetTickCount();
        for (std::string& problem : desktop_.CheckUndoAll()) broken.push_back(std::move(problem));
        undoChecking += ::GetTickCount() - undoBegan;
      }
      checking += ::GetTickCount() - checkBegan;
      if (i % kProgressEvery == 0 && i < count) {
        std::printf("random user: seed %llu: %d actions in %.1f s, of which checks %.1f s (undoing all %.1f s)\n",
                    static_cast<unsigned long long>(seed), i, (::GetTickCount() - start) / 1000.0,
                    checking / 1000.0, undoChecking / 1000.0);
        std::fflush(stdout);
      }
      if (modalLoopEnded) {
        broken.push_back("a modal loop was still running after " + std::to_string(kModalLimitMs / 1000) +
                         " s and was ended");
      }
      if (!broken.empty()) {
        Report(seed, i, count, broken, log);
        return false;
      }
    }
    std::printf("random user: seed %llu: %d actions in %.1f s, of which checks %.1f s (undoing all %.1f s), "
                "every invariant held after each\n",
                static_cast<unsigned long long>(seed), count, (::GetTickCount() - start) / 1000.0, checking / 1000.0,
                undoChecking / 1000.0);
    for (int act = 0; act < kActCount; ++act) {
      const auto index = static_cast<std::size_t>(act);
      std::printf("  %-22s %5d  %6.1f s\n", random_user::NameOf(static_cast<Act>(act)), done[index], took[index] / 1000.0);
    }
    return true;
  }

  Desktop desktop_;
};

TEST_F(RandomUser, EveryInvariantHoldsAfterEveryAction) {
  const NoAccidentalDoubleClicks noDoubleClicks;
  MessageBoxCloser boxes;
  for (std::uint64_t seed : Seeds()) {
    if (!Run(seed, ActionCount(), boxes)) break;
  }
}

}  // namespace
}  // namespace kelp::test
