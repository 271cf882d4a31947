// The designer's undo and redo, for one form. The form is seen as a list of
// objects (the form itself first, then its controls from the bottom of the
// stacking to the top), each known by a key that survives its deletion
// (kind and number: Button3 stays Button3 when it comes back) and holding
// its state as bytes. A user's action is one step: the objects whose state
// changed, came or went, with their states before and after, and the
// stacking before and after when it changed. Only what changed is kept, so
// moving one control of a hundred costs two of its states.
//
// The history is bounded: at most `maxSteps` steps and `maxBytes` bytes of
// steps; the oldest steps go first. A new step clears the steps to redo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kelp {

struct DesignEntry {
  std::uint32_t key = 0;
  std::string state;
  // Carried along with the state but never compared: what belongs to the
  // object without being part of its design (its code window).
  std::uint64_t attachment = 0;
  friend bool operator==(const DesignEntry& a, const DesignEntry& b) {
    return a.key == b.key && a.state == b.state;
  }
};

// The form first, then its controls bottom to top; keys are unique.
using DesignSnapshot = std::vector<DesignEntry>;

struct DesignStep {
  std::vector<DesignEntry> before;  // states that changed or went
  std::vector<DesignEntry> after;   // states that changed or came
  // The keys bottom to top, only when the stacking (or the set) changed.
  bool stackingChanged = false;
  std::vector<std::uint32_t> orderBefore;
  std::vector<std::uint32_t> orderAfter;
  std::size_t Bytes() const;
  bool Empty() const { return before.empty() && after.empty() && !stackingChanged; }
};

enum class StepDirection { kForward, kBackward };

// The step from one snapshot to the other (empty when they are alike).
DesignStep DiffSnapshots(const DesignSnapshot& from, const DesignSnapshot& to);

// The snapshot a step leads to from `base`: forward from its before side,
// backward from its after side.
DesignSnapshot ApplyStep(const DesignSnapshot& base, const DesignStep& step, StepDirection direction);

class DesignHistory {
 public:
  static constexpr std::size_t kDefaultMaxSteps = 200;
  static constexpr std::size_t kDefaultMaxBytes = 4u << 20;

  explicit DesignHistory(std::size_t maxSteps = kDefaultMaxSteps, std::size_t maxBytes = kDefaultMaxBytes)
      : maxSteps_(maxSteps), maxBytes_(maxBytes) {}

  // The form as it is now, seen without a user's action (first sight, or a
  // host rebuilt it): no step, and the steps kept so far are dropped, since
  // they may no longer lead back to what is there.
  void Rebase(DesignSnapshot now);
  bool HasBase() const { return hasBase_; }
  const DesignSnapshot& Base() const { return base_; }

  // What belongs to an object without being its design (a code window
  // opened for it) changed; no step.
  void SetAttachment(std::uint32_t key, std::uint64_t attachment);

  // The form after a user's action: the step from the last state to it.
  // False (and no step) when nothing changed or nothing was seen before.
  // With `continuing`, the action goes on the last one (a value typed a
  // character at a time is one step), unless that was undone.
  bool Record(DesignSnapshot now, bool continuing = false);
  // Record for an action that changed these objects and nothing else (a
  // value typed into them): the same step as Record with the whole form
  // gives, without reading or comparing the rest of it. The history must
  // stand at a state that holds each of them; where it does not, nothing is
  // done.
  bool RecordSome(DesignSnapshot changed, bool continuing = false);

  // The step to carry out backward (Undo) or forward (Redo), or nothing;
  // the history then stands at the state the step leads to.
  std::optional<DesignStep> Undo();
  std::optional<DesignStep> Redo();

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  std::size_t UndoCount() const { return undo_.size(); }
  std::size_t RedoCount() const { return redo_.size(); }
  // The bytes the steps hold (the current state not counted).
  std::size_t StepBytes() const { return stepBytes_; }
  // Changes with every change of the steps or of the state the history
  // stands at, and is never the same for two histories: an unchanged
  // revision means the history is as it was.
  std::uint64_t Revision() const { return revision_; }

 private:
  // A new step: the steps to redo go, and the oldest if there are too many.
  void Keep(DesignStep step);
  void Trim();
  void Revise() { revision_ = ++lastRevision_; }
  // Takes the newest step of `from`, walks it, and keeps it in `to`.
  std::optional<DesignStep> Walk(std::deque<DesignStep>& from, std::deque<DesignStep>& to, StepDirection direction);

  std::size_t maxSteps_;
  std::size_t maxBytes_;
  bool hasBase_ = false;
  DesignSnapshot base_;
  std::deque<DesignStep> undo_;   // oldest first
  std::deque<DesignStep> redo_;   // the next to redo last
  std::size_t stepBytes_ = 0;
  std::uint64_t revision_ = 0;
  static inline std::uint64_t lastRevision_ = 0;
};

}  // namespace kelp
