#include "data/translate.h"

#include <atomic>

namespace {

std::atomic<TTextTranslator> g_translator{nullptr};

}  // namespace

void SetTextTranslator(TTextTranslator translator) { g_translator.store(translator); }

std::string TrArg(std::string text, const std::string& arg) {
  // The lowest place marker %1..%9 left, as QString::arg takes it, so that
  // arguments are given in order whatever order a translation puts them in.
  char lowest = 0;
  for (size_t at = text.find('%'); at != std::string::npos && at + 1 < text.size();
       at = text.find('%', at + 1)) {
    const char d = text[at + 1];
    if (d >= '1' && d <= '9' && (lowest == 0 || d < lowest)) lowest = d;
  }
  if (lowest == 0) return text;
  const std::string marker{'%', lowest};
  std::string out;
  size_t from = 0;
  for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, from)) {
    out.append(text, from, at - from).append(arg);
    from = at + 2;
  }
  return out.append(text, from, std::string::npos);
}

std::string TrText(const char* context, const char* text) {
  const TTextTranslator translator = g_translator.load();
  return translator ? translator(context, text) : std::string(text);
}
