// The rows of the property list: eleven common to every object, then a few
// that depend on the object's kind. Each row is identified by its index; its
// name is a constant of the library (the list keeps a pointer to it as the
// item data) and begins with one space, which is part of the text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/control_record.h"

namespace kelp {

enum PropertyRow : int {
  kRowName = 0,
  kRowIdName = 1,
  kRowIdValue = 2,
  kRowCaption = 3,
  kRowBackColour = 4,
  kRowEnabled = 5,
  kRowWidth = 6,
  kRowHeight = 7,
  kRowFont = 8,
  kRowExStyle = 9,
  kRowWsStyle = 10,
};

inline constexpr int kCommonRowCount = 11;
inline constexpr int kMostKindRows = 3;

// Text editors are identified by 300 + their row.
inline constexpr int kFirstEditorId = 300;
inline constexpr int EditorIdOfRow(int row) {
  return kFirstEditorId + row;
}
inline constexpr int RowOfEditorId(int id) {
  return id - kFirstEditorId;
}

// What the value column of a row shows and what edits it.
enum class RowValue { kNone, kHandleName, kIdName, kCaption, kCtrlId, kWidth, kHeight, kBackColour };
enum class RowEditor { kNone, kText, kColour };

RowValue ValueOfRow(int row);
RowEditor EditorOfRow(int row);

// The common rows' names.
std::span<const char* const> CommonRowNames();

// The rows a kind adds after the common ones (possibly none); false for a
// kind that has no row list at all (49, 50 and anything unknown).
bool HasRowList(std::uint32_t kind);
std::span<const char* const> KindRowNames(std::uint32_t kind);

// Rows in the list of a kind, 0 when it has no row list.
int RowCount(std::uint32_t kind);

// The name constant of a row in a kind's list, or nullptr past its end.
const char* RowName(std::uint32_t kind, int row);

// The rows several objects share, in the first kind's numbering: the
// common rows but the three each object has for itself (its name, its
// identifier's name and value), then the first kind's own rows that every
// other kind has too (by name). Empty when a kind has no row list.
std::vector<int> SharedRows(std::span<const std::uint32_t> kinds);

// What the value column shows for a text or number row: the text, or the
// number in signed decimal. Empty for other rows.
void FormatRowValue(const ControlRecord& record, int row, char (&out)[kTextFieldSize]);

// What a text editor starts with: the text, or the number in unsigned decimal.
void FormatEditorText(const ControlRecord& record, int row, char (&out)[kTextFieldSize]);

// What a row shows for several records: their value where all have the same,
// else nothing. The editor starts with the same (unsigned numbers).
void FormatSharedRowValue(std::span<const ControlRecord* const> records, int row, bool forEditor,
                          char (&out)[kTextFieldSize]);

// Writes what an editor holds into the record for the rows that live in the
// record only: the name, the identifier name and the identifier value.
// Returns false for other rows, which also change windows.
bool WriteBackRecordText(ControlRecord& record, int row, const char* text);

// The title of a form's frame after its name changes: what the old title has
// up to the character after its first "-" (normally "Project1 - "), the new
// name, then " (Form)". A title without "-" keeps nothing of itself. The
// result always fits: the name, then the kept part, are cut to make room.
// The MDI form's title ends in " (MDIForm)" instead.
void ComposeRenamedFormTitle(const char* oldTitle, const char* newName, char (&out)[kTextFieldSize],
                             std::string_view suffix = " (Form)");

}  // namespace kelp
