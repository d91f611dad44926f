#pragma once
// What an .xlsx file accepts as a sheet name and as a number format, and
// the German number formats of the settings in the file's notation.

#include <string>
#include <vector>

/// Why a number format in German notation cannot go into an .xlsx file
/// (unbalanced quotes or brackets, a trailing escape, a bracketed code other
/// than a colour, condition, elapsed time or currency, more than four
/// sections, more than 255 characters); empty when it can.
std::string XlsxFormatProblem(const std::string& format);

/// A number format in German notation ("0,0000", "#.##0,00", "[h]:mm:ss",
/// "TT.MM.JJJJ", "Standard;-Standard") in the file's neutral notation
/// ("0.0000", "#,##0.00", "[h]:mm:ss", "dd\.MM\.yyyy", "General;-General").
/// Quoted text and escaped characters stay as they are. Throws TXLError
/// naming the format and XlsxFormatProblem when the file cannot hold it.
std::string XlsxFormatFromGerman(const std::string& format);

/// Empty when name is a valid sheet name by itself (1 to 31 characters, none
/// of []:*?/\, no apostrophe at either end), else why not.
std::string XlsxSheetNameProblem(const std::string& name);

/// name made into a valid sheet name: invalid UTF-8 and the forbidden
/// characters replaced by "_", cut to 31 characters; an empty name gives
/// fallback. Unique among taken (without regard to case) by a suffix " (2)",
/// " (3)", ...; the result is added to taken.
std::string XlsxMakeSheetName(const std::string& name, std::vector<std::string>& taken,
                              const std::string& fallback = "Tabelle");

/// Whether a and b name the same sheet or workbook (SameSheetName: full case folding).
bool XlsxSameName(const std::string& a, const std::string& b);
