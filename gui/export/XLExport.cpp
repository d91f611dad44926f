#include "gui/export/XLExport.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <string_view>

#include "gui/common/outputfolder.h"
#include "gui/common/qtext.h"
#include "gui/common/statusbar.h"
#include "gui/common/windowplace.h"
#include "gui/common/writefailure.h"
#include "session/Session.h"
#include "settings/settings.h"

namespace {

constexpr int kClientWidth = 354;
constexpr int kClientHeight = 245;

// xdg-open hands a file on and ends before anything opened it, and with no
// application for the type it tries a web browser: ask the desktop's
// association (xdg-mime) first whether an application takes the file. Qt's
// own opener serves where there is no xdg-open.
bool OpenWithDesktop(const QString& path) {
  const QString query = QStandardPaths::findExecutable("xdg-mime");
  if (!query.isEmpty()) {
    QProcess p;
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(query, {"query", "default", QMimeDatabase().mimeTypeForFile(path).name()});
    if (!p.waitForFinished(5000)) {
      p.kill();
      p.waitForFinished(1000);
    } else if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
               p.readAllStandardOutput().trimmed().isEmpty()) {
      return false;
    }
  }
  if (const QString opener = QStandardPaths::findExecutable("xdg-open"); !opener.isEmpty())
    return QProcess::startDetached(opener, {path});
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

// A line of the list: the book and sheet prefixes in the user's language.
QString LineText(const std::string& line) {
  static constexpr const char* prefixes[] = {
      QT_TRANSLATE_NOOP("TXLExportCore", " Mappe:     "),
      QT_TRANSLATE_NOOP("TXLExportCore", "---Tabelle: "),
  };
  static_assert(std::string_view(prefixes[0]) == TXLExportCore::kBookPrefix);
  static_assert(std::string_view(prefixes[1]) == TXLExportCore::kSheetPrefix);
  for (const char* prefix : prefixes)
    if (line.starts_with(prefix))
      return QCoreApplication::translate("TXLExportCore", prefix) +
             Q(line.substr(std::string_view(prefix).size()));
  return Q(line);
}

}  // namespace

TFrm_XLExport::TFrm_XLExport(TVQRShowSettings& settings, QWidget* parent,
                             const TBackendFactory& backend)
    : QDialog(parent), settings_(settings) {
  setObjectName("Frm_XLExport");
  setWindowTitle(tr("Velqor Excel® Export"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowStaysOnTopHint);
  setModal(true);
  BuildUi();

  ChooseFile = [this](const TFileRequest& r) { return RunFileDialog(this, r); };
  ShowMessage = [this](const QString& text) { QMessageBox::critical(this, tr("Fehler"), text); };
  ConfirmDiscard = [this]() {
    QMessageBox box(QMessageBox::Warning, tr("Velqor Excel® Export"),
                    tr("Die exportierten Daten sind nicht gespeichert."), QMessageBox::NoButton,
                    this);
    QPushButton* discard = box.addButton(tr("Verwerfen"), QMessageBox::DestructiveRole);
    box.addButton(tr("Speichern..."), QMessageBox::AcceptRole);
    box.exec();
    return box.clickedButton() == discard;
  };
  ShowNotice = [this](const QString& text) {
    QMessageBox::information(this, tr("Velqor Excel® Export"), text);
  };
  OpenFile = OpenWithDesktop;

  TXLBackend b = backend(*this);
  blockRows_ = b.BlockRows;
  core_ = std::make_unique<TXLExportCore>(static_cast<IXLExportView&>(*this), settings_,
                                          std::move(b.Provider), b.UsesTemplate);
}

TFrm_XLExport::~TFrm_XLExport() = default;

void TFrm_XLExport::BuildUi() {
  setFixedSize(kClientWidth, kClientHeight);
  auto label = [this](const char* name, const QString& text, QRect r) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->setGeometry(r);
    return l;
  };
  auto edit = [this](const char* name, QRect r) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setGeometry(r);
    return e;
  };
  auto button = [this](const char* name, const QString& text, QRect r) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setGeometry(r);
    b->setAutoDefault(false);
    return b;
  };
  Label1 = label("Label1", tr("In Excel bereits geöffnet:"), {25, 20, 141, 13});
  PB_XLCal = new QProgressBar(this);
  PB_XLCal->setObjectName("PB_XLCal");
  PB_XLCal->setGeometry(185, 15, 150, 16);
  PB_XLCal->hide();
  LB_XLSheets = new QListWidget(this);
  LB_XLSheets->setObjectName("LB_XLSheets");
  LB_XLSheets->setGeometry(20, 40, 221, 77);
  LB_XLSheets->setSelectionMode(QAbstractItemView::SingleSelection);
  Bt_XLCalOk = button("Bt_XLCalOk", tr("Ok"), {265, 45, 75, 25});
  Bt_XLCalCancel = button("Bt_XLCalCancel", tr("Abbrechen"), {265, 85, 75, 25});
  // Return in the list or a field starts the export as "Ok" does.
  Bt_XLCalOk->setDefault(true);
  LB_XLComment = label("LB_XLComment",
                       QCoreApplication::translate("TXLExportCore", TXLExportCore::kNotRunning),
                       {25, 125, 316, 13});
  label("Label55", tr("neue Mappe"), {20, 150, 76, 13});
  Ed_XLNewWB = edit("Ed_XLNewWB", {113, 147, 128, 21});
  label("Label2", tr("Vorlage"), {20, 175, 76, 13});
  Ed_XLTemplate = edit("Ed_XLTemplate", {113, 172, 128, 21});
  label("Label3", tr("neue Tabelle"), {20, 200, 76, 13});
  Ed_XLNewTS = edit("Ed_XLNewTS", {113, 197, 128, 21});
  // The designed label sizes fit a smaller font than today's desktops use;
  // the labels keep their place and grow to their text, inside the window.
  for (QLabel* l : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
    l->resize(std::min(std::max(l->width(), l->sizeHint().width()), kClientWidth - 4 - l->x()),
              std::max(l->height(), l->sizeHint().height()));

  SB_XLCal = new TZTStatusBar({100, 0}, this);
  SB_XLCal->setObjectName("SB_XLCal");
  SB_XLCal->setSizeGripEnabled(false);
  SB_XLCal->setGeometry(0, kClientHeight - 22, kClientWidth, 22);
  SB_XLCal->Panel(0)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  SB_XLCal->SetPanelText(0, tr("Export "));
  SB_XLCal->SetPanelText(1, tr(" Starten mit Ok"));

  // The gauge lives in panel 1, hidden until an export starts.
  gauge_.Init(PB_XLCal, nullptr);
  gauge_.Attach(SB_XLCal, 1, -1);

  closeTimer_.setSingleShot(true);
  closeTimer_.setTimerType(Qt::PreciseTimer);
  connect(&closeTimer_, &QTimer::timeout, this, [this]() { done(QDialog::Accepted); });
  connect(Bt_XLCalOk, &QPushButton::clicked, this, [this]() { Bt_XLCalOkClick(); });
  connect(Bt_XLCalCancel, &QPushButton::clicked, this, [this]() { Bt_XLCalCancelClick(); });
}

