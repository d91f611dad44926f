// Main window: settings table, the editors of the settings pages and the
// Edit menu (zero point, smoothing).
#include <QAction>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QThread>

#include "app/QXMain.h"
#include "chart/charttypes.h"
#include "data/vqrfileo.h"
#include "session/Session.h"
#include "settings/iniclass.h"
#include "settings/pencode.h"
#include "settings/settings.h"
#include "settings/ui/qtcontrols.h"
#include "settings/ui/qtdialogs.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

TRect WorkArea(const QWidget* w) {
  const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  const QRect a = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  return TRect{a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
}

}  // namespace

void TQXMainForm::CreateSettings() {
  controls_ = std::make_unique<TQtControlProvider>(this);
  settings_ = std::make_unique<TVQRShowSettings>(ini_.get(), controls_.get());
  colorDialog_ = std::make_unique<TQtColorDialog>(this);
  settings_->SetColorDialog(colorDialog_.get());
  settings_->SetPenDialogFactory([this]() -> IZTPenDialog* {
    if (!penDialog_) penDialog_ = std::make_unique<TQtPenDialog>(this);
    return penDialog_.get();
  });
  settings_->SetBeep([this]() { Beep(); });
  if (ini_) settings_->LoadAll(kLoadBoth);
}

void TQXMainForm::ApplyStartPosition() {
  resize(900, 640);
  if (!ini_) return;
  ini_->LoadMainWindowPos();
  TRect geometry{0, 0, width(), height()};
  ini_->ApplyMainWindowPos(geometry, WorkArea(this));
  if (ini_->SavePos) move(geometry.left, geometry.top);
}

