#include "conversion/convert.h"

#include "conversion/task_text.h"

namespace texttoxml::conversion {

void Converter::Convert(std::u16string memoText, const TextSource& source,
                        const platform::DateTime& saveDate, platform::OutputStream& out,
                        const NormalisedTextSink& normalised, TaskObserver* observer) {
  const PreparedText prepared = PrepareTaskText(std::move(memoText));
  if (normalised) normalised(prepared.normalised);
  builder_.Write(prepared.blocks, source, saveDate, out, observer);
}

void ReadTaskText(std::u16string memoText, const std::string& dir, TaskObserver& observer) {
  const PreparedText prepared = PrepareTaskText(std::move(memoText));
  PassPosition at;
  ReadTasks(prepared.blocks, dir, at, [&](const TaskInText& task) { observer.Observe(task); });
}

}  // namespace texttoxml::conversion
