#pragma once
// Text of vqrtool's JSON output, the same for every command.

#include <string>

/// s as a JSON string literal: quotes and backslashes escaped, control
/// characters as \u00XX; other bytes (UTF-8) as they are.
std::string JsonString(const std::string& s);
