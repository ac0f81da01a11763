// Reading a GIF file into the frames of a GifImage.
#include <cctype>

#include "pictures/gif_image.h"
#include "pictures/gif_lzw.h"
#include "pictures/limits.h"
#include "pictures/little_endian.h"
#include "pictures/picture_errors.h"

namespace texttoxml::pictures {

namespace {

constexpr int kExtensionIntroducer = '!';
constexpr int kImageSeparator = ',';
constexpr int kTrailer = ';';
constexpr std::uint8_t kColorTableFlag = 0x80;
constexpr std::size_t kSignatureSize = 6;
// Some files carry a few bytes of their own before the signature.
constexpr std::size_t kSignatureOffset = 4;
constexpr std::size_t kScreenDescriptorSize = 7;
constexpr std::size_t kImageDescriptorSize = 10;

class Loader {
 public:
  Loader(std::string_view bytes, const GifWarningHandler* warnings) : reader_(bytes, warnings) {}

  void Load(GifHeader& header, std::vector<GifFrame>& frames);

 private:
  void ReadSignature();
  void ReadScreen(GifHeader& header);
  void ReadColorTable(std::uint8_t packedFields, GifColorMap& map);
  void ReadFrame(GifFrame& frame);
  void ReadExtensions(GifFrame& frame);
  void ReadImage(GifFrame& frame);
  void ReadImageData(GifFrame& frame);
  void SkipZeros();

