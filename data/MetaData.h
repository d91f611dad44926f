#pragma once
// The named run parameters of a recording as text, ready to be printed: the
// print background puts each value where its name stands as a placeholder.

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

class TVQRMetaData {
 public:
  static constexpr int kEntries = 32;
  static constexpr size_t kNameLength = 20;
  static constexpr size_t kValueLength = 20;

  struct MetaEntry {
    std::string Name;
    std::string Value;
  };

  /// Formats a point in time as the short date or the short time (no seconds).
  using DateTimeFormatter = std::function<std::string(std::time_t)>;
  using EntryCallback = std::function<void(const std::string& name, const std::string& value)>;

  void Clear();
  void SetIntEntry(int k, const std::string& name, int value);
  void SetFloatEntry(int k, const std::string& name, int decimals, double value);
  void SetDateEntry(int k, const std::string& name, std::time_t when);
  void SetTimeEntry(int k, const std::string& name, std::time_t when);
  /// Entries 1..8 (Param1..Param6, ProNumber, HeatTemp) from a 39-byte parameter record.
  void ParseHeader(const uint8_t* record);
  /// Entry 9 := the current date, entry 10 := the current time.
  void StampDateTime();
  /// Stamps date and time, then calls back for every entry with a non-blank name.
  void ForEachEntry(const EntryCallback& callback);

  const MetaEntry& Entry(int k) const;  // 1..32

  /// Replace the system-locale formatters (the Qt layer and tests do); an
  /// empty function restores the built-in one. Set them before any walk.
  static void SetDateFormatter(DateTimeFormatter f);
  static void SetTimeFormatter(DateTimeFormatter f);
  /// Test hook: the clock StampDateTime reads; empty means the system clock.
  static void SetClock(std::function<std::time_t()> clock);

  /// Built-in formatters: the system locale's short date and short time.
  static std::string SystemShortDate(std::time_t when);
  static std::string SystemShortTime(std::time_t when);

 private:
  void Set(int k, const std::string& name, const std::string& value);

  std::array<MetaEntry, kEntries + 1> entries_{};  // 1..32
};
