// Projects and files for the tests of saving and opening: a project with
// every kind of control and every property changed, and files held in
// memory.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "core/project_model.h"
#include "core/project_reader.h"
#include "core/project_writer.h"

namespace kelp::test {

// Every byte from 1 to 255, some of them more than once: quotes, "\",
// ";", "=", blanks at both ends, control bytes, bytes 128..255.
std::string EveryTextByte();

// A caption of exactly the 259 bytes the record holds.
std::string LongestCaption();

// Code as people write it: TABs, blank lines, CR LF and lone LF, bytes
// 128..255, and no line end at the end.
std::string AwkwardCode();

// Two forms (the second the MDI form), a control of every kind with every
// property changed from its default, the first form's too, modules and
// class modules (some of them closed), settings.
Project RichProject();

// One form with a label and a button, one module.
Project SmallProject();

using MemoryFiles = std::map<std::string, std::string>;

MemoryFiles ToMap(const std::vector<ProjectFile>& files);
ReadFileFn ReaderOf(const MemoryFiles& files);

// Reads the files the way an open does, "Hello.kproj" being the project file.
inline constexpr char kProjectName[] = "Hello.kproj";
ReadResult ReadFiles(const MemoryFiles& files);

}  // namespace kelp::test
