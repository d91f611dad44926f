#pragma once
// Shared by the settings tests: a scratch directory tree, file helpers and
// in-memory page controls.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "settings/control.h"
#include "settings/iniclass.h"

namespace vqrtest {

/// A fresh directory, removed with everything in it at the end.
class ScratchDir {
 public:
  ScratchDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "vqrsettings.XXXXXX").string();
    path_ = mkdtemp(tmpl.data());
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  std::string Sub(const std::string& name) const {
    const std::string p = path_ + "/" + name;
    std::filesystem::create_directories(p);
    return p + "/";
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline bool Exists(const std::string& path) { return std::filesystem::exists(path); }

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
  void SetFont(const std::string& f, int s) override {
    face = f;
    fontStyle = s;
  }

  std::string text;
  bool checked = false;
  int32_t color = 0;
  int32_t penCode = 0;
  std::string face;
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
    if (!c) {
      IZTControl::Kind kind = IZTControl::Kind::Edit;
      if (name.rfind("CB_", 0) == 0) kind = IZTControl::Kind::CheckBox;
      if (name.rfind("RB_", 0) == 0) kind = IZTControl::Kind::RadioButton;
      c = std::make_unique<FakeControl>(kind);
    }
    return c.get();
  }
  FakeControl& operator[](const std::string& name) {
    return *static_cast<FakeControl*>(FindControl(name));
  }
  size_t Size() const { return controls_.size(); }

 private:
  std::map<std::string, std::unique_ptr<FakeControl>> controls_;
};

}  // namespace vqrtest
