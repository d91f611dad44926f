// Feeds arbitrary bytes to the reader of saved evaluations: it must refuse or
// accept them without crashing, and what it accepts must be within the
// bounds the program relies on and read back the same after writing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "chart/charttypes.h"
#include "data/freerange.h"
#include "session/evaluation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TEvaluation eval;
  if (!ParseEvaluation(text, eval)) return 0;
  if (eval.Compared.size() > 7 || eval.Windows.size() > kMaxEvaluationWindows ||
      eval.Notes.size() > kMaxNotes)
    std::abort();
  for (const TEvalWindow& w : eval.Windows)
    if (!(IsChannelMode(w.Mode) || IsCombiMode(w.Mode)) || w.MarkA < 0 || w.MarkB < 0 ||
        (w.Axes.Time.Divisions < 1 && !IsFreeRange(w.Axes.Time)) || w.Axes.Time.Divisions < 0 ||
        !(w.Axes.Value.Span > 0))
      std::abort();
  for (const TNote& n : eval.Notes)
    if (n.Text.size() > kMaxNoteText || n.Channel < 0 || n.Channel > kTempChannel) std::abort();
  TEvaluation again;
  if (!ParseEvaluation(EvaluationJson(eval), again) || !(again == eval)) std::abort();
  return 0;
}
