#include "settings/settingvalue.h"

#include <algorithm>
#include <map>

#include "data/numtext.h"
#include "settings/iniclass.h"
#include "settings/inifile.h"
#include "settings/settingrows.h"

namespace {

constexpr size_t kMaxText = 255;
constexpr int kReadBuffer = 250;  // a text read from the file keeps at most 249 characters
constexpr size_t kMaxName = 32;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return AsciiLower(a) == AsciiLower(b);
}

// An empty code and "--" both mean no face and no style.
bool SameFontCode(const std::string& a, const std::string& b) {
  auto padded = [](std::string c) { return c.size() < 2 ? c.append(2 - c.size(), '-') : c; };
  return SameIgnoringCase(padded(a), padded(b));
}

int32_t WrapCode(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

}  // namespace

// -------------------------------------------------------------------- memory

TZTIniSettingsMemory::TZTIniSettingsMemory() : slots_(kSlots + 1) {}

TZTIniSlot* TZTIniSettingsMemory::Slot(int n) {
  return n >= 1 && n <= kSlots ? &slots_[static_cast<size_t>(n)] : nullptr;
}

const TZTIniSlot* TZTIniSettingsMemory::Slot(int n) const {
  return n >= 1 && n <= kSlots ? &slots_[static_cast<size_t>(n)] : nullptr;
}

// ------------------------------------------------------------- construction

TZTiniSettingValue::TZTiniSettingValue(TZTIniValueType type, int count, const std::string& section,
                                       const std::string& key, TZTIniSettingTable* table)
    : ValueType(type),
      Ini(table ? table->IniObject() : nullptr),
      Section(Utf8Left(section, kMaxName)),
      Key(Utf8Left(key, kMaxName)),
      Memory(table ? &table->Memory : nullptr),
      ExtraSlots(type == TZTIniValueType::String || type == TZTIniValueType::Font ? 11 : 0),
      Table(table) {
  if (count > 1) {
    Kind = TZTIniValueKind::KeyIndexed;
    Count = count;
  } else if (count < -1) {
    Kind = TZTIniValueKind::SectionIndexed;
    Count = -count;
  } else {
    Kind = TZTIniValueKind::Single;
    Count = 1;
  }
}

void TZTiniSettingValue::Allocate(const std::function<void(TZTIniSlot&)>& setDefault) {
  if (!Memory) return;
  FirstSlot = Memory->NextFree;
  for (int i = 1; i <= Count; ++i) {
    const int first = FirstSlot + (i - 1) * (ExtraSlots + 1);
    // A value exists only when all of its slots fit into the store.
    if (!Memory->Slot(first + ExtraSlots)) break;
    Memory->NextFree = first + ExtraSlots + 1;
    TZTIniSlot& slot = *Memory->Slot(first);
    slot = TZTIniSlot{};
    setDefault(slot);
    slot.Modified = false;
    slot.Owner = this;
    slot.Index = static_cast<uint16_t>(i);
  }
}

TZTiniSettingValue* TZTiniSettingValue::CreateString(int count, const std::string& section,
                                                     const std::string& key, const std::string& def,
                                                     TZTIniSettingTable* table) {
  auto v = std::unique_ptr<TZTiniSettingValue>(
      new TZTiniSettingValue(TZTIniValueType::String, count, section, key, table));
  const std::string text = Utf8Left(def, kMaxText);
  v->Allocate([&](TZTIniSlot& s) { s.Text = text; });
  return table->Adopt(std::move(v));
}

TZTiniSettingValue* TZTiniSettingValue::CreateBool(int count, const std::string& section,
                                                   const std::string& key, bool def,
                                                   TZTIniSettingTable* table) {
  auto v = std::unique_ptr<TZTiniSettingValue>(
      new TZTiniSettingValue(TZTIniValueType::Boolean, count, section, key, table));
  v->Allocate([&](TZTIniSlot& s) { s.Int = def ? 1 : 0; });
  return table->Adopt(std::move(v));
}

TZTiniSettingValue* TZTiniSettingValue::CreateInteger(int count, const std::string& section,
                                                      const std::string& key, int32_t def,
                                                      TZTIniSettingTable* table) {
  auto v = std::unique_ptr<TZTiniSettingValue>(
      new TZTiniSettingValue(TZTIniValueType::Integer, count, section, key, table));
  v->Allocate([&](TZTIniSlot& s) { s.Int = def; });
  return table->Adopt(std::move(v));
}

