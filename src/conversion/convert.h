// The road of one save command, from the memo's text to the bytes of the
// import file. The window and the command line both convert through here,
// so that one text gives the same bytes in both.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/test_document.h"
#include "platform/clock.h"
#include "platform/stream.h"

namespace texttoxml::conversion {

class Converter {
 public:
  // Receives the normalised text before the document is built: the window
  // puts it back into its memo, where it stays whatever happens next.
  using NormalisedTextSink = std::function<void(std::u16string_view)>;

  // Prepares `memoText`, builds the import document of its task blocks with
  // `saveDate` as SaveDate, and writes it to `out` task by task, so that
  // memory does not grow with the text. Raises on the first failure, when
  // part of the bytes may have reached `out`: a caller that must leave
  // nothing behind writes into a stream that keeps its bytes until told
  // otherwise (FileOutputStream until Commit). Each task is shown to
  // `observer`, when there is one, as it is written.
  void Convert(std::u16string memoText, const TextSource& source,
               const platform::DateTime& saveDate, platform::OutputStream& out,
               const NormalisedTextSink& normalised = {}, TaskObserver* observer = nullptr);

  // The picture files that the last conversion embedded (or tried to), in
  // text order; a caller can make sure not to write over one of them.
  const std::vector<std::string>& PicturePaths() const { return builder_.PicturePaths(); }

  // After a conversion that raised: the picture it failed on, if it was one.
  const std::optional<PictureInProgress>& FailedPicture() const { return builder_.FailedPicture(); }

 private:
  // Remembers the last conversion's pictures for the two questions above.
  TestDocumentBuilder builder_;
};

// The same reading of `memoText` without a document: each task is prepared,
// parsed and shown to `observer`, as Convert would show it. `dir` is the
// text's folder.
void ReadTaskText(std::u16string memoText, const std::string& dir, TaskObserver& observer);

}  // namespace texttoxml::conversion
