// How forms and code windows are named and titled: the first form after
// load is Form1 in a frame titled "Project1 - Form1 (Form)", the first module
// is Module1 in a code window titled "Module1 (Code)"; numbers are never reused.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/control_record.h"

namespace kelp {

// prefix + n, e.g. Module1 or Class2.
void ComposeNumberedName(const char* prefix, std::uint32_t number, char (&name)[kTextFieldSize]);

// name + " (Code)": the title of the code window of a form, control or module.
void ComposeCodeTitle(const char* name, char (&title)[kTextFieldSize]);

// A project has at most one MDI form, MDIForm + n; its number comes from the
// same counter as every other form's, so the one added after Form1 is MDIForm2.
inline constexpr char kFormPrefix[] = "Form";
inline constexpr char kMdiFormPrefix[] = "MDIForm";
inline constexpr char kFormTitleSuffix[] = " (Form)";
inline constexpr char kMdiFormTitleSuffix[] = " (MDIForm)";

// "Form" + n, e.g. Form1.
void ComposeFormName(std::uint32_t formNumber, char (&name)[kTextFieldSize]);

// "Project" + p + " - Form" + n + " (Form)".
void ComposeFormTitle(std::uint32_t projectNumber, std::uint32_t formNumber,
                      char (&title)[kTextFieldSize]);

// "Project" + p + " - " + name + suffix, cut to the field: the title of a
// form given its name ("Project1 - MDIForm2 (MDIForm)").
void ComposeNamedFormTitle(std::uint32_t projectNumber, const char* name, const char* suffix,
                           char (&title)[kTextFieldSize]);

// "h" + name, cut to the field: the handle variable of a form or control.
void ComposeHandleName(const char* name, char (&handleName)[kTextFieldSize]);

}  // namespace kelp
