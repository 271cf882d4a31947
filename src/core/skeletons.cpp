#include "core/skeletons.h"

namespace kelp {

std::string FormSkeleton(std::string_view formName) {
  std::string text;
  text.reserve(kFormBanner.size() + formName.size() + kFormProcedureText.size());
  text.append(kFormBanner).append(formName).append(kFormProcedureText);
  return text;
}

std::string ControlSkeleton(std::string_view idName) {
  std::string text;
  text.reserve(kControlHandlerOpening.size() + idName.size() + kControlHandlerClosing.size());
  text.append(kControlHandlerOpening).append(idName).append(kControlHandlerClosing);
  return text;
}

std::string CodeWindowTitle(std::string_view subject) { return std::string(subject).append(kCodeTitleSuffix); }

}  // namespace kelp
