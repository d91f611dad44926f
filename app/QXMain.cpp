// Main window: construction, status line, busy state, start and close.
#include "app/QXMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <optional>

#include "app/HelpWindow.h"
#include "chart/vqrdiagram.h"
#include "export/expfile.h"
#include "gui/common/appicons.h"
#include "gui/common/writefailure.h"
#include "gui/export/XLExport.h"
#include "gui/print/PrPreview.h"
#include "gui/settings/SettingsPages.h"
#include "gui/settings/qtcontrols.h"
#include "gui/settings/settingsbinder.h"
#include "print/PrintDecor.h"
#include "session/Session.h"
#include "settings/iniclass.h"
#include "settings/settings.h"

namespace {

constexpr int kPageHelp[] = {1000, 1002, 1004, 1004, 1006, 1008, 1010, 1012, 1014};

}  // namespace

int TQXMainForm::HelpContextOfPage(int pageIndex) {
  if (pageIndex < 0 || pageIndex >= static_cast<int>(std::size(kPageHelp))) return 1000;
  return kPageHelp[pageIndex];
}

TQXMainForm::TQXMainForm(std::unique_ptr<TZTIniClass> ini, QWidget* parent)
    : QMainWindow(parent), ini_(std::move(ini)) {
  setObjectName("QXMainForm");
  setWindowTitle("QXMainForm");
  setWindowIcon(AppIcon());
  setAcceptDrops(true);
  BuildUi();
  ApplyStartPosition();
  // The ASCII export file exists from the start and is reused by every export.
  asciiFile_ = std::make_unique<TVQRAsciiFile>();
  CreateSettings();
  preview_ = new TFr_PrPreview(this);
  pages_->setCurrentIndex(0);
}

TFrm_XLExport* TQXMainForm::XLExportDialog() {
  // Made at its first use, not at the start.
  if (!xlExport_) {
    xlExport_ = new TFrm_XLExport(*settings_, this);
    // The main window's file hook answers the export's "Speichern unter" too.
    xlExport_->ChooseFile = [this, own = xlExport_->ChooseFile](const TFileRequest& r) {
      return ChooseFile ? ChooseFile(r) : own(r);
    };
  }
  return xlExport_;
}

TQXMainForm::~TQXMainForm() = default;

void TQXMainForm::BuildUi() {
  auto* central = new QWidget(this);
  central->setObjectName("Pn_Client");
  auto* v = new QVBoxLayout(central);
  v->setContentsMargins(6, 4, 6, 4);

  auto* title = new QWidget(central);
  title->setObjectName("Pn_Title");
  auto* th = new QHBoxLayout(title);
  th->setContentsMargins(4, 2, 4, 2);
  auto* image = new QLabel(title);
  image->setObjectName("Image1");
  image->setPixmap(AppIcon().pixmap(32, 32));
  auto* caption = new QLabel(tr("Velqor   Datenauswertung"), title);
  caption->setObjectName("Lb_Title");
  QFont f("Arial");
  f.setPixelSize(21);
  f.setBold(true);
  caption->setFont(f);
  th->addWidget(image);
  th->addSpacing(8);
  th->addWidget(caption);
  th->addStretch(1);
  v->addWidget(title);

  pages_ = new QTabWidget(central);
  pages_->setObjectName("PageControl1");
  // Pages are built when first shown; their controls then join the binding.
  BuildSettingsPages(pages_, [this](QWidget* page) { SettingsPageBuilt(*page); });
  v->addWidget(pages_, 1);
  setCentralWidget(central);

  statusBar_ = new TZTStatusBar({100, 150, 0}, this);
  statusBar_->setObjectName("SB_Main");
  setStatusBar(statusBar_);
  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName("PB_Main");
  progressBar_->hide();

  BuildMenus();
  BuildToolBar();
}

