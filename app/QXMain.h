#pragma once
// The main window: menus, tool bar and status line around the settings
// pages, and the owner of every long-lived object of the program.

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "gui/chart/diagramhost.h"
#include "gui/common/filerequest.h"
#include "gui/common/ztprogress.h"
#include "gui/settings/SettingsEditors.h"

class QAction;
class QLabel;
class QPrinter;
class QProgressBar;
class QTabWidget;
class QMenu;
struct TPrintOptions;
class TFrm_XLExport;
class TFr_PrPreview;
class TF_Recording;
class THelpWindow;
class TQtControlProvider;
class TSettingsBinder;
class TVQRAsciiFile;
class TVQRPrintDecor;
class TVQRSession;
class TVQRShowSettings;
class TVqrDataObjectNew;
class TVQRDiagram;
class TZTIniClass;
class TZTiniSettingValue;

class TQXMainForm : public QMainWindow, public IDiagramHost, public ISettingsEditorsHost {
  Q_OBJECT
 public:
  /// Takes the located INI object (may be null: then nothing is loaded or saved).
  explicit TQXMainForm(std::unique_ptr<TZTIniClass> ini, QWidget* parent = nullptr);
  ~TQXMainForm() override;

  // Help context numbers of the settings pages, in page order.
  static int HelpContextOfPage(int pageIndex);

  // ------------------------------------------------------------ state
  /// Curves of the current diagram window (sizes the print progress).
  int CurveCount = 0;
  int BusyCount = 0;
  /// How long a full gauge stays visible after an operation (it does not
  /// hold up the event loop).
  int SettleMs = 200;

  // ------------------------------------------------------------ operations
  void ShowStatus(const QString& text) override;
  QString StatusText() const;
  void SetDataFileCaption(const QString& name);
  void BeginBusy();
  void EndBusy();
  void Beep() override;

  /// Reads a data file as File/Open does after its dialog.
  bool OpenDataFile(const QString& path);
  /// A file named on the command line or dropped: an evaluation (.vqa) is
  /// opened as such, anything else as a recording.
  bool OpenFileArgument(const QString& path);

  // ------------------------------------------------------------ evaluations
  /// "Auswertung speichern...": the recording, comparison, smoothing, zero
  /// point, window, zoom, markers and notes into a .vqa file.
  void FileSaveEvaluation();
  /// "Auswertung öffnen...".
  void FileOpenEvaluation();
  /// Opens the evaluation at path: checks it and its recordings first, and
  /// changes nothing when it is refused or the user cancels.
  bool OpenEvaluationFile(const QString& path);
  /// Writes the evaluation as it is now to path; false after a message.
  bool SaveEvaluationFile(const QString& path);
  /// The evaluation last opened or saved (proposed by the next save).
  QString EvaluationPath() const { return evaluationPath_; }
  TNotes* Notes() override;
  void NotesChanged() override;

  // ------------------------------------------------------------ commands
  void FileOpen();
  /// "Vergleichen mit...": further recordings beside the open one, drawn in
  /// the diagram windows, the print and pictures.
  void FileCompare();
  /// "Vergleich beenden": the open recording alone again.
  void FileCompareEnd();
  void FileSave() {}
  void FileSaveAs();
  /// Prints the diagram of the window mode last opened, with the main
  /// window's gauge; without a recording it only beeps.
  void FilePrint();
  /// The print routine: backgrounds and logo, print dialog, orientation,
  /// preview, then the one-page job.
  void PrintDiagram();
  /// "Bericht...": chooses the windows, then prints the report as one job
  /// onto the printer or into a PDF/A file of the print dialog.
  void FileReport();
  void FileExit() { close(); }
  void Mn_File_ExcelExportClick();
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
  /// kCombi2Mode (a combination) with pens and layout taken anew from the
  /// settings.
  void OpenDiagramWindow(int mode);
  /// Opens the current window mode again (new settings, new zoom).
  void RefreshDiagramWindow() override;
  void Mn_OverviewClick() { ShowOverviewAs(false); }
  void Mn_OverviewFilledClick() { ShowOverviewAs(true); }
  /// "Aufzeichnung...": the panel of the open recording (a beep without one).
  void ShowRecordingPanel();
  /// The overview's request: open channel/combination target, or, while a
  /// combination is shown, add or remove channel target there.
  void HandleOverviewMessage(int target);
  /// The channel window's print request.
  void PrintRequest();
  /// "Neues Diagrammfenster": one more diagram window in mode beside the
  /// first (a beep without a recording or when no more may be opened).
  void OpenFurtherDiagramWindow(int mode);
  int PrepareFurtherDiagram(TVQRDiagram& diagram, int mode) override;
  void PrintFurtherDiagram(TVQRDiagram& diagram, TProcessGauge* gauge) override;

  // ------------------------------------------------------------ for the windows and editors
  /// Both run HandleOverviewMessage / PrintRequest after the current event.
  void PostWindowRequest(int target) override;
  void PostPrintRequest() override;
  void ChannelWindowClosed() override { currentWindow_ = 0; }
  void AttachDiagramWindows(IDiagramWindows* windows) override { windows_ = windows; }
  /// The overview and channel window; null until they are attached.
  IDiagramWindows* DiagramWindows() const { return windows_; }
  QString ChooseFileFor(const TFileRequest& request) override { return RunFileDialog(request); }
  void ApplyDiagramPage() override { GenApplyClick(); }
  QString RecordingPath() const override { return recordingPath_; }

