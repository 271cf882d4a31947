// A Windows program that crashes at once, for the test that a crash under
// Wine (either architecture) ends the program and fails its test quickly
// rather than leaving the run waiting on Wine's crash dialog.
#include <windows.h>

int main() {
  ::RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  return 0;
}
