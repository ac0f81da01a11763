#include "conversion/convert.h"

#include "conversion/task_text.h"

namespace texttoxml::conversion {

void Converter::Convert(std::u16string memoText, const TextSource& source,
                        const platform::DateTime& saveDate, platform::OutputStream& out,
                        const NormalisedTextSink& normalised) {
  const PreparedText prepared = PrepareTaskText(std::move(memoText));
  if (normalised) normalised(prepared.normalised);
  builder_.Write(prepared.blocks, source, saveDate, out);
}

}  // namespace texttoxml::conversion
