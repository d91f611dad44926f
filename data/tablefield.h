#pragma once
// Texts such as file names as fields of a tab- or comma-separated table: one
// line per row whatever the text holds, always UTF-8. Shared by vqrtool's
// tables and the copies a spreadsheet reads.

#include <cstddef>
#include <string>
#include <string_view>

/// Length of the well-formed UTF-8 sequence at s[i] (1 for ASCII), 0 when
/// there is none there (overlong forms, surrogates, code points beyond
/// U+10FFFF and cut-off sequences included).
size_t Utf8SequenceLength(std::string_view s, size_t i);

/// text as one field of a table line whose fields are separated by
/// separator ('\t' or ','). The result is UTF-8 on a single line, so every
/// row keeps its number of fields:
/// - a byte that is not part of UTF-8 becomes U+FFFD;
/// - a backslash becomes "\\", tab, line feed and carriage return "\t", "\n"
///   and "\r", any other control character (C0, DEL, C1) and the line and
///   paragraph separators U+2028, U+2029 "\xHH" or "\uHHHH";
/// - a text holding a double quote or the separator is enclosed in double
///   quotes with each inner quote doubled, as spreadsheets read it back.
std::string TableField(std::string_view text, char separator);

/// text escaped as by TableField but never quoted: for a name within a
/// longer field ("Wert A (NAME)"), where a quote does no harm.
std::string EscapedText(std::string_view text);
