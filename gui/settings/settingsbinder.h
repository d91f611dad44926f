#pragma once
// Binds the controls of the settings pages to the settings store, as the
// settings rows say: fills the pages from the store, and commits what the
// user typed or chose into the store by the pages' rules. The store is read
// by the commands; each command commits the settings its rows name just
// before it runs, so that an edit counts without "Anwenden", and everything
// is committed before the file is written. Pages may be built late: a
// control is looked up by name until its page exists.

#include <string>
#include <vector>

#include "settings/settingrows.h"

class IZTControl;
class IZTControlProvider;
class TVQRShowSettings;
class TZTiniSettingValue;

/// The command that draws a diagram window of the given mode.
TSettingsCommand DiagramWindowCommand(int mode);

class TSettingsBinder {
 public:
  using Setting = TZTiniSettingValue*;

  /// Finds the control of every bound value through controls (may be null:
  /// nothing is bound). settings and controls must outlive the binder.
  TSettingsBinder(TVQRShowSettings& settings, IZTControlProvider* controls);

  /// The control bound to value i of s, or null (also while its page is not built).
  IZTControl* ControlOf(const TZTiniSettingValue* s, int i) const;

  /// Looks up the controls not found yet (a page was built) and, with fill,
  /// shows the store in them.
  void Attach(bool fill = true);

  /// Store -> control, for every bound value or for value i of s.
  void Fill();
  void Fill(Setting s, int i);

  /// Control -> store by the page rules: texts are trimmed, numbers that are
  /// not numbers become 0 and the field shows the number taken, a check box
  /// or radio button its state, colour, pen and font fields what their editor
  /// chose. A value without a control stays as it is.
  void Commit(Setting s, int i);
  /// Every bound value, before the settings are written at close.
  void CommitAll();
  /// The settings the command reads, committed before it runs.
  void CommitFor(TSettingsCommand command);

 private:
  struct TBound {
    Setting setting;
    const TSettingRow* row;
    std::vector<std::string> names;     // per value; empty: no control
    std::vector<IZTControl*> controls;  // per value; null until found
  };
  const TBound* BoundOf(const TZTiniSettingValue* s) const;

  TVQRShowSettings& settings_;
  IZTControlProvider* provider_;
  std::vector<TBound> bound_;  // in file order, one per row
};
