// The platform-neutral core of the keyword colouring, natively (Google
// Benchmark): reading the shipped syntax.fmt, and tokenising a 64 KB
// visible text of dense MASM and looking up its words, which every paint
// of a code window does for its visible text (about 3 KB for a page).
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/counting_heap.h"  // tests/core
#include "core/keyword_table.h"
#include "core/placement_table.h"
#include "core/program_generator.h"
#include "core/skeletons.h"
#include "core/syntax_file.h"
#include "core/visible_text.h"
#include "masm_text.h"

namespace {

std::string ShippedSyntaxFile() {
  std::ifstream file(KELP_SYNTAX_FILE, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

constexpr std::size_t kVisibleBytes = 64 * 1024;

void ReadShippedSyntaxFile(benchmark::State& state) {
  const std::string file = ShippedSyntaxFile();
  for (auto _ : state) {
    kelp::test::CountingHeap heap;
    kelp::KeywordTable table;
    kelp::ReadSyntaxText(file, heap, table);
    kelp::FreeKeywordNodes(heap, table);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(ReadShippedSyntaxFile);

void TokeniseAndLookUp64KB(benchmark::State& state) {
  kelp::test::CountingHeap heap;
  kelp::KeywordTable table;
  kelp::ReadSyntaxText(ShippedSyntaxFile(), heap, table);
  const std::string text = kelp::bench::DenseVisibleText(kVisibleBytes);
  std::size_t coloured = 0;
  for (auto _ : state) {
    kelp::ColourVisibleText(text, table, [&](std::size_t, std::size_t, std::uint32_t) { ++coloured; });
    benchmark::DoNotOptimize(coloured);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.SetLabel(std::to_string(coloured / state.iterations()) + " runs to colour");
  kelp::FreeKeywordNodes(heap, table);
}
BENCHMARK(TokeniseAndLookUp64KB)->Unit(benchmark::kMicrosecond);

kelp::Project LargeProject() {
  kelp::Project project;
  for (std::uint32_t number = 1; number <= 50; ++number) {
    kelp::Form form = kelp::DefaultForm(number);
    form.code = kelp::FormSkeleton("Form" + std::to_string(number));
    for (std::uint32_t slot = 0; slot < 100; ++slot) {
      const kelp::KindRow& row = kelp::kKindRows[slot % kelp::kPlacedKinds];
      kelp::Control control = kelp::DefaultControl(row.kind, slot);
      control.left = static_cast<std::int32_t>(slot % 10) * 60;
      control.top = static_cast<std::int32_t>(slot / 10) * 30;
      control.width = 55;
      control.height = 25;
      if (slot % 4 == 0) control.backBrush = {kelp::BrushKind::kPicked, 0};
      control.backColour = slot * 0x010203u;
      control.code = kelp::ControlSkeleton(control.idName);
      form.controls.push_back(control);
    }
    project.forms.push_back(form);
  }
  project.modules = {{1, "Module1", "Helper proc\r\n    ret\r\nHelper endp\r\n"}};
  return project;
}

// What the host's Make does before the assembler runs.
void GenerateProgram50Forms5000Controls(benchmark::State& state) {
  const kelp::Project project = LargeProject();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const kelp::GenerateResult result = kelp::GenerateProgram(project);
    bytes = result.files.front().bytes.size() + result.files.back().bytes.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetLabel(std::to_string(bytes / 1024) + " KB of source");
}
BENCHMARK(GenerateProgram50Forms5000Controls)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
