#include "core/design_history.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace kelp {
namespace {

std::vector<std::uint32_t> KeysOf(const DesignSnapshot& snapshot) {
  std::vector<std::uint32_t> keys;
  keys.reserve(snapshot.size());
  for (const DesignEntry& entry : snapshot) keys.push_back(entry.key);
  return keys;
}

std::unordered_map<std::uint32_t, const DesignEntry*> IndexOf(const DesignSnapshot& snapshot) {
  std::unordered_map<std::uint32_t, const DesignEntry*> index;
  index.reserve(snapshot.size());
  for (const DesignEntry& entry : snapshot) index.emplace(entry.key, &entry);
  return index;
}

}  // namespace

std::size_t DesignStep::Bytes() const {
  std::size_t bytes = sizeof(DesignStep);
  for (const auto* side : {&before, &after}) {
    for (const DesignEntry& entry : *side) bytes += sizeof(DesignEntry) + entry.state.capacity();
  }
  bytes += (orderBefore.capacity() + orderAfter.capacity()) * sizeof(std::uint32_t);
  return bytes;
}

DesignStep DiffSnapshots(const DesignSnapshot& from, const DesignSnapshot& to) {
  DesignStep step;
  const auto fromIndex = IndexOf(from);
  const auto toIndex = IndexOf(to);
  for (const DesignEntry& old : from) {
    const auto now = toIndex.find(old.key);
    if (now == toIndex.end()) {
      step.before.push_back(old);
    } else if (now->second->state != old.state) {
      step.before.push_back(old);
      step.after.push_back(*now->second);
    }
  }
  for (const DesignEntry& now : to) {
    if (fromIndex.count(now.key) == 0) step.after.push_back(now);
  }
  std::vector<std::uint32_t> orderFrom = KeysOf(from);
  std::vector<std::uint32_t> orderTo = KeysOf(to);
  if (orderFrom != orderTo) {
    step.stackingChanged = true;
    step.orderBefore = std::move(orderFrom);
    step.orderAfter = std::move(orderTo);
  }
  return step;
}

DesignSnapshot ApplyStep(const DesignSnapshot& base, const DesignStep& step, StepDirection direction) {
  const bool forward = direction == StepDirection::kForward;
  const std::vector<DesignEntry>& leaving = forward ? step.before : step.after;
  const std::vector<DesignEntry>& coming = forward ? step.after : step.before;
  const std::vector<std::uint32_t>& order = forward ? step.orderAfter : step.orderBefore;

  std::unordered_map<std::uint32_t, DesignEntry> entries;
  entries.reserve(base.size() + coming.size());
  for (const DesignEntry& entry : base) entries.emplace(entry.key, entry);
  std::unordered_set<std::uint32_t> stays;
  for (const DesignEntry& entry : coming) stays.insert(entry.key);
  for (const DesignEntry& entry : leaving) {
    if (stays.count(entry.key) == 0) entries.erase(entry.key);
  }
  for (const DesignEntry& entry : coming) entries.insert_or_assign(entry.key, entry);

  DesignSnapshot result;
  result.reserve(entries.size());
  if (step.stackingChanged) {
    for (std::uint32_t key : order) {
      const auto found = entries.find(key);
      if (found != entries.end()) result.push_back(found->second);
    }
    return result;
  }
  for (const DesignEntry& entry : base) {
    const auto found = entries.find(entry.key);
    if (found != entries.end()) result.push_back(found->second);
  }
  return result;
}

void DesignHistory::Rebase(DesignSnapshot now) {
  Revise();
  base_ = std::move(now);
  hasBase_ = true;
  undo_.clear();
  redo_.clear();
  stepBytes_ = 0;
}

void DesignHistory::SetAttachment(std::uint32_t key, std::uint64_t attachment) {
  for (DesignEntry& entry : base_) {
    if (entry.key == key) entry.attachment = attachment;
  }
}

