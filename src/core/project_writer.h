// Writes a project as the files that hold it: a project file, one form file
// a form, and one .asm file for every code window (a form's, each
// control's, each module's and class module's), byte for byte.
//
// The same project always gives the same bytes: properties one a line in a
// fixed order, controls bottom first, what equals its default left out, so
// that moving one button changes one line of its form file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/project_model.h"

namespace kelp {

struct ProjectFile {
  std::string path;  // relative to the project file's folder
  std::string bytes;
  bool operator==(const ProjectFile&) const = default;
};

// The project file (under projectFileName) first, then each form's file,
// its code and its controls' code, then the modules and the class modules.
// The writer writes what it is given; the store reads the files back before
// it saves them, so a project that could not be opened is never saved.
std::vector<ProjectFile> WriteProject(const Project& project, std::string_view projectFileName);

}  // namespace kelp
