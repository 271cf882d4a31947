// A Windows program that crashes at once, for the test that a crash under
// Wine (either architecture) ends the program and fails its test quickly
// rather than leaving the run waiting on Wine's crash dialog. With --hang it
// never ends, for the test that a hung program is stopped at its timeout.
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--hang") == 0) {
    for (;;) ::Sleep(1000);
  }
  ::RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  return 0;
}
