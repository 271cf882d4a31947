// How kelp.exe makes a program from the generated source: the command that
// assembles each generated file and the one that links them, kept in a
// settings file of "Key = value" lines that a user edits (make.ini):
//
//   ; MASM32's ml.exe and link.exe
//   Assemble = "C:\masm32\bin\ml.exe" /c /coff /Cp /nologo /Fo"{object}" "{source}"
//   Link = "C:\masm32\bin\link.exe" /SUBSYSTEM:WINDOWS /NOLOGO /OUT:"{program}" {objects}
//
// A command names its files with {source} (a generated .asm file),
// {object} (the object made from it), {objects} (all of them, each in
// quotes) and {program} (the .exe). An empty Link means the assembler makes
// the program itself (JWasm's -pe). Lines starting with ";" are comments.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelp {

struct MakeSettings {
  std::string assemble;
  std::string link;
  std::string objectExtension = ".obj";  // ObjectExtension: JWasm on Unix writes .o
  bool operator==(const MakeSettings&) const = default;
};

struct MakeSettingsProblem {
  std::uint32_t line = 0;
  std::string message;
};

struct MakeSettingsRead {
  MakeSettings settings;
  std::vector<MakeSettingsProblem> problems;
};

MakeSettingsRead ReadMakeSettings(std::string_view text);

// What the settings file holds the first time: every key, empty, with
// examples for ml.exe, JWasm and UASM in comments.
std::string MakeSettingsTemplate();

// What a command needs before it can run, or empty: a missing {source} or
// {object} in Assemble, a missing {program} in Link, an unknown {name}.
std::string AssembleCommandProblem(std::string_view command, bool linkFollows);
std::string LinkCommandProblem(std::string_view command);

struct CommandFiles {
  std::string source;
  std::string object;
  std::vector<std::string> objects;
  std::string program;
};

// The command with its placeholders replaced by the files' paths.
std::string ExpandCommand(std::string_view command, const CommandFiles& files);

}  // namespace kelp
