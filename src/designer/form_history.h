// The designer's undo and redo, for hosts that ask (KELP32_OPTION_DESIGN_TOOLS).
// Each form keeps a history of the user's design actions: after every change
// the user makes (the changes the host hears of), the form is read as the
// host saves it and the difference becomes one step. Undo and Redo put the
// form's controls back as the step says, through the same calls a host uses
// to rebuild a project, so that a form after Undo saves exactly as it did.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "entry/host_options.h"

namespace kelp {

// Posted by the library to a form's frame: read the form again as it now is,
// once the host (or the library itself) has finished building it.
inline constexpr UINT kRefreshFormHistory = WM_USER + 0x101;

// The form's frame that holds the window (a control, the design surface, the
// back panel or the frame itself), or null.
HWND FormOfDesignWindow(HWND window);

// The user made a change (ReportChange): one step of the form it concerns.
void RecordDesignChange(HostChange what, HWND about);

// The form was built or changed by a host through the exports (or made
// anew): its history starts again from what it holds when the host is done.
void NoteFormChangedByHost(HWND frame);
void NoteEveryFormChangedByHost();
void RefreshFormHistory(HWND frame);
void ForgetFormHistory(HWND frame);

// Undo and Redo of the form's design actions: false when there is nothing to
// undo or redo, or while the mouse is dragging something.
bool UndoDesignStep(HWND frame);
bool RedoDesignStep(HWND frame);
bool CanUndoDesign(HWND frame);
bool CanRedoDesign(HWND frame);

// A form the user added (the menu's "Add Form"): when its history is back at
// its start, one more Undo takes the form away again, and Redo (on any form,
// or with none) brings it back with its steps to redo. A new action anywhere
// forgets the forms taken away.
void NoteFormAddedByUser(HWND frame);
bool CanUndoFormAddition(HWND frame);
bool UndoFormAddition(HWND frame);
bool CanRedoFormAddition();
bool RedoFormAddition();
// A new project: no form taken away can come back into it.
void ForgetUndoneForms();

// The designer's keys on a focused form (Delete, the arrows, Tab, Escape,
// Ctrl+Z, Ctrl+Y, Ctrl+C, Ctrl+V); true when the key was the designer's.
bool OnDesignKey(HWND frame, UINT key);

// The designer's keys go to the form the user works on: for a host that
// asks for them, a press on the form gives it the keyboard focus (which
// selects the form first, as focusing a form always has).
void FocusFormForKeys(HWND frame);

// The Edit menu's commands on a form: Undo, Redo, Copy, Paste, Delete.
enum class DesignEdit { kUndo, kRedo, kCut, kCopy, kPaste, kDelete, kSelectAll };
void DoDesignEdit(HWND frame, DesignEdit edit);
// Whether the command would do something on the form now.
bool CanDoDesignEdit(HWND frame, DesignEdit edit);

// Selects a control of the form (or the form itself) as a click would,
// without raising or moving it.
void SelectOnForm(HWND frame, HWND object);

// The bytes a form's steps hold, and how many there are (for measuring).
std::size_t DesignHistoryBytes(HWND frame);
std::size_t DesignHistorySteps(HWND frame);
// The revision of the form's history (0 for none): unchanged while neither
// its steps nor the form as it stands in them changed.
std::uint64_t DesignHistoryRevision(HWND frame);

}  // namespace kelp
