// Byte sinks that writers hand their output to.
#pragma once

#include <cstddef>
#include <string>

namespace texttoxml::platform {

class OutputStream {
 public:
  virtual ~OutputStream() = default;
  // Takes up to `size` bytes and says how many it took; 0 means it can take
  // no more (a full disk, a closed pipe).
  virtual std::size_t Write(const char* data, std::size_t size) = 0;
  // Whether the stream itself keeps what it is given until its owner
  // decides what to do with it, so that a writer that must not leave half
  // a document behind need not hold the document a second time.
  virtual bool KeepsUntilDecided() const { return false; }
};

// Hands all bytes over, repeating for what a write did not take; raises
// WriteError when the stream takes none.
void WriteAll(OutputStream& stream, const char* data, std::size_t size);

class StringOutputStream : public OutputStream {
 public:
  explicit StringOutputStream(std::string& target) : target_(target) {}
  std::size_t Write(const char* data, std::size_t size) override {
    target_.append(data, size);
    return size;
  }

 private:
  std::string& target_;
};

}  // namespace texttoxml::platform
