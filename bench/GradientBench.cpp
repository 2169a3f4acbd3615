// The gradient's pattern build against a plain fill of the same bitmap, and
// the shaded rows of FillGradientRect against plain lines: what the drawing
// costs beyond writing the pixels at all.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "controls/Gradient.h"
#include "draw/ColourOperations.h"
#include "draw/RasterCanvas.h"

namespace {

void RebuildPatternRadialC(benchmark::State& state) {
  TGradient g;
  g.SetColorBegin(8454143);
  g.SetColorEnd(5220351);
  for (auto _ : state) {
    g.RebuildPattern();
    benchmark::DoNotOptimize(g.Pattern().Pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * 362 * 362);
}
BENCHMARK(RebuildPatternRadialC);

// The bound: every pixel of a 362 x 362 bitmap written with one colour.
void PlainFill362(benchmark::State& state) {
  Bitmap b;
  for (auto _ : state) {
    b.Width = b.Height = 362;
    b.Pixels.assign(362 * 362, 0x80FFFF);
    benchmark::DoNotOptimize(b.Pixels.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 362 * 362);
}
BENCHMARK(PlainFill362);

// Rows of width 156 (the progress window's button face), per row.
void FillGradientRectRows(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  RasterCanvas c(158, rows + 2);
  for (auto _ : state) {
    FillGradientRect(c, 1, 1, 156, rows - 1, 0xFFFFFF, 0x99AAAD);
    benchmark::DoNotOptimize(c.Pixels().data());
  }
  // Seconds per row, shown with an SI prefix.
  state.counters["per_row"] = benchmark::Counter(static_cast<double>(state.iterations()) * rows,
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(FillGradientRectRows)->Arg(27)->Arg(1024);

// The bound: the same rows drawn as plain lines of one colour.
void PlainRows(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  RasterCanvas c(158, rows + 2);
  c.SetPen(Pen{0xCCD4D6, PenStyle::Solid, 1});
  for (auto _ : state) {
    for (int i = 1; i <= rows; ++i) {
      c.MoveTo(1, i);
      c.LineTo(157, i);
    }
    benchmark::DoNotOptimize(c.Pixels().data());
  }
  state.counters["per_row"] = benchmark::Counter(static_cast<double>(state.iterations()) * rows,
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(PlainRows)->Arg(27)->Arg(1024);

// Keeps the time of one iteration of every run, to print the ratios.
class Reporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration) times[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

void Ratio(const Reporter& r, const char* what, const std::string& a, const std::string& b) {
  auto x = r.times.find(a), y = r.times.find(b);
  if (x == r.times.end() || y == r.times.end() || y->second <= 0) return;
  std::printf("%-58s %8.1f x\n", what, x->second / y->second);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Reporter r;
  benchmark::RunSpecifiedBenchmarks(&r);
  std::printf("\n");
  Ratio(r, "RebuildPattern gsRadialC 362 x 362 / plain fill", "RebuildPatternRadialC", "PlainFill362");
  Ratio(r, "FillGradientRect / plain lines, 27 rows", "FillGradientRectRows/27", "PlainRows/27");
  Ratio(r, "FillGradientRect / plain lines, 1024 rows", "FillGradientRectRows/1024", "PlainRows/1024");
  benchmark::Shutdown();
  return 0;
}