TZTiniSettingValue* TZTiniSettingValue::CreateFloat(int count, const std::string& section,
                                                    const std::string& key, double def,
                                                    TZTIniSettingTable* table, int decimals) {
  auto v = std::unique_ptr<TZTiniSettingValue>(
      new TZTiniSettingValue(TZTIniValueType::Float, count, section, key, table));
  v->Decimals = decimals;
  v->Allocate([&](TZTIniSlot& s) { s.Float = def; });
  return table->Adopt(std::move(v));
}

TZTiniSettingValue* TZTiniSettingValue::CreateColor(int count, const std::string& section,
                                                    const std::string& key, int32_t def,
                                                    TZTIniSettingTable* table) {
  auto v = std::unique_ptr<TZTiniSettingValue>(
      new TZTiniSettingValue(TZTIniValueType::Color, count, section, key, table));
  v->Allocate([&](TZTIniSlot& s) { s.Int = def; });
  return table->Adopt(std::move(v));
}

TZTiniSettingValue* TZTiniSettingValue::CreatePen(int count, const std::string& section,
                                                  const std::string& key, int32_t defWidth,
                                                  TZTIniSettingTable* table, int32_t defStyle) {
  auto v = std::unique_ptr<TZTiniSettingValue>(
      new TZTiniSettingValue(TZTIniValueType::Pen, count, section, key, table));
  const int32_t code = MakePenCode(defWidth, defStyle);
  v->Allocate([&](TZTIniSlot& s) { s.Int = code; });
  return table->Adopt(std::move(v));
}

TZTiniSettingValue* TZTiniSettingValue::CreatePosition(bool withSize, const std::string& section,
                                                       const std::string& key,
                                                       TZTIniSettingTable* table) {
  auto v = std::unique_ptr<TZTiniSettingValue>(
      new TZTiniSettingValue(TZTIniValueType::WindowPosition, 1, section, key, table));
  v->Kind = TZTIniValueKind::Position;
  v->Count = withSize ? 5 : 3;
  v->Allocate([](TZTIniSlot&) {});
  return table->Adopt(std::move(v));
}

TZTiniSettingValue* TZTiniSettingValue::CreateFont(int count, const std::string& section,
                                                   const std::string& key, const std::string& def,
                                                   TZTIniSettingTable* table) {
  auto v = std::unique_ptr<TZTiniSettingValue>(
      new TZTiniSettingValue(TZTIniValueType::Font, count, section, key, table));
  const std::string text = Utf8Left(def, kMaxText);
  v->Allocate([&](TZTIniSlot& s) { s.Text = text; });
  return table->Adopt(std::move(v));
}

// ------------------------------------------------------------------- access

int TZTiniSettingValue::ClampIndex(int i) const { return std::clamp(i, 1, std::max(Count, 1)); }

int TZTiniSettingValue::SlotOf(int i) const {
  if (!Memory || i < 1 || i > Count) return 0;
  const int n = FirstSlot + (i - 1) * (ExtraSlots + 1);
  const TZTIniSlot* s = Memory->Slot(n);
  return s && s->Owner == this ? n : 0;
}

TZTIniSlot* TZTiniSettingValue::SlotFor(int i) {
  const int n = SlotOf(i);
  return n ? Memory->Slot(n) : nullptr;
}

const TZTIniSlot* TZTiniSettingValue::SlotFor(int i) const {
  const int n = SlotOf(i);
  return n ? Memory->Slot(n) : nullptr;
}

bool TZTiniSettingValue::IsModified(int i) const {
  const TZTIniSlot* s = SlotFor(i);
  return s && s->Modified;
}

std::string TZTiniSettingValue::SectionOf(int i) const {
  if (Kind == TZTIniValueKind::SectionIndexed) return Section + std::to_string(ClampIndex(i));
  return Section;
}

std::string TZTiniSettingValue::KeyOf(int i) const {
  i = ClampIndex(i);
  switch (Kind) {
    case TZTIniValueKind::KeyIndexed:
      return Key + std::to_string(i);
    case TZTIniValueKind::Position: {
      static const char* const kSuffix[] = {"Save", "X", "Y", "W", "H"};
      return Key + kSuffix[std::min(i, 5) - 1];
    }
    default:
      return Key;
  }
}

std::string TZTiniSettingValue::FloatText(double v) const {
  return TZTIniClass::FormatIniFloat(v, Decimals);
}

