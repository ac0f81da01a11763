// Picture answer variants: 1,000 tasks with four 200 x 200 bitmap variants
// each, converted to the import document, and the steps of one variant on
// their own: loading the bitmap, turning it into a PNG graphic and copying
// it, PNG encoding, the RichDoc text (its hexadecimal line), and the
// embedded-data passage (code page to UTF-8, then base64).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "conversion/convert.h"
#include "conversion/test_document.h"
#include "pictures/bitmap.h"
#include "pictures/picture.h"
#include "pictures/png_from_bitmap.h"
#include "platform/code_page.h"
#include "platform/stream.h"
#include "richtext/hex_line.h"
#include "richtext/rich_doc_writer.h"
#include "xml/base64.h"

namespace {

using namespace texttoxml;

constexpr int kSide = 200;
constexpr int kTasks = 1000;
constexpr int kVariantsPerTask = 4;

// A drawing with a photo inset: white paper, coloured bars and diagonal
// lines, and a noisy shaded square in one corner, so that deflate meets both
// long runs and data it can hardly shrink.
std::string BitmapFile(unsigned seed) {
  std::mt19937 random(seed);
  const int stride = (kSide * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * kSide, 0xFF);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      std::uint8_t* pixel = &rows[static_cast<std::size_t>(y) * stride + 3 * x];
      if (x < 64 && y < 64) {
        pixel[0] = static_cast<std::uint8_t>(2 * x + random() % 16);
        pixel[1] = static_cast<std::uint8_t>(3 * y + seed * 40);
        pixel[2] = static_cast<std::uint8_t>(x + y + random() % 8);
      } else if ((x + y + static_cast<int>(seed)) % 23 == 0 || (y / 20) % 3 == 1) {
        pixel[0] = static_cast<std::uint8_t>(seed * 60);
        pixel[1] = static_cast<std::uint8_t>(y);
        pixel[2] = 0x40;
      }
    }
  }
  std::string file;
  pictures::Bitmap::FromPixels(kSide, kSide, 24, {}, std::move(rows))->SaveToStream(file);
  return file;
}

// A folder with pic0.bmp to pic3.bmp, kept for the whole run.
const std::string& PictureFolder() {
  static const std::string folder = [] {
    auto path = std::filesystem::temp_directory_path() / "texttoxml-picture-variant-bench";
    std::filesystem::create_directories(path);
    for (unsigned i = 0; i < kVariantsPerTask; ++i) {
      std::ofstream(path / ("pic" + std::to_string(i) + ".bmp"), std::ios::binary) << BitmapFile(i);
    }
    return path.string();
  }();
  return folder;
}

std::string PicturePath(int i) {
  return PictureFolder() + "/pic" + std::to_string(i) + ".bmp";
}

std::u16string TaskText() {
  std::u16string text;
  for (int task = 0; task < kTasks; ++task) {
    if (task > 0) text += u"\r\n\r\n";
    text += u"Which picture is right?";
    for (int i = 0; i < kVariantsPerTask; ++i)
      text += (i == 0 ? u"\r\n+ [pic" : u"\r\n- [pic") + std::u16string(1, char16_t(u'0' + i)) +
              u".bmp]";
  }
  return text;
}