void TQXMainForm::BuildMenus() {
  struct Item {
    QString name;  // empty: a separator
    QString caption;
    QString hint;
    std::function<void()> handler;
    QKeySequence::StandardKey shortcut = QKeySequence::UnknownKey;
    bool enabled = true;
    bool checkable = false;  // only "Nullpunkt-Korrektur", kept as zeroAction_
  };
  struct Menu {
    const char* name;
    QString caption;
    std::vector<Item> items;
  };
  const Item separator;
  std::vector<Item> windows = {
      {"Mn_Overview", tr("Übersicht Punkte"), "", [this]() { Mn_OverviewClick(); }},
      {"Mn_OverviewFilled", tr("Übersicht Kurve"), "", [this]() { Mn_OverviewFilledClick(); }},
      {"Mn_Wnd_Recording", tr("Aufzeichnung..."), "", [this]() { ShowRecordingPanel(); }},
      separator,
      {"MN_Wnd_Combi1", tr("Kombination 1"), "", [this]() { OpenDiagramWindow(kCombi1Mode); }},
      {"MN_Wnd_Combi2", tr("Kombination 2"), "", [this]() { OpenDiagramWindow(kCombi2Mode); }},
      separator,
  };
  for (int ch = 1; ch <= kMeasureChannels; ++ch)
    windows.push_back({QString("Mn_Wnd_Ch%1").arg(ch), tr("Kanal %1").arg(ch), "",
                       [this, ch]() { OpenDiagramWindow(ch); }});
  const Menu menus[] = {
      {"Mn_File",
       tr("&Datei"),
       {
           {"Mn_File_Open", tr("Ö&ffnen..."), tr("Existierende Datei öffnen"),
            [this]() { FileOpen(); }, QKeySequence::Open},
           {"Mn_File_Compare", tr("Vergleichen mit..."),
            tr("Weitere Dateien im selben Diagramm zeigen"), [this]() { FileCompare(); }},
           {"Mn_File_CompareEnd", tr("Vergleich beenden"), tr("Nur die geöffnete Datei zeigen"),
            [this]() { FileCompareEnd(); }},
           {"Mn_File_Save", tr("&Speichern"), tr("Aktuelle Datei speichern"),
            [this]() { FileSave(); }, QKeySequence::UnknownKey, false},
           {"Mn_File_SaveAs", tr("ASCII Export..."),
            tr("Aktuelle Datei unter neuem Namen speichern"), [this]() { FileSaveAs(); }},
           {"Mn_File_ExcelExport", tr("Excel Export..."), "",
            [this]() { Mn_File_ExcelExportClick(); }},
           separator,
           {"Mn_File_OpenEvaluation", tr("Auswertung öffnen..."),
            tr("Eine gespeicherte Auswertung öffnen"), [this]() { FileOpenEvaluation(); }},
           {"Mn_File_SaveEvaluation", tr("Auswertung speichern..."),
            tr("Aufzeichnung, Vergleich, Fenster, Zoom, Marken und Notizen speichern"),
            [this]() { FileSaveEvaluation(); }},
           separator,
           {"Mn_File_Print", tr("&Drucken..."), tr("Aktuelle Datei drucken"),
            [this]() { FilePrint(); }, QKeySequence::Print},
           {"Mn_File_Report", tr("Bericht..."), tr("Mehrseitigen Bericht drucken"),
            [this]() { FileReport(); }},
           separator,
           {"Mn_File_Exit", tr("&Beenden"), tr("Diese Anwendung beenden"),
            [this]() { FileExit(); }},
       }},
      {"Mn_Edit",
       tr("B&earbeiten"),
       {
           {"Mn_Edit_Zero", tr("Nullpunkt-Korrektur"), "",
            [this]() { ZeroToggled(zeroAction_->isChecked()); }, QKeySequence::UnknownKey, true,
            true},
           separator,
           {"Mn_Equal_2", tr("Ausgleich +-2"), "", [this]() { Mn_Equal_2Click(); }},
           {"Mn_Equal_8", tr("Ausgleich +-8"), "", [this]() { Mn_Equal_8Click(); }},
           {"Mn_Equal_User", tr("Ausgleich Benutzerdef."), "", [this]() { Mn_Equal_UserClick(); }},
       }},
      {"Mn_Window", tr("&Fenster"), windows},
      {"Mn_Help",
       tr("&Hilfe"),
       {
           {"Mn_Help_Contents", tr("&Inhalt"), tr("Inhaltsübersicht der Hilfe anzeigen"),
            [this]() { HelpContents(); }},
           {"Mn_Help_Search", tr("&Themenbezogene Hilfe..."), tr("Hilfe zu einem Thema suchen"),
            [this]() { HelpSearch(); }, QKeySequence::HelpContents},
           {"Mn_Help_HowToUse", tr("&Hilfe verwenden"), tr("Hilfe zur Benutzung des Hilfesystems"),
            [this]() { HelpHowToUse(); }},
           separator,
           {"Mn_Help_About", tr("I&nfo..."), tr("Programminformationen anzeigen"),
            [this]() { HelpAbout(); }},
       }},
  };
  for (const Menu& m : menus) {
    QMenu* menu = menuBar()->addMenu(m.caption);
    menu->setObjectName(m.name);
    for (const Item& item : m.items) {
      if (item.name.isEmpty()) {
        menu->addSeparator();
        continue;
      }
      auto* a = new QAction(item.caption, this);
      a->setObjectName(item.name);
      if (!item.hint.isEmpty()) a->setStatusTip(item.hint);
      if (item.shortcut != QKeySequence::UnknownKey) a->setShortcut(item.shortcut);
      a->setEnabled(item.enabled);
      if (item.checkable) {
        a->setCheckable(true);
        zeroAction_ = a;
      }
      connect(a, &QAction::triggered, this, item.handler);
      menu->addAction(a);
    }
  }
  BuildFurtherWindowMenu(menuBar()->findChild<QMenu*>("Mn_Window"));
}

