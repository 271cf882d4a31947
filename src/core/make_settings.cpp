#include "core/make_settings.h"

#include "core/project_text.h"

namespace kelp {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

constexpr std::string_view kPlaceholders[] = {"{source}", "{object}", "{objects}", "{program}"};

bool IsPlaceholder(std::string_view word) {
  for (std::string_view known : kPlaceholders) {
    if (word == known) return true;
  }
  return false;
}

// The first {name} of the command that is not a placeholder, or empty.
std::string UnknownPlaceholder(std::string_view command) {
  for (std::size_t open = command.find('{'); open != std::string_view::npos; open = command.find('{', open + 1)) {
    const std::size_t close = command.find('}', open);
    if (close == std::string_view::npos) return std::string(command.substr(open));
    const std::string_view word = command.substr(open, close - open + 1);
    if (!IsPlaceholder(word)) return std::string(word);
  }
  return {};
}

bool Mentions(std::string_view command, std::string_view placeholder) {
  return command.find(placeholder) != std::string_view::npos;
}

}  // namespace

MakeSettingsRead ReadMakeSettings(std::string_view text) {
  MakeSettingsRead read;
  LineSplitter lines(text);
  std::string_view line;
  bool seenAssemble = false, seenLink = false, seenExtension = false;
  while (lines.Next(line)) {
    const std::string_view content = Trimmed(line);
    if (content.empty() || content.front() == ';') continue;
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
      read.problems.push_back({lines.LineNumber(), "expected Key = value, found \"" + std::string(content) + "\""});
      continue;
    }
    const std::string_view key = Trimmed(content.substr(0, equals));
    const std::string value(Trimmed(content.substr(equals + 1)));
    bool* seen = key == "Assemble" ? &seenAssemble : key == "Link" ? &seenLink
                                                   : key == "ObjectExtension" ? &seenExtension : nullptr;
    if (seen == nullptr) {
      read.problems.push_back({lines.LineNumber(), "unknown key \"" + std::string(key) +
                                                       "\" (Assemble, Link and ObjectExtension are known)"});
      continue;
    }
    if (*seen) {
      read.problems.push_back({lines.LineNumber(), std::string(key) + " is given twice"});
      continue;
    }
    *seen = true;
    if (key == "Assemble") read.settings.assemble = value;
    if (key == "Link") read.settings.link = value;
    if (key == "ObjectExtension" && !value.empty()) read.settings.objectExtension = value;
  }
  return read;
}

std::string MakeSettingsTemplate() {
  return "; How Kelp makes your program: the command that assembles each generated\r\n"
         "; .asm file, and the one that links the objects into the program.\r\n"
         "; {source} is a generated .asm file, {object} the object made from it,\r\n"
         "; {objects} all the objects, {program} the .exe. Leave Link empty when\r\n"
         "; the assembler makes the program itself (JWasm's -pe).\r\n"
         ";\r\n"
         "; MASM32 (ml.exe and link.exe):\r\n"
         ";   Assemble = \"C:\\masm32\\bin\\ml.exe\" /c /coff /Cp /nologo /Fo\"{object}\" \"{source}\"\r\n"
         ";   Link = \"C:\\masm32\\bin\\link.exe\" /SUBSYSTEM:WINDOWS /NOLOGO /LIBPATH:\"C:\\masm32\\lib\" "
         "/OUT:\"{program}\" {objects}\r\n"
         "; JWasm, making the program itself:\r\n"
         ";   Assemble = \"C:\\JWasm\\jwasm.exe\" -pe -Fo\"{program}\" \"{source}\"\r\n"
         "; UASM with link.exe:\r\n"
         ";   Assemble = \"C:\\UASM\\uasm32.exe\" -c -coff -Fo\"{object}\" \"{source}\"\r\n"
         "\r\n"
         "Assemble = \r\n"
         "Link = \r\n";
}

std::string AssembleCommandProblem(std::string_view command, bool linkFollows) {
  if (Trimmed(command).empty()) return "no assembler is set: give the Assemble command";
  if (const std::string unknown = UnknownPlaceholder(command); !unknown.empty()) {
    return "Assemble names " + unknown + ", which is none of {source}, {object}, {objects}, {program}";
  }
  if (!Mentions(command, "{source}")) return "Assemble does not name the file to assemble ({source})";
  if (linkFollows && !Mentions(command, "{object}")) return "Assemble does not name the object to make ({object})";
  if (!linkFollows && !Mentions(command, "{program}")) {
    return "Link is empty, so Assemble must make the program itself and name it ({program})";
  }
  return {};
}

std::string LinkCommandProblem(std::string_view command) {
  if (const std::string unknown = UnknownPlaceholder(command); !unknown.empty()) {
    return "Link names " + unknown + ", which is none of {source}, {object}, {objects}, {program}";
  }
  if (!Mentions(command, "{program}")) return "Link does not name the program to make ({program})";
  if (!Mentions(command, "{objects}") && !Mentions(command, "{object}")) {
    return "Link does not name the objects to link ({objects})";
  }
  return {};
}

std::string ExpandCommand(std::string_view command, const CommandFiles& files) {
  std::string objects;
  for (const std::string& object : files.objects) {
    if (!objects.empty()) objects += ' ';
    objects += "\"" + object + "\"";
  }
  std::string out;
  std::size_t at = 0;
  while (at < command.size()) {
    const std::size_t open = command.find('{', at);
    if (open == std::string_view::npos) break;
    out += command.substr(at, open - at);
    const std::size_t close = command.find('}', open);
    const std::string_view word = close == std::string_view::npos ? command.substr(open)
                                                                   : command.substr(open, close - open + 1);
    if (word == "{source}") out += files.source;
    else if (word == "{object}") out += files.object;
    else if (word == "{objects}") out += objects;
    else if (word == "{program}") out += files.program;
    else out += word;
    at = open + word.size();
  }
  if (at < command.size()) out += command.substr(at);
  return out;
}

}  // namespace kelp
