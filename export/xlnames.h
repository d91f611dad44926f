#pragma once
// Names of workbooks and sheets as spreadsheet applications compare them:
// without regard to case, for every script ("Ωx" and "ωx" name one sheet,
// "Straße" and "STRASSE" too).

#include <string>

/// name (UTF-8) with full Unicode case folding; invalid bytes stay as they are.
std::string FoldedName(const std::string& name);

/// Whether a and b name the same workbook or sheet.
bool SameSheetName(const std::string& a, const std::string& b);
