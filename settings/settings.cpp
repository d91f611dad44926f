#include "settings/settings.h"

#include <string>
#include <vector>

#include "data/numtext.h"
#include "settings/inifile.h"
#include "settings/settingrows.h"

TVQRShowSettings::TVQRShowSettings(TZTIniClass* ini) : TZTIniSettingTable(ini) {
  using V = TZTiniSettingValue;
  for (const TSettingRow& row : SettingRows()) {
    V* s = nullptr;
    switch (row.Type) {
      case TZTIniValueType::String:
        s = V::CreateString(row.Count, row.Section, row.Key, row.TextDefault, this);
        break;
      case TZTIniValueType::Boolean:
        s = V::CreateBool(row.Count, row.Section, row.Key, row.IntDefault != 0, this);
        break;
      case TZTIniValueType::Integer:
        s = V::CreateInteger(row.Count, row.Section, row.Key, row.IntDefault, this);
        break;
      case TZTIniValueType::Float:
        s = V::CreateFloat(row.Count, row.Section, row.Key, row.FloatDefault, this, row.Decimals);
        break;
      case TZTIniValueType::Color:
        s = V::CreateColor(row.Count, row.Section, row.Key, row.IntDefault, this);
        break;
      case TZTIniValueType::Pen:
        s = V::CreatePen(row.Count, row.Section, row.Key, row.IntDefault, this, row.PenStyle);
        break;
      case TZTIniValueType::WindowPosition:
        s = V::CreatePosition(row.Count > 3, row.Section, row.Key, this);
        break;
      case TZTIniValueType::Font:
        s = V::CreateFont(row.Count, row.Section, row.Key, row.TextDefault, this);
        break;
    }
    // A value shown in a field is kept as the field would give it back.
    s->AsField = row.Control != nullptr;
    s->TextRule = row.TextRule;
    if (row.RadioGroup) s->RadioGroup = row.RadioGroup;
    if (row.Field) this->*row.Field = s;
    rows_.push_back({s, row});
  }
}

TZTiniSettingValue* TVQRShowSettings::Find(const std::string& section,
                                           const std::string& key) const {
  for (const auto& r : rows_)
    if (r.Row.Section == section && r.Row.Key == key) return r.Setting;
  return nullptr;
}

// ------------------------------------------------------------ transfer rules

int32_t TVQRShowSettings::PageUnits(int32_t mm) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(mm) * 10));
}

void TVQRShowSettings::TakeText(Setting s, int i, std::string& target) {
  const std::string text = s->GetString(i);
  if (!IsBlank(text)) target = Utf8Left(text, 32);
}

void TVQRShowSettings::TakeInteger(Setting s, int i, int32_t& target) {
  if (const int32_t v = s->GetInteger(i); v != 0) target = v;
}

void TVQRShowSettings::TakeLength(Setting s, int i, int32_t& target) {
  if (const int32_t v = s->GetInteger(i); v != 0) target = PageUnits(v);
}

void TVQRShowSettings::TakeFloat(Setting s, int i, float& target) {
  if (const double v = s->GetFloat(i); v != 0.0) target = static_cast<float>(v);
}

void TVQRShowSettings::TakeBool(Setting s, int i, bool& target) { target = s->GetBool(i); }

// --------------------------------------------------------------- transfers

void TVQRShowSettings::TakeAxisScaling(TAxisScaling& scaling) const {
  TakeInteger(Axis1MaxHour, 1, scaling.MaxHour);
  TakeFloat(Axis2UserFactor, 1, scaling.UserFactor);
}
