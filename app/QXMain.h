#pragma once
// The main window: menus, tool bar and status line around the settings
// pages, and the owner of every long-lived object of the program.

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "app/ztprogress.h"

class QAction;
class QLabel;
class QProgressBar;
class QTabWidget;
class QMenu;
class TQtColorDialog;
class TQtPenDialog;
class THelpWindow;
class TQtControlProvider;
class TVQRAsciiFile;
class TVQRSession;
class TVQRShowSettings;
class TVqrDataObjectNew;
class TVQRDiagram;
class TZTEditField;
class TZTIniClass;
class TZTiniSettingValue;

/// What a file dialog is asked for; the chooser returns the path or "".
struct TFileRequest {
  enum class Mode { Open, Save };
  Mode mode = Mode::Open;
  QString title;
  QString filter;     // Qt syntax: "Name (*.A *.a);;Alle Dateien (*)"
  QString directory;  // initial directory, may be empty
  QString fileName;   // initial file name, may be empty
  QString defaultSuffix;
};

class TQXMainForm : public QMainWindow {
  Q_OBJECT
 public:
  /// Takes the located INI object (may be null: then nothing is loaded or saved).
  explicit TQXMainForm(std::unique_ptr<TZTIniClass> ini, QWidget* parent = nullptr);
  ~TQXMainForm() override;

  // Help context numbers of the settings pages, in page order.
  static int HelpContextOfPage(int pageIndex);

  // ------------------------------------------------------------ state
  QString FileName;
  bool DataLoaded = false;
  int CurrentWindow = 0;
  /// Curves of the current diagram window (sizes the print progress).
  int CurveCount = 0;
  int BusyCount = 0;
  /// Counts default beeps, so that tests can see them.
  int BeepCount = 0;
  /// Pause that keeps a full gauge visible for a moment.
  int SettleMs = 200;

  // ------------------------------------------------------------ operations
  void ShowStatus(const QString& text);
  QString StatusText() const;
  void SetDataFileCaption(const QString& name);
  void BeginBusy();
  void EndBusy();
  void Beep();

  /// Reads a data file as File/Open does after its dialog.
  bool OpenDataFile(const QString& path);

  // ------------------------------------------------------------ commands
  void FileOpen();
  void FileSave() {}
  void FileSaveAs();
  void FilePrint();
  void FileExit() { close(); }
  void Mn_File_ExcelExportClick();
  /// Toggles the check mark of "Nullpunkt-Korrektur" and applies it.
  void Mn_Edit_ZeroClick();
  void Mn_Equal_2Click() { Equalize(2); }
  void Mn_Equal_8Click() { Equalize(8); }
  void Mn_Equal_UserClick() { Equalize(-1); }
  void HelpContents();
  void HelpSearch();
  void HelpHowToUse();
  void HelpAbout();
  void GenApplyClick();

  // ------------------------------------------------------------ diagram windows
  /// Shows the diagram window in mode 1..16 (a channel) or kCombi1Mode,
  /// kCombi2Mode (a
  /// combination) with pens and layout taken anew from the settings.
  void OpenDiagramWindow(int mode);
  /// Opens the current window mode again (new settings, new zoom).
  void RefreshDiagramWindow();
  void Mn_OverviewClick() { ShowOverviewAs(false); }
  void Mn_OverviewFilledClick() { ShowOverviewAs(true); }
  /// The overview's request: open channel/combination target, or, while a
  /// combination is shown, add or remove channel target there.
  void HandleOverviewMessage(int target);
  /// The channel window's print request.
  void PrintRequest();

  // ------------------------------------------------------------ owned objects
  TZTIniClass* Ini() const { return ini_.get(); }
  TVQRShowSettings* Settings() const { return settings_.get(); }
  TProcessGauge* Gauge() const { return gauge_.get(); }
  /// The recording and everything that reads it; null before the first File/Open.
  TVQRSession* Session() const { return session_.get(); }
  /// The session's processing object and diagram, or null.
  TVqrDataObjectNew* DataObject() const;
  TVQRDiagram* Diagram() const;
  TVQRAsciiFile* AsciiFile() const { return asciiFile_.get(); }
  QTabWidget* Pages() const { return pages_; }
  TZTStatusBar* StatusPanels() const { return statusBar_; }
  THelpWindow* HelpWindow();

  /// Writes the window position to section General; false when that failed.
  /// Nothing is written once the user chose to close without saving.
  bool SaveMainWindowPosition();

  // ------------------------------------------------------------ hooks
  /// Chooses a file to open or save; a real dialog unless replaced (tests).
  std::function<QString(const TFileRequest&)> ChooseFile;

  /// The diagram windows plug in here; all may stay empty.
  struct WindowHooks {
    std::function<bool()> ChannelWindowVisible;
    std::function<void()> CloseChannelWindow;
    /// Redraws the channel window, shows it and brings it to the front.
    std::function<void()> RefreshChannelWindow;
    /// The channel window's own progress gauge (for its print requests).
    std::function<TProcessGauge*()> ChannelWindowGauge;
    std::function<bool()> OverviewVisible;
    std::function<void()> CloseOverview;
    /// Recomputes the overview's thumbnails and repaints them.
    std::function<void()> RefreshOverview;
    /// Repaints the overview, shows it and brings it to the front.
    std::function<void()> ShowOverview;
    std::function<void()> Print;
    /// Printing for the channel window's print request.
    std::function<void()> PrintRequest;
    std::function<void()> ExcelExport;
  } Hooks;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 public slots:
  /// Command line handed over by a later start of the program.
  void HandleForwardedArguments(const QStringList& args);

 private:
  void BuildUi();
  void BuildMenus();
  void BuildToolBar();
  void ConnectEditors();
  void CreateSettings();
  void ApplyStartPosition();
  /// Saves the settings at close; when that fails, asks until they are
  /// written or the user gives them up.
  void SaveSettingsAtClose();
  void Equalize(int distance);
  void ZeroToggled(bool checked);
  QString ChooseDataFile();
  bool ReadChosenFile(const QString& path);
  void ShowFilePage();
  void ShowOverviewAs(bool filled);
  void ToggleCombiChannel(TZTiniSettingValue* visible, int channel);
  QString RunFileDialog(const TFileRequest& request);
  void EnsureSession();

  // Editors of the settings pages.
  void GenColorEditClick(TZTEditField* field);
  void GenPenEditClick(TZTEditField* field);
  void GenFontEditClick(TZTEditField* color, TZTEditField* font, TZTEditField* size);
  void Ed_GridStyleClick(TZTEditField* field);
  void SelectFolder(const QString& field, TZTiniSettingValue* setting);
  void SelectFile(const QString& field, TZTiniSettingValue* setting, const QString& filter,
                  const QString& title);

  std::unique_ptr<TZTIniClass> ini_;
  std::unique_ptr<TQtControlProvider> controls_;
  std::unique_ptr<TVQRShowSettings> settings_;
  std::unique_ptr<TProcessGauge> gauge_;
  std::unique_ptr<TVQRAsciiFile> asciiFile_;
  std::unique_ptr<TVQRSession> session_;  // reads settings_: declared after it
  std::unique_ptr<TQtColorDialog> colorDialog_;
  std::unique_ptr<TQtPenDialog> penDialog_;

  QTabWidget* pages_ = nullptr;
  TZTStatusBar* statusBar_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QAction* zeroAction_ = nullptr;
  THelpWindow* helpWindow_ = nullptr;
  QMenu* gridMenu_ = nullptr;
  QString openDialogFile_;
  bool settingsDiscarded_ = false;
};
