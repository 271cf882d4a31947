#include "core/placement_table.h"

#include "core/number_format.h"
#include "core/text.h"

namespace kelp {

int KindRowIndex(std::uint32_t kind) {
  for (int i = 0; i < kPlacedKinds; ++i) {
    if (kKindRows[i].kind == kind) return i;
  }
  return -1;
}

const KindRow* KindRowFor(std::uint32_t kind) {
  const int index = KindRowIndex(kind);
  return index < 0 ? nullptr : &kKindRows[index];
}

PlacedNames NamesFor(const KindRow& row, std::int32_t number) {
  PlacedNames names{};
  char digits[kNumberTextSize];
  FormatDecimal(number, digits);
  CopyText(names.name, row.baseName);
  AppendText(names.name, digits);
  CopyText(names.idName, row.idPrefix);
  AppendText(names.idName, digits);
  names.id = row.idBase + static_cast<std::uint32_t>(number);
  return names;
}

}  // namespace kelp
