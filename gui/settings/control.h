#pragma once
// How the settings binder and editors reach the controls of the settings
// pages and the dialogs they run. The Qt layer wraps real widgets; tests use
// plain in-memory controls.

#include <cstdint>
#include <string>

class IZTControl {
 public:
  enum class Kind { Edit, CheckBox, RadioButton, Other };
  virtual ~IZTControl() = default;

  virtual Kind GetKind() const = 0;

  /// Text of an edit field (UTF-8).
  virtual std::string GetText() const = 0;
  virtual void SetText(const std::string& text) = 0;

  /// Checked state of a check box or radio button.
  virtual bool GetChecked() const = 0;
  virtual void SetChecked(bool checked) = 0;

  /// Background colour of a colour field, 0x00BBGGRR.
  virtual int32_t GetColor() const = 0;
  virtual void SetColor(int32_t color) = 0;

  /// Pen code (width x 1000 + style) carried by a pen field.
  virtual int32_t GetPenCode() const = 0;
  virtual void SetPenCode(int32_t code) = 0;

  /// Face and style (bit 0 bold, bit 1 italic) of a font field.
  virtual std::string GetFontFace() const = 0;
  virtual int GetFontStyle() const = 0;
  virtual void SetFont(const std::string& face, int style) = 0;
};

/// Finds the control with a given object name (e.g. "Ed_XAxisColor"), or null.
class IZTControlProvider {
 public:
  virtual ~IZTControlProvider() = default;
  virtual IZTControl* FindControl(const std::string& name) = 0;
};

/// Colour selection; color is the preset on entry and the choice on OK.
class IZTColorDialog {
 public:
  virtual ~IZTColorDialog() = default;
  virtual bool Execute(int32_t& color) = 0;
};

/// Pen selection; width (tenths of a millimetre) and style are the preset
/// on entry and the choice on OK.
class IZTPenDialog {
 public:
  virtual ~IZTPenDialog() = default;
  virtual bool Execute(int32_t& width, int32_t& style) = 0;
};
