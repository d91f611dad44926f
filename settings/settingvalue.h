#pragma once
// Settings bound to INI keys and to the controls of the settings pages: one
// fixed-capacity store of value slots, the setting objects that own slots in
// it, and the table base that moves all values between file, store and
// controls at once.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/vqrtypes.h"
#include "settings/control.h"
#include "settings/pencode.h"

/// Transfer modes of Load: INI file -> store, store -> control, or both.
constexpr int kLoadFromIni = 1;
constexpr int kLoadToControl = 2;
constexpr int kLoadBoth = 3;
/// Transfer modes of Save: control -> store, modified values -> INI file, or both.
constexpr int kSaveFromControl = 1;
constexpr int kSaveToIni = 2;
constexpr int kSaveBoth = 3;

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
  IZTControl* Control = nullptr;
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
  using Controls = std::vector<IZTControl*>;

  static TZTiniSettingValue* CreateString(int count, const std::string& section,
                                          const std::string& key, const std::string& def,
                                          const Controls& controls, TZTIniSettingTable* table);
  static TZTiniSettingValue* CreateBool(int count, const std::string& section,
                                        const std::string& key, bool def, const Controls& controls,
                                        TZTIniSettingTable* table);
  static TZTiniSettingValue* CreateInteger(int count, const std::string& section,
                                           const std::string& key, int32_t def,
                                           const Controls& controls, TZTIniSettingTable* table);
  static TZTiniSettingValue* CreateFloat(int count, const std::string& section,
                                         const std::string& key, double def,
                                         const Controls& controls, TZTIniSettingTable* table,
                                         int decimals);
  static TZTiniSettingValue* CreateColor(int count, const std::string& section,
                                         const std::string& key, int32_t def,
                                         const Controls& controls, TZTIniSettingTable* table);
  static TZTiniSettingValue* CreatePen(int count, const std::string& section,
                                       const std::string& key, int32_t defWidth,
                                       const Controls& controls, TZTIniSettingTable* table,
                                       int32_t defStyle);
  static TZTiniSettingValue* CreatePosition(bool withSize, const std::string& section,
                                            const std::string& key, TZTIniSettingTable* table);
  static TZTiniSettingValue* CreateFont(int count, const std::string& section,
                                        const std::string& key, const std::string& def,
                                        const Controls& controls, TZTIniSettingTable* table);

  /// mode 1: INI file -> store, 2: store -> control, 3: both.
  void Load(int i, int mode);
  /// mode 1: control -> store, 2: modified values -> INI file, 3: both.
  /// False when an INI write failed; the value then stays modified.
  bool Save(int i, int mode);

  std::string GetString(int i) const;
  bool GetBool(int i) const;
  int32_t GetInteger(int i) const;
  double GetFloat(int i) const;
  int32_t GetColor(int i) const;
  int32_t GetPenWidth(int i) const;
  int32_t GetPenStyle(int i) const;
  std::string GetFontName(int i) const;
  int GetFontStyle(int i) const;
  bool GetPosSave() const;
  int32_t GetPosX() const;
  int32_t GetPosY() const;
  int32_t GetPosW() const;
  int32_t GetPosH() const;

  void SetString(int i, const std::string& text);
  void SetBool(int i, bool value);

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
  IZTControl* ControlOf(int i) const;

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

 private:
  TZTiniSettingValue(TZTIniValueType type, int count, const std::string& section,
                     const std::string& key, TZTIniSettingTable* table);
  void Allocate(const Controls& controls, const std::function<void(TZTIniSlot&)>& setDefault);
  TZTIniSlot* SlotFor(int i);
  const TZTIniSlot* SlotFor(int i) const;
  int ClampIndex(int i) const;
  std::string FormatFloatField(double v) const;
};

class TZTIniSettingTable {
 public:
  explicit TZTIniSettingTable(TZTIniClass* ini);
  virtual ~TZTIniSettingTable();
  TZTIniSettingTable(const TZTIniSettingTable&) = delete;
  TZTIniSettingTable& operator=(const TZTIniSettingTable&) = delete;

  void SetColorDialog(IZTColorDialog* dialog) { ColorDialog = dialog; }
  /// Stands for the owner form: makes the pen dialog on the first pen edit.
  void SetPenDialogFactory(std::function<IZTPenDialog*()> factory);
  /// Default beep of the editors when they cannot run.
  void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

  /// Loads (Load(i, mode)) every value in creation order.
  void LoadAll(int mode);
  /// Saves every value in creation order; with mode 2 or 3 all writes go into
  /// one replacement of the INI file. False when it could not be written (the
  /// values stay modified and are written by the next save).
  bool SaveAll(int mode);

  /// Colour and pen editors of a colour or pen field.
  void EditColor(IZTControl* field);
  void EditPen(IZTControl* field);

  const std::vector<std::unique_ptr<TZTiniSettingValue>>& Settings() const { return settings_; }
  /// Number of existing values over all settings.
  int ValueCount() const;

  TZTIniClass* Ini = nullptr;
  IZTColorDialog* ColorDialog = nullptr;
  IZTPenDialog* PenDialog = nullptr;
  TZTIniSettingsMemory Memory;

 private:
  friend class TZTiniSettingValue;
  TZTiniSettingValue* Adopt(std::unique_ptr<TZTiniSettingValue> value);
  void NoteWritten(TZTIniSlot* slot);
  void Beep();

  std::vector<std::unique_ptr<TZTiniSettingValue>> settings_;
  std::function<IZTPenDialog*()> penDialogFactory_;
  std::function<void()> beep_;
  std::vector<TZTIniSlot*>* batch_ = nullptr;  // slots written in the running SaveAll
};
