#include "gui/chart/SingleChannel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>

#include "chart/diagrampaint.h"
#include "chart/qt/qpainterdc.h"
#include "chart/vqrdiagram.h"
#include "gui/chart/Measurements.h"
#include "gui/chart/NoteMenu.h"
#include "gui/chart/diagramhost.h"
#include "gui/chart/diagraminput.h"
#include "gui/chart/diagramnav.h"
#include "gui/common/appicons.h"
#include "gui/common/windowplace.h"
#include "gui/common/ztprogress.h"
#include "settings/settings.h"

namespace {

QRect ToQRect(const TRect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return {};
  return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top).adjusted(-2, -2, 2, 2);
}

}  // namespace

TF_SChannel::TF_SChannel(IDiagramHost& host, QWidget* parent)
    : QWidget(parent),
      host_(host),
      controller_([&host] { return host.Diagram(); }, QApplication::startDragDistance()) {
  setObjectName("F_SChannel");
  setWindowTitle(tr("Messkanal %1").arg(1));
  setWindowIcon(AppIcon());
  setMinimumSize(kMinWidth, kMinHeight);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // The diagram is drawn from its own buffer: nothing to erase first.
  setAttribute(Qt::WA_OpaquePaintEvent);

  SB_Single = new TZTStatusBar({80, 150, 150}, this);
  SB_Single->setObjectName("SB_Single");
  SB_Single->setSizeGripEnabled(false);
  const QString texts[] = {tr("Drucken..."), "", ZoomText()};
  const QString tips[] = {
      tr("Diagramm drucken"), tr("Fortschritt beim Drucken"),
      tr("Zoom: ein Klick in das Diagramm beginnt das Rechteck, ein zweiter Klick legt es fest "
         "(Esc bricht ab); Klick hier oder Taste Z wechselt zwischen Zoom und ganzer Skala")};
  for (int i = 0; i < 3; ++i) {
    QLabel* panel = SB_Single->Panel(i);
    panel->setObjectName(QString("SB_Single_Panel%1").arg(i));
    panel->setText(texts[i]);
    panel->setToolTip(tips[i]);
  }
  SB_Single->Panel(0)->setAlignment(Qt::AlignCenter);
  SB_Single->Panel(1)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  connect(SB_Single, &TZTStatusBar::panelClicked, this, &TF_SChannel::StatusPanelClicked);

  PB_Single = new QProgressBar(this);
  PB_Single->setObjectName("PB_Single");
  PB_Single->hide();

  popup_ = new QMenu(this);
  popup_->setObjectName("PMn_Diagram");
  QAction* copy = popup_->addAction(tr("Kopieren"));
  copy->setObjectName("PMn_Copy");
  copy->setShortcut(QKeySequence::Copy);
  connect(copy, &QAction::triggered, this, &TF_SChannel::CopyToClipboard);
  QAction* save = popup_->addAction(tr("Als Bild speichern..."));
  save->setObjectName("PMn_SaveImage");
  connect(save, &QAction::triggered, this, &TF_SChannel::SaveImageAs);
  popup_->addSeparator();
  QAction* mark = popup_->addAction(tr("Marke setzen"));
  mark->setObjectName("PMn_SetMark");
  connect(mark, &QAction::triggered, this, [this] { Apply(controller_.MarkAtMenu()); });
  QAction* values = popup_->addAction(tr("Messwerte..."));
  values->setObjectName("PMn_Measurements");
  connect(values, &QAction::triggered, this, &TF_SChannel::ShowMeasurements);
  nav_ = new TDiagramNavigation(
      this, popup_, controller_, [this] { return host_.Diagram(); },
      [this](const TDiagramActions& a) { Apply(a); });
  measurements_ = new TF_Measurements(this);
  notes_ = new TNoteMenu(*this, *popup_, host_, [this] { host_.NotesChanged(); });

  RestoreWindowPlacement(*this, host_.Settings() ? host_.Settings()->SingleWindowPosition : nullptr,
                         QRect(253, 168, 696, 480), QSize(kMinWidth, kMinHeight));
  lastSize_ = size();
  LayoutStatusBar();
}

TF_SChannel::~TF_SChannel() = default;

void TF_SChannel::LayoutStatusBar() {
  const int h = SB_Single->sizeHint().height();
  SB_Single->setGeometry(0, height() - h, width(), h);
}

TVQRDiagram* TF_SChannel::Diagram() const { return host_.Diagram(); }

int TF_SChannel::UsableHeight() const { return SB_Single->y() - 2; }