std::vector<TZTIniKeyText> TZTiniSettingValue::IniTexts(int i) const {
  const TZTIniSlot* s = SlotFor(i);
  if (!s) return {};
  const std::string sec = SectionOf(i), key = KeyOf(i);
  switch (ValueType) {
    case TZTIniValueType::String:
    case TZTIniValueType::Font:
      return {{sec, key, s->Text}};
    case TZTIniValueType::Boolean:
      return {{sec, key, s->Int ? "ON" : "OFF"}};
    case TZTIniValueType::Integer:
    case TZTIniValueType::Color:
      return {{sec, key, IntText(s->Int)}};
    case TZTIniValueType::Float:
      return {{sec, key, FloatText(s->Float)}};
    case TZTIniValueType::Pen:
      return {{sec, key + "Width", IntText(PenCodeWidth(s->Int))},
              {sec, key + "Style", IntText(PenCodeStyle(s->Int))}};
    case TZTIniValueType::WindowPosition:
      if (s->Index == 1) return {{sec, key, s->Int ? "ON" : "OFF"}};
      return {{sec, key, IntText(s->Int)}};
  }
  return {};
}

// --------------------------------------------------------------- transfers

void TZTiniSettingValue::Load(int i) {
  TZTIniSlot* s = SlotFor(i);
  if (!s || !Ini) return;
  const std::string sec = SectionOf(i), key = KeyOf(i);
  s->Modified = false;
  switch (ValueType) {
    case TZTIniValueType::String:
    case TZTIniValueType::Font:
      s->Text = Ini->IniReadString(sec, key, s->Text, kReadBuffer);
      break;
    case TZTIniValueType::Boolean:
      s->Int = Ini->IniReadBool(sec, key) ? 1 : 0;
      break;
    case TZTIniValueType::Integer:
    case TZTIniValueType::Color:
      s->Int = Ini->IniReadInteger(sec, key, s->Int);
      break;
    case TZTIniValueType::Float:
      s->Float = Ini->IniReadFloat(sec, key, s->Float);
      break;
    case TZTIniValueType::Pen: {
      const int32_t width = Ini->IniReadInteger(sec, key + "Width", PenCodeWidth(s->Int));
      const int32_t style = Ini->IniReadInteger(sec, key + "Style", PenCodeStyle(s->Int));
      s->Int = WrapCode(static_cast<int64_t>(width) * 1000 + style);
      break;
    }
    case TZTIniValueType::WindowPosition:
      if (s->Index == 1)
        s->Int = Ini->IniReadBoolOn(sec, key) ? 1 : 0;
      else
        s->Int = Ini->IniReadInteger(sec, key, s->Int);
      break;
  }
  if (AsField) NormaliseAsField(i);
}

std::string TZTiniSettingValue::FieldTextOf(const std::string& shown) const {
  return TextRule ? TextRule(shown) : FieldText(shown);
}

void TZTiniSettingValue::NormaliseAsField(int i) {
  switch (ValueType) {
    case TZTIniValueType::String:
      SetString(i, FieldTextOf(GetString(i)));
      break;
    case TZTIniValueType::Integer:
      SetInteger(i, FieldInteger(IntText(GetInteger(i))));
      break;
    case TZTIniValueType::Float:
      SetFloat(i, FieldFloat(FloatText(GetFloat(i))));
      break;
    case TZTIniValueType::Font:
      SetFont(i, FieldText(GetFontName(i)), GetFontStyle(i));
      break;
    case TZTIniValueType::Boolean:
    case TZTIniValueType::Color:
    case TZTIniValueType::Pen:
    case TZTIniValueType::WindowPosition:
      break;
  }
}

bool TZTiniSettingValue::Save(int i) {
  TZTIniSlot* s = SlotFor(i);
  if (!s || !Ini || !s->Modified) return true;
  bool ok = true;
  for (const TZTIniKeyText& k : IniTexts(i))
    ok = Ini->IniWriteString(k.Section, k.Key, k.Text) && ok;
  // A failed write keeps the value modified so that the next save tries again.
  s->Modified = !ok;
  if (ok && Table) Table->NoteWritten(s);
  return ok;
}

// ------------------------------------------------------------------ getters

std::string TZTiniSettingValue::GetString(int i) const {
  const TZTIniSlot* s = SlotFor(i);
  return s && ValueType == TZTIniValueType::String ? s->Text : std::string();
}

bool TZTiniSettingValue::GetBool(int i) const {
  const TZTIniSlot* s = SlotFor(i);
  return s && ValueType == TZTIniValueType::Boolean && s->Int != 0;
}

int32_t TZTiniSettingValue::GetInteger(int i) const {
  const TZTIniSlot* s = SlotFor(i);
  return s && ValueType == TZTIniValueType::Integer ? s->Int : 0;
}

