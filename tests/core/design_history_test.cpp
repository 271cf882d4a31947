// The designer's history of one form: steps that keep only what changed,
// and undo and redo that lead exactly back and forth.
#include "core/design_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace kelp {
namespace {

DesignSnapshot Form(std::initializer_list<std::pair<std::uint32_t, const char*>> objects) {
  DesignSnapshot snapshot;
  for (const auto& [key, state] : objects) snapshot.push_back({key, state});
  return snapshot;
}

TEST(DesignHistory, AStepKeepsOnlyWhatChangedAndLeadsBothWays) {
  const DesignSnapshot before = Form({{0, "form"}, {1, "Button0 at 8,8"}, {2, "Button1 at 8,40"}});
  const DesignSnapshot moved = Form({{0, "form"}, {1, "Button0 at 16,8"}, {2, "Button1 at 8,40"}});
  const DesignStep step = DiffSnapshots(before, moved);
  ASSERT_EQ(step.before.size(), 1u);
  EXPECT_EQ(step.before[0].state, "Button0 at 8,8");
  EXPECT_EQ(step.after[0].state, "Button0 at 16,8");
  EXPECT_FALSE(step.stackingChanged);
  EXPECT_EQ(ApplyStep(before, step, StepDirection::kForward), moved);
  EXPECT_EQ(ApplyStep(moved, step, StepDirection::kBackward), before);
  EXPECT_TRUE(DiffSnapshots(before, before).Empty());
}

TEST(DesignHistory, ADeletedObjectComesBackInItsPlaceInTheStackingWithItsAttachment) {
  DesignSnapshot before = Form({{0, "form"}, {1, "group"}, {2, "button"}, {3, "label"}});
  before[2].attachment = 77;  // the button's code window
  const DesignSnapshot after = Form({{0, "form"}, {1, "group"}, {3, "label"}});
  const DesignStep step = DiffSnapshots(before, after);
  EXPECT_TRUE(step.stackingChanged);
  const DesignSnapshot undone = ApplyStep(after, step, StepDirection::kBackward);
  EXPECT_EQ(undone, before);
  EXPECT_EQ(undone[2].attachment, 77u);
}

TEST(DesignHistory, UndoAndRedoWalkTheStepsAndANewActionClearsRedo) {
  DesignHistory history;
  EXPECT_FALSE(history.Undo()) << "nothing to undo";
  EXPECT_FALSE(history.Redo()) << "nothing to redo";
  EXPECT_FALSE(history.Record(Form({{0, "a"}}))) << "first sight is no step";
  EXPECT_FALSE(history.Record(Form({{0, "a"}}))) << "nothing changed";
  EXPECT_TRUE(history.Record(Form({{0, "b"}})));
  EXPECT_TRUE(history.Record(Form({{0, "b"}, {5, "x"}})));
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(history.Base(), Form({{0, "b"}}));
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(history.Base(), Form({{0, "a"}}));
  EXPECT_FALSE(history.Undo());
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(history.Base(), Form({{0, "b"}}));
  EXPECT_TRUE(history.Record(Form({{0, "c"}})));
  EXPECT_FALSE(history.CanRedo()) << "a new action clears the steps to redo";
  EXPECT_EQ(history.UndoCount(), 2u);
}

TEST(DesignHistory, ItsRevisionChangesWheneverItDoesEvenBackToTheSameStateAndCount) {
  DesignHistory history;
  DesignHistory other;
  history.Record(Form({{0, "a"}}));
  other.Record(Form({{0, "a"}}));
  EXPECT_NE(history.Revision(), other.Revision()) << "two histories never share a revision";
  history.Record(Form({{0, "b"}}));
  history.Record(Form({{0, "c"}}));
  const std::uint64_t seen = history.Revision();
  EXPECT_EQ(history.Revision(), seen) << "reading changes nothing";
  // Undo twice, then reach the same state by another way: same count, same
  // state, other steps.
  history.Undo();
  history.Undo();
  history.Record(Form({{0, "d"}}));
  history.Record(Form({{0, "c"}}));
  EXPECT_EQ(history.UndoCount(), 2u);
  EXPECT_NE(history.Revision(), seen);
}

TEST(DesignHistory, AValueTypedACharacterAtATimeIsOneStepUnlessItWasUndone) {
  DesignHistory history;
  history.Rebase(Form({{0, "form"}, {1, "Button0"}}));
  EXPECT_TRUE(history.Record(Form({{0, "form"}, {1, "G"}})));
  EXPECT_TRUE(history.Record(Form({{0, "form"}, {1, "Go"}}), true));
  EXPECT_EQ(history.UndoCount(), 1u);
  history.Record(Form({{0, "form"}, {1, "Button0"}}), true);
  EXPECT_EQ(history.UndoCount(), 0u) << "typed back to what it was: no step";
  history.Record(Form({{0, "form"}, {1, "A"}}));
  history.Undo();
  history.Record(Form({{0, "form"}, {1, "B"}}), true);
  EXPECT_EQ(history.UndoCount(), 1u);
  history.Undo();
  EXPECT_EQ(history.Base(), Form({{0, "form"}, {1, "Button0"}})) << "an undone step takes nothing more";
}

TEST(DesignHistory, IsBoundedInStepsAndBytesDroppingTheOldestFirst) {
  DesignHistory few(3, 1u << 20);
  for (int i = 0; i < 10; ++i) few.Record(Form({{0, std::to_string(i).c_str()}}));
  EXPECT_EQ(few.UndoCount(), 3u);
  while (few.Undo()) {
  }
  EXPECT_EQ(few.Base(), Form({{0, "6"}})) << "undoing all leads to the oldest state kept";

  DesignHistory small(1000, 4096);
  const std::string big(1000, 'x');
  for (int i = 0; i < 20; ++i) small.Record(Form({{0, (big + std::to_string(i)).c_str()}}));
  EXPECT_LE(small.StepBytes(), 4096u);
  EXPECT_GE(small.UndoCount(), 1u);
}

// Random forms: whatever the actions, undoing all of them gives the first
// form and redoing all gives the last.
TEST(DesignHistory, UndoingEveryRandomActionGivesTheFirstFormAndRedoingGivesTheLast) {
  std::mt19937 random(4);
  for (int round = 0; round < 50; ++round) {
    DesignSnapshot form = Form({{0, "form"}});
    DesignHistory history;
    history.Rebase(form);
    const DesignSnapshot first = form;
    std::uint32_t nextKey = 1;
    for (int action = 0; action < 60; ++action) {
      switch (random() % 4) {
        case 0:
          form.push_back({nextKey++, "new " + std::to_string(random() % 5)});
          break;
        case 1:
          if (form.size() > 1) form.erase(form.begin() + 1 + random() % (form.size() - 1));
          break;
        case 2:
          form[random() % form.size()].state = std::to_string(random() % 3);
          break;
        default:
          if (form.size() > 2) std::swap(form[1 + random() % (form.size() - 1)], form.back());
          break;
      }
      history.Record(form);
    }
    const DesignSnapshot last = form;
    while (history.Undo()) {
    }
    EXPECT_EQ(history.Base(), first);
    while (history.Redo()) {
    }
    EXPECT_EQ(history.Base(), last);
  }
}

// A value typed into objects is recorded from those objects alone; the
// history must be the one the whole form would have given, whatever came
// before (steps undone, objects that came or went, the stacking changed).
TEST(DesignHistory, RecordingTheObjectsTypedIntoKeepsTheStepsThatRecordingTheWholeFormKeeps) {
  std::mt19937 random(9);
  for (int round = 0; round < 200; ++round) {
    DesignSnapshot form = Form({{0, "form"}, {1, "a"}, {2, "b"}, {3, "c"}});
    DesignHistory whole;
    DesignHistory one;
    whole.Rebase(form);
    one.Rebase(form);
    std::uint32_t nextKey = 4;
    for (int action = 0; action < 40; ++action) {
      const bool continuing = random() % 3 != 0;
      switch (random() % 6) {
        case 0:  // another action on the whole form
          form.push_back({nextKey++, "new"});
          if (form.size() > 3 && random() % 2 == 0) std::swap(form[1], form.back());
          whole.Record(form, continuing);
          one.Record(form, continuing);
          break;
        case 1:
          if (whole.Undo().has_value() != one.Undo().has_value()) ADD_FAILURE() << "undo";
          form = whole.Base();
          break;
        case 2:
          if (whole.Redo().has_value() != one.Redo().has_value()) ADD_FAILURE() << "redo";
          form = whole.Base();
          break;
        default: {  // a character typed into one object or several
          DesignSnapshot typedInto;
          for (std::size_t count = 1 + random() % 3, i = 0; i < count; ++i) {
            DesignEntry& typed = form[random() % form.size()];
            typed.state = std::string(1, static_cast<char>('a' + random() % 3)) + std::to_string(random() % 2);
            typed.attachment = random() % 2;
            typedInto.push_back(typed);
          }
          EXPECT_EQ(whole.Record(form, continuing), one.RecordSome(typedInto, continuing));
          break;
        }
      }
      ASSERT_EQ(one.Base(), whole.Base()) << "round " << round << " action " << action;
      ASSERT_EQ(one.UndoCount(), whole.UndoCount()) << "round " << round << " action " << action;
      ASSERT_EQ(one.RedoCount(), whole.RedoCount());
    }
    // Both walk back and forth through the same states.
    while (whole.Undo()) {
      ASSERT_TRUE(one.Undo());
      ASSERT_EQ(one.Base(), whole.Base()) << "round " << round;
    }
    while (whole.Redo()) {
      ASSERT_TRUE(one.Redo());
      ASSERT_EQ(one.Base(), whole.Base()) << "round " << round;
    }
  }
  DesignHistory empty;
  EXPECT_FALSE(empty.RecordSome({{0, "x"}})) << "nothing seen yet: nothing kept";

  // An object the history does not hold: nothing kept, the state as it was.
  DesignHistory history;
  history.Record({{1, "a"}, {2, "b"}});
  EXPECT_FALSE(history.RecordSome({{1, "c"}, {3, "x"}}));
  EXPECT_EQ(history.Base(), (DesignSnapshot{{1, "a"}, {2, "b"}}));
  EXPECT_FALSE(history.CanUndo());
}

}  // namespace
}  // namespace kelp
