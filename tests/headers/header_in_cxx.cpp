// The C host's use of the public headers, compiled as C++11.
#include "header_in_c.c"
