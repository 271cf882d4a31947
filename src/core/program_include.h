// The Windows part of a generated program's own include file: the
// prototypes, constants and structures the generated code uses, and those a
// form's handler code most often needs, so that the program assembles with
// no SDK's include files at all. Functions are declared by their ANSI names
// (CreateWindowExA) and reached by their plain names too (CreateWindowEx),
// as the SDKs do it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelp {

// The declarations, one per line, each line ended by CR LF.
void AppendWindowsDeclarations(std::string& out);

// Every name the declarations define: no name of the user's may be one of them.
const std::vector<std::string_view>& WindowsDeclaredNames();

// The import libraries whose functions the declarations name, as a linker
// takes them: kernel32, user32, gdi32, comctl32.
const std::vector<std::string_view>& WindowsImportLibraries();

}  // namespace kelp