  // ------------------------------------------------------------ owned objects
  TZTIniClass* Ini() const { return ini_.get(); }
  TVQRShowSettings* Settings() const override { return settings_.get(); }
  std::string RecordingName() const override;
  /// Binds the settings pages to the settings; every command commits the
  /// settings it reads through it first.
  TSettingsBinder* Binder() const { return binder_.get(); }
  TProcessGauge* Gauge() const { return gauge_.get(); }
  /// The recording and everything that reads it; null before the first File/Open.
  TVQRSession* Session() const { return session_.get(); }
  /// The session's processing object and diagram, or null.
  TVqrDataObjectNew* DataObject() const;
  TVQRDiagram* Diagram() const override;
  TVQRAsciiFile* AsciiFile() const { return asciiFile_.get(); }
  /// The settings pages; each is built when first shown.
  QTabWidget* Pages() const { return pages_; }
  /// Builds every settings page not built yet.
  void BuildAllSettingsPages();
  TZTStatusBar* StatusPanels() const { return statusBar_; }
  THelpWindow* HelpWindow();
  /// The spreadsheet export dialog, made at its first use and kept.
  TFrm_XLExport* XLExportDialog();
  /// The print preview, created with the window and reused.
  TFr_PrPreview* Fr_PrPreview() const { return preview_; }

  /// Writes the window position to section General; false when that failed.
  /// Nothing is written once the user chose to close without saving.
  bool SaveMainWindowPosition();

  // ------------------------------------------------------------ hooks
  /// Chooses a file to open or save; a real dialog unless replaced (tests).
  std::function<QString(const TFileRequest&)> ChooseFile;
  /// Chooses the recordings to compare; a real dialog unless replaced (tests).
  std::function<QStringList(const TFileRequest&)> ChooseFiles;
  /// Lets the user choose and set up the printer; false when cancelled. The
  /// print dialog unless replaced (tests print into a PDF file).
  std::function<bool(QPrinter&)> ChoosePrinter;
  /// What to do about a recording of an evaluation that moved or changed:
  /// 0 cancel, 1 locate it (a file dialog), 2 use it as it is (changed
  /// only). A message box unless replaced (tests).
  std::function<int(const QString& text, bool changed)> AskAboutRecording;
  /// Shows why an evaluation cannot be opened or saved; a box unless replaced.
  std::function<void(const QString& text)> ShowEvaluationError;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 public slots:
  /// Command line handed over by a later start of the program.
  void HandleForwardedArguments(const QStringList& args);

 signals:
  /// Each default beep: a command refused (no recording, busy, nothing to apply to).
  void Beeped();

 private:
  void BuildUi();
  void BuildMenus();
  void BuildFurtherWindowMenu(QMenu* windowMenu);
  void BuildToolBar();
  void CreateSettings();
  /// A settings page was built: its controls join the binding and editors.
  void SettingsPageBuilt(QWidget& page);
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
  void PrintWithGauge(TProcessGauge* gauge);
  bool RunPrintDialog(QPrinter& printer);
  /// Proposes the recording's name with ".pdf" beside it as the PDF file,
  /// unless the user has chosen a file of their own for this recording.
  void ProposePdfFile(QPrinter& printer);
  void ShowPrintFailure(const QString& text);
  /// status in the status line, text in a box captioned "Fehler" (or to
  /// ShowEvaluationError); false.
  bool EvaluationFailure(const char* status, const QString& text);
  /// Background and logo read for a print; false when the user gives up
  /// after a failure.
  bool LoadPrintDecoration();
  /// The print dialog over the kept printer, the orientation the options
  /// demand set; null when the user cancels.
  QPrinter* PrinterForPrint(const TPrintOptions& options);
  /// A box captioned "Fehler": file could not be written, where and why (errno code).
  void ShowWriteFailure(const QString& file, int code);

  std::unique_ptr<TZTIniClass> ini_;
  std::unique_ptr<TQtControlProvider> controls_;
  std::unique_ptr<TVQRShowSettings> settings_;
  std::unique_ptr<TSettingsBinder> binder_;  // binds controls_ to settings_
  std::unique_ptr<TProcessGauge> gauge_;
  std::unique_ptr<TVQRAsciiFile> asciiFile_;
  std::unique_ptr<TVQRSession> session_;       // reads settings_: declared after it
  std::unique_ptr<TSettingsEditors> editors_;  // uses settings_, binder_ and controls_
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<TVQRPrintDecor> decor_;

  QTabWidget* pages_ = nullptr;
  TZTStatusBar* statusBar_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QAction* zeroAction_ = nullptr;
  THelpWindow* helpWindow_ = nullptr;
  TFrm_XLExport* xlExport_ = nullptr;
  TFr_PrPreview* preview_ = nullptr;
  IDiagramWindows* windows_ = nullptr;
  TF_Recording* recording_ = nullptr;
  bool dataLoaded_ = false;  // a File/Open read a file (even one that did not decode)
  QString recordingPath_;    // the file that File/Open read last
  int currentWindow_ = 0;    // window mode of the channel window, 0 when it is closed
  QString openDialogFile_;
  QString proposedFor_;  // the recording whose PDF file the print dialog proposed
  bool settingsDiscarded_ = false;
  QString evaluationPath_;
};
