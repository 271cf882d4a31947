#include "core/form_names.h"

#include "core/number_format.h"
#include "core/text.h"

namespace kelp {

void ComposeNumberedName(const char* prefix, std::uint32_t number, char (&name)[kTextFieldSize]) {
  char digits[kNumberTextSize];
  FormatNumber(number, digits);
  CopyText(name, prefix);
  AppendText(name, digits);
}

void ComposeCodeTitle(const char* name, char (&title)[kTextFieldSize]) {
  CopyText(title, name != nullptr ? name : "");
  AppendText(title, " (Code)");
}

void ComposeFormName(std::uint32_t formNumber, char (&name)[kTextFieldSize]) {
  ComposeNumberedName(kFormPrefix, formNumber, name);
}

void ComposeFormTitle(std::uint32_t projectNumber, std::uint32_t formNumber,
                      char (&title)[kTextFieldSize]) {
  char name[kTextFieldSize];
  ComposeFormName(formNumber, name);
  ComposeNamedFormTitle(projectNumber, name, kFormTitleSuffix, title);
}

void ComposeNamedFormTitle(std::uint32_t projectNumber, const char* name, const char* suffix,
                           char (&title)[kTextFieldSize]) {
  char digits[kNumberTextSize];
  FormatNumber(projectNumber, digits);
  CopyText(title, "Project");
  AppendText(title, digits);
  AppendText(title, " - ");
  AppendText(title, name != nullptr ? name : "");
  AppendText(title, suffix != nullptr ? suffix : "");
}

void ComposeHandleName(const char* name, char (&handleName)[kTextFieldSize]) {
  CopyText(handleName, "h");
  AppendText(handleName, name != nullptr ? name : "");
}

}  // namespace kelp