int TFrm_XLExport::Execute(TVQRSession& session, const QString& recordingPath) {
  session_ = &session;
  recordingPath_ = recordingPath;
  ApplyPosition();
  return exec();
}

void TFrm_XLExport::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!core_->Busy) SB_XLCal->SetPanelText(1, tr(" Starten mit Ok"));
  core_->FormShow();
  raise();
  activateWindow();
}

void TFrm_XLExport::Bt_XLCalOkClick() {
  if (!session_ || closeTimer_.isActive()) {
    Beep();
    return;
  }
  TVQRSession& session = *session_;
  core_->OkClick([this, &session](IXLWorksheet& sheet, const TXLLayout& layout,
                                  const std::function<bool()>& goOn) {
    // The dialog's own gauge counts the rows; the main window's comes back
    // whatever happens.
    struct GaugeSwap {
      TVQRSession& s;
      IProcessGauge* old;
      ~GaugeSwap() { s.SetGauge(old); }
    } swap{session, session.Gauge()};
    session.SetGauge(&gauge_);
    int rows = 0;
    try {
      rows = session.ExportSheet(sheet, layout, goOn, blockRows_);
    } catch (...) {
      gauge_.Finish();  // the dialog stays open for another try
      throw;
    }
    // The full gauge stays a moment; the dialog closes when it goes.
    gauge_.Complete();
    gauge_.FinishAfter(SettleMs);
    settleClock_.start();
    return rows;
  });
}

void TFrm_XLExport::Bt_XLCalCancelClick() {
  // The export is done and the dialog about to close: close it now.
  if (closeTimer_.isActive()) {
    done(QDialog::Accepted);
    return;
  }
  core_->CancelClick();
}

// Escape and the window's close button act as "Abbrechen".
void TFrm_XLExport::reject() { Bt_XLCalCancelClick(); }

void TFrm_XLExport::done(int result) {
  closeTimer_.stop();
  StorePosition();
  gauge_.Finish();
  QDialog::done(result);
}

void TFrm_XLExport::ApplyPosition() {
  // Stored relative to the main window.
  QWidget* owner = parentWidget();
  const TRect parent = owner ? TRect{owner->x(), owner->y(), owner->x() + owner->width(),
                                     owner->y() + owner->height()}
                             : TRect{};
  TRect params{x(), y(), x() + width(), y() + height()};
  const TRect before = params;
  settings_.ExcelCalPosition->ApplyPosition(false, params, owner ? &parent : nullptr, 0, 0,
                                            WorkAreaOf(owner ? owner : this));
  if (params.left != before.left || params.top != before.top) move(params.left, params.top);
}

