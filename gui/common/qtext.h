#pragma once
// The core keeps text as UTF-8 std::string; the windows show QString.

#include <QString>
#include <string>

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
