#include "gui/chart/Overview.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "chart/qt/qpainterdc.h"
#include "chart/vqrdiagram.h"
#include "gui/chart/diagramhost.h"
#include "gui/common/appicons.h"
#include "gui/common/statusbar.h"
#include "gui/common/windowplace.h"
#include "settings/settings.h"

TF_Overview::TF_Overview(IDiagramHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName("F_Overview");
  setWindowTitle(tr("Übersicht Mess-Kanal  1 - 16"));
  setWindowIcon(AppIcon());
  setMinimumSize(kMinWidth, kMinHeight);
  setMaximumSize(kMaxWidth, kMaxHeight);
  for (TOverviewCell& c : Cells_) c.Points.fill(-999);

  OVStatusBar = new TZTStatusBar({70, 70, 0}, this);
  OVStatusBar->setObjectName("OVStatusBar");
  const QString texts[] = {tr("Kombi 1..."), tr("Kombi 2..."), tr(" Bereich")};
  const QString tips[] = {tr("Kombination 1 anzeigen"), tr("Kombination 2 anzeigen"),
                          tr("Skala der Übersicht: Zeit (H) und Wert (V)")};
  for (int i = 0; i < 3; ++i) {
    QLabel* panel = OVStatusBar->Panel(i);
    panel->setObjectName(QString("OVStatusBar_Panel%1").arg(i));
    panel->setText(texts[i]);
    panel->setToolTip(tips[i]);
    if (i < 2) panel->setAlignment(Qt::AlignCenter);
  }
  OVStatusBar->setSizeGripEnabled(false);
  connect(OVStatusBar, &TZTStatusBar::panelClicked, this, &TF_Overview::StatusPanelClicked);

  RestoreWindowPlacement(
      *this, host_.Settings() ? host_.Settings()->OverviewWindowPosition : nullptr,
      QRect(390, 331, kInitialWidth, kInitialHeight), QSize(kMinWidth, kMinHeight));
  LayoutStatusBar();
}

void TF_Overview::UpdateReadout() {
  if (const TVQRDiagram* d = host_.Diagram())
    OVStatusBar->Panel(2)->setText(QString::fromStdString(OverviewReadout(*d)));
}

void TF_Overview::FitReadout() {
  // Wide enough for the scale read-out, as far as the screen allows.
  // The bar's layouts keep the read-out's former size until told.
  for (QLayout* l : OVStatusBar->findChildren<QLayout*>()) l->invalidate();
  int need = OVStatusBar->sizeHint().width();
  if (const QScreen* s = screen()) need = std::min(need, s->availableGeometry().width());
  if (width() < need) resize(std::min(need, kMaxWidth), height());
}

void TF_Overview::LayoutStatusBar() {
  const int h = OVStatusBar->sizeHint().height();
  OVStatusBar->setGeometry(0, height() - h, width(), h);
}

void TF_Overview::ComputeCells() {
  if (const TVQRDiagram* d = host_.Diagram()) ComputeOverviewCells(*d, Cells_);
}

void TF_Overview::RefreshOverview() {
  ComputeCells();
  UpdateReadout();
  FitReadout();
  update();
}

int TF_Overview::CellAt(QPoint p) const {
  for (int k = 1; k <= kMeasureChannels; ++k) {
    const TOverviewCell& c = Cells_[k];
    if (p.x() >= c.Left && p.x() < c.Left + c.Width && p.y() >= c.Top && p.y() < c.Top + c.Height)
      return k;
  }
  return 0;
}

void TF_Overview::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutStatusBar();
  LayoutOverviewCells(width(), OVStatusBar->y(), Cells_);
  ComputeCells();
  if (host_.Settings()) StoreWindowPlacement(*this, host_.Settings()->OverviewWindowPosition);
  update();
}

void TF_Overview::paintEvent(QPaintEvent*) {
  TVQRShowSettings* settings = host_.Settings();
  FillPixel = settings && settings->OverviewWindowFillPixel->GetBool(1);
  QPainter painter(this);
  {
    QPainterDC dc(painter);
    PaintOverview(dc, Cells_, FillPixel);
  }
  UpdateReadout();
}

void TF_Overview::mousePressEvent(QMouseEvent* event) {
  MouseDownPos = event->position().toPoint();
  pressed_ = event->button() == Qt::LeftButton;
}

void TF_Overview::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (!click) return;
  if (const int k = CellAt(MouseDownPos)) host_.PostWindowRequest(k);
}

void TF_Overview::StatusPanelClicked(int panel) {
  if (panel == 1)
    host_.PostWindowRequest(kCombi2Mode);
  else if (panel == 0)
    host_.PostWindowRequest(kCombi1Mode);
}

void TF_Overview::closeEvent(QCloseEvent* event) {
  if (host_.Settings()) StoreWindowPlacement(*this, host_.Settings()->OverviewWindowPosition);
  event->accept();
}
