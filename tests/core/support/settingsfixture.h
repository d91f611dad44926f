#pragma once
// Shared by the settings tests: locate inputs and in-memory page controls.

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core_fixtures.h"
#include "settings/control.h"
#include "settings/iniclass.h"

namespace vqrtest {

/// Locate inputs for a program installed in programDir with the given
/// command line and environment.
inline TLocateInputs Inputs(const std::string& programDir, std::vector<std::string> args = {},
                            std::map<std::string, std::string> env = {}) {
  TLocateInputs in;
  in.Args = std::move(args);
  in.ProgramPath = programDir + "vqrshow4";
  in.GetEnv = [env](const std::string& name) -> std::optional<std::string> {
    const auto it = env.find(name);
    if (it == env.end()) return std::nullopt;
    return it->second;
  };
  return in;
}

/// An edit field, check box or radio button held in memory.
class FakeControl : public IZTControl {
 public:
  explicit FakeControl(Kind kind = Kind::Edit) : kind_(kind) {}
  Kind GetKind() const override { return kind_; }
  std::string GetText() const override { return text; }
  void SetText(const std::string& t) override { text = t; }
  bool GetChecked() const override { return checked; }
  void SetChecked(bool c) override { checked = c; }
  int32_t GetColor() const override { return color; }
  void SetColor(int32_t c) override { color = c; }
  int32_t GetPenCode() const override { return penCode; }
  void SetPenCode(int32_t c) override { penCode = c; }
  std::string GetFontFace() const override { return face; }
  int GetFontStyle() const override { return fontStyle; }
  void SetFont(const std::string& f, int s) override { face = f, fontStyle = s; }

  std::string text, face;
  bool checked = false;
  int32_t color = 0, penCode = 0;
  int fontStyle = 0;

 private:
  Kind kind_;
};

/// Makes a control for every name asked for: names starting with "CB_" are
/// check boxes, "RB_" radio buttons, the rest edit fields.
class FakeControls : public IZTControlProvider {
 public:
  IZTControl* FindControl(const std::string& name) override {
    auto& c = controls_[name];
    if (!c)
      c = std::make_unique<FakeControl>(name.starts_with("CB_")   ? IZTControl::Kind::CheckBox
                                        : name.starts_with("RB_") ? IZTControl::Kind::RadioButton
                                                                  : IZTControl::Kind::Edit);
    return c.get();
  }
  FakeControl& operator[](const std::string& name) {
    return *static_cast<FakeControl*>(FindControl(name));
  }
  /// Fills controls from "name=text;name=text"; "ON" also ticks a box.
  void Fill(const std::string& list) {
    for (size_t p = 0, end; p < list.size(); p = end + 1) {
      end = std::min(list.find(';', p), list.size());
      const size_t eq = list.find('=', p);
      FakeControl& c = (*this)[list.substr(p, eq - p)];
      c.text = list.substr(eq + 1, end - eq - 1);
      c.checked = c.text == "ON";
    }
  }

 private:
  std::map<std::string, std::unique_ptr<FakeControl>> controls_;
};

}  // namespace vqrtest
