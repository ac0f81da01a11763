// The extension blocks of a GIF frame ("!" and a label byte): graphic
// control, comment, plain text and application extensions. Each kind reads
// itself from a file and writes its stored form.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pictures/gif_blocks.h"

namespace texttoxml::pictures {

enum class GifVersion { kUnknown, k87a, k89a };

class GifExtension {
 public:
  virtual ~GifExtension() = default;
  GifExtension(const GifExtension&) = delete;
  GifExtension& operator=(const GifExtension&) = delete;

  virtual std::uint8_t Label() const = 0;
  // Appends the extension from the "!" introducer to its last byte.
  virtual void Write(std::string& out) const = 0;
  // Extensions exist only since GIF89a.
  GifVersion Version() const { return GifVersion::k89a; }

 protected:
  GifExtension() = default;
};

using GifExtensionList = std::vector<std::unique_ptr<GifExtension>>;

// Reads one extension; the reader stands just after the "!". Raises
// GifException "Unknown extension type" for an unknown label. Returns null
// when the data ends before the extension says what it is.
std::unique_ptr<GifExtension> ReadGifExtension(GifReader& reader);

// A copy of `extension` made by writing it and reading it back, so that the
// copy holds it in the form it is stored in.
std::unique_ptr<GifExtension> CopyGifExtension(const GifExtension& extension);

class GifGraphicControlExtension : public GifExtension {
 public:
  static constexpr std::uint8_t kLabel = 0xF9;
  // Block size, packed fields, delay (little-endian), transparent colour
  // index and block terminator, exactly as read.
  using Bytes = std::array<std::uint8_t, 6>;

  explicit GifGraphicControlExtension(const Bytes& bytes) : bytes_(bytes) {}
  const Bytes& RawBytes() const { return bytes_; }
  std::uint8_t PackedFields() const { return bytes_[1]; }
  std::uint16_t Delay() const;
  std::uint8_t TransparentColorIndex() const { return bytes_[4]; }

  std::uint8_t Label() const override { return kLabel; }
  void Write(std::string& out) const override;

 private:
  Bytes bytes_;
};

// Text held as lines, stored as sub-blocks of ANSI bytes with CR LF after
// every line.
using GifTextLines = std::vector<std::u16string>;

class GifCommentExtension : public GifExtension {
 public:
  static constexpr std::uint8_t kLabel = 0xFE;

  explicit GifCommentExtension(GifTextLines lines) : lines_(std::move(lines)) {}
  const GifTextLines& Lines() const { return lines_; }

  std::uint8_t Label() const override { return kLabel; }
  void Write(std::string& out) const override;

 private:
  GifTextLines lines_;
};

class GifTextExtension : public GifExtension {
 public:
  static constexpr std::uint8_t kLabel = 0x01;
  // Block size 12 and the 12 bytes of text grid position, size and colours.
  using Block = std::array<std::uint8_t, 13>;

  GifTextExtension(const Block& block, GifTextLines lines)
      : block_(block), lines_(std::move(lines)) {}
  const Block& RawBlock() const { return block_; }
  const GifTextLines& Lines() const { return lines_; }

  std::uint8_t Label() const override { return kLabel; }
  void Write(std::string& out) const override;

 private:
  Block block_;
  GifTextLines lines_;
};

class GifApplicationExtension : public GifExtension {
 public:
  static constexpr std::uint8_t kLabel = 0xFF;
  // An 8-byte application name and a 3-byte authentication code.
  using Identifier = std::array<std::uint8_t, 11>;

  const Identifier& RawIdentifier() const { return identifier_; }
  std::string Name() const;
  std::string Authentication() const;

  std::uint8_t Label() const override { return kLabel; }
  void Write(std::string& out) const override;

 protected:
  explicit GifApplicationExtension(const Identifier& identifier) : identifier_(identifier) {}

 private:
  // Appends the data sub-blocks, without the terminating zero size.
  virtual void WriteData(std::string& out) const = 0;

  Identifier identifier_;
};

// The loop extension of animations ("NETSCAPE2.0", "ANIMEXTS1.0").
class GifAppExtNSLoop : public GifApplicationExtension {
 public:
  GifAppExtNSLoop(const Identifier& identifier, std::uint16_t loops, std::uint32_t bufferSize)
      : GifApplicationExtension(identifier), loops_(loops), bufferSize_(bufferSize) {}
  std::uint16_t Loops() const { return loops_; }
  std::uint32_t BufferSize() const { return bufferSize_; }

 private:
  void WriteData(std::string& out) const override;

  std::uint16_t loops_;
  std::uint32_t bufferSize_;
};

// Any other application extension: its data sub-blocks kept as they are.
class GifUnknownAppExtension : public GifApplicationExtension {
 public:
  // Raises GifException "Invalid GIF data" for a sub-block that is empty
  // or longer than 255 bytes.
  GifUnknownAppExtension(const Identifier& identifier, std::vector<std::string> subBlocks);
  const std::vector<std::string>& SubBlocks() const { return subBlocks_; }

 private:
  void WriteData(std::string& out) const override;

  std::vector<std::string> subBlocks_;  // 1 to 255 bytes each
};

}  // namespace texttoxml::pictures
