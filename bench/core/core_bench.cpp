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

}  // namespace

BENCHMARK_MAIN();
