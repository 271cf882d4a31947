// File names inside a saved project, and what makes a path safe to follow.
//
// Every file of a project lies in the project file's folder (or below it)
// and is named from numbers only: Form1.kform, Form1.asm (the form's code),
// Form1.Button0.asm (a control's code: the kind's base name and its slot),
// Module1.asm, Class1.asm. No name a user typed ever becomes a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/project_model.h"

namespace kelp {

inline constexpr std::string_view kProjectFileExtension = ".kproj";
inline constexpr std::string_view kFormFileExtension = ".kform";
inline constexpr std::string_view kCodeFileExtension = ".asm";

// Longest relative path a project file may name: with the folder in front
// it must still fit the 260-byte paths of the ANSI file calls.
inline constexpr std::size_t kMaxRelativePathBytes = 200;

std::string FormFileName(std::uint32_t formNumber);
std::string FormCodeFileName(std::uint32_t formNumber);
// Empty for a kind that places nothing.
std::string ControlCodeFileName(std::uint32_t formNumber, std::uint32_t kind, std::uint32_t number);
std::string ModuleFileName(std::uint32_t number);
std::string ClassModuleFileName(std::uint32_t number);

// True for a name the writer gives a project's part (not the project file).
bool IsPartFileName(std::string_view name);

// What is wrong with a path read from a project file, or empty when it
// stays inside the project's folder and names an ordinary file: relative,
// "/" or "\" between parts, no "." or ".." part, no drive, server or
// device name (CON, NUL, COM1, LPT1, AUX, PRN, with or without an
// extension), no part ending in a dot or a blank, printable ASCII only.
std::string PathProblem(std::string_view path);

// The same for one part of a path: a file or folder name.
std::string PathComponentProblem(std::string_view component);

// What is wrong with the name a project file is saved under ("Hello.kproj"),
// or empty.
std::string ProjectFileNameProblem(std::string_view name);

// What is wrong with a text for a field of the control record (a name, an
// identifier name, a caption), or empty: at most maxBytes, no zero byte.
std::string FieldTextProblem(std::string_view text, std::size_t maxBytes = kMaxTextBytes);

// Two paths name the same file when their keys are equal: Windows compares
// names without regard to case, and takes "\" and "/" alike.
std::string PathKey(std::string_view path);

}  // namespace kelp
