#include "data/MetaData.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>
#include <mutex>
#include <utility>

#include "data/numtext.h"

namespace {
struct Hooks {
  std::mutex lock;
  TVQRMetaData::DateTimeFormatter date;
  TVQRMetaData::DateTimeFormatter time;
  std::function<std::time_t()> clock;
};

Hooks& GetHooks() {
  static Hooks hooks;
  return hooks;
}

int16_t ReadI16(const uint8_t* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

// The locale the user chose in the environment (LC_TIME), not the C locale.
locale_t UserLocale() {
  static locale_t loc = [] {
    locale_t l = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
    if (!l) l = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return l;
  }();
  return loc;
}

std::string FormatWith(const std::string& pattern, std::time_t when) {
  std::tm tm{};
  localtime_r(&when, &tm);
  char buf[128];
  size_t n = 0;
  if (locale_t loc = UserLocale())
    n = strftime_l(buf, sizeof buf, pattern.c_str(), &tm, loc);
  else
    n = strftime(buf, sizeof buf, pattern.c_str(), &tm);
  return std::string(buf, n);
}

// Drops the seconds from a time pattern: "%H:%M:%S" -> "%H:%M", "%T" -> "%H:%M",
// "%r" -> "%I:%M %p".
std::string WithoutSeconds(std::string fmt) {
  auto replaceAll = [&fmt](const std::string& from, const std::string& to) {
    for (size_t p = fmt.find(from); p != std::string::npos; p = fmt.find(from, p + to.size()))
      fmt.replace(p, from.size(), to);
  };
  replaceAll("%T", "%H:%M");
  replaceAll("%r", "%I:%M %p");
  for (size_t p = fmt.find("%S"); p != std::string::npos; p = fmt.find("%S")) {
    size_t begin = p;
    // Take the separator before the seconds with them.
    while (begin > 0 && fmt[begin - 1] != 'M' && fmt[begin - 1] != 'H' && fmt[begin - 1] != 'I')
      --begin;
    fmt.erase(begin, p + 2 - begin);
  }
  return fmt;
}
}  // namespace

void TVQRMetaData::Clear() {
  for (auto& e : entries_) {
    e.Name.clear();
    e.Value.clear();
  }
}

void TVQRMetaData::Set(int k, const std::string& name, const std::string& value) {
  if (k < 1 || k > kEntries) return;
  entries_[k].Name = name.substr(0, kNameLength);
  entries_[k].Value = value.substr(0, kValueLength);
}

void TVQRMetaData::SetIntEntry(int k, const std::string& name, int value) {
  Set(k, name, IntText(value));
}

void TVQRMetaData::SetFloatEntry(int k, const std::string& name, int decimals, double value) {
  Set(k, name, FixedText(value, decimals));
}

void TVQRMetaData::SetDateEntry(int k, const std::string& name, std::time_t when) {
  DateTimeFormatter f;
  {
    std::lock_guard<std::mutex> guard(GetHooks().lock);
    f = GetHooks().date;
  }
  Set(k, name, f ? f(when) : SystemShortDate(when));
}

void TVQRMetaData::SetTimeEntry(int k, const std::string& name, std::time_t when) {
  DateTimeFormatter f;
  {
    std::lock_guard<std::mutex> guard(GetHooks().lock);
    f = GetHooks().time;
  }
  Set(k, name, f ? f(when) : SystemShortTime(when));
}

void TVQRMetaData::ParseHeader(const uint8_t* record) {
  static const char* const kNames[] = {"Param1", "Param2", "Param3",   "Param4",
                                       "Param5", "Param6", "ProNumber"};
  for (int k = 1; k <= 7; ++k) SetIntEntry(k, kNames[k - 1], ReadI16(record + 5 + 2 * (k - 1)));
  SetFloatEntry(8, "HeatTemp", 1, ReadI16(record + 19) / 10.0);
}

void TVQRMetaData::StampDateTime() {
  std::function<std::time_t()> clock;
  {
    std::lock_guard<std::mutex> guard(GetHooks().lock);
    clock = GetHooks().clock;
  }
  const std::time_t now = clock ? clock() : std::time(nullptr);
  SetDateEntry(9, "Date", now);
  SetTimeEntry(10, "Time", now);
}

void TVQRMetaData::ForEachEntry(const EntryCallback& callback) {
  StampDateTime();
  if (!callback) return;
  for (int k = 1; k <= kEntries; ++k) {
    const std::string& name = entries_[k].Name;
    if (name.find_first_not_of(' ') == std::string::npos) continue;
    callback(name, entries_[k].Value);
  }
}

const TVQRMetaData::MetaEntry& TVQRMetaData::Entry(int k) const {
  return entries_[(k >= 1 && k <= kEntries) ? k : 0];
}

void TVQRMetaData::SetDateFormatter(DateTimeFormatter f) {
  std::lock_guard<std::mutex> guard(GetHooks().lock);
  GetHooks().date = std::move(f);
}

void TVQRMetaData::SetTimeFormatter(DateTimeFormatter f) {
  std::lock_guard<std::mutex> guard(GetHooks().lock);
  GetHooks().time = std::move(f);
}

void TVQRMetaData::SetClock(std::function<std::time_t()> clock) {
  std::lock_guard<std::mutex> guard(GetHooks().lock);
  GetHooks().clock = std::move(clock);
}

std::string TVQRMetaData::SystemShortDate(std::time_t when) {
  const locale_t loc = UserLocale();
  const char* fmt = loc ? nl_langinfo_l(D_FMT, loc) : "%x";
  return FormatWith(fmt && *fmt ? fmt : "%x", when);
}

std::string TVQRMetaData::SystemShortTime(std::time_t when) {
  const locale_t loc = UserLocale();
  const char* fmt = loc ? nl_langinfo_l(T_FMT, loc) : "%H:%M:%S";
  return FormatWith(WithoutSeconds(fmt && *fmt ? fmt : "%H:%M:%S"), when);
}
