// write_sample_programs FOLDER: writes the program made of each sample
// project into FOLDER/<sample>/, for the assembler and linker to check.
// Exits non-zero, naming the sample and the diagnostics, when the
// generator refuses one.
// write_sample_programs --broken FOLDER: writes the Broken sample's program
// into FOLDER, and prints the code window and line the assembler's message
// must be taken back to ("Form1.Button0 5").
// write_sample_programs --map FILE LINE: prints the code window and line of
// the Broken sample behind line LINE of its generated FILE.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/program_generator.h"
#include "program_samples.h"

namespace {

bool Write(const kelp::samples::Sample& sample, const std::filesystem::path& folder) {
  const kelp::GenerateResult result = kelp::GenerateProgram(sample.project, {sample.name});
  for (const kelp::GenerateDiagnostic& diagnostic : result.diagnostics) {
    std::fprintf(stderr, "%s: %s(%u): %s\n", sample.name.c_str(), diagnostic.where.c_str(), diagnostic.line,
                 diagnostic.message.c_str());
  }
  if (!result.ok) return false;
  std::filesystem::create_directories(folder);
  for (const kelp::GeneratedFile& file : result.files) {
    std::ofstream(folder / file.name, std::ios::binary) << file.bytes;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using kelp::samples::BrokenSample;
  const std::string mode = argc > 1 ? argv[1] : "";
  if (argc == 3 && mode == "--broken") {
    if (!Write(BrokenSample(), argv[2])) return 1;
    std::printf("%s %u\n", kelp::samples::kBrokenWindow, kelp::samples::kBrokenLine);
    return 0;
  }
  if (argc == 4 && mode == "--map") {
    const kelp::samples::Sample sample = BrokenSample();
    const kelp::GenerateResult result = kelp::GenerateProgram(sample.project, {sample.name});
    const auto line = result.lineMap.Find(argv[2], static_cast<std::uint32_t>(std::atoi(argv[3])));
    if (!line) return 1;
    std::printf("%s %u\n", kelp::CodeWindowLabel(sample.project, line->window).c_str(), line->line);
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER | --broken FOLDER | --map FILE LINE\n", argv[0]);
    return 2;
  }
  int failures = 0;
  for (const kelp::samples::Sample& sample : kelp::samples::AllSamples()) {
    if (!Write(sample, std::filesystem::path(argv[1]) / sample.name)) ++failures;
  }
  return failures == 0 ? 0 : 1;
}
