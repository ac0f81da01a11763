// The page's one entry into the library: the command line itself, run on
// files the worker has mounted in the module's file system. Running the very
// code of `texttoxml` keeps the page's bytes, findings and messages those of
// the command line, with no second path to drift apart.
#include <emscripten/emscripten.h>

#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run.h"
#include "error.h"
#include "platform/stream.h"

namespace {

// Shows bytes of the module's memory to the worker, which must copy them
// before it returns (into a Blob of its own for a document, so the
// document is copied once). Pointers and sizes above 2 GiB arrive as
// negative numbers unless taken as unsigned.
EM_JS(void, HandOutput, (const char* data, std::size_t size),
      { Module.takeOutput(HEAPU8.subarray(data >>> 0, (data >>> 0) + (size >>> 0))); });

EM_JS(void, HandMessages, (const char* data, std::size_t size),
      { Module.takeMessages(UTF8ToString(data >>> 0, size >>> 0)); });

EM_JS(void, HandProgress, (std::size_t done, std::size_t total),
      { Module.takeProgress(done >>> 0, total >>> 0); });

// Tells the worker of every hundredth of the tasks written, and of the
// last: a call per task would cost more than the task.
void TellProgress(std::size_t done, std::size_t total) {
  if (done == total || done * 100 / total != (done - 1) * 100 / total) HandProgress(done, total);
}

// Standard output in pieces of a few megabytes: few enough calls into
// JavaScript, and little memory held twice at a time. The worker makes a
// file of the pieces only when the command succeeded, so the command line
// need not hold its document until it is whole.
class WorkerOutput : public texttoxml::platform::OutputStream {
 public:
  bool KeepsUntilDecided() const override { return true; }
  ~WorkerOutput() override { Flush(); }
  std::size_t Write(const char* data, std::size_t size) override {
    if (buffer_.size() + size > kPiece) Flush();
    if (size >= kPiece) {
      HandOutput(data, size);
    } else {
      buffer_.append(data, size);
    }
    return size;
  }
  void Flush() {
    if (!buffer_.empty()) HandOutput(buffer_.data(), buffer_.size());
    buffer_.clear();
  }

 private:
  static constexpr std::size_t kPiece = 4 << 20;
  std::string buffer_;
};

// The arguments arrive as one buffer of NUL-terminated strings, which carries
// any file name (a name holds no NUL) without a JavaScript array to marshal.
std::vector<std::string> SplitArguments(const char* data, std::size_t size) {
  std::vector<std::string> args;
  for (std::size_t at = 0; at < size;) {
    std::string arg(data + at);
    at += arg.size() + 1;
    args.push_back(std::move(arg));
  }
  return args;
}

}  // namespace

// Runs the command line; what it writes to standard output, its messages
// and its progress go to the worker's Module.takeOutput, takeMessages and
// takeProgress. Returns its exit status.
extern "C" EMSCRIPTEN_KEEPALIVE int texttoxml_run(const char* args, std::size_t size) {
  WorkerOutput standardOutput;
  std::ostringstream messages;
  int status;
  try {
    status =
        texttoxml::cli::Run(SplitArguments(args, size), standardOutput, messages, TellProgress);
  } catch (const std::bad_alloc&) {
    messages << "texttoxml: "
             << texttoxml::DisplayMessage(texttoxml::OutOfMemoryError::RunningCommand().what())
             << '\n';
    status = 1;
  } catch (const std::exception& e) {
    // The program itself would end here with the message on standard error.
    messages << "texttoxml: " << e.what() << '\n';
    status = 1;
  }
  standardOutput.Flush();
  const std::string text = messages.str();
  HandMessages(text.data(), text.size());
  return status;
}
