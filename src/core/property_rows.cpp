#include "core/property_rows.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/number_format.h"
#include "core/text.h"

namespace kelp {
namespace {

constexpr std::array<const char*, kCommonRowCount> kCommonRows = {
    " (Name)", " ID Name", " ID Value", " Caption",  " BkColor", " Enabled",
    " Width",  " Height",  " Font",     " Ex Style", " WS Style"};

constexpr std::array<const char*, 1> kFormRows = {" Icon"};
constexpr std::array<const char*, 1> kTextBoxRows = {" Scroll Bars"};
constexpr std::array<const char*, 1> kCheckedRows = {" Checked"};
constexpr std::array<const char*, 3> kTrackBarRows = {" Tick Marks", " Tick Range", " Track Style"};
constexpr std::array<const char*, 2> kProgressBarRows = {" Step", " Range"};
constexpr std::array<const char*, 1> kStatusBarRows = {" Parts"};

}  // namespace

RowValue ValueOfRow(int row) {
  switch (row) {
    case kRowName:
      return RowValue::kHandleName;
    case kRowIdName:
      return RowValue::kIdName;
    case kRowIdValue:
      return RowValue::kCtrlId;
    case kRowCaption:
      return RowValue::kCaption;
    case kRowBackColour:
      return RowValue::kBackColour;
    case kRowWidth:
      return RowValue::kWidth;
    case kRowHeight:
      return RowValue::kHeight;
    default:
      return RowValue::kNone;
  }
}

RowEditor EditorOfRow(int row) {
  switch (ValueOfRow(row)) {
    case RowValue::kNone:
      return RowEditor::kNone;
    case RowValue::kBackColour:
      return RowEditor::kColour;
    default:
      return RowEditor::kText;
  }
}

std::span<const char* const> CommonRowNames() {
  return kCommonRows;
}

bool HasRowList(std::uint32_t kind) {
  return kind == kKindForm || (kind >= kKindLabel && kind <= kKindStatusBar);
}

std::span<const char* const> KindRowNames(std::uint32_t kind) {
  switch (kind) {
    case kKindForm:
      return kFormRows;
    case kKindTextBox:
      return kTextBoxRows;
    case kKindCheckBox:
    case kKindOptionButton:
      return kCheckedRows;
    case kKindTrackBar:
      return kTrackBarRows;
    case kKindProgressBar:
      return kProgressBarRows;
    case kKindStatusBar:
      return kStatusBarRows;
    default:
      return {};
  }
}

int RowCount(std::uint32_t kind) {
  if (!HasRowList(kind)) return 0;
  return kCommonRowCount + static_cast<int>(KindRowNames(kind).size());
}

const char* RowName(std::uint32_t kind, int row) {
  if (row < 0 || row >= RowCount(kind)) return nullptr;
  if (row < kCommonRowCount) return kCommonRows[static_cast<std::size_t>(row)];
  return KindRowNames(kind)[static_cast<std::size_t>(row - kCommonRowCount)];
}

std::vector<int> SharedRows(std::span<const std::uint32_t> kinds) {
  std::vector<int> rows;
  if (kinds.empty()) return rows;
  for (std::uint32_t kind : kinds) {
    if (!HasRowList(kind)) return rows;
  }
  for (int row = 0; row < kCommonRowCount; ++row) {
    if (row != kRowName && row != kRowIdName && row != kRowIdValue) rows.push_back(row);
  }
  const std::span<const char* const> first = KindRowNames(kinds.front());
  for (std::size_t i = 0; i < first.size(); ++i) {
    const std::string_view name = first[i];
    const bool everyKindHasIt = std::all_of(kinds.begin() + 1, kinds.end(), [&](std::uint32_t kind) {
      const std::span<const char* const> own = KindRowNames(kind);
      return std::any_of(own.begin(), own.end(), [&](const char* other) { return name == other; });
    });
    if (everyKindHasIt) rows.push_back(kCommonRowCount + static_cast<int>(i));
  }
  return rows;
}

namespace {

void FormatRowText(const ControlRecord& record, int row, bool signedNumbers, char (&out)[kTextFieldSize]) {
  out[0] = '\0';
  std::int32_t number = 0;
  switch (ValueOfRow(row)) {
    case RowValue::kHandleName:
      CopyText(out, FieldText(record.handleName));
      return;
    case RowValue::kIdName:
      CopyText(out, FieldText(record.idName));
      return;
    case RowValue::kCaption:
      CopyText(out, FieldText(record.caption));
      return;
    case RowValue::kCtrlId:
      number = static_cast<std::int32_t>(record.ctrlId);
      break;
    case RowValue::kWidth:
      number = record.width;
      break;
    case RowValue::kHeight:
      number = record.height;
      break;
    default:
      return;
  }
  if (signedNumbers) {
    FormatDecimal(number, out);
  } else {
    FormatNumber(static_cast<std::uint32_t>(number), out);
  }
}

}  // namespace

void FormatRowValue(const ControlRecord& record, int row, char (&out)[kTextFieldSize]) {
  FormatRowText(record, row, true, out);
}

void FormatEditorText(const ControlRecord& record, int row, char (&out)[kTextFieldSize]) {
  FormatRowText(record, row, false, out);
}

void FormatSharedRowValue(std::span<const ControlRecord* const> records, int row, bool forEditor,
                          char (&out)[kTextFieldSize]) {
  out[0] = '\0';
  if (records.empty() || records.front() == nullptr) return;
  FormatRowText(*records.front(), row, !forEditor, out);
  char other[kTextFieldSize];
  for (const ControlRecord* record : records.subspan(1)) {
    if (record == nullptr) continue;
    FormatRowText(*record, row, !forEditor, other);
    if (std::string_view(other) != out) {
      out[0] = '\0';
      return;
    }
  }
}

bool WriteBackRecordText(ControlRecord& record, int row, const char* text) {
  const std::string_view value = text != nullptr ? text : "";
  switch (row) {
    case kRowName:
      CopyText(record.handleName, value);
      return true;
    case kRowIdName:
      CopyText(record.idName, value);
      return true;
    case kRowIdValue:
      record.ctrlId = static_cast<std::uint32_t>(ParseDecimal(text));
      return true;
    default:
      return false;
  }
}

void ComposeRenamedFormTitle(const char* oldTitle, const char* newName, char (&out)[kTextFieldSize],
                             std::string_view suffix) {
  const std::string_view title = oldTitle != nullptr ? oldTitle : "";
  std::string_view name = newName != nullptr ? newName : "";
  std::string_view kept = title.substr(0, 0);
  if (const std::size_t dash = title.find('-'); dash != std::string_view::npos) {
    kept = title.substr(0, dash + 2 <= title.size() ? dash + 2 : title.size());
  }
  if (suffix.size() > kTextFieldSize - 1) suffix = suffix.substr(0, kTextFieldSize - 1);
  const std::size_t room = kTextFieldSize - 1 - suffix.size();
  if (kept.size() > room) kept = kept.substr(0, room);
  if (name.size() > room - kept.size()) name = name.substr(0, room - kept.size());
  CopyText(out, kept);
  AppendText(out, name);
  AppendText(out, suffix);
}

}  // namespace kelp
