// The random user's generator: a seed alone decides the run, only actions
// that make sense on the desktop described are chosen, every kind of action
// comes up, and what it types is what a keyboard can type.
#include "user_actions.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kelp::random_user {
namespace {

Situation Busy() {
  Situation s;
  s.visibleForms = 3;
  s.forms = 4;
  s.controls = 12;
  s.visibleCodeWindows = 2;
  s.codeWindows = 5;
  s.hiddenWindows = 2;
  s.controlSelected = true;
  return s;
}

std::string LogOf(std::uint64_t seed, int count) {
  UserActions actions(seed);
  std::string log;
  for (int i = 0; i < count; ++i) log += Describe(actions.Next(Busy())) + "\n";
  return log;
}

TEST(RandomUserActions, TheSameSeedGivesTheSameActionsAndAnotherSeedOthers) {
  EXPECT_EQ(LogOf(20261207, 500), LogOf(20261207, 500));
  EXPECT_NE(LogOf(20261207, 500), LogOf(20261208, 500));
}

TEST(RandomUserActions, EveryKindOfActionComesUpOnABusyDesktop) {
  UserActions actions(7);
  std::set<Act> seen;
  for (int i = 0; i < 20000; ++i) seen.insert(actions.Next(Busy()).act);
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kActCount));
}

TEST(RandomUserActions, OnAnEmptyDesktopOnlyWhatNeedsNoFormOrControlIsChosen) {
  UserActions actions(11);
  const Situation empty;
  for (int i = 0; i < 5000; ++i) {
    const Act act = actions.Next(empty).act;
    EXPECT_TRUE(act == Act::kPickTool || act == Act::kEditProperty || act == Act::kPickColour ||
                act == Act::kAddForm || act == Act::kAddModule || act == Act::kAddClassModule ||
                act == Act::kReopenFromProject || act == Act::kNewProject || act == Act::kSaveProject ||
                act == Act::kOpenProject)
        << NameOf(act);
  }
}

TEST(RandomUserActions, AFullDesktopGetsNoMoreFormsOrCodeWindows) {
  Situation full = Busy();
  full.forms = kMostForms;
  full.codeWindows = kMostCodeWindows;
  UserActions actions(3);
  for (int i = 0; i < 5000; ++i) {
    const Act act = actions.Next(full).act;
    EXPECT_NE(act, Act::kAddForm);
    EXPECT_NE(act, Act::kNewProject);
    EXPECT_NE(act, Act::kAddModule);
    EXPECT_NE(act, Act::kAddClassModule);
  }
}

TEST(RandomUserActions, SpotsStayInsideAndDragsLeaveByAFifthAtMost) {
  UserActions actions(5);
  bool left = false;
  for (int i = 0; i < 5000; ++i) {
    const Action a = actions.Next(Busy());
    EXPECT_TRUE(a.from.x >= 0 && a.from.x < 1000 && a.from.y >= 0 && a.from.y < 1000);
    EXPECT_TRUE(a.to.x >= -200 && a.to.x < 1200 && a.to.y >= -200 && a.to.y < 1200);
    left = left || a.to.x < 0 || a.to.x >= 1000 || a.to.y < 0 || a.to.y >= 1000;
  }
  EXPECT_TRUE(left);
}

// Printable characters, and the three keys the test presses for '\n', '\t'
// and '\b'; names now and then longer than a 260-byte field keeps.
TEST(RandomUserActions, TextsAreWhatAKeyboardTypes) {
  UserActions actions(13);
  bool long_name = false;
  for (int i = 0; i < 3000; ++i) {
    for (const std::string& text : {actions.NameText(), actions.NumberText(true), actions.CodeText(),
                                    actions.SearchText()}) {
      for (char c : text) EXPECT_TRUE((c >= 0x20 && c < 0x7F) || c == '\n' || c == '\t' || c == '\b') << int(c);
      EXPECT_LE(text.size(), 1200u);
    }
    long_name = long_name || actions.NameText().size() >= 260;
  }
  EXPECT_TRUE(long_name);
  for (int i = 0; i < 200; ++i) EXPECT_FALSE(actions.SearchText().empty());
}

TEST(RandomUserActions, PropertyEditsTypeNumbersIntoNumberRowsAndNamesElsewhere) {
  UserActions actions(17);
  int numbers = 0;
  for (int i = 0; i < 5000; ++i) {
    const Action a = actions.Next(Busy());
    if (a.act != Act::kEditProperty || !IsNumberRow(a.item) || a.text.empty()) continue;
    if (a.text[0] >= '0' && a.text[0] <= '9') ++numbers;
  }
  EXPECT_GT(numbers, 50);
}

TEST(RandomUserActions, TheLogLineNamesTheActAndShowsControlKeys) {
  Action a;
  a.act = Act::kTypeInCode;
  a.which = 3;
  a.text = "mov\teax\n";
  EXPECT_EQ(Describe(a), "type in code which=3 item=0 flags=0 answer=0 from=(0,0) to=(0,0) text=\"mov\\teax\\n\"");
}

}  // namespace
}  // namespace kelp::random_user
