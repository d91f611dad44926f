#pragma once
// The spreadsheet export dialog "Velqor Excel® Export": a small window over
// TXLExportCore, which holds the dialog's logic.

#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "export/XLExport.h"
#include "gui/common/filerequest.h"
#include "gui/common/ztprogress.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class TFrm_XLExport;
class TVQRSession;
class TVQRShowSettings;
class TZTStatusBar;

/// The spreadsheet application the dialog drives and whether it starts new
/// workbooks from the "Vorlage" file.
struct TXLBackend {
  std::unique_ptr<IXLProvider> Provider;
  bool UsesTemplate = false;
  /// Rows per transfer; "Abbrechen" takes effect after the current block.
  int BlockRows = 1;
};

/// The backend of this machine; workbooks it cannot show in a running
/// application are handed to the user by dialog.HandOverWorkbook.
TXLBackend MakeXLBackend(TFrm_XLExport& dialog);

class TFrm_XLExport : public QDialog, private IXLExportView {
  Q_OBJECT
 public:
  using TBackendFactory = std::function<TXLBackend(TFrm_XLExport&)>;
  explicit TFrm_XLExport(TVQRShowSettings& settings, QWidget* parent = nullptr,
                         const TBackendFactory& backend = MakeXLBackend);
  ~TFrm_XLExport() override;

  /// Shows the dialog modally for the recording of session, read from
  /// recordingPath (proposes the name of a saved workbook).
  int Execute(TVQRSession& session, const QString& recordingPath);

  /// Asks where to save the last workbook of app, writes it with save and
  /// opens it with the desktop's application (or says where it was saved
  /// when there is none); a cancelled question is asked again until the
  /// user gives the data up. Nothing happens without a workbook.
  void HandOverWorkbook(IXLApplication& app,
                        const std::function<void(int32_t book, const std::string& path)>& save);
  /// The file name a saved workbook gets: "neue Mappe" unless "(Standard)"
  /// or blank, else the recording's name; with ".xlsx".
  QString ProposedBookFile() const;

  TXLExportCore& Core() { return *core_; }
  TProcessGauge& Gauge() { return gauge_; }

  int BeepCount = 0;
  /// How long a full gauge stays visible before the dialog closes (the
  /// event loop runs meanwhile).
  int SettleMs = 200;

  // ------------------------------------------------------------ hooks (tests)
  /// Chooses a file; "" when cancelled.
  std::function<QString(const TFileRequest&)> ChooseFile;
  /// A message box captioned "Fehler".
  std::function<void(const QString&)> ShowMessage;
  /// True: give unsaved data up; false: ask for a file again.
  std::function<bool()> ConfirmDiscard;
  /// Opens a written file with the desktop's default application; false
  /// when the desktop has no application for it.
  std::function<bool(const QString&)> OpenFile;
  /// An information box (the file was saved but cannot be opened).
  std::function<void(const QString&)> ShowNotice;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 public slots:
  void reject() override;

 private:
  // IXLExportView
  void Beep() override;
  void ShowError(const std::string& text) override;
  void SetLines(const std::vector<std::string>& lines, int selected) override;
  int SelectedLine() const override;
  void SetComment(const std::string& text) override;
  std::string EditText(TEdit edit) const override;
  void SetEditText(TEdit edit, const std::string& text) override;
  void ProcessEvents() override;
  void CloseDialog() override;

  void BuildUi();
  QLineEdit* Edit(TEdit edit) const;
  void Bt_XLCalOkClick();
  void Bt_XLCalCancelClick();
  void ApplyPosition();
  void StorePosition();

  TVQRShowSettings& settings_;
  std::unique_ptr<TXLExportCore> core_;
  int blockRows_ = 1;
  TProcessGauge gauge_;
  QElapsedTimer settleClock_;
  QTimer closeTimer_;
  TVQRSession* session_ = nullptr;
  QString recordingPath_;

  QLabel* Label1 = nullptr;
  QProgressBar* PB_XLCal = nullptr;
  QListWidget* LB_XLSheets = nullptr;
  QPushButton* Bt_XLCalOk = nullptr;
  QPushButton* Bt_XLCalCancel = nullptr;
  QLabel* LB_XLComment = nullptr;
  QLineEdit* Ed_XLNewWB = nullptr;
  QLineEdit* Ed_XLTemplate = nullptr;
  QLineEdit* Ed_XLNewTS = nullptr;
  TZTStatusBar* SB_XLCal = nullptr;
};
