#include "gui/settings/settingsbinder.h"

#include <string>

#include "chart/charttypes.h"
#include "data/numtext.h"
#include "gui/settings/control.h"
#include "settings/inifile.h"
#include "settings/pencode.h"
#include "settings/settings.h"

namespace {

using Kind = IZTControl::Kind;

bool IsButton(const IZTControl& c) {
  return c.GetKind() == Kind::CheckBox || c.GetKind() == Kind::RadioButton;
}

}  // namespace

TSettingsCommand DiagramWindowCommand(int mode) {
  if (mode == kCombi1Mode) return TSettingsCommand::Combi1Window;
  if (mode == kCombi2Mode) return TSettingsCommand::Combi2Window;
  return TSettingsCommand::SingleWindow;
}

TSettingsBinder::TSettingsBinder(TVQRShowSettings& settings, IZTControlProvider* controls)
    : settings_(settings), provider_(controls) {
  for (const auto& r : settings.Rows()) {
    TBound b{r.Setting, &r.Row, ControlNames(r.Row, r.Setting->Count), {}};
    b.controls.assign(b.names.size(), nullptr);
    bound_.push_back(std::move(b));
  }
  Attach(false);
}

const TSettingsBinder::TBound* TSettingsBinder::BoundOf(const TZTiniSettingValue* s) const {
  // Rows are few; the settings keep file order, so a linear search finds most at once.
  for (const TBound& b : bound_)
    if (b.setting == s) return &b;
  return nullptr;
}

IZTControl* TSettingsBinder::ControlOf(const TZTiniSettingValue* s, int i) const {
  const TBound* b = BoundOf(s);
  if (!b || i < 1 || static_cast<size_t>(i) > b->controls.size() || !s->SlotOf(i)) return nullptr;
  return b->controls[static_cast<size_t>(i - 1)];
}

void TSettingsBinder::Attach(bool fill) {
  if (!provider_) return;
  for (TBound& b : bound_)
    for (size_t k = 0; k < b.names.size(); ++k) {
      if (b.controls[k] || b.names[k].empty()) continue;
      b.controls[k] = provider_->FindControl(b.names[k]);
      if (b.controls[k] && fill) Fill(b.setting, static_cast<int>(k + 1));
    }
}

// ------------------------------------------------------------------ filling

void TSettingsBinder::Fill() {
  for (const TBound& b : bound_)
    for (int i = 1; i <= b.setting->Count; ++i) Fill(b.setting, i);
}

void TSettingsBinder::Fill(Setting s, int i) {
  IZTControl* c = ControlOf(s, i);
  if (!c) return;
  switch (s->ValueType) {
    case TZTIniValueType::String:
      c->SetText(s->GetString(i));
      break;
    case TZTIniValueType::Boolean:
      if (IsButton(*c)) c->SetChecked(s->GetBool(i));
      break;
    case TZTIniValueType::Integer:
      c->SetText(IntText(s->GetInteger(i)));
      break;
    case TZTIniValueType::Float:
      c->SetText(s->FloatText(s->GetFloat(i)));
      break;
    case TZTIniValueType::Color:
      c->SetColor(s->GetColor(i));
      break;
    case TZTIniValueType::Pen:
      c->SetPenCode(s->GetPenCode(i));
      c->SetText(StylePicture(s->GetPenStyle(i)));
      break;
    case TZTIniValueType::Font:
      c->SetFont(s->GetFontName(i), s->GetFontStyle(i));
      c->SetText(s->GetFontName(i));
      break;
    case TZTIniValueType::WindowPosition:
      break;
  }
}

// --------------------------------------------------------------- committing

void TSettingsBinder::Commit(Setting s, int i) {
  IZTControl* c = ControlOf(s, i);
  if (!c) return;
  switch (s->ValueType) {
    case TZTIniValueType::String:
      s->SetString(i, s->FieldTextOf(c->GetText()));
      if (s->TextRule) c->SetText(s->GetString(i));
      break;
    case TZTIniValueType::Boolean:
      if (IsButton(*c)) s->SetBool(i, c->GetChecked());
      break;
    case TZTIniValueType::Integer: {
      const int32_t v = FieldInteger(c->GetText());
      s->SetInteger(i, v);
      c->SetText(IntText(v));
      break;
    }
    case TZTIniValueType::Float: {
      const double v = FieldFloat(c->GetText());
      s->SetFloat(i, v);
      c->SetText(s->FloatText(v));
      break;
    }
    case TZTIniValueType::Color:
      s->SetColor(i, c->GetColor());
      break;
    case TZTIniValueType::Pen:
      s->SetPenCode(i, c->GetPenCode());
      break;
    case TZTIniValueType::Font:
      s->SetFont(i, FieldText(c->GetText()), c->GetFontStyle());
      break;
    case TZTIniValueType::WindowPosition:
      break;
  }
}

void TSettingsBinder::CommitAll() {
  for (const TBound& b : bound_)
    for (int i = 1; i <= b.setting->Count; ++i) Commit(b.setting, i);
}

void TSettingsBinder::CommitFor(TSettingsCommand command) {
  for (const TBound& b : bound_) {
    if (!b.row->ReadBy(command)) continue;
    int last = b.setting->Count;
    // Only the stored state decides whether values 2.. are read.
    if (b.row->OnlyFirstWhen && (settings_.*(b.row->OnlyFirstWhen))->GetBool(1)) last = 1;
    for (int i = 1; i <= last; ++i) Commit(b.setting, i);
  }
}