QString TF_SChannel::ZoomStateText() const { return SB_Single->PanelText(2); }

void TF_SChannel::SetZoomText(const QString& text) {
  // The panel repaints at once: only when its state changed.
  if (SB_Single->PanelText(2) != text) SB_Single->SetPanelText(2, text);
}

void TF_SChannel::Invalidate() {
  controller_.SyncZoom();
  SetZoomText(ZoomText());
  controller_.DrawingStale();
  UpdateCaption();
  update();
  // The values may have changed with an edit or a comparison, and without
  // markers the range with the zoom: an open table follows them.
  WatchAxesFit();
  if (measurements_->isVisible()) {
    if (const TVQRDiagram* d = host_.Diagram())
      measurements_->ShowRange(*d, MarkA(), MarkB(), host_.RecordingName());
  }
}

void TF_SChannel::WatchAxesFit() {
  // Markers belong to the axes they were set on: a new recording or a
  // comparison fits new ones, and the axes tell of every fit.
  const TVQRDiagram* d = host_.Diagram();
  const TVQRAxes* axes = d ? &d->Axes() : nullptr;
  if (axes == seenAxes_ && (!axes || fits_.Active())) return;
  seenAxes_ = axes;
  fits_.Reset();
  if (axes)
    fits_ = axes->Subscribe([this](TAxesChange change) {
      if (change == TAxesChange::Fitted) controller_.OnAxesRefitted();
    });
  controller_.OnAxesRefitted();
}

void TF_SChannel::Apply(const TDiagramActions& actions) {
  SetZoomText(ZoomText());
  if (actions.Refresh) host_.RefreshDiagramWindow();
  if (actions.Repaint) update();
  if (actions.Overlay) RelayoutOverlay();
  if (actions.Beep) host_.Beep();
  if (actions.ShowMeasurements || (actions.UpdateMeasurements && measurements_->isVisible()))
    ShowMeasurements();
}

void TF_SChannel::UpdateCaption() {
  const TVQRDiagram* d = host_.Diagram();
  if (!d) return;
  const int mode = d->WindowMode();
  QString title;
  if (IsChannelMode(mode))
    title = tr("Messkanal %1").arg(mode);
  else if (mode == kCombi1Mode || mode == kCombi2Mode)
    title = tr("Messkanal-Kombination %1").arg(mode == kCombi1Mode ? 1 : 2);
  // A further window says which one it is.
  if (!title.isEmpty())
    setWindowTitle(number_ > 1 ? QString("%1 (%2)").arg(title).arg(number_) : title);
}

TRect TF_SChannel::PaintClient(QPainter& painter, int w, int h) {
  painter.fillRect(QRect(0, 0, w, h + 2), palette().color(QPalette::Window));
  const TRect drawRect = DiagramDrawRect(w, h);
  QPainterDC dc(painter);
  if (TVQRDiagram* d = host_.Diagram())
    PaintDiagram(*d, dc, drawRect);
  else
    dc.FillRect(drawRect, kDcWhite);
  return drawRect;
}

void TF_SChannel::RenderCache() {
  const int w = std::max(1, width());
  const int h = std::max(1, SB_Single->y());
  const qreal dpr = devicePixelRatioF();
  cache_ = QImage(QSize(w, h) * dpr, QImage::Format_RGB32);
  cache_.setDevicePixelRatio(dpr);
  QPainter painter(&cache_);
  UpdateCaption();
  const TRect drawRect = PaintClient(painter, w, UsableHeight());
  const TVQRDiagram* d = host_.Diagram();
  controller_.Drawn(d ? CaptureCursorFrame(*d) : TCursorFrame{}, drawRect);
  WatchAxesFit();
  LayoutOverlay();
}

void TF_SChannel::paintEvent(QPaintEvent*) {
  if (!controller_.DrawingValid() ||
      cache_.deviceIndependentSize().toSize() != QSize(width(), SB_Single->y()))
    RenderCache();
  QPainter painter(this);
  painter.drawImage(0, 0, cache_);
  // Under the status bar: the window's own background.
  painter.fillRect(QRect(0, SB_Single->y(), width(), height() - SB_Single->y()),
                   palette().color(QPalette::Window));
  if (controller_.Defining()) {
    // The rubber band, visible on white and on coloured curves alike.
    const TRect& band = controller_.Band();
    const QRect r(band.left, band.top, band.right - band.left, band.bottom - band.top);
    painter.fillRect(r, QColor(0, 90, 200, 24));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(r);
    QPen dots(Qt::black, 1, Qt::CustomDashLine);
    dots.setDashPattern({2, 2});
    painter.setPen(dots);
    painter.drawRect(r);
  }
  QPainterDC dc(painter);
  PaintCursorReadout(dc, readout_);
}

