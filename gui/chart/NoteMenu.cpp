#include "gui/chart/NoteMenu.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <algorithm>
#include <cstdlib>

#include "chart/vqrdiagram.h"
#include "gui/chart/diagramhost.h"

namespace {

QString CurveName(int ch) {
  return ch == kTempChannel ? TNoteMenu::tr("Temperatur") : TNoteMenu::tr("Kanal %1").arg(ch);
}

QString Number(double v, int decimals) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(v, 'f', decimals);
}

bool RunNoteDialog(QWidget* parent, TNoteChoice& choice, const std::vector<int>& channels) {
  QDialog dialog(parent);
  dialog.setObjectName("Dlg_Note");
  dialog.setWindowTitle(TNoteMenu::tr("Notiz"));
  auto* text = new QLineEdit(choice.Text, &dialog);
  text->setObjectName("Ed_NoteText");
  text->setMaxLength(static_cast<int>(kMaxNoteText));
  text->setMinimumWidth(320);
  auto* curve = new QComboBox(&dialog);
  curve->setObjectName("CB_NoteCurve");
  curve->addItem(TNoteMenu::tr("keine"), 0);
  for (const int ch : channels) curve->addItem(CurveName(ch), ch);
  curve->setCurrentIndex(std::max(0, curve->findData(choice.Channel)));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* form = new QFormLayout(&dialog);
  form->addRow(TNoteMenu::tr("Text:"), text);
  form->addRow(TNoteMenu::tr("Wert der Kurve:"), curve);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  choice.Text = text->text();
  choice.Channel = curve->currentData().toInt();
  return true;
}

}  // namespace

float NoteValueAt(const TVqrDataObjectNew& data, int32_t time, int channel) {
  const TVQRDataObject* store = data.Recording().Store();
  const int n = data.GetSampleCount();
  if (!store || n < 1 || channel < 1 || channel > kTempChannel) return 0.0f;
  int best = 1;
  for (int i = 2; i <= n; ++i)
    if (std::llabs(int64_t{store->Samples[i].Seconds} - time) <
        std::llabs(int64_t{store->Samples[best].Seconds} - time))
      best = i;
  const float v = store->Samples[best].Cal[channel];
  return channel == kTempChannel ? v : data.ApplyUserFactor(v);
}

QStringList NoteLines(const TNotes& notes, double fromSeconds, double toSeconds) {
  std::vector<const TNote*> shown;
  for (const TNote& n : notes)
    if (n.Time >= fromSeconds && n.Time <= toSeconds) shown.push_back(&n);
  std::stable_sort(shown.begin(), shown.end(),
                   [](const TNote* a, const TNote* b) { return a->Time < b->Time; });
  QStringList lines;
  for (const TNote* n : shown) {
    QString line = Number(n->Time / 3600.0, 4) + " h";
    if (n->Channel != 0)
      line += "  " + CurveName(n->Channel) + " = " +
              Number(n->Value, n->Channel == kTempChannel ? 1 : 4);
    lines << line + "  " + QString::fromStdString(n->Text);
  }
  return lines;
}

TNoteMenu::TNoteMenu(QWidget& window, QMenu& popup, IDiagramHost& host,
                     std::function<void()> changed)
    : QObject(&window), window_(window), host_(host), changed_(std::move(changed)) {
  popup.addSeparator();
  add_ = popup.addAction(TNoteMenu::tr("Notiz..."));
  add_->setObjectName("PMn_NoteAdd");
  edit_ = popup.addAction(TNoteMenu::tr("Notiz bearbeiten..."));
  edit_->setObjectName("PMn_NoteEdit");
  delete_ = popup.addAction(TNoteMenu::tr("Notiz löschen"));
  delete_->setObjectName("PMn_NoteDelete");
  connect(add_, &QAction::triggered, this, &TNoteMenu::Add);
  connect(edit_, &QAction::triggered, this, &TNoteMenu::Edit);
  connect(delete_, &QAction::triggered, this, &TNoteMenu::Delete);
}

void TNoteMenu::Prepare(QPoint p, int sample) {
  const TVQRDiagram* d = host_.Diagram();
  sample_ = sample;
  hit_ = d && host_.Notes() ? NoteAt(d->ScreenNotes(), p.x(), p.y(), 4) : -1;
  if (hit_ >= static_cast<int>(host_.Notes() ? host_.Notes()->size() : 0)) hit_ = -1;
  add_->setEnabled(d && host_.Notes() && sample_ > 0 && host_.Notes()->size() < kMaxNotes);
  edit_->setEnabled(hit_ >= 0);
  delete_->setEnabled(hit_ >= 0);
}

std::vector<int> TNoteMenu::Curves() const {
  std::vector<int> curves;
  const TVQRDiagram* d = host_.Diagram();
  if (!d) return curves;
  const int mode = d->WindowMode();
  for (int ch = 1; ch <= kTempChannel; ++ch)
    if (IsCombiMode(mode) ? d->ChannelPens()[ch].Visible != 0 : ch == mode) curves.push_back(ch);
  return curves;
}

bool TNoteMenu::Ask(TNoteChoice& choice) {
  const std::vector<int> curves = Curves();
  return AskNote ? AskNote(choice, curves) : RunNoteDialog(&window_, choice, curves);
}

void TNoteMenu::Add() {
  TVQRDiagram* d = host_.Diagram();
  TNotes* notes = host_.Notes();
  if (!d || !notes || sample_ < 1 || sample_ > d->Data().GetSampleCount()) return;
  TNoteChoice choice;
  if (!Ask(choice)) return;
  TNote note;
  note.Text = NoteText(choice.Text.toStdString());
  if (note.Text.empty()) return;
  note.Time = d->Data().Recording().Store()->Samples[sample_].Seconds;
  note.Channel = choice.Channel;
  if (note.Channel) note.Value = NoteValueAt(d->Data(), note.Time, note.Channel);
  notes->push_back(std::move(note));
  changed_();
}

void TNoteMenu::Edit() {
  TVQRDiagram* d = host_.Diagram();
  TNotes* notes = host_.Notes();
  if (!d || !notes || hit_ < 0 || hit_ >= static_cast<int>(notes->size())) return;
  TNote& note = (*notes)[static_cast<size_t>(hit_)];
  TNoteChoice choice{QString::fromStdString(note.Text), note.Channel};
  if (!Ask(choice)) return;
  const std::string text = NoteText(choice.Text.toStdString());
  if (text.empty()) return;
  note.Text = text;
  if (choice.Channel != note.Channel) {
    note.Channel = choice.Channel;
    note.Value = note.Channel ? NoteValueAt(d->Data(), note.Time, note.Channel) : 0.0f;
  }
  changed_();
}

void TNoteMenu::Delete() {
  TNotes* notes = host_.Notes();
  if (!notes || hit_ < 0 || hit_ >= static_cast<int>(notes->size())) return;
  notes->erase(notes->begin() + hit_);
  hit_ = -1;
  changed_();
}
