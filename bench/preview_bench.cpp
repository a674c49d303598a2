// The background dialog's preview of a large JPEG: decoding it at the reduced scale that still
// covers the preview panel, then scaling it smoothly to the largest size that fits the panel, as
// the dialog does before it shows the picture.
//
// Usage: preview_bench PICTURE.jpg [--benchmark_... options]  (bench/preview_jpeg.sh)
#include <benchmark/benchmark.h>

#include <QImage>
#include <QSize>
#include <cstdio>
#include <string>

#include "codecs/PictureFormat.h"
#include "dialogs/PictureImages.h"

namespace {

// The preview panel of the background dialog.
const QSize kPreviewPanel(544, 331);

void DecodeAndScale(benchmark::State& state, const std::string& path) {
  for (auto _ : state) {
    const QImage picture =
        lintavo::LoadPictureImage(path, lintavo::PictureFormat::kJpeg, kPreviewPanel);
    const QImage shown = picture.scaled(lintavo::FittedSize(picture.size(), kPreviewPanel),
                                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    benchmark::DoNotOptimize(shown.constBits());
    state.counters["decoded_width"] = picture.width();
    state.counters["shown_width"] = shown.width();
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PICTURE.jpg [--benchmark_... options]\n", argv[0]);
    return 2;
  }
  const std::string path = argv[1];
  benchmark::RegisterBenchmark("JpegPreview/DecodeAndScaleToPanel", DecodeAndScale, path)
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