void TF_SChannel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutStatusBar();
  if (size() != lastSize_) {
    if (host_.Settings()) StoreWindowPlacement(*this, host_.Settings()->SingleWindowPosition);
    controller_.DrawingStale();
    update();
  }
  lastSize_ = size();
}

void TF_SChannel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Apply(controller_.Shown());
  if (!gauge_) {
    gauge_ = std::make_unique<TProcessGauge>();
    gauge_->Init(PB_Single, nullptr);
    gauge_->Attach(SB_Single, 1, -1);
  }
}

void TF_SChannel::closeEvent(QCloseEvent* event) {
  // "Messwerte" shows this diagram's values: it goes with it.
  measurements_->close();
  host_.ChannelWindowClosed();
  if (host_.Settings()) StoreWindowPlacement(*this, host_.Settings()->SingleWindowPosition);
  event->accept();
}

void TF_SChannel::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (StartsPan(*event)) return controller_.PanPress({p.x(), p.y()});
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  controller_.Press({p.x(), p.y()});
  setFocus(Qt::MouseFocusReason);  // for Esc and "z"
}

void TF_SChannel::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  Apply(controller_.Panning() ? controller_.PanMove({p.x(), p.y()})
                              : controller_.Move({p.x(), p.y()}));
}

void TF_SChannel::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (controller_.Panning()) return Apply(controller_.PanRelease({p.x(), p.y()}));
  Apply(
      controller_.Release({p.x(), p.y()}, event->button() == Qt::LeftButton && rect().contains(p)));
}

void TF_SChannel::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopyToClipboard();
    return;
  }
  const std::optional<TDiagramKey> key = DiagramKeyFor(*event);
  // The cursor steps over the samples of the diagram as it is now.
  if ((key == TDiagramKey::Left || key == TDiagramKey::Right) && !controller_.DrawingValid() &&
      host_.Diagram())
    RenderCache();
  const QPoint mouse = mapFromGlobal(QCursor::pos());
  const TDiagramActions actions =
      key ? controller_.Key(*key, event->modifiers().testFlag(Qt::ShiftModifier),
                            {mouse.x(), mouse.y()})
          : TDiagramActions{false};
  if (!actions.Consumed) {
    QWidget::keyPressEvent(event);
    return;
  }
  Apply(actions);
}

void TF_SChannel::wheelEvent(QWheelEvent* event) { nav_->Wheel(*event); }

void TF_SChannel::StatusPanelClicked(int panel) {
  switch (panel) {
    case 0:
      host_.PostPrintRequest();
      break;
    case 2:
      Apply(controller_.ZoomCommand());
      break;
    default:
      break;
  }
}

void TF_SChannel::contextMenuEvent(QContextMenuEvent* event) {
  if (!host_.Diagram()) return;
  Apply(controller_.ContextMenu({event->pos().x(), event->pos().y()}));
  nav_->MenuOpening();
  notes_->Prepare(event->pos(), controller_.MenuSample());
  popup_->popup(event->globalPos());
}

void TF_SChannel::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  Apply(controller_.Leave(popup_->isVisible()));
}

void TF_SChannel::LayoutOverlay() {
  const TVQRDiagram* d = host_.Diagram();
  if (!d || !controller_.DrawingValid()) {
    readout_ = TCursorReadout{};
    return;
  }
  QPainter painter(&scratch_);
  QPainterDC dc(painter);
  // Numbers as "Messwerte" writes them: in the program's locale.
  readout_ = LayoutCursorReadout(*d, controller_.Frame(), controller_.Marks(), dc,
                                 QLocale().decimalPoint().toStdString());
}

void TF_SChannel::RelayoutOverlay() {
  // Only what the overlay covered and covers is painted again, from the cache.
  const QRect before = ToQRect(readout_.Bounds());
  LayoutOverlay();
  const QRect after = ToQRect(readout_.Bounds());
  if (!before.isEmpty()) update(before);
  if (!after.isEmpty()) update(after);
}

void TF_SChannel::ShowMeasurements() {
  const TVQRDiagram* d = host_.Diagram();
  if (!d) {
    host_.Beep();
    return;
  }
  WatchAxesFit();
  measurements_->ShowRange(*d, MarkA(), MarkB(), host_.RecordingName());
  if (!measurements_->isVisible()) measurements_->PlaceBeside(*this);
  measurements_->show();
  measurements_->raise();
}
