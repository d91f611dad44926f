#include "gui/settings/SettingsEditors.h"

#include <QAction>
#include <QFontInfo>
#include <QMenu>
#include <QPushButton>

#include "chart/charttypes.h"
#include "gui/common/filerequest.h"
#include "gui/common/qtext.h"
#include "gui/settings/qtcontrols.h"
#include "gui/settings/qtdialogs.h"
#include "gui/settings/settingsbinder.h"
#include "settings/pencode.h"
#include "settings/settings.h"

TSettingsEditors::TSettingsEditors(QWidget& window, TVQRShowSettings& settings,
                                   TSettingsBinder& binder, TQtControlProvider& controls,
                                   ISettingsEditorsHost& host)
    : window_(window),
      settings_(settings),
      binder_(binder),
      controls_(controls),
      host_(host),
      colorDialog_(std::make_unique<TQtColorDialog>(&window)) {
  Connect();
}

TSettingsEditors::~TSettingsEditors() = default;

void TSettingsEditors::EditColor(IZTControl* field) {
  if (!field) return;
  const int32_t remembered = field->GetColor();
  field->SetColor(0xFFFFFF);
  field->SetText("?");
  int32_t color = remembered;
  field->SetColor(colorDialog_->Execute(color) ? color : remembered);
  field->SetText("");
}

void TSettingsEditors::EditPen(IZTControl* field) {
  if (!field) return;
  // Made at the first pen edit and kept for the next ones.
  if (!penDialog_) penDialog_ = std::make_unique<TQtPenDialog>(&window_);
  int32_t code = field->GetPenCode();
  field->SetText("???");
  int32_t width = PenCodeWidth(code);
  int32_t style = PenCodeStyle(code);
  if (penDialog_->Execute(width, style)) code = MakePenCode(width, style);
  field->SetPenCode(code);
  field->SetText(StylePicture(PenCodeStyle(code)));
}

void TSettingsEditors::Connect() {
  gridMenu_ = new QMenu(&window_);
  gridMenu_->setObjectName("PMn_GridStyle");
  const char* const gridNames[] = {"PMn_GS_none", "PMn_GS_cross", "PMn_GS_solid"};
  const QString gridCaptions[] = {tr("keines"), tr("Kreuze"), tr("Linien")};
  for (int i = 0; i < 3; ++i) {
    QAction* a = gridMenu_->addAction(gridCaptions[i]);
    a->setObjectName(gridNames[i]);
    connect(a, &QAction::triggered, this, [this, i]() {
      if (auto* f = window_.findChild<TZTEditField*>("Ed_GridStyle"))
        f->setText(QString::number(i));
    });
  }
}

void TSettingsEditors::ConnectPage(QWidget& page) {
  for (TZTEditField* field : page.findChildren<TZTEditField*>()) {
    switch (field->Kind()) {
      case TZTEditField::FieldKind::Color:
        connect(field, &TZTEditField::clicked, this,
                [this, field]() { EditColor(ControlOf(field)); });
        break;
      case TZTEditField::FieldKind::Pen:
        connect(field, &TZTEditField::clicked, this,
                [this, field]() { EditPen(ControlOf(field)); });
        break;
      case TZTEditField::FieldKind::GridStyle:
        connect(field, &TZTEditField::clicked, this,
                [this, field]() { gridMenu_->popup(field->mapToGlobal(QPoint(0, 0))); });
        break;
      default:
        break;
    }
  }
  // Font fields: their group's colour and size fields travel with them.
  for (const char* prefix : {"Ed_X", "Ed_Y", "Ed_T", "Ed_Legend"}) {
    const QString p(prefix);
    const bool legend = p == "Ed_Legend";
    auto* color = page.findChild<TZTEditField*>(legend ? p + "Color" : p + "LabelColor");
    auto* font = page.findChild<TZTEditField*>(legend ? p + "Font" : p + "LabelFont");
    auto* size = page.findChild<TZTEditField*>(legend ? p + "Size" : p + "LabelSize");
    if (!color || !font || !size) continue;
    connect(font, &TZTEditField::clicked, this,
            [this, color, font, size]() { EditFont(color, font, size); });
  }

  auto button = [&page](const char* name) { return page.findChild<QPushButton*>(name); };
  auto onClick = [this, &button](const char* name, auto handler) {
    if (QPushButton* b = button(name)) connect(b, &QPushButton::clicked, this, handler);
  };
  TVQRShowSettings* s = &settings_;
  onClick("Bt_SelRawDir", [this, s]() { SelectFolder("Ed_RawDir", s->RawFileStartDir); });
  onClick("Bt_SelDataDir", [this, s]() { SelectFolder("Ed_DataDir", s->DataFileStartDir); });
  const QString imageFilter =
      tr("Grafik-Dateien (*.bmp *.jpg *.jpeg *.png *.BMP *.JPG *.JPEG *.PNG);;Alle Dateien (*)");
  const QString rtfFilter = tr("Rich-Text-Dateien (*.rtf *.RTF);;Alle Dateien (*)");
  onClick("Bt_SelLogoFile", [this, s, imageFilter]() {
    SelectFile("Ed_LogoFile", s->LogoFile, imageFilter, tr("Logo-Datei wählen"));
  });
  onClick("Bt_SelPaperFile1", [this, s, rtfFilter]() {
    SelectFile("Ed_PrinterPaper1", s->PrinterBackGround1, rtfFilter,
               tr("Hintergrund-Datei wählen"));
  });
  onClick("Bt_SelPaperFile2", [this, s, rtfFilter]() {
    SelectFile("Ed_PrinterPaper2", s->PrinterBackGround2, rtfFilter,
               tr("Hintergrund-Datei wählen"));
  });
  for (const char* apply : {"Bt_SC_Apply", "Bt_C1_Apply", "Bt_C2_Apply"})
    onClick(apply, [this]() { host_.ApplyDiagramPage(); });
}

IZTControl* TSettingsEditors::ControlOf(const TZTEditField* field) {
  return controls_.FindControl(field->objectName().toStdString());
}

void TSettingsEditors::EditFont(TZTEditField* color, TZTEditField* font, TZTEditField* size) {
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
  TFontColorDialog dialog(&window_);
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

void TSettingsEditors::SelectFolder(const QString& field, TZTiniSettingValue* setting) {
  auto* edit = window_.findChild<TZTEditField*>(field);
  if (!edit || !setting) return;
  TFileRequest request;
  request.mode = TFileRequest::Mode::Open;
  request.filter = tr("VQR Messwert-Dateien (*.DAT *.dat);;Alle Dateien (*)");
  request.title = tr("Start-Ordner wählen");
  request.directory = Q(DirectoryPart(setting->GetString(1)));
  const QString chosen = host_.ChooseFileFor(request);
  if (chosen.isEmpty()) return;
  edit->setText(Q(DirectoryPart(chosen.toStdString())));
  binder_.Commit(setting, 1);
}

void TSettingsEditors::SelectFile(const QString& field, TZTiniSettingValue* setting,
                                  const QString& filter, const QString& title) {
  auto* edit = window_.findChild<TZTEditField*>(field);
  if (!edit || !setting) return;
  TFileRequest request;
  request.mode = TFileRequest::Mode::Open;
  request.filter = filter;
  request.title = title;
  const std::string current = setting->GetString(1);
  request.directory = Q(DirectoryPart(current));
  request.fileName = Q(NamePart(current));
  const QString chosen = host_.ChooseFileFor(request);
  if (chosen.isEmpty()) return;
  edit->setText(chosen);
  binder_.Commit(setting, 1);
}
