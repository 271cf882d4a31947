// The numbers of one kind of control on one form: Button0, Button1, ... A
// new control gets the lowest number no live control of its kind holds;
// numbers run from 0 to 65535. The table grows with use, so an empty form
// costs next to nothing, and finding the lowest free number does not scan.
#pragma once

#include <cstdint>
#include <functional>
#include <queue>
#include <unordered_map>
#include <vector>

namespace kelp {

class NameTable {
 public:
  using Owner = std::uintptr_t;  // the control holding a number; 0 is never an owner
  static constexpr std::uint32_t kCapacity = 65536;
  static constexpr std::int32_t kFull = -1;

  // The lowest free number, or kFull when all 65,536 are taken.
  std::int32_t FindFreeSlot() const;

  // Gives number n (free, below kCapacity) to the owner.
  void Take(std::uint32_t number, Owner owner);

  // Frees the owner's number wherever it sits; false when it holds none.
  bool Release(Owner owner);

  // The owner of number n, or 0.
  Owner At(std::uint32_t number) const;

  // The number the owner holds, or kFull when it holds none.
  std::int32_t NumberOf(Owner owner) const;

  // How many numbers are taken.
  std::uint32_t Count() const { return static_cast<std::uint32_t>(numberOf_.size()); }

  // Every owner, in number order.
  std::vector<Owner> Owners() const;

 private:
  std::vector<Owner> owners_;  // by number; grows to the highest number taken
  // Free numbers below owners_.size(), smallest first (may hold stale entries
  // that were taken again since; they are skipped when met).
  mutable std::priority_queue<std::uint32_t, std::vector<std::uint32_t>, std::greater<>> holes_;
  std::unordered_map<Owner, std::uint32_t> numberOf_;
};

}  // namespace kelp