bool TQXMainForm::SaveMainWindowPosition() {
  if (!ini_ || settingsDiscarded_) return true;
  // The restored rectangle, also while maximised or minimised.
  const QPoint frameOffset = geometry().topLeft() - pos();
  const QPoint topLeft =
      (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
          ? normalGeometry().topLeft() - frameOffset
          : pos();
  const TRect restored{topLeft.x(), topLeft.y(), topLeft.x() + width(), topLeft.y() + height()};
  return ini_->SaveMainWindowPos(&restored);
}

void TQXMainForm::ConnectEditors() {
  for (TZTEditField* field : findChildren<TZTEditField*>()) {
    switch (field->Kind()) {
      case TZTEditField::FieldKind::Color:
        connect(field, &TZTEditField::clicked, this, [this, field]() { GenColorEditClick(field); });
        break;
      case TZTEditField::FieldKind::Pen:
        connect(field, &TZTEditField::clicked, this, [this, field]() { GenPenEditClick(field); });
        break;
      case TZTEditField::FieldKind::GridStyle:
        connect(field, &TZTEditField::clicked, this, [this, field]() { Ed_GridStyleClick(field); });
        break;
      default:
        break;
    }
  }
  // Font fields: their group's colour and size fields travel with them.
  for (const char* prefix : {"Ed_X", "Ed_Y", "Ed_T", "Ed_Legend"}) {
    const QString p(prefix);
    const bool legend = p == "Ed_Legend";
    auto* color = findChild<TZTEditField*>(legend ? p + "Color" : p + "LabelColor");
    auto* font = findChild<TZTEditField*>(legend ? p + "Font" : p + "LabelFont");
    auto* size = findChild<TZTEditField*>(legend ? p + "Size" : p + "LabelSize");
    if (!color || !font || !size) continue;
    connect(font, &TZTEditField::clicked, this,
            [this, color, font, size]() { GenFontEditClick(color, font, size); });
  }

  gridMenu_ = new QMenu(this);
  gridMenu_->setObjectName("PMn_GridStyle");
  const char* const gridNames[] = {"PMn_GS_none", "PMn_GS_cross", "PMn_GS_solid"};
  const char* const gridCaptions[] = {"keines", "Kreuze", "Linien"};
  for (int i = 0; i < 3; ++i) {
    QAction* a = gridMenu_->addAction(gridCaptions[i]);
    a->setObjectName(gridNames[i]);
    connect(a, &QAction::triggered, this, [this, i]() {
      if (auto* f = findChild<TZTEditField*>("Ed_GridStyle")) f->setText(QString::number(i));
    });
  }

  auto button = [this](const char* name) { return findChild<QPushButton*>(name); };
  if (!settings_) return;
  TVQRShowSettings* s = settings_.get();
  connect(button("Bt_SelRawDir"), &QPushButton::clicked, this,
          [this, s]() { SelectFolder("Ed_RawDir", s->RawFileStartDir); });
  connect(button("Bt_SelDataDir"), &QPushButton::clicked, this,
          [this, s]() { SelectFolder("Ed_DataDir", s->DataFileStartDir); });
  const QString imageFilter =
      "Grafik-Dateien (*.bmp *.jpg *.jpeg *.png *.BMP *.JPG *.JPEG *.PNG);;Alle Dateien (*)";
  const QString rtfFilter = "Rich-Text-Dateien (*.rtf *.RTF);;Alle Dateien (*)";
  connect(button("Bt_SelLogoFile"), &QPushButton::clicked, this, [this, s, imageFilter]() {
    SelectFile("Ed_LogoFile", s->LogoFile, imageFilter, "Logo-Datei wählen");
  });
  connect(button("Bt_SelPaperFile1"), &QPushButton::clicked, this, [this, s, rtfFilter]() {
    SelectFile("Ed_PrinterPaper1", s->PrinterBackGround1, rtfFilter, "Hintergrund-Datei wählen");
  });
  connect(button("Bt_SelPaperFile2"), &QPushButton::clicked, this, [this, s, rtfFilter]() {
    SelectFile("Ed_PrinterPaper2", s->PrinterBackGround2, rtfFilter, "Hintergrund-Datei wählen");
  });
  for (const char* apply : {"Bt_SC_Apply", "Bt_C1_Apply", "Bt_C2_Apply"})
    connect(button(apply), &QPushButton::clicked, this, &TQXMainForm::GenApplyClick);
}

void TQXMainForm::GenColorEditClick(TZTEditField* field) {
  if (settings_) settings_->EditColor(controls_->FindControl(field->objectName().toStdString()));
}

void TQXMainForm::GenPenEditClick(TZTEditField* field) {
  if (settings_) settings_->EditPen(controls_->FindControl(field->objectName().toStdString()));
}

void TQXMainForm::GenFontEditClick(TZTEditField* color, TZTEditField* font, TZTEditField* size) {
  // What the field leaves open (no face, size 0) shows as the drawing's own font.
  const TFontRec drawing;
  const QString face = font->text().trimmed();
  const int held = FontSizeFromText(size->text().toStdString());
  const int points = held > 0 ? held : drawing.Size;
  QFont preset(face.isEmpty() ? Q(drawing.Name) : face);
  preset.setBold(font->FaceStyle() & 1);
  preset.setItalic(font->FaceStyle() & 2);
  preset.setPointSize(points);
  // A face such as "Arial" may be an alias of an installed family: the dialog
  // lists the family.
  const QString resolved = QFontInfo(preset).family();
  preset.setFamily(resolved);
  TFontColorDialog dialog(this);
  dialog.SetFont(preset);
  dialog.SetColor(ColorFromCode(color->ColorCode()));
  if (dialog.exec() != QDialog::Accepted) return;
  const QFont chosen = dialog.SelectedFont();
  // Face and size stay as stored (a blank face, an alias, size 0) unless
  // another one was chosen, so that OK without a change changes nothing.
  const QString chosenFace = chosen.family() == resolved ? face : chosen.family();
  font->SetFaceAndStyle(chosenFace, (chosen.bold() ? 1 : 0) | (chosen.italic() ? 2 : 0));
  font->setText(chosenFace);
  if (chosen.pointSize() != points) size->setText(QString::number(chosen.pointSize()));
  color->SetColorCode(CodeFromColor(dialog.SelectedColor()));
}

void TQXMainForm::Ed_GridStyleClick(TZTEditField* field) {
  gridMenu_->popup(field->mapToGlobal(QPoint(0, 0)));
}

void TQXMainForm::SelectFolder(const QString& field, TZTiniSettingValue* setting) {
  auto* edit = findChild<TZTEditField*>(field);
  if (!edit || !setting) return;
  TFileRequest request;
  request.mode = TFileRequest::Mode::Open;
  request.filter = "VQR Messwert-Dateien (*.DAT *.dat);;Alle Dateien (*)";
  request.title = "Start-Ordner wählen";
  request.directory = Q(DirectoryPart(setting->GetString(1)));
  const QString chosen = RunFileDialog(request);
  if (chosen.isEmpty()) return;
  edit->setText(Q(DirectoryPart(chosen.toStdString())));
  setting->Save(1, kSaveFromControl);
}

void TQXMainForm::SelectFile(const QString& field, TZTiniSettingValue* setting,
                             const QString& filter, const QString& title) {
  auto* edit = findChild<TZTEditField*>(field);
  if (!edit || !setting) return;
  TFileRequest request;
  request.mode = TFileRequest::Mode::Open;
  request.filter = filter;
  request.title = title;
  const std::string current = setting->GetString(1);
  request.directory = Q(DirectoryPart(current));
  request.fileName = Q(NamePart(current));
  const QString chosen = RunFileDialog(request);
  if (chosen.isEmpty()) return;
  edit->setText(chosen);
  setting->Save(1, kSaveFromControl);
}

void TQXMainForm::Mn_Edit_ZeroClick() { zeroAction_->trigger(); }

void TQXMainForm::ZeroToggled(bool checked) {
  if (session_) session_->SetZeroPoint(checked);
  if (Hooks.ChannelWindowVisible && Hooks.ChannelWindowVisible() && Hooks.RefreshChannelWindow)
    Hooks.RefreshChannelWindow();
}

void TQXMainForm::Equalize(int distance) {
  if (settings_) settings_->TakeEqualizer();
  if (distance < 0) distance = settings_ ? settings_->EqualizerDistance->GetInteger(1) : 1;
  if (!session_) return;
  if (!DataLoaded || BusyCount > 0) {
    Beep();
    return;
  }
  ShowFilePage();
  BeginBusy();
  session_->SetGauge(gauge_.get());
  session_->Smooth(distance);
  QThread::msleep(static_cast<unsigned long>(SettleMs));
  if (gauge_) gauge_->Finish();
  EndBusy();
  if (Hooks.ChannelWindowVisible && Hooks.ChannelWindowVisible() && Hooks.RefreshChannelWindow)
    Hooks.RefreshChannelWindow();
}