// Seconds per picture variant, shown as the "per_variant" counter.
void CountVariants(benchmark::State& state, int variantsPerIteration) {
  state.counters["per_variant"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * variantsPerIteration,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ConvertTasksWithPictureVariants(benchmark::State& state) {
  const std::u16string text = TaskText();
  const conversion::TextSource source{PictureFolder(), ""};
  conversion::Converter converter;
  for (auto _ : state) {
    std::string xml;
    platform::StringOutputStream stream(xml);
    converter.Convert(text, source, platform::DateTime{2013, 7, 24, 15, 4, 5, 0}, stream);
    benchmark::DoNotOptimize(xml.data());
  }
  CountVariants(state, kTasks * kVariantsPerTask);
}
BENCHMARK(BM_ConvertTasksWithPictureVariants)->Unit(benchmark::kMillisecond);

// Each step below runs over the four pictures of a task.
void BM_LoadBitmap(benchmark::State& state) {
  for (auto _ : state) {
    for (int i = 0; i < kVariantsPerTask; ++i) {
      pictures::Picture picture;
      picture.LoadFromFile(PicturePath(i));
      benchmark::DoNotOptimize(picture.GetGraphic());
    }
  }
  CountVariants(state, kVariantsPerTask);
}
BENCHMARK(BM_LoadBitmap)->Unit(benchmark::kMicrosecond);

std::vector<pictures::Picture> LoadedPictures() {
  std::vector<pictures::Picture> pictures(kVariantsPerTask);
  for (int i = 0; i < kVariantsPerTask; ++i) pictures[i].LoadFromFile(PicturePath(i));
  return pictures;
}

void BM_ConvertToPngAndCopy(benchmark::State& state) {
  const std::vector<pictures::Picture> loaded = LoadedPictures();
  for (auto _ : state) {
    for (const pictures::Picture& bitmap : loaded) {
      pictures::Picture picture;
      picture.Assign(bitmap);
      pictures::ConvertPictureToPng(picture);
      benchmark::DoNotOptimize(pictures::CopyGraphic(*picture.GetGraphic()));
    }
  }
  CountVariants(state, kVariantsPerTask);
}
BENCHMARK(BM_ConvertToPngAndCopy)->Unit(benchmark::kMicrosecond);

std::vector<std::unique_ptr<pictures::Graphic>> PngGraphics() {
  std::vector<std::unique_ptr<pictures::Graphic>> graphics;
  for (pictures::Picture& picture : LoadedPictures()) {
    pictures::ConvertPictureToPng(picture);
    graphics.push_back(pictures::CopyGraphic(*picture.GetGraphic()));
  }
  return graphics;
}

void BM_PngEncode(benchmark::State& state) {
  const auto graphics = PngGraphics();
  for (auto _ : state) {
    for (const auto& png : graphics) {
      std::string bytes;
      png->SaveToStream(bytes);
      benchmark::DoNotOptimize(bytes.data());
    }
  }
  CountVariants(state, kVariantsPerTask);
}
BENCHMARK(BM_PngEncode)->Unit(benchmark::kMicrosecond);

// The whole RichDoc text: style tables, PNG encoding and hexadecimal line.
void BM_RichDocText(benchmark::State& state) {
  std::vector<richtext::RichDocument> documents;
  for (auto& graphic : PngGraphics()) {
    documents.push_back(richtext::MakeConverterRichDocument());
    documents.back().AddPictureEx("", std::move(graphic), 0, richtext::VAlign::Baseline);
  }
  for (auto _ : state) {
    for (auto& document : documents)
      benchmark::DoNotOptimize(richtext::RichDocumentToBytes(document));
  }
  CountVariants(state, kVariantsPerTask);
}
BENCHMARK(BM_RichDocText)->Unit(benchmark::kMicrosecond);

// Runs `step` over the four pictures' bytes as made by `make`.
template <class Make, class Step>
void OverBytes(benchmark::State& state, Make make, Step step) {
  std::vector<std::string> inputs;
  std::int64_t size = 0;
  for (const auto& graphic : PngGraphics()) {
    inputs.push_back(make(*graphic));
    size += static_cast<std::int64_t>(inputs.back().size());
  }
  for (auto _ : state) {
    for (const std::string& input : inputs) step(input);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
  CountVariants(state, kVariantsPerTask);
}

std::string PngBytes(const pictures::Graphic& png) {
  std::string bytes;
  png.SaveToStream(bytes);
  return bytes;
}

std::string RichDocBytes(const pictures::Graphic& png) {
  richtext::RichDocument document = richtext::MakeConverterRichDocument();
  document.AddPictureEx("", pictures::CopyGraphic(png), 0, richtext::VAlign::Baseline);
  return richtext::RichDocumentToBytes(document);
}

void BM_HexLine(benchmark::State& state) {
  OverBytes(state, PngBytes, [](const std::string& png) {
    std::string line;
    richtext::AppendHexLine(line, png);
    benchmark::DoNotOptimize(line.data());
  });
}
BENCHMARK(BM_HexLine)->Unit(benchmark::kMicrosecond);

void BM_PassageToUtf8(benchmark::State& state) {
  OverBytes(state, RichDocBytes,
            [](const std::string& text) { benchmark::DoNotOptimize(platform::AnsiToUtf8(text)); });
}
BENCHMARK(BM_PassageToUtf8)->Unit(benchmark::kMicrosecond);

void BM_Base64(benchmark::State& state) {
  OverBytes(
      state, [](const pictures::Graphic& png) { return platform::AnsiToUtf8(RichDocBytes(png)); },
      [](const std::string& utf8) { benchmark::DoNotOptimize(xml::EncodeBase64(utf8)); });
}
BENCHMARK(BM_Base64)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