void TQXMainForm::BuildToolBar() {
  auto* bar = new QToolBar("SpeedBar", this);
  bar->setObjectName("SpeedBar");
  bar->setMovable(false);
  bar->setIconSize(QSize(20, 20));
  addToolBar(Qt::TopToolBarArea, bar);
  struct Button {
    const char* name;
    QString hint;
    QIcon icon;
    void (TQXMainForm::*handler)();
    bool enabled;
  };
  const Button buttons[] = {
      {"SpB_Open", tr("Öffnen"), ToolIcon(TToolIcon::Open), &TQXMainForm::FileOpen, true},
      {"SpB_Save", tr("Speichern"), ToolIcon(TToolIcon::Save), &TQXMainForm::FileSave, false},
      {"SpB_SaveAs", tr("ASCII Export"), ToolIcon(TToolIcon::Ascii), &TQXMainForm::FileSaveAs,
       true},
      {"SpB_Print", tr("Drucken"), ToolIcon(TToolIcon::Print), &TQXMainForm::FilePrint, true},
      {"SpB_HelpContents", tr("Inhalt der Hilfe"), ToolIcon(TToolIcon::Help),
       &TQXMainForm::HelpContents, true},
      {"SpB_About", tr("Info"), ToolIcon(TToolIcon::Info), &TQXMainForm::HelpAbout, true},
      {"SpB_Excel", tr("Excel Export"), ToolIcon(TToolIcon::Excel),
       &TQXMainForm::Mn_File_ExcelExportClick, true},
  };
  for (const Button& b : buttons) {
    QAction* a = bar->addAction(b.icon, b.hint);
    a->setObjectName(b.name);
    a->setToolTip(b.hint);
    a->setEnabled(b.enabled);
    auto handler = b.handler;
    connect(a, &QAction::triggered, this, [this, handler]() { (this->*handler)(); });
  }
}

void TQXMainForm::ShowStatus(const QString& text) { statusBar_->SetPanelText(2, text.left(255)); }

QString TQXMainForm::StatusText() const { return statusBar_->PanelText(2); }

void TQXMainForm::SetDataFileCaption(const QString& name) {
  setWindowTitle("ZT Velqor Data - " + name.left(255));
}

void TQXMainForm::BeginBusy() {
  if (BusyCount == 0) {
    if (isVisible()) grabMouse();
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ++BusyCount;
}

void TQXMainForm::EndBusy() {
  if (BusyCount <= 0) return;
  if (--BusyCount > 0) return;
  QApplication::restoreOverrideCursor();
  if (QWidget::mouseGrabber() == this) releaseMouse();
  QApplication::processEvents();
}

void TQXMainForm::Beep() {
  emit Beeped();
  QApplication::beep();
}

void TQXMainForm::ShowFilePage() { pages_->setCurrentIndex(0); }

void TQXMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!gauge_) {
    gauge_ = std::make_unique<TProcessGauge>();
    gauge_->Init(progressBar_, nullptr);
    gauge_->Attach(statusBar_, 1, 0);
    if (session_) session_->SetGauge(gauge_.get());
  }
}

