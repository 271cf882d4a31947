#include "core/name_table.h"

namespace kelp {

std::int32_t NameTable::FindFreeSlot() const {
  // Skip holes that were taken again, or lie past the end after a shrink.
  while (!holes_.empty() && (holes_.top() >= owners_.size() || owners_[holes_.top()] != 0)) holes_.pop();
  if (!holes_.empty()) return static_cast<std::int32_t>(holes_.top());
  if (owners_.size() < kCapacity) return static_cast<std::int32_t>(owners_.size());
  return kFull;
}

void NameTable::Take(std::uint32_t number, Owner owner) {
  if (number >= kCapacity || owner == 0 || At(number) != 0) return;
  while (owners_.size() < number) {
    holes_.push(static_cast<std::uint32_t>(owners_.size()));
    owners_.push_back(0);
  }
  if (owners_.size() == number) owners_.push_back(0);
  owners_[number] = owner;
  numberOf_[owner] = number;
}

bool NameTable::Release(Owner owner) {
  const auto found = numberOf_.find(owner);
  if (found == numberOf_.end()) return false;
  const std::uint32_t number = found->second;
  numberOf_.erase(found);
  owners_[number] = 0;
  // Trailing free numbers are dropped, so the table shrinks back with use.
  while (!owners_.empty() && owners_.back() == 0) owners_.pop_back();
  if (number < owners_.size()) holes_.push(number);
  return true;
}

NameTable::Owner NameTable::At(std::uint32_t number) const {
  return number < owners_.size() ? owners_[number] : 0;
}

std::int32_t NameTable::NumberOf(Owner owner) const {
  const auto found = numberOf_.find(owner);
  return found == numberOf_.end() ? kFull : static_cast<std::int32_t>(found->second);
}

std::vector<NameTable::Owner> NameTable::Owners() const {
  std::vector<Owner> owners;
  owners.reserve(numberOf_.size());
  for (Owner owner : owners_) {
    if (owner != 0) owners.push_back(owner);
  }
  return owners;
}

}  // namespace kelp
