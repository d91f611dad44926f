#pragma once
// The settings rows: every setting of the program declared once, with its
// INI place and default, its type and the rule its page field applies, the
// control that shows it and the commands that read it. The table, the store's
// normalisation, the binder's map and the commit before each command are all
// made from these rows.

#include <cstdint>
#include <string>
#include <vector>

#include "settings/settingvalue.h"

class TVQRShowSettings;

/// The commands that read settings; each commits what it reads from the pages
/// just before it runs, so that an edit counts without "Anwenden".
enum class TSettingsCommand : uint32_t {
  FileChoice = 1u << 0,         // File/Open's dialog: folder or last file
  RecordingLoad = 1u << 1,      // reading a recording: axis scaling, diagram layout
  SingleWindow = 1u << 2,       // a channel window
  Combi1Window = 1u << 3,       // "Kombination 1"
  Combi2Window = 1u << 4,       // "Kombination 2"
  Print = 1u << 5,              // the printed page
  LogoAndBackground = 1u << 6,  // the page's logo and background files
  AsciiExport = 1u << 7,
  Equalize = 1u << 8,
  ExcelExport = 1u << 9,
  CompareLoad = 1u << 10,  // adding recordings to compare: the time axis
};

constexpr uint32_t operator|(TSettingsCommand a, TSettingsCommand b) {
  return static_cast<uint32_t>(a) | static_cast<uint32_t>(b);
}
constexpr uint32_t operator|(uint32_t a, TSettingsCommand b) {
  return a | static_cast<uint32_t>(b);
}

struct TSettingRow {
  using Member = TZTiniSettingValue* TVQRShowSettings::*;

  TZTIniValueType Type = TZTIniValueType::String;
  /// 1; n values keyed Key1..Keyn; -n values in sections Section1..Sectionn;
  /// a window position: 5 with its size, 3 without.
  int Count = 1;
  const char* Section = "";
  const char* Key = "";
  int32_t IntDefault = 0;  // Boolean (0/1), Integer, Color, pen width
  int32_t PenStyle = 0;    // default pen style
  double FloatDefault = 0.0;
  int Decimals = 0;  // Float: decimals shown and written
  const char* TextDefault = "";
  /// objectName of the control of each value: one name; "{n}" for the value
  /// number (17 is "T"); "{a}" for the axis X, Y, T; or names joined by "|".
  /// Null: no control, the value is never taken from a page.
  const char* Control = nullptr;
  /// Radio buttons of one box: at most one of them is on.
  const char* RadioGroup = nullptr;
  uint32_t Commands = 0;  // TSettingsCommand bits
  /// Where the program keeps the setting (null: found by section and key).
  Member Field = nullptr;
  /// A command reads values 2.. only while this stored setting is off.
  Member OnlyFirstWhen = nullptr;
  /// A control missing from the hand-made layout of this page is made there,
  /// captioned so, below the page's own fields.
  const char* Page = nullptr;
  const char* Caption = nullptr;
  /// A text field's own rule for what it gives back (null: trimmed text).
  std::string (*TextRule)(const std::string&) = nullptr;

  constexpr TSettingRow N(int count) const {
    return With([&](TSettingRow& r) { r.Count = count; });
  }
  constexpr TSettingRow Ctl(const char* control) const {
    return With([&](TSettingRow& r) { r.Control = control; });
  }
  constexpr TSettingRow Radio(const char* control, const char* group) const {
    return With([&](TSettingRow& r) {
      r.Control = control;
      r.RadioGroup = group;
    });
  }
  constexpr TSettingRow For(uint32_t commands) const {
    return With([&](TSettingRow& r) { r.Commands = commands; });
  }
  constexpr TSettingRow For(TSettingsCommand command) const {
    return For(static_cast<uint32_t>(command));
  }
  constexpr TSettingRow As(Member member) const {
    return With([&](TSettingRow& r) { r.Field = member; });
  }
  constexpr TSettingRow FirstOnlyWhen(Member member) const {
    return With([&](TSettingRow& r) { r.OnlyFirstWhen = member; });
  }
  constexpr TSettingRow OnPage(const char* page, const char* caption) const {
    return With([&](TSettingRow& r) {
      r.Page = page;
      r.Caption = caption;
    });
  }
  constexpr TSettingRow Rule(std::string (*rule)(const std::string&)) const {
    return With([&](TSettingRow& r) { r.TextRule = rule; });
  }
  bool ReadBy(TSettingsCommand c) const { return (Commands & static_cast<uint32_t>(c)) != 0; }

 private:
  template <class F>
  constexpr TSettingRow With(F f) const {
    TSettingRow r = *this;
    f(r);
    return r;
  }
};

// Row makers, one per type.
TSettingRow TextRow(const char* section, const char* key, const char* def = "");
TSettingRow BoolRow(const char* section, const char* key, bool def = false);
TSettingRow IntRow(const char* section, const char* key, int32_t def = 0);
TSettingRow FloatRow(const char* section, const char* key, int decimals, double def = 0.0);
TSettingRow ColorRow(const char* section, const char* key, int32_t def = 0);
TSettingRow PenRow(const char* section, const char* key, int32_t width, int32_t style = 0);
TSettingRow PositionRow(const char* section, const char* key, bool withSize);
TSettingRow FontRow(const char* section, const char* key, const char* def = "");

/// The program's rows in file order, followed by rows added for tests.
const std::vector<TSettingRow>& SettingRows();
/// Adds a row after the program's own (for tests); returns its number.
size_t AddSettingRowForTest(const TSettingRow& row);
/// Removes the rows added for tests.
void ClearSettingRowsForTest();

/// The control names of a row's values 1..count (empty names: no control).
std::vector<std::string> ControlNames(const TSettingRow& row, int count);

/// What a page field makes of what it shows: texts without leading and
/// trailing blanks (at most 255 characters), whole numbers (0 when the text
/// is not one), and a font code from a face and a style.
std::string FieldText(const std::string& shown);
int32_t FieldInteger(const std::string& shown);
double FieldFloat(const std::string& shown);
