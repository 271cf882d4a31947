#include "controls/control_classes.h"

namespace kelp {

void RegisterControlClass(const char* name, UINT style, int extraBytes, HBRUSH background, WNDPROC procedure) {
  WNDCLASSEXA controlClass{};
  controlClass.cbSize = sizeof(controlClass);
  controlClass.style = style;
  controlClass.lpfnWndProc = procedure;
  controlClass.cbClsExtra = extraBytes;
  controlClass.cbWndExtra = extraBytes;
  controlClass.hInstance = ::GetModuleHandleA(nullptr);
  controlClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  controlClass.hbrBackground = background;
  controlClass.lpszClassName = name;
  ::RegisterClassExA(&controlClass);
}

}  // namespace kelp
