#pragma once
// Binds the controls of the settings pages to the settings store: fills the
// pages from the store, and commits what the user typed or chose into the
// store by the pages' rules. The store is read by the commands; each command
// commits the settings it reads just before it runs, so that an edit counts
// without "Anwenden", and everything is committed before the file is written.

#include <map>
#include <vector>

class IZTControl;
class IZTControlProvider;
class TVQRShowSettings;
class TZTiniSettingValue;

class TSettingsBinder {
 public:
  using Setting = TZTiniSettingValue*;

  /// Finds the control of every bound value through controls (may be null:
  /// nothing is bound). settings and controls must outlive the binder.
  TSettingsBinder(TVQRShowSettings& settings, IZTControlProvider* controls);

  /// The control bound to value i of s, or null.
  IZTControl* ControlOf(const TZTiniSettingValue* s, int i) const;

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

  /// The settings a command reads, committed before it runs.
  void CommitFileChoice();          // File/Open's dialog: folder or last file
  void CommitRecordingLoad();       // reading a recording: axis scaling, diagram layout
  void CommitWindowMode(int mode);  // a diagram window: its pens, scaling, layout
  void CommitPrint();               // the printed page: layout, printer, backgrounds and logo
  void CommitLogoAndBackground();
  void CommitAsciiExport();
  void CommitEqualizer();
  void CommitExcel();

 private:
  void Bind(Setting s, std::vector<IZTControl*> controls);
  void CommitEach(Setting s);  // every value of s
  void CommitDiagramLayout();

  TVQRShowSettings& settings_;
  std::map<const TZTiniSettingValue*, std::vector<IZTControl*>> controls_;
};
