#pragma once
// Fixed texts of the plain code that the user sees ("Kanal 3" in a
// diagram, "Excel war nicht aktiv."), in the user's language. The program
// sets the translator at its start; without one (vqrtool, the Python module)
// the texts stay as written.

#include <string>

/// Returns text in the user's language; context groups the texts of one part.
using TTextTranslator = std::string (*)(const char* context, const char* text);

void SetTextTranslator(TTextTranslator translator);

/// text translated, or text itself when no translator is set.
std::string TrText(const char* context, const char* text);

/// text with its first "%1" replaced by arg.
std::string TrArg(std::string text, const std::string& arg);

/// Marks a text for the translation tools where it is defined; TrText
/// translates it where it is shown.
#define VQR_TR_NOOP(context, text) text
