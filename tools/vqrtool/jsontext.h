#pragma once
// Text of vqrtool's JSON output, the same for every command.

#include <string>

/// s as a JSON string literal: quotes and backslashes escaped, control
/// characters as \u00XX, UTF-8 as it is, every other byte (a file name in
/// another code page) as U+FFFD, so that the output is always UTF-8.
std::string JsonString(const std::string& s);