void TQXMainForm::closeEvent(QCloseEvent* event) {
  if (windows_ && windows_->OverviewVisible()) windows_->CloseOverview();
  if (windows_ && windows_->ChannelWindowVisible()) windows_->CloseChannelWindow();
  if (windows_) windows_->CloseFurtherWindows();
  SaveSettingsAtClose();
  if (helpWindow_) helpWindow_->close();
  event->accept();
}

void TQXMainForm::SaveSettingsAtClose() {
  if (!settings_ || !ini_ || settingsDiscarded_) return;
  std::optional<TWriteFailure> failure;
  for (;;) {
    if (!failure) {
      binder_->CommitAll();
      bool ok = settings_->SaveAll();
      ok = SaveMainWindowPosition() && ok;
      if (ok) return;
      failure = ini_->LastWriteFailure();
      if (failure->Path.empty()) failure->Path = ini_->IniFileName;
    }
    QMessageBox box(QMessageBox::Critical, tr("Fehler"),
                    tr("Die Einstellungen konnten nicht in die Datei\n%1\n"
                       "geschrieben werden.\n\n%2")
                        .arg(QString::fromStdString(failure->Path),
                             WriteFailureReason(QString::fromStdString(failure->Path),
                                                failure->Code, failure->WriteProtected)),
                    QMessageBox::NoButton, this);
    box.setObjectName("SaveFailureBox");
    QPushButton* retry = box.addButton(tr("Wiederholen"), QMessageBox::AcceptRole);
    QPushButton* saveAs = box.addButton(tr("Speichern unter..."), QMessageBox::ActionRole);
    QPushButton* discard =
        box.addButton(tr("Ohne Speichern beenden"), QMessageBox::DestructiveRole);
    box.setDefaultButton(retry);
    box.exec();
    failure.reset();
    if (box.clickedButton() == discard) {
      settingsDiscarded_ = true;
      return;
    }
    if (box.clickedButton() != saveAs) continue;
    TFileRequest request;
    request.mode = TFileRequest::Mode::Save;
    request.title = tr("Einstellungen speichern unter");
    request.filter = tr("INI-Dateien (*.INI *.ini);;Alle Dateien (*)");
    request.directory = QDir::homePath();
    request.fileName = QFileInfo(QString::fromStdString(ini_->IniFileName)).fileName();
    request.defaultSuffix = "INI";
    const QString path = RunFileDialog(request);
    // The changed values follow into the copy at the next round.
    if (!path.isEmpty() && !ini_->RelocateOwnFile(path.toStdString()))
      failure = ini_->LastWriteFailure();
  }
}

void TQXMainForm::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    const QString suffix = QFileInfo(url.toLocalFile()).suffix();
    if (url.isLocalFile() && (suffix.compare("dat", Qt::CaseInsensitive) == 0 ||
                              suffix.compare("vqa", Qt::CaseInsensitive) == 0)) {
      event->acceptProposedAction();
      return;
    }
  }
}

void TQXMainForm::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    const QString path = url.toLocalFile();
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare("dat", Qt::CaseInsensitive) == 0 ||
        suffix.compare("vqa", Qt::CaseInsensitive) == 0) {
      event->acceptProposedAction();
      // Let the drag source finish before the long read starts.
      QMetaObject::invokeMethod(
          this, [this, path]() { OpenFileArgument(path); }, Qt::QueuedConnection);
      return;
    }
  }
}

void TQXMainForm::HandleForwardedArguments(const QStringList& args) {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
  // The first argument that is not a settings switch is the data file; one
  // that cannot be opened is reported as at a first start.
  for (const QString& arg : args) {
    if (TZTIniClass::IsSettingsSwitch(arg.toStdString())) continue;
    OpenFileArgument(arg);
    break;
  }
}

void TQXMainForm::Mn_File_ExcelExportClick() {
  if (!session_) return;
  if (!dataLoaded_ || BusyCount > 0) {
    Beep();
    return;
  }
  pages_->setCurrentWidget(pages_->findChild<QWidget*>("TS_Excel"));
  binder_->CommitFor(TSettingsCommand::ExcelExport);
  XLExportDialog()->Execute(*session_, openDialogFile_);
}
