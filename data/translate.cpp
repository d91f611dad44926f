#include "data/translate.h"

#include <atomic>

namespace {

std::atomic<TTextTranslator> g_translator{nullptr};

}  // namespace

void SetTextTranslator(TTextTranslator translator) { g_translator.store(translator); }

std::string TrArg(std::string text, const std::string& arg) {
  if (const size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, arg);
  return text;
}

std::string TrText(const char* context, const char* text) {
  const TTextTranslator translator = g_translator.load();
  return translator ? translator(context, text) : std::string(text);
}