  GifReader reader_;
  GifLogicalScreenDescriptor screen_;
  std::uint64_t decodedPixels_ = 0;  // over all frames, against the limit
};

bool StartsWithGif(const std::uint8_t* bytes) {
  return std::toupper(bytes[0]) == 'G' && std::toupper(bytes[1]) == 'I' &&
         std::toupper(bytes[2]) == 'F';
}

void Loader::Load(GifHeader& header, std::vector<GifFrame>& frames) {
  ReadSignature();
  ReadScreen(header);
  SkipZeros();
  while (!reader_.AtEnd() && reader_.Peek() != kTrailer) {
    int type = reader_.Peek();
    if (type != kExtensionIntroducer && type != kImageSeparator) {
      reader_.Warn("Unknown GIF block type");
      break;
    }
    GifFrame frame;
    ReadFrame(frame);
    if (!frame.Empty() || !frame.extensions.empty()) frames.push_back(std::move(frame));
    SkipZeros();
  }
  if (reader_.Next() != kTrailer) reader_.Warn("Invalid GIF trailer");
}

// The version characters after "GIF" are not checked.
void Loader::ReadSignature() {
  std::uint8_t signature[kSignatureSize];
  reader_.ReadExact(signature, kSignatureSize);
  if (StartsWithGif(signature)) return;
  reader_.Seek(kSignatureOffset);
  reader_.ReadExact(signature, kSignatureSize);
  if (!StartsWithGif(signature)) throw GifInvalidSignatureError();
}

void Loader::ReadScreen(GifHeader& header) {
  std::uint8_t bytes[kScreenDescriptorSize];
  reader_.ReadExact(bytes, kScreenDescriptorSize);
  std::string_view view(reinterpret_cast<const char*>(bytes), kScreenDescriptorSize);
  screen_.screenWidth = ReadU16Le(view, 0);
  screen_.screenHeight = ReadU16Le(view, 2);
  screen_.packedFields = bytes[4];
  screen_.backgroundColorIndex = bytes[5];
  screen_.aspectRatio = bytes[6];
  header.logicalScreenDescriptor = screen_;
  ReadColorTable(screen_.packedFields, header.colorMap);
}

void Loader::ReadColorTable(std::uint8_t packedFields, GifColorMap& map) {
  if ((packedFields & kColorTableFlag) == 0) return;
  const int count = 2 << (packedFields & 7);
  for (int i = 0; i < count; ++i) {
    std::uint8_t rgb[3];
    reader_.ReadExact(rgb, sizeof rgb);
    map.Add({rgb[0], rgb[1], rgb[2]});
  }
}

void Loader::ReadFrame(GifFrame& frame) {
  ReadExtensions(frame);
  int next = reader_.Peek();
  if (next != kImageSeparator && next != kTrailer && next >= 0) {
    reader_.Warn("Invalid extension introducer");
  }
  if (next == kTrailer || next <= 0) return;
  ReadImage(frame);
}

void Loader::ReadExtensions(GifFrame& frame) {
  bool graphicControlSeen = false;
  while (reader_.Peek() == kExtensionIntroducer) {
    reader_.Next();
    auto extension = ReadGifExtension(reader_);
    if (extension == nullptr) return;
    if (extension->Label() == GifGraphicControlExtension::kLabel) {
      if (graphicControlSeen) reader_.Warn("Multiple graphic control extensions");
      graphicControlSeen = true;
    }
    frame.extensions.push_back(std::move(extension));
  }
}

void Loader::ReadImage(GifFrame& frame) {
  std::uint8_t bytes[kImageDescriptorSize];
  reader_.ReadExact(bytes, kImageDescriptorSize);
  if (bytes[0] != kImageSeparator) throw GifInvalidDataError();
  std::string_view view(reinterpret_cast<const char*>(bytes), kImageDescriptorSize);
  GifImageDescriptor& descriptor = frame.imageDescriptor;
  descriptor.left = ReadU16Le(view, 1);
  descriptor.top = ReadU16Le(view, 3);
  descriptor.width = ReadU16Le(view, 5);
  descriptor.height = ReadU16Le(view, 7);
  descriptor.packedFields = bytes[9];
  if (descriptor.width == 0 || descriptor.height == 0) {
    reader_.Warn("Invalid image size");
    if (descriptor.width == 0) descriptor.width = screen_.screenWidth;
    if (descriptor.height == 0) descriptor.height = screen_.screenHeight;
  }
  // Such a frame reaches beyond any screen; it keeps its size, since its
  // pixels are decoded on their own and never placed on a screen here.
  if (descriptor.left + descriptor.width > 0xFFFF || descriptor.top + descriptor.height > 0xFFFF) {
    reader_.Warn("Image extends beyond 65535 pixels");
  }
  ReadColorTable(descriptor.packedFields, frame.colorMap);
  ReadImageData(frame);
}

void Loader::ReadImageData(GifFrame& frame) {
  const int minCodeSize = reader_.Next();
  if (minCodeSize > kGifMaxMinCodeSize) {
    reader_.ReadSubBlocks();
    reader_.Warn("Invalid LZW code size");
    return;
  }
  const GifImageDescriptor& descriptor = frame.imageDescriptor;
  const std::uint64_t pixels = std::uint64_t{descriptor.width} * descriptor.height;
  if (pixels > kMaxDecodedPixelBytes - decodedPixels_) {
    // Frames share one budget: the limit stated is what is left of it.
    throw ImageTooLargeError(descriptor.width, descriptor.height,
                             kMaxDecodedPixelBytes - decodedPixels_);
  }
  decodedPixels_ += pixels;
  frame.data.assign(pixels, 0);
  if (minCodeSize < 0) {
    reader_.Warn(kGifPrematureEnd);
    return;
  }
  const std::vector<std::string_view> blocks = reader_.ReadSubBlocks();
  GifLzwEnd end = DecodeGifLzw(blocks, minCodeSize, descriptor.width, descriptor.height,
                               descriptor.Interlaced(), frame.data.data());
  if (end == GifLzwEnd::kOutOfData) reader_.Warn("Decoder bit buffer under-run");
}

void Loader::SkipZeros() {
  while (reader_.Peek() == 0) reader_.Next();
}

}  // namespace

void GifImage::LoadFromBytes(std::string_view bytes) {
  GifHeader header;
  std::vector<GifFrame> frames;
  Loader(bytes, &warnings_).Load(header, frames);
  header_ = std::move(header);
  images_ = std::move(frames);
}

}  // namespace texttoxml::pictures
