// Projects a user might make programs of: every kind of control with every
// property changed, several forms, an MDI project, modules with handler
// code, and one whose code checks its own window and ends the program with
// a known exit code. The generator's unit tests read them, and
// write_sample_programs writes the programs made of them for the assembler.
#pragma once

#include <string>
#include <vector>

#include "core/project_model.h"

namespace kelp::samples {

struct Sample {
  std::string name;  // the folder and the programs' base name
  Project project;
};

// The exit code of the Checked sample when everything it checks holds.
inline constexpr int kCheckedExitCode = 42;

// A caption of every byte from 1 to 255, quotes and 128..255 among them.
std::string EveryCaptionByte();

// A caption of exactly the 259 bytes the record holds.
std::string LongestCaption();

// The form skeleton with lines of the user's in its WM_CREATE block.
std::string FormCode(std::uint32_t formNumber, const std::string& createLines,
                     const std::string& moreProcs = {});

// A control's skeleton with lines of the user's inside its block.
std::string HandlerCode(const std::string& idName, const std::string& lines);

Project EveryKindProject();
Project SeveralFormsProject();
Project MdiProject();
Project ModulesProject();
Project CheckedProject();

std::vector<Sample> AllSamples();

// The Checked project with a mistake the assembler finds: line 5 of
// Form1.Button0's code window calls a procedure nobody wrote.
Sample BrokenSample();
inline constexpr char kBrokenWindow[] = "Form1.Button0";
inline constexpr std::uint32_t kBrokenLine = 5;

}  // namespace kelp::samples
