#include "gui/common/statusbar.h"

#include <QLabel>
#include <QMouseEvent>

TZTStatusBar::TZTStatusBar(const std::vector<int>& widths, QWidget* parent) : QStatusBar(parent) {
  setSizeGripEnabled(true);
  for (size_t i = 0; i < widths.size(); ++i) {
    auto* panel = new QLabel(this);
    panel->setObjectName(QString("%1_Panel%2").arg(objectName()).arg(i));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setContentsMargins(3, 0, 3, 0);
    if (widths[i] > 0) {
      panel->setFixedWidth(widths[i]);
      addWidget(panel);
    } else {
      panel->setMinimumWidth(50);
      addWidget(panel, 1);
    }
    panels_.push_back(panel);
  }
}

QLabel* TZTStatusBar::Panel(int i) const {
  return (i >= 0 && i < PanelCount()) ? panels_[static_cast<size_t>(i)] : nullptr;
}

QString TZTStatusBar::PanelText(int i) const {
  QLabel* p = Panel(i);
  return p ? p->text() : QString();
}

void TZTStatusBar::SetPanelText(int i, const QString& text) {
  if (QLabel* p = Panel(i)) {
    p->setText(text);
    p->repaint();
  }
}

int TZTStatusBar::PanelAt(int x) const {
  for (int i = 0; i < PanelCount(); ++i) {
    const QLabel* p = Panel(i);
    if (p->isHidden()) continue;
    const int left = p->x();
    if (left < x && x < left + p->width()) return i;
  }
  return -1;
}

// The panels pass their clicks on to the bar; the bar keeps them all, so a
// click never reaches the window below.
void TZTStatusBar::mousePressEvent(QMouseEvent* event) {
  pressPos_ = event->position().toPoint();
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void TZTStatusBar::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (!click) return;
  const int panel = PanelAt(pressPos_.x());
  if (panel >= 0) emit panelClicked(panel);
}
