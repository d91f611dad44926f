#pragma once
// Puts the user interface into one language: the program's translation, Qt's
// own (file, print and colour dialogs), the number format and the texts the
// plain code draws.

#include <QString>

#include "settings/language.h"

/// Installs the translations of language, replacing those installed before;
/// dataDir is the folder with "translations/" (the program's data folder).
/// False when the program's English translation was not found (the texts
/// then stay German).
bool ApplyUiLanguage(TLanguage language, const QString& dataDir);

/// The language applied last (German before any).
TLanguage CurrentUiLanguage();

/// The help file for language: BASE_en.HLP beside BASE.HLP for English when
/// it is there, else germanFile.
QString HelpFileFor(TLanguage language, const QString& germanFile);