double TZTiniSettingValue::GetFloat(int i) const {
  const TZTIniSlot* s = SlotFor(i);
  return s && ValueType == TZTIniValueType::Float ? s->Float : 0.0;
}

int32_t TZTiniSettingValue::GetColor(int i) const {
  const TZTIniSlot* s = SlotFor(i);
  return s && ValueType == TZTIniValueType::Color ? s->Int : 0;
}

int32_t TZTiniSettingValue::GetPenWidth(int i) const {
  const TZTIniSlot* s = SlotFor(i);
  return s && ValueType == TZTIniValueType::Pen ? PenCodeWidth(s->Int) : 0;
}

int32_t TZTiniSettingValue::GetPenCode(int i) const {
  const TZTIniSlot* s = SlotFor(i);
  return s && ValueType == TZTIniValueType::Pen ? s->Int : 0;
}

int32_t TZTiniSettingValue::GetPenStyle(int i) const {
  const TZTIniSlot* s = SlotFor(i);
  return s && ValueType == TZTIniValueType::Pen ? PenCodeStyle(s->Int) : 0;
}

std::string TZTiniSettingValue::GetFontName(int i) const {
  const TZTIniSlot* s = SlotFor(i);
  return s && ValueType == TZTIniValueType::Font ? FontCodeFace(s->Text) : std::string();
}

int TZTiniSettingValue::GetFontStyle(int i) const {
  const TZTIniSlot* s = SlotFor(i);
  return s && ValueType == TZTIniValueType::Font ? FontCodeStyle(s->Text) : 0;
}

bool TZTiniSettingValue::GetPosSave() const {
  const TZTIniSlot* s = ValueType == TZTIniValueType::WindowPosition ? SlotFor(1) : nullptr;
  return s && s->Int != 0;
}

#define VQR_POS_GETTER(name, index)                                                                \
  int32_t TZTiniSettingValue::name() const {                                                       \
    const TZTIniSlot* s = ValueType == TZTIniValueType::WindowPosition ? SlotFor(index) : nullptr; \
    return s ? s->Int : 0;                                                                         \
  }
VQR_POS_GETTER(GetPosX, 2)
VQR_POS_GETTER(GetPosY, 3)
VQR_POS_GETTER(GetPosW, 4)
VQR_POS_GETTER(GetPosH, 5)
#undef VQR_POS_GETTER

void TZTiniSettingValue::SetString(int i, const std::string& text) {
  TZTIniSlot* s = SlotFor(i);
  if (!s || (ValueType != TZTIniValueType::String && ValueType != TZTIniValueType::Font)) return;
  const std::string t = Utf8Left(text, kMaxText);
  if (!s->Modified) s->Modified = !SameIgnoringCase(t, s->Text);
  s->Text = t;
}

void TZTiniSettingValue::SetBool(int i, bool value) {
  TZTIniSlot* s = SlotFor(i);
  if (!s || ValueType != TZTIniValueType::Boolean) return;
  const int32_t v = value ? 1 : 0;
  if (!s->Modified) s->Modified = v != s->Int;
  s->Int = v;
}

void TZTiniSettingValue::SetInteger(int i, int32_t value) {
  TZTIniSlot* s = SlotFor(i);
  if (!s || ValueType != TZTIniValueType::Integer) return;
  s->Modified = s->Modified || value != s->Int;
  s->Int = value;
}

void TZTiniSettingValue::SetFloat(int i, double value) {
  TZTIniSlot* s = SlotFor(i);
  if (!s || ValueType != TZTIniValueType::Float) return;
  s->Modified = s->Modified || value != s->Float;
  s->Float = value;
}

void TZTiniSettingValue::SetColor(int i, int32_t color) {
  TZTIniSlot* s = SlotFor(i);
  if (!s || ValueType != TZTIniValueType::Color) return;
  s->Modified = s->Modified || color != s->Int;
  s->Int = color;
}

void TZTiniSettingValue::SetPenCode(int i, int32_t code) {
  TZTIniSlot* s = SlotFor(i);
  if (!s || ValueType != TZTIniValueType::Pen) return;
  s->Modified = s->Modified || code != s->Int;
  s->Int = code;
}

void TZTiniSettingValue::SetFont(int i, const std::string& face, int style) {
  TZTIniSlot* s = SlotFor(i);
  if (!s || ValueType != TZTIniValueType::Font) return;
  const std::string code = Utf8Left(MakeFontCode(face, style), kMaxText);
  // A font that was never set is not written, and stays unset without a face
  // and a style.
  s->Modified = s->Modified || !SameFontCode(code, s->Text);
  if (s->Text.empty() && code == "--") return;
  s->Text = code;
}

