// The block structure of GIF files: a cursor over a file's bytes, with the
// two ways a reader meets bad input (errors, which end the load with
// GifException, and warnings, which go to an optional handler and let loading
// go on), and the writing of data sub-blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace texttoxml::pictures {

// Receives the problems that loading passes over; nothing is installed by
// default, so they are silent.
using GifWarningHandler = std::function<void(std::string_view message)>;

class GifReader {
 public:
  GifReader(std::string_view bytes, const GifWarningHandler* warnings)
      : bytes_(bytes), warnings_(warnings) {}

  bool AtEnd() const { return position_ >= bytes_.size(); }
  std::size_t Position() const { return position_; }
  void Seek(std::size_t position) { position_ = position; }

  // The next byte without taking it, or -1 at the end.
  int Peek() const;
  // The next byte, or -1 at the end (nothing is taken then).
  int Next();

  // Takes up to `count` bytes; fewer at the end of the data.
  std::string_view Take(std::size_t count);
  // Takes exactly `count` bytes into `out`, else raises GifException
  // "Premature end of data".
  void ReadExact(std::uint8_t* out, std::size_t count);

  // Reads data sub-blocks up to and including the zero size byte and
  // returns the data of each (views into the file's bytes, none empty). A
  // file that ends first gives a warning and the blocks read so far, the
  // last one possibly cut short.
  std::vector<std::string_view> ReadSubBlocks();

  void Warn(std::string_view message) const;

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
  const GifWarningHandler* warnings_;
};

// Appends `data` as sub-blocks of at most 255 bytes, each after its length
// byte, then the zero byte that ends them.
void AppendGifSubBlocks(std::string_view data, std::string& out);

}  // namespace texttoxml::pictures
