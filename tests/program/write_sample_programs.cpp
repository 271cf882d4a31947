// write_sample_programs FOLDER: writes the program made of each sample
// project into FOLDER/<sample>/, for the assembler and linker to check.
// Exits non-zero, naming the sample and the diagnostics, when the
// generator refuses one.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/program_generator.h"
#include "program_samples.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  int failures = 0;
  for (const kelp::samples::Sample& sample : kelp::samples::AllSamples()) {
    const kelp::GenerateResult result = kelp::GenerateProgram(sample.project, {sample.name});
    if (!result.ok) {
      for (const kelp::GenerateDiagnostic& diagnostic : result.diagnostics) {
        std::fprintf(stderr, "%s: %s(%u): %s\n", sample.name.c_str(), diagnostic.where.c_str(), diagnostic.line,
                     diagnostic.message.c_str());
      }
      ++failures;
      continue;
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / sample.name;
    std::filesystem::create_directories(folder);
    for (const kelp::GeneratedFile& file : result.files) {
      std::ofstream(folder / file.name, std::ios::binary) << file.bytes;
    }
  }
  return failures == 0 ? 0 : 1;
}
