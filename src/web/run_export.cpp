// The page's one entry into the library: the command line itself, run on
// files the worker has put into the in-memory file system. Running the very
// code of `texttoxml` keeps the page's bytes, findings and messages those of
// the command line, with no second path to drift apart.
#include <emscripten/emscripten.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run.h"
#include "platform/stream.h"

namespace {

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

void WriteFile(const char* path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

// Runs the command line; what it writes to standard output goes to the file
// `outputPath`, its messages to `messagesPath`. Returns its exit status.
extern "C" EMSCRIPTEN_KEEPALIVE int texttoxml_run(const char* args, std::size_t size,
                                                  const char* outputPath,
                                                  const char* messagesPath) {
  std::string output;
  texttoxml::platform::StringOutputStream standardOutput(output);
  std::ostringstream messages;
  int status;
  try {
    status = texttoxml::cli::Run(SplitArguments(args, size), standardOutput, messages);
  } catch (const std::exception& e) {
    // The program itself would end here with the message on standard error.
    messages << "texttoxml: " << e.what() << '\n';
    status = 1;
  }
  WriteFile(outputPath, output);
  WriteFile(messagesPath, messages.str());
  return status;
}
