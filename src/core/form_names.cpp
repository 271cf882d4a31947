#include "core/form_names.h"

#include "core/number_format.h"
#include "core/text.h"

namespace kelp {

void ComposeFormName(std::uint32_t formNumber, char (&name)[kTextFieldSize]) {
  char digits[kNumberTextSize];
  FormatNumber(formNumber, digits);
  CopyText(name, "Form");
  AppendText(name, digits);
}

void ComposeFormTitle(std::uint32_t projectNumber, std::uint32_t formNumber,
                      char (&title)[kTextFieldSize]) {
  char digits[kNumberTextSize];
  FormatNumber(projectNumber, digits);
  CopyText(title, "Project");
  AppendText(title, digits);
  FormatNumber(formNumber, digits);
  AppendText(title, " - Form");
  AppendText(title, digits);
  AppendText(title, " (Form)");
}

void ComposeHandleName(const char* name, char (&handleName)[kTextFieldSize]) {
  CopyText(handleName, "h");
  AppendText(handleName, name != nullptr ? name : "");
}

}  // namespace kelp
