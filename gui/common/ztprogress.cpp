#include "gui/common/ztprogress.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace {

// The captions the recording session and the print give their steps.
[[maybe_unused]] const char* const kCaptions[] = {
    QT_TRANSLATE_NOOP("TProcessGauge", "Lesen:"),
    QT_TRANSLATE_NOOP("TProcessGauge", "Filter:"),
    QT_TRANSLATE_NOOP("TProcessGauge", "Export:"),
    QT_TRANSLATE_NOOP("TProcessGauge", "Druck:"),
};

}  // namespace

TProcessGauge::TProcessGauge() = default;
TProcessGauge::~TProcessGauge() = default;

void TProcessGauge::Init(QProgressBar* bar, QLabel* label) {
  bar_ = bar;
  label_ = label;
  statusBar_ = nullptr;
}

void TProcessGauge::Attach(TZTStatusBar* statusBar, int barPanel, int textPanel) {
  if (!bar_ || !statusBar) return;
  QLabel* panel = statusBar->Panel(barPanel);
  if (!panel) return;
  statusBar_ = statusBar;
  barPanel_ = barPanel;
  textPanel_ = textPanel;
  // The bar fills its panel, inset by the panel's frame plus one pixel.
  bar_->setParent(panel);
  auto* layout = panel->layout() ? panel->layout() : new QHBoxLayout(panel);
  const int inset = panel->frameWidth() + 1;
  layout->setContentsMargins(inset, inset, inset, inset);
  layout->addWidget(bar_);
  bar_->setTextVisible(false);
  bar_->hide();
  QApplication::processEvents();
}

void TProcessGauge::Start(int maximum, const std::string& caption) {
  if (settle_) settle_->stop();
  maximum_ = maximum;
  const QString text = QCoreApplication::translate("TProcessGauge", caption.c_str());
  if (label_) {
    label_->setText(text);
    label_->repaint();
  }
  if (!bar_) return;
  SetBarMaximum(maximum);
  bar_->setValue(0);
  if (statusBar_) {
    bar_->show();
    statusBar_->SetPanelText(barPanel_, QString());
    if (textPanel_ >= 0) statusBar_->SetPanelText(textPanel_, text);
  }
  RepaintBar();
}

void TProcessGauge::SetPosition(int position) {
  if (!bar_) return;
  bar_->setValue(position);
  RepaintBar();
}

void TProcessGauge::StepBy(int delta) {
  if (!bar_) return;
  bar_->setValue(bar_->value() + delta);
  RepaintBar();
}

void TProcessGauge::Complete() {
  if (!bar_) return;
  bar_->setValue(maximum_);
  RepaintBar();
}

void TProcessGauge::FinishAfter(int ms) {
  if (ms <= 0) {
    Finish();
    return;
  }
  if (!settle_) {
    settle_ = std::make_unique<QTimer>();
    settle_->setSingleShot(true);
    settle_->setTimerType(Qt::PreciseTimer);  // a coarse one may end it 5 % early
    QObject::connect(settle_.get(), &QTimer::timeout, [this] { Finish(); });
  }
  settle_->start(ms);
}

bool TProcessGauge::IsSettling() const { return settle_ && settle_->isActive(); }

void TProcessGauge::Finish() {
  if (settle_) settle_->stop();
  maximum_ = 0;
  if (label_) {
    label_->clear();
    label_->repaint();
  }
  if (!bar_) return;
  SetBarMaximum(0);
  bar_->setValue(0);
  if (statusBar_) {
    bar_->hide();
    if (textPanel_ >= 0) statusBar_->SetPanelText(textPanel_, QString());
  }
}

void TProcessGauge::SetBarMaximum(int maximum) {
  // A range of 0..0 would make the bar an animated busy indicator; an empty
  // operation shows an empty bar instead.
  bar_->setRange(0, maximum > 0 ? maximum : 1);
}

void TProcessGauge::RepaintBar() {
  if (bar_->isVisible()) bar_->repaint();
}
