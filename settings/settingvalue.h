#pragma once
// Settings bound to INI keys: one fixed-capacity store of value slots, the
// setting objects that own slots in it, and the table base that moves all
// values between file and store at once. What the pages show is bound to the
// store from above (gui/settings/settingsbinder.h).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/vqrtypes.h"
#include "settings/pencode.h"

class TZTIniClass;
class TZTiniSettingValue;
class TZTIniSettingTable;

enum class TZTIniValueType : uint8_t {
  String,
  Boolean,
  Integer,
  Float,
  Color,
  Pen,
  WindowPosition,
  Font
};

enum class TZTIniValueKind : uint8_t { Single, KeyIndexed, SectionIndexed, Position };

/// One slot of the store. A String or Font value occupies its slot and the 11
/// following ones.
struct TZTIniSlot {
  TZTiniSettingValue* Owner = nullptr;
  bool Modified = false;
  uint16_t Index = 0;
  int32_t Int = 0;  // Boolean and store flag (0/1), Integer, Color, Pen, positions
  double Float = 0.0;
  std::string Text;  // String, Font: at most 255 characters
};

class TZTIniSettingsMemory {
 public:
  static constexpr int kSlots = 3499;
  TZTIniSettingsMemory();
  /// Slot n (1..kSlots), or null.
  TZTIniSlot* Slot(int n);
  const TZTIniSlot* Slot(int n) const;

  int NextFree = 1;

 private:
  std::vector<TZTIniSlot> slots_;  // element 0 unused
};

/// Section, key and text of one INI key as it stands (or would stand) in the file.
struct TZTIniKeyText {
  std::string Section;
  std::string Key;
  std::string Text;
};

class TZTiniSettingValue {
 public:
  static TZTiniSettingValue* CreateString(int count, const std::string& section,
                                          const std::string& key, const std::string& def,
                                          TZTIniSettingTable* table);
  static TZTiniSettingValue* CreateBool(int count, const std::string& section,
                                        const std::string& key, bool def,
                                        TZTIniSettingTable* table);
  static TZTiniSettingValue* CreateInteger(int count, const std::string& section,
                                           const std::string& key, int32_t def,
                                           TZTIniSettingTable* table);
  static TZTiniSettingValue* CreateFloat(int count, const std::string& section,
                                         const std::string& key, double def,
                                         TZTIniSettingTable* table, int decimals);
  static TZTiniSettingValue* CreateColor(int count, const std::string& section,
                                         const std::string& key, int32_t def,
                                         TZTIniSettingTable* table);
  static TZTiniSettingValue* CreatePen(int count, const std::string& section,
                                       const std::string& key, int32_t defWidth,
                                       TZTIniSettingTable* table, int32_t defStyle);
  static TZTiniSettingValue* CreatePosition(bool withSize, const std::string& section,
                                            const std::string& key, TZTIniSettingTable* table);
  static TZTiniSettingValue* CreateFont(int count, const std::string& section,
                                        const std::string& key, const std::string& def,
                                        TZTIniSettingTable* table);

  /// INI file -> store. A value shown in a page field is then kept as the
  /// field would give it back (AsField).
  void Load(int i);
  /// Makes value i what its page field would give back after showing it:
  /// texts trimmed, floats rounded to Decimals, font faces trimmed. A change
  /// marks the value modified, as taking the field would.
  void NormaliseAsField(int i);
  /// Writes value i when it was modified. False when an INI write failed; the
  /// value then stays modified.
  bool Save(int i);

  std::string GetString(int i) const;
  bool GetBool(int i) const;
  int32_t GetInteger(int i) const;
  double GetFloat(int i) const;
  int32_t GetColor(int i) const;
  int32_t GetPenCode(int i) const;  // width x 1000 + style
  int32_t GetPenWidth(int i) const;
  int32_t GetPenStyle(int i) const;
  std::string GetFontName(int i) const;
  int GetFontStyle(int i) const;
  bool GetPosSave() const;
  int32_t GetPosX() const;
  int32_t GetPosY() const;
  int32_t GetPosW() const;
  int32_t GetPosH() const;

