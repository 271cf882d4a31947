// Several controls selected at once, for hosts that ask for the designer's
// tools: Ctrl+click adds a control to the selection or takes it out, a band
// drawn with the Pointer Tool selects the controls it touches, "&Select All"
// selects every control of the form. The first control selected is the one
// the others follow; it is the one the properties window shows. The
// selection is marked with squares where each control's grab handles
// would be: filled for the first, hollow for the others.
#pragma once

#include <windows.h>

#include <vector>

#include "core/form_format.h"

namespace kelp {

// The controls selected together (at least two), the first first; empty
// when one control or the form is selected the usual way.
std::vector<HWND> SelectedGroup(HWND frame);
bool IsInSelectedGroup(HWND control);
// The controls a command acts on: the group, or else the selected control of
// the form, or nothing.
std::vector<HWND> SelectedControls(HWND frame);

void ToggleInSelection(HWND frame, HWND control);
// Selects the controls (none: the form; one: that control as a click does).
void SelectControls(HWND frame, const std::vector<HWND>& controls);
void SelectAllControls(HWND frame);
// The Pointer Tool's band (surface coordinates) selects what it touches.
void SelectByBand(HWND surface, const RECT& band);
void ForgetSelectedGroup();

// The group's marks drawn again (its controls changed size).
void RepaintGroupMarks();
// Draws the group's marks on the surface's paint (a memory DC of it).
void DrawGroupMarks(HWND surface, HDC dc);

// A member dragged by the mouse took the others with it.
void MoveGroupWith(HWND dragged, int dx, int dy);
// Moves or resizes every selected control by the same amount; one step.
void NudgeSelected(HWND frame, int dx, int dy, bool resize);
// Deletes every selected control; one step.
void DeleteSelected(HWND frame);
// Copies the selected controls; pastes the copied ones, in the same places
// relative to each other, at the form's top-left corner; each one step.
// Cut copies them and deletes them.
void CopySelected(HWND frame);
// The control's context menu "&Copy": the selection it is part of, or it
// alone. The form's "&Paste" then pastes that, as Ctrl+V does.
void CopyWithItsSelection(HWND control);
void CutSelected(HWND frame);
void PasteCopied(HWND frame);
bool HasCopiedControls();

// A Format menu command on the selected controls; one step.
void FormatSelected(HWND frame, FormatCommand command);
bool CanFormat(HWND frame, FormatCommand command);

}  // namespace kelp
