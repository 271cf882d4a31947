// A host with a form and the properties window beside it, and what a test
// needs to act on them as a user: the rows of the property list, its
// in-place editor, the keyboard, and the colour picker's windows.
#pragma once

#include <windows.h>

#include <string>

#include "core/control_record.h"
#include "harness.h"

namespace kelp::test {

// Typing any characters as a user does: each one through SendInput, as a
// Unicode keystroke that the message loop translates into WM_CHAR.
void TypeCharacters(const std::string& text);
// Home, then Shift+End: what is typed next replaces the editor's text.
void SelectAllByKeyboard();

class PropertiesTest : public HostTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND Properties() const { return properties_; }
  HWND List() const;
  HWND Surface() const { return surface_; }
  HWND Frame() const { return frame_; }

  // A control of the kind placed on the form (and so selected).
  HWND Place(std::uint32_t kind, RECT r);
  // Selects a control or the form with a real click.
  void ClickOn(HWND window);

  int RowCount() const;
  std::string RowName(int row) const;
  int SelectedRow() const;
  RECT RowScreenRect(int row) const;
  RECT RowClientRect(int row) const;
  // Clicks a row's name column.
  void ClickRow(int row);

  // The editor open over a row's value column, if any: an "EDIT" or a
  // colour field, a child of the list.
  HWND TextEditor() const;
  HWND ColourField() const;
  // Clicks into the text editor, so that it has the keyboard focus.
  void FocusEditor();
  // Picks the row, clicks into its editor and types over what it holds.
  void TypeOver(int row, const std::string& text);

  // Whether the value column of a row shows exactly this text, drawn as
  // the list draws its values.
  bool RowShowsValue(int row, const char* text) const;

  ControlRecord& FormRecordNow() const;

 private:
  HWND properties_ = nullptr;
  HWND surface_ = nullptr;
  HWND frame_ = nullptr;
};

}  // namespace kelp::test
