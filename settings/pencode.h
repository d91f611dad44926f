#pragma once
// Pure helpers behind the settings and their editors: pen and font codes,
// the pen dialog's width text, file name parts.

#include <cstdint>
#include <string>

/// Text of a pen field for a pen style (UTF-8); empty for styles outside 0..4.
std::string StylePicture(int32_t style);

/// Pen width in tenths of a millimetre as the pen dialog shows it: 1 -> "0.1",
/// 15 -> "1.5", 300 -> "30.0".
std::string PenWidthText(int32_t width);
/// Width typed into the pen dialog: the trimmed text as a whole is a number
/// with "." (else 0.1 mm), times 10 rounded half to even, clamped to 1..300.
int32_t PenWidthFromText(const std::string& text);
/// The pen dialog's preset: width clamped to 1..300, style outside 0..4 is 0.
int32_t PenDialogWidth(int32_t selWidth);
int32_t PenDialogStyle(int32_t selStyle);

int32_t MakePenCode(int32_t width, int32_t style);
int32_t PenCodeWidth(int32_t code);  // code div 1000
int32_t PenCodeStyle(int32_t code);  // code mod 1000

/// Font code: "b" or "-", "i" or "-", then the face name ("b-Arial").
std::string MakeFontCode(const std::string& face, int style);
std::string FontCodeFace(const std::string& code);
int FontCodeStyle(const std::string& code);  // bit 0 bold, bit 1 italic

/// Font size field text for the font dialog's preset: the trimmed text as a
/// whole integer, 8 when it is not one.
int FontSizeFromText(const std::string& text);

/// Folder and name parts of a stored file name, split after the last "/",
/// "\" or ":" (the folder part keeps its separator).
std::string DirectoryPart(const std::string& path);
std::string NamePart(const std::string& path);