// --------------------------------------------------------- window positions

void TZTiniSettingValue::ApplyPosition(bool withSize, TRect& params, const TRect* parent,
                                       int32_t minHeight, int32_t minWidth, const TRect& workArea) {
  if (ValueType != TZTIniValueType::WindowPosition) return;
  int32_t x = GetPosX(), y = GetPosY();
  if (parent) {
    x = WrapCode(static_cast<int64_t>(x) + parent->left);
    y = WrapCode(static_cast<int64_t>(y) + parent->top);
  }
  int32_t w = params.right - params.left;
  int32_t h = params.bottom - params.top;
  if (withSize) {
    w = std::max(GetPosW(), minWidth);
    h = std::max(GetPosH(), minHeight);
  }
  TZTIniClass::ClampToWorkArea(x, y, w, h, workArea);
  if (!GetPosSave()) return;
  params =
      TRect{x, y, WrapCode(static_cast<int64_t>(x) + w), WrapCode(static_cast<int64_t>(y) + h)};
}

void TZTiniSettingValue::StorePosition(const TRect* window, const TRect* parent) {
  if (!window || ValueType != TZTIniValueType::WindowPosition || !GetPosSave()) return;
  auto store = [&](int i, int64_t v) {
    TZTIniSlot* s = SlotFor(i);
    if (!s) return;
    const int32_t nv = WrapCode(v);
    if (nv != s->Int) {
      s->Int = nv;
      s->Modified = true;
    }
  };
  store(2, static_cast<int64_t>(window->left) - (parent ? parent->left : 0));
  store(3, static_cast<int64_t>(window->top) - (parent ? parent->top : 0));
  if (Count > 3) store(4, static_cast<int64_t>(window->right) - window->left);
  if (Count > 4) store(5, static_cast<int64_t>(window->bottom) - window->top);
}

// -------------------------------------------------------------------- table

TZTIniSettingTable::TZTIniSettingTable(TZTIniClass* ini) : ini_(ini) {}
TZTIniSettingTable::~TZTIniSettingTable() = default;

TZTiniSettingValue* TZTIniSettingTable::Adopt(std::unique_ptr<TZTiniSettingValue> value) {
  settings_.push_back(std::move(value));
  return settings_.back().get();
}

void TZTIniSettingTable::NoteWritten(TZTIniSlot* slot) {
  if (batch_) batch_->push_back(slot);
}

std::string TZTIniSettingTable::Listing() const {
  std::string text;
  for (const auto& s : settings_)
    for (int i = 1; i <= s->Count; ++i)
      for (const TZTIniKeyText& k : s->IniTexts(i))
        text += k.Section + "/" + k.Key + " = " + k.Text + "\n";
  return text;
}

void TZTIniSettingTable::LoadAll() {
  if (!ini_) return;
  int n = 1;
  while (n < Memory.NextFree) {
    TZTIniSlot* s = Memory.Slot(n);
    if (!s || !s->Owner) break;
    TZTiniSettingValue* owner = s->Owner;
    owner->Load(s->Index);
    n += owner->ExtraSlots + 1;
  }
  // Radio buttons are shown in file order: the last one on unchecks the others.
  std::map<std::string, std::pair<TZTiniSettingValue*, int>> lastOn;
  for (const auto& v : settings_)
    if (!v->RadioGroup.empty())
      for (int i = 1; i <= v->Count; ++i)
        if (v->GetBool(i)) lastOn[v->RadioGroup] = {v.get(), i};
  for (const auto& v : settings_)
    if (!v->RadioGroup.empty())
      for (int i = 1; i <= v->Count; ++i)
        if (lastOn[v->RadioGroup] != std::pair{v.get(), i}) v->SetBool(i, false);
}

bool TZTIniSettingTable::SaveAll() {
  if (!ini_) return true;
  std::vector<TZTIniSlot*> written;
  ini_->BeginUpdate();
  batch_ = &written;
  bool ok = true;
  int n = 1;
  while (n < Memory.NextFree) {
    TZTIniSlot* s = Memory.Slot(n);
    if (!s || !s->Owner) break;
    TZTiniSettingValue* owner = s->Owner;
    ok = owner->Save(s->Index) && ok;
    n += owner->ExtraSlots + 1;
  }
  batch_ = nullptr;
  if (!ini_->EndUpdate()) {
    ok = false;
    for (TZTIniSlot* s : written) s->Modified = true;
  }
  return ok;
}