bool DesignHistory::Record(DesignSnapshot now, bool continuing) {
  if (!hasBase_) {
    Rebase(std::move(now));
    return false;
  }
  Revise();
  if (continuing && !undo_.empty() && redo_.empty()) {
    DesignStep& last = undo_.back();
    const DesignSnapshot beforeLast = ApplyStep(base_, last, StepDirection::kBackward);
    stepBytes_ -= last.Bytes();
    last = DiffSnapshots(beforeLast, now);
    base_ = std::move(now);
    if (last.Empty()) {
      undo_.pop_back();
    } else {
      stepBytes_ += last.Bytes();
    }
    return true;
  }
  DesignStep step = DiffSnapshots(base_, now);
  base_ = std::move(now);
  if (step.Empty()) return false;
  Keep(std::move(step));
  return true;
}

namespace {

// One object's change from `old` to `now` taken into a step that may have
// changed it already.
void TakeInto(DesignStep& step, const DesignEntry& old, const DesignEntry& now) {
  const auto withKey = [key = now.key](const DesignEntry& e) { return e.key == key; };
  const auto before = std::find_if(step.before.begin(), step.before.end(), withKey);
  const auto after = std::find_if(step.after.begin(), step.after.end(), withKey);
  if (after != step.after.end()) {
    // Changed (or came) in the step: it now leads to the new state, or, back
    // where it started, no longer changes it.
    if (before != step.before.end() && before->state == now.state) {
      step.before.erase(before);
      step.after.erase(after);
    } else {
      *after = now;
    }
  } else if (old.state != now.state) {
    step.before.push_back(old);
    step.after.push_back(now);
  }
}

}  // namespace

bool DesignHistory::RecordSome(DesignSnapshot changed, bool continuing) {
  if (!hasBase_) return false;
  std::unordered_map<std::uint32_t, std::size_t> places;
  places.reserve(base_.size());
  for (std::size_t i = 0; i < base_.size(); ++i) places.emplace(base_[i].key, i);
  for (const DesignEntry& entry : changed) {
    if (places.count(entry.key) == 0) return false;
  }
  Revise();
  const bool onLast = continuing && !undo_.empty() && redo_.empty();
  DesignStep fresh;
  DesignStep& step = onLast ? undo_.back() : fresh;
  if (onLast) stepBytes_ -= step.Bytes();
  for (DesignEntry& entry : changed) {
    DesignEntry& at = base_[places[entry.key]];
    const DesignEntry old = std::exchange(at, std::move(entry));
    TakeInto(step, old, at);
  }
  if (!onLast) {
    if (fresh.Empty()) return false;
    Keep(std::move(fresh));
    return true;
  }
  if (step.Empty()) {
    undo_.pop_back();
  } else {
    stepBytes_ += step.Bytes();
  }
  return true;
}

std::optional<DesignStep> DesignHistory::Walk(std::deque<DesignStep>& from, std::deque<DesignStep>& to,
                                               StepDirection direction) {
  if (from.empty()) return std::nullopt;
  Revise();
  DesignStep step = std::move(from.back());
  from.pop_back();
  base_ = ApplyStep(base_, step, direction);
  to.push_back(step);
  return step;
}

std::optional<DesignStep> DesignHistory::Undo() { return Walk(undo_, redo_, StepDirection::kBackward); }
std::optional<DesignStep> DesignHistory::Redo() { return Walk(redo_, undo_, StepDirection::kForward); }

void DesignHistory::Keep(DesignStep step) {
  for (const DesignStep& dropped : redo_) stepBytes_ -= dropped.Bytes();
  redo_.clear();
  stepBytes_ += step.Bytes();
  undo_.push_back(std::move(step));
  Trim();
}

void DesignHistory::Trim() {
  while (!undo_.empty() && (undo_.size() > maxSteps_ || stepBytes_ > maxBytes_)) {
    stepBytes_ -= undo_.front().Bytes();
    undo_.pop_front();
  }
}

}  // namespace kelp