void TFrm_XLExport::StorePosition() {
  if (!isVisible()) return;
  QWidget* owner = parentWidget();
  const TRect window{x(), y(), x() + width(), y() + height()};
  const TRect parent = owner ? TRect{owner->x(), owner->y(), 0, 0} : TRect{};
  settings_.ExcelCalPosition->StorePosition(&window, owner ? &parent : nullptr);
}

// ------------------------------------------------------------ the view

void TFrm_XLExport::Beep() {
  ++BeepCount;
  QApplication::beep();
}

void TFrm_XLExport::ShowError(const std::string& text) { ShowMessage(Q(text)); }

void TFrm_XLExport::SetLines(const std::vector<std::string>& lines, int selected) {
  LB_XLSheets->clear();
  for (const std::string& l : lines) LB_XLSheets->addItem(LineText(l));
  if (selected >= 0 && selected < LB_XLSheets->count()) {
    LB_XLSheets->setCurrentRow(selected);
    LB_XLSheets->scrollToItem(LB_XLSheets->item(selected));
  }
}

int TFrm_XLExport::SelectedLine() const {
  const QList<QListWidgetItem*> items = LB_XLSheets->selectedItems();
  return items.isEmpty() ? -1 : LB_XLSheets->row(items.constFirst());
}

void TFrm_XLExport::SetComment(const std::string& text) {
  LB_XLComment->setText(Q(text));
  LB_XLComment->resize(
      std::max(LB_XLComment->width(),
               std::min(LB_XLComment->sizeHint().width(), kClientWidth - 4 - LB_XLComment->x())),
      LB_XLComment->height());
}

QLineEdit* TFrm_XLExport::Edit(TEdit edit) const {
  switch (edit) {
    case TEdit::NewWorkbook:
      return Ed_XLNewWB;
    case TEdit::Template:
      return Ed_XLTemplate;
    case TEdit::NewSheet:
      break;
  }
  return Ed_XLNewTS;
}

std::string TFrm_XLExport::EditText(TEdit edit) const { return Edit(edit)->text().toStdString(); }

void TFrm_XLExport::SetEditText(TEdit edit, const std::string& text) {
  Edit(edit)->setText(Q(text));
}

void TFrm_XLExport::ProcessEvents() { QApplication::processEvents(); }

void TFrm_XLExport::CloseDialog() {
  // A gauge still showing the finished export closes with the dialog; the
  // events go on meanwhile ("Ok" is refused, "Abbrechen" closes at once).
  if (gauge_.IsSettling()) {
    closeTimer_.start(std::max(0, SettleMs - static_cast<int>(settleClock_.elapsed())));
    return;
  }
  done(QDialog::Accepted);
}

// ------------------------------------------------------------ handing a workbook over

QString TFrm_XLExport::ProposedBookFile() const {
  QString name = Ed_XLNewWB->text().trimmed();
  if (name.isEmpty() || name == TXLExportCore::kStandardBook)
    name = QFileInfo(recordingPath_).completeBaseName();
  if (name.isEmpty()) name = tr("VQR Daten");
  if (!name.endsWith(".xlsx", Qt::CaseInsensitive)) name += ".xlsx";
  return name;
}

void TFrm_XLExport::HandOverWorkbook(IXLApplication& app,
                                     const std::function<void(int32_t, const std::string&)>& save) {
  const int32_t book = app.WorkbookCount();
  if (book < 1) return;
  TFileRequest request;
  request.mode = TFileRequest::Mode::Save;
  request.title = tr("Speichern unter");
  request.filter = tr("Excel-Arbeitsmappe (*.xlsx);;Alle Dateien (*)");
  request.directory = OutputFolderFor(recordingPath_);
  request.fileName = ProposedBookFile();
  request.defaultSuffix = "xlsx";
  for (;;) {
    const QString path = ChooseFile(request);
    if (path.isEmpty()) {
      if (ConfirmDiscard()) return;
      continue;
    }
    try {
      save(book, QFile::encodeName(path).toStdString());
    } catch (const TXLFileError& e) {
      // InFolder: the temporary folder of the sheets written ahead.
      ShowMessage(e.InFolder
                      ? tr("Die Arbeitsmappe %1 konnte nicht geschrieben werden: der Ordner für "
                           "temporäre Dateien (TMPDIR) ist nicht nutzbar.")
                                .arg(QDir::toNativeSeparators(path)) +
                            "\n\n" + FolderFailureReason(QFile::decodeName(e.Path.c_str()), e.Code)
                      : WriteFailureText(path, e.Code));
      request.directory = QFileInfo(path).absolutePath();
      request.fileName = QFileInfo(path).fileName();
      continue;
    } catch (const TXLError& e) {
      ShowMessage(Q(e.what()));
      request.directory = QFileInfo(path).absolutePath();
      request.fileName = QFileInfo(path).fileName();
      continue;
    }
    if (!OpenFile(path))
      ShowNotice(tr("Die Arbeitsmappe wurde gespeichert unter\n%1\n\nEs wurde kein Programm "
                    "gefunden, das .xlsx-Dateien öffnet.")
                     .arg(QDir::toNativeSeparators(path)));
    return;
  }
}
