// M9 against a plain byte run-length code (count, byte pairs) on the same
// inputs: every glyph bitmap of a page of text, one call per glyph as the
// driver makes them, and whole 1-bit pages compressed band by band (a band
// of 64 lines always fits the 16-bit block length). Throughput is of the
// plain bytes read; the "ratio" counter is block bytes per plain byte.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "bench/render/page_images.h"
#include "render/encode/m9.h"

namespace {

using kesm_bench::Bytes;
using kesm_bench::OneBitPage;
using kesm_bench::TextPage;

constexpr std::uint32_t kBandLines = 64;
constexpr std::size_t kRefused = std::numeric_limits<std::size_t>::max();

// The reference: runs of up to 255 equal bytes, each written as its length
// and the byte; kRefused when the output does not fit.
std::size_t ByteRunLength(const std::uint8_t* in, std::size_t n, std::uint8_t* out, std::size_t capacity) {
  std::size_t written = 0;
  for (std::size_t i = 0; i < n;) {
    const std::uint8_t value = in[i];
    const std::size_t limit = std::min(n, i + 255);
    std::size_t j = i + 1;
    while (j < limit && in[j] == value) ++j;
    if (capacity - written < 2) return kRefused;
    out[written++] = static_cast<std::uint8_t>(j - i);
    out[written++] = value;
    i = j;
  }
  return written;
}

// Each coder as the benchmarks call it: the block length, or 0 when it
// did not fit (the driver would then send the bytes as they are).
struct M9Coder {
  static std::size_t Encode(const std::uint8_t* in, std::uint32_t bytesPerLine, std::uint32_t lines,
                            Bytes& out) {
    return Image1BPPM9encode(nullptr, in, out.data(), static_cast<LONG>(out.size()), bytesPerLine, lines);
  }
};

struct ByteRunLengthCoder {
  static std::size_t Encode(const std::uint8_t* in, std::uint32_t bytesPerLine, std::uint32_t lines,
                            Bytes& out) {
    std::size_t length = ByteRunLength(in, std::size_t{bytesPerLine} * lines, out.data(), out.size());
    return length == kRefused ? 0 : length;
  }
};

const TextPage* TextOrSkip(benchmark::State& state) {
  const TextPage& text = kesm_bench::PageOfText();
  if (!text.error.empty()) {
    state.SkipWithError(text.error.c_str());
    return nullptr;
  }
  return &text;
}

void Report(benchmark::State& state, std::size_t plainBytes, std::size_t blockBytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plainBytes));
  state.counters["ratio"] = static_cast<double>(blockBytes) / static_cast<double>(plainBytes);
}

template <typename Coder>
void BM_PageGlyphs(benchmark::State& state) {
  const TextPage* text = TextOrSkip(state);
  if (text == nullptr) return;
  Bytes out(1 << 17);  // room for the reference code's worst case, twice a band
  std::size_t blockBytes = 0;
  for (auto _ : state) {
    blockBytes = 0;
    for (const kesm_bench::GlyphBitmap& glyph : text->glyphs) {
      blockBytes += Coder::Encode(glyph.bits.data(), glyph.bytesPerLine, glyph.lines, out);
    }
    benchmark::DoNotOptimize(blockBytes);
    benchmark::ClobberMemory();
  }
  state.counters["glyphs"] = static_cast<double>(text->glyphs.size());
  Report(state, text->glyphBytes, blockBytes);
}

template <typename Coder>
void CompressPage(benchmark::State& state, const OneBitPage& page) {
  Bytes out(1 << 17);  // room for the reference code's worst case, twice a band
  std::size_t blockBytes = 0;
  for (auto _ : state) {
    blockBytes = 0;
    for (std::uint32_t line = 0; line < page.lines; line += kBandLines) {
      const std::uint32_t lines = std::min(kBandLines, page.lines - line);
      blockBytes += Coder::Encode(page.bits.data() + std::size_t{line} * page.bytesPerLine, page.bytesPerLine,
                                  lines, out);
    }
    benchmark::DoNotOptimize(blockBytes);
    benchmark::ClobberMemory();
  }
  Report(state, page.bits.size(), blockBytes);
}

template <typename Coder>
void BM_FullPageText(benchmark::State& state) {
  const TextPage* text = TextOrSkip(state);
  if (text == nullptr) return;
  CompressPage<Coder>(state, text->page);
}

template <typename Coder>
void BM_FullPageHalftone(benchmark::State& state) {
  CompressPage<Coder>(state, kesm_bench::HalftonePage());
}

template <typename Coder>
void BM_FullPageNoise(benchmark::State& state) {
  CompressPage<Coder>(state, kesm_bench::NoisePage());
}

BENCHMARK(BM_PageGlyphs<M9Coder>)->Name("M9/PageGlyphs");
BENCHMARK(BM_PageGlyphs<ByteRunLengthCoder>)->Name("ByteRunLength/PageGlyphs");
BENCHMARK(BM_FullPageText<M9Coder>)->Name("M9/FullPageText");
BENCHMARK(BM_FullPageText<ByteRunLengthCoder>)->Name("ByteRunLength/FullPageText");
BENCHMARK(BM_FullPageHalftone<M9Coder>)->Name("M9/FullPageHalftone");
BENCHMARK(BM_FullPageHalftone<ByteRunLengthCoder>)->Name("ByteRunLength/FullPageHalftone");
BENCHMARK(BM_FullPageNoise<M9Coder>)->Name("M9/FullPageNoise");
BENCHMARK(BM_FullPageNoise<ByteRunLengthCoder>)->Name("ByteRunLength/FullPageNoise");

}  // namespace
