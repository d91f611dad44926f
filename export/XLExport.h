#pragma once
// The spreadsheet export dialog without its window: attaching to or starting
// the spreadsheet application, the list of open workbooks and sheets, the
// choice of the target sheet and the run of the export. The window shows
// what this class tells its view and hands the user's actions back.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/translate.h"
#include "export/XLLayout.h"
#include "export/xlauto.h"

class TVQRShowSettings;

/// What the dialog's window offers the export logic.
class IXLExportView {
 public:
  enum class TEdit { NewWorkbook, Template, NewSheet };

  virtual ~IXLExportView() = default;
  virtual void Beep() = 0;
  /// A message box captioned "Fehler".
  virtual void ShowError(const std::string& text) = 0;
  virtual void SetLines(const std::vector<std::string>& lines, int selected) = 0;
  /// The selected line, -1 for none.
  virtual int SelectedLine() const = 0;
  virtual void SetComment(const std::string& text) = 0;
  virtual std::string EditText(TEdit edit) const = 0;
  virtual void SetEditText(TEdit edit, const std::string& text) = 0;
  /// Lets the user's clicks through while an export runs.
  virtual void ProcessEvents() = 0;
  virtual void CloseDialog() = 0;
};

/// Writes the recording into sheet by layout; goOn is asked after each row
/// and stops the export when it says false. Returns the rows written.
using TXLSheetWriter = std::function<int(IXLWorksheet& sheet, const TXLLayout& layout,
                                         const std::function<bool()>& goOn)>;

class TXLExportCore {
 public:
  static constexpr const char* kBookPrefix = " Mappe:     ";
  static constexpr const char* kSheetPrefix = "---Tabelle: ";
  static constexpr const char* kNotRunning = VQR_TR_NOOP("TXLExportCore", "Excel war nicht aktiv.");
  static constexpr const char* kNotAvailable =
      VQR_TR_NOOP("TXLExportCore", "Excel nicht verfügbar!");
  static constexpr const char* kStandardBook = "(Standard)";

  /// usesTemplate: whether the provider's applications start a new workbook
  /// from the "Vorlage" file.
  TXLExportCore(IXLExportView& view, TVQRShowSettings& settings,
                std::unique_ptr<IXLProvider> provider, bool usesTemplate);
  ~TXLExportCore();

  /// The show handler: attach or start the application and fill the list.
  void FormShow();
  /// "Ok": the choice, the target sheet and the export through write.
  void OkClick(const TXLSheetWriter& write);
  /// "Abbrechen" (also closing the window): stops a running export after
  /// its current row; otherwise quits an application the dialog started.
  void CancelClick();

  IXLApplication* XLApp() const { return app_.get(); }

  // State of the dialog; it survives between shows.
  IXLWorkbook* XLBook = nullptr;
  IXLWorksheet* XLSheet = nullptr;
  bool XLWasRunning = false;
  bool XLAvailable = false;
  bool WantNewBook = false;
  bool WantNewSheet = false;
  bool WriteHeader = false;
  std::string CfgWorkBook, CfgTemplate, CfgTabSheet;
  std::string WorkBookName, TabSheetName;
  bool Reformat = false;
  std::string TimeFormat, ChannelFormat, TempFormat;
  bool Busy = false;
  bool GoOn = false;

 private:
  void FillList();
  void ReadChoice();
  void MakeNewWorkBook();
  void MakeNewTabSheet();
  void UseTabSheet();
  void RunExport(const TXLSheetWriter& write);
  void QuitStartedApp();

  IXLExportView& view_;
  TVQRShowSettings& settings_;
  std::unique_ptr<IXLProvider> provider_;
  bool usesTemplate_;
  std::unique_ptr<IXLApplication> app_;
  std::vector<std::string> lines_;
  std::string sheetBook_;  // workbook of the selected sheet line
};
