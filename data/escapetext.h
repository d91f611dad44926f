#pragma once
// Names of files and recordings as one field of a line of text: whatever
// bytes a name holds, the field stays on its line, splits no columns, opens
// no quotes and is valid UTF-8.

#include <string>
#include <string_view>

/// bytes with backslash escapes for what would break a field or a line:
/// "\\" for a backslash, "\t", "\n" and "\r" for tab, line feed and
/// carriage return, "\xNN" for the quote, any other control character and
/// each byte that is not part of valid UTF-8, "\uNNNN" for the C1 controls
/// and the Unicode line and paragraph separators. Everything else, other
/// scripts included, is kept as it is.
std::string EscapedFieldText(std::string_view bytes);