  /// The setters mark a value modified when it really changed (texts
  /// ignoring letter case); a setter of another type does nothing.
  void SetString(int i, const std::string& text);
  void SetBool(int i, bool value);
  void SetInteger(int i, int32_t value);
  void SetFloat(int i, double value);
  void SetColor(int i, int32_t color);
  void SetPenCode(int i, int32_t code);
  void SetFont(int i, const std::string& face, int style);

  /// A float as the INI file holds it, with this value's decimals.
  std::string FloatText(double v) const;

  /// Places a child window from the stored position: params (the window's
  /// creation rectangle) gets the stored left/top, and with withSize the
  /// stored size raised to the minimums, all clamped into workArea; only when
  /// the store flag is on. parent (its restored rectangle) makes the position
  /// relative; null for none.
  void ApplyPosition(bool withSize, TRect& params, const TRect* parent, int32_t minHeight,
                     int32_t minWidth, const TRect& workArea);
  /// Keeps the restored rectangle of a window (null: no window) relative to
  /// parent (null: none), when the store flag is on.
  void StorePosition(const TRect* window, const TRect* parent);

  /// Section and key of value i (index suffixes applied; a pen's keys lack
  /// their "Width"/"Style" suffix).
  std::string SectionOf(int i) const;
  std::string KeyOf(int i) const;
  /// The INI keys of value i with the texts that Save would write.
  std::vector<TZTIniKeyText> IniTexts(int i) const;
  /// Slot number of value i, 0 when it does not exist.
  int SlotOf(int i) const;
  bool IsModified(int i) const;

  TZTIniValueType ValueType = TZTIniValueType::String;
  TZTIniValueKind Kind = TZTIniValueKind::Single;
  int32_t Decimals = 0;
  TZTIniClass* Ini = nullptr;
  std::string Section;  // at most 32 characters
  std::string Key;      // at most 32 characters
  TZTIniSettingsMemory* Memory = nullptr;
  int32_t FirstSlot = 0;
  int32_t Count = 1;
  int32_t ExtraSlots = 0;
  TZTIniSettingTable* Table = nullptr;
  /// The value is edited in a page field: loads are normalised as that field.
  bool AsField = false;
  /// A text field's own rule for what it gives back (null: the text trimmed).
  std::string (*TextRule)(const std::string&) = nullptr;
  /// What this value's field gives back for a shown text.
  std::string FieldTextOf(const std::string& shown) const;
  /// Radio buttons of one box (empty: none): loading leaves at most one on.
  std::string RadioGroup;

 private:
  TZTiniSettingValue(TZTIniValueType type, int count, const std::string& section,
                     const std::string& key, TZTIniSettingTable* table);
  void Allocate(const std::function<void(TZTIniSlot&)>& setDefault);
  TZTIniSlot* SlotFor(int i);
  const TZTIniSlot* SlotFor(int i) const;
  int ClampIndex(int i) const;
};

class TZTIniSettingTable {
 public:
  explicit TZTIniSettingTable(TZTIniClass* ini);
  virtual ~TZTIniSettingTable();
  TZTIniSettingTable(const TZTIniSettingTable&) = delete;
  TZTIniSettingTable& operator=(const TZTIniSettingTable&) = delete;

  /// Loads every value from the INI file in creation order; in each radio
  /// group only the last value on stays on, as its buttons show it.
  void LoadAll();
  /// Writes every modified value in creation order, all in one replacement of
  /// the INI file. False when it could not be written (the values stay
  /// modified and are written by the next save).
  bool SaveAll();

  /// The INI object the values are read from and written to (may be null).
  TZTIniClass* IniObject() const { return ini_; }

  const std::vector<std::unique_ptr<TZTiniSettingValue>>& Settings() const { return settings_; }
  /// Every INI key with the text it holds or would hold, one
  /// "Section/Key = text" line each, in file order.
  std::string Listing() const;

  TZTIniSettingsMemory Memory;

 private:
  friend class TZTiniSettingValue;
  TZTiniSettingValue* Adopt(std::unique_ptr<TZTiniSettingValue> value);
  void NoteWritten(TZTIniSlot* slot);

  TZTIniClass* ini_ = nullptr;
  std::vector<std::unique_ptr<TZTiniSettingValue>> settings_;
  std::vector<TZTIniSlot*>* batch_ = nullptr;  // slots written in the running SaveAll
};
