#include "gui/chart/SingleChannel.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>

#include "chart/curvestats.h"
#include "chart/diagrampaint.h"
#include "chart/qt/picturefile.h"
#include "chart/qt/qpainterdc.h"
#include "chart/vqrdiagram.h"
#include "gui/chart/Measurements.h"
#include "gui/chart/diagramhost.h"
#include "gui/common/appicons.h"
#include "gui/common/outputfolder.h"
#include "gui/common/windowplace.h"
#include "gui/common/writefailure.h"
#include "gui/common/ztprogress.h"
#include "settings/settings.h"

namespace {

bool Inside(const TPoint& p, const TRect& r) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

QRect ToQRect(const TRect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return {};
  return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top).adjusted(-2, -2, 2, 2);
}

const char* const kNoZoom = "Kein Zoom";
const char* const kDefining = "Zoom definieren...";
const char* const kZoom = "Zoom";

}  // namespace

TF_SChannel::TF_SChannel(IDiagramHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName("F_SChannel");
  setWindowTitle("Messkanal 1");
  setWindowIcon(AppIcon());
  setMinimumSize(kMinWidth, kMinHeight);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // The diagram is drawn from its own buffer: nothing to erase first.
  setAttribute(Qt::WA_OpaquePaintEvent);

  SB_Single = new TZTStatusBar({80, 150, 150}, this);
  SB_Single->setObjectName("SB_Single");
  SB_Single->setSizeGripEnabled(false);
  const char* const texts[] = {"Drucken...", "", kNoZoom};
  const char* const tips[] = {
      "Diagramm drucken", "Fortschritt beim Drucken",
      "Zoom: ein Klick in das Diagramm beginnt das Rechteck, ein zweiter Klick legt es fest "
      "(Esc bricht ab); Klick hier oder Taste Z wechselt zwischen Zoom und ganzer Skala"};
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
  QAction* copy = popup_->addAction("Kopieren");
  copy->setObjectName("PMn_Copy");
  copy->setShortcut(QKeySequence::Copy);
  connect(copy, &QAction::triggered, this, &TF_SChannel::CopyToClipboard);
  QAction* save = popup_->addAction("Als Bild speichern...");
  save->setObjectName("PMn_SaveImage");
  connect(save, &QAction::triggered, this, &TF_SChannel::SaveImageAs);
  popup_->addSeparator();
  QAction* mark = popup_->addAction("Marke setzen");
  mark->setObjectName("PMn_SetMark");
  connect(mark, &QAction::triggered, this, [this] { SetMarkAt(menuSample_); });
  QAction* values = popup_->addAction("Messwerte...");
  values->setObjectName("PMn_Measurements");
  connect(values, &QAction::triggered, this, &TF_SChannel::ShowMeasurements);
  measurements_ = new TF_Measurements(this);

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

int TF_SChannel::UsableHeight() const { return SB_Single->y() - 2; }

QString TF_SChannel::ZoomStateText() const { return SB_Single->PanelText(2); }

void TF_SChannel::SetZoomText(const QString& text) { SB_Single->SetPanelText(2, text); }

void TF_SChannel::Invalidate() {
  SyncZoomState();
  cacheValid_ = false;
  UpdateCaption();
  update();
  // The values may have changed with an edit or a comparison, and without
  // markers the range with the zoom: an open table follows them.
  DropStaleMarks();
  if (measurements_->isVisible()) {
    if (const TVQRDiagram* d = host_.Diagram())
      measurements_->ShowRange(*d, marks_.MarkA, marks_.MarkB, host_.RecordingName());
  }
}

void TF_SChannel::DropStaleMarks() {
  // Markers belong to the axes they were set on: a new recording or a
  // comparison fits new ones.
  const TVQRDiagram* d = host_.Diagram();
  if ((marks_.MarkA || marks_.MarkB) && (!d || marksFitted_ != d->Data().AxesFitted))
    marks_.MarkA = marks_.MarkB = 0;
}

void TF_SChannel::UpdateCaption() {
  const TVQRDiagram* d = host_.Diagram();
  if (!d) return;
  const int mode = d->WindowMode();
  if (IsChannelMode(mode))
    setWindowTitle(QString("Messkanal %1").arg(mode));
  else if (mode == kCombi1Mode)
    setWindowTitle("Messkanal-Kombination 1");
  else if (mode == kCombi2Mode)
    setWindowTitle("Messkanal-Kombination 2");
}

void TF_SChannel::PaintClient(QPainter& painter, int w, int h) {
  painter.fillRect(QRect(0, 0, w, h + 2), palette().color(QPalette::Window));
  DrawRectWin = DiagramDrawRect(w, h);
  QPainterDC dc(painter);
  TVQRDiagram* d = host_.Diagram();
  if (!d) {
    dc.FillRect(DrawRectWin, kDcWhite);
    return;
  }
  PaintDiagram(*d, dc, DrawRectWin);
}

void TF_SChannel::RenderCache() {
  const int w = std::max(1, width());
  const int h = std::max(1, SB_Single->y());
  const qreal dpr = devicePixelRatioF();
  cache_ = QImage(QSize(w, h) * dpr, QImage::Format_RGB32);
  cache_.setDevicePixelRatio(dpr);
  QPainter painter(&cache_);
  UpdateCaption();
  PaintClient(painter, w, UsableHeight());
  cacheValid_ = true;
  if (const TVQRDiagram* d = host_.Diagram()) {
    frame_ = CaptureCursorFrame(*d);
    DropStaleMarks();
  } else {
    frame_ = TCursorFrame{};
  }
  LayoutOverlay();
}

void TF_SChannel::paintEvent(QPaintEvent*) {
  if (!cacheValid_ || cache_.deviceIndependentSize().toSize() != QSize(width(), SB_Single->y()))
    RenderCache();
  QPainter painter(this);
  painter.drawImage(0, 0, cache_);
  // Under the status bar: the window's own background.
  painter.fillRect(QRect(0, SB_Single->y(), width(), height() - SB_Single->y()),
                   palette().color(QPalette::Window));
  if (Defining) {
    // The rubber band, visible on white and on coloured curves alike.
    const QRect r(FocusRect.left, FocusRect.top, FocusRect.right - FocusRect.left,
                  FocusRect.bottom - FocusRect.top);
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
    cacheValid_ = false;
    update();
  }
  lastSize_ = size();
}

void TF_SChannel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (Defining) EndDefinition();
  SyncZoomState();
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

void TF_SChannel::SyncZoomState() {
  const TVQRDiagram* d = host_.Diagram();
  if (Zoomed && d && !d->ZoomAvailable()) {
    Zoomed = false;
    SetZoomText(kNoZoom);
  }
}

void TF_SChannel::EndDefinition() {
  Defining = false;
  SetZoomText(kNoZoom);
  update();
}

TPoint TF_SChannel::Snap(TPoint& pt) {
  const TVQRDiagram* d = host_.Diagram();
  if (!d) return {};
  return d->SnapToGrid(pt);
}

void TF_SChannel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const QPoint p = event->position().toPoint();
  MousePos = {p.x(), p.y()};
  pressed_ = true;
  pressPos_ = p;
  setFocus(Qt::MouseFocusReason);  // for Esc and "z"
}

void TF_SChannel::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (!Zoomed) {
    if (pressed_ && !dragging_) StartDrag(p);
    MousePos = {p.x(), p.y()};
    DivPos = Snap(MousePos);
    if (Defining && Inside(MousePos, DrawRectWin)) {
      FocusRect = {std::min(Anchor.x, MousePos.x), std::min(Anchor.y, MousePos.y),
                   std::max(Anchor.x, MousePos.x), std::max(Anchor.y, MousePos.y)};
      update();
    }
  }
  MoveCursor(p);
}

bool TF_SChannel::StartDrag(QPoint p) {
  // A drag begun while two clicks define a zoom stays a click.
  const TPoint press{pressPos_.x(), pressPos_.y()};
  if (Defining || !Inside(press, DrawRectWin) ||
      (p - pressPos_).manhattanLength() < QApplication::startDragDistance())
    return false;
  dragging_ = true;
  Anchor = press;
  ZoomStart = Snap(Anchor);
  Defining = true;
  SetZoomText(kDefining);
  FocusRect = {Anchor.x, Anchor.y, Anchor.x + 10, Anchor.y + 10};
  return true;
}

void TF_SChannel::mouseReleaseEvent(QMouseEvent* event) {
  if (dragging_) {
    // The drag's two ends select the zoom as two clicks there would.
    dragging_ = false;
    pressed_ = false;
    const QPoint p = event->position().toPoint();
    MousePos = {p.x(), p.y()};
    DivPos = Snap(MousePos);
    EndDefinition();
    if (Inside(MousePos, DrawRectWin) && TVQRDiagram::ZoomSelection(ZoomStart, DivPos, ZoomSel))
      ApplyZoomSel();
    MoveCursor(p);
    return;
  }
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) FormClick();
  MoveCursor(event->position().toPoint());
}

void TF_SChannel::FormClick() {
  if (Zoomed) return;
  DivPos = Snap(MousePos);
  if (!Inside(MousePos, DrawRectWin)) return;
  if (!Defining) {
    Defining = true;
    ZoomStart = DivPos;
    SetZoomText(kDefining);
    Anchor = MousePos;
    FocusRect = {MousePos.x, MousePos.y, MousePos.x + 10, MousePos.y + 10};
    update();
    return;
  }
  EndDefinition();
  if (TVQRDiagram::ZoomSelection(ZoomStart, DivPos, ZoomSel)) ApplyZoomSel();
}

void TF_SChannel::ApplyZoomSel() {
  Zoomed = true;
  Defining = false;
  SetZoomText(kZoom);
  if (TVQRDiagram* d = host_.Diagram()) d->SetZoom(ZoomSel);
  host_.RefreshDiagramWindow();
}

void TF_SChannel::Unzoom() {
  if (!Zoomed) return;
  Zoomed = false;
  Defining = false;
  SetZoomText(kNoZoom);
  if (TVQRDiagram* d = host_.Diagram()) d->ResetZoom();
  host_.RefreshDiagramWindow();
}

void TF_SChannel::ToggleZoom() {
  TVQRDiagram* d = host_.Diagram();
  if (!d || !d->RestoreZoom()) {
    host_.Beep();
    return;
  }
  Zoomed = true;
  Defining = false;
  SetZoomText(kZoom);
  host_.RefreshDiagramWindow();
}

void TF_SChannel::keyPressEvent(QKeyEvent* event) {
  if (Defining && event->key() == Qt::Key_Escape) {
    // A drag dropped by Esc ends with nothing when the button is let go.
    dragging_ = pressed_ = false;
    EndDefinition();
    MoveCursor(mapFromGlobal(QCursor::pos()));
    return;
  }
  if (event->key() == Qt::Key_Escape && (marks_.MarkA || marks_.MarkB)) {
    ClearMarks();
    return;
  }
  if (event->text() == "m" || event->text() == "M") {
    SetMark();
    return;
  }
  if (event->text() == "z" || event->text() == "Z") {
    SyncZoomState();
    if (Zoomed)
      Unzoom();
    else
      ToggleZoom();
    return;
  }
  if (event->matches(QKeySequence::Copy)) {
    CopyToClipboard();
    return;
  }
  if ((event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) &&
      (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0) {
    const int step = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    StepCursor(event->key() == Qt::Key_Left ? -step : step);
    return;
  }
  QWidget::keyPressEvent(event);
}

void TF_SChannel::StatusPanelClicked(int panel) {
  switch (panel) {
    case 0:
      host_.PostPrintRequest();
      break;
    case 2:
      SyncZoomState();
      if (Zoomed)
        Unzoom();
      else
        ToggleZoom();
      break;
    default:
      break;
  }
}

void TF_SChannel::contextMenuEvent(QContextMenuEvent* event) {
  if (!host_.Diagram()) return;
  MoveCursor(event->pos());
  menuSample_ = marks_.Cursor;
  popup_->popup(event->globalPos());
}

void TF_SChannel::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (marks_.Cursor && !popup_->isVisible()) {
    marks_.Cursor = 0;
    RelayoutOverlay();
  }
}

void TF_SChannel::MoveCursor(QPoint p) {
  const TVQRDiagram* d = host_.Diagram();
  const TRect& r = frame_.PlotRect;
  const bool over = d && cacheValid_ && p.x() >= r.left && p.x() <= r.right && p.y() >= r.top &&
                    p.y() <= r.bottom;
  const int sample = over ? SampleAtX(frame_, p.x()) : 0;
  TCursorMarks next = marks_;
  next.Cursor = sample;
  next.Band = Defining && d;
  if (next.Band) {
    next.BandFrom = d->AxisValue(0, std::abs(ZoomStart.x));
    next.BandTo = d->AxisValue(0, std::abs(DivPos.x));
  }
  if (next.Cursor == marks_.Cursor && next.Band == marks_.Band &&
      next.BandFrom == marks_.BandFrom && next.BandTo == marks_.BandTo)
    return;
  marks_ = next;
  RelayoutOverlay();
}

void TF_SChannel::StepCursor(int samples) {
  if (!cacheValid_ && host_.Diagram()) RenderCache();
  const TRect& r = frame_.PlotRect;
  const int n = static_cast<int>(frame_.SampleX.size()) - 1;
  auto onPlot = [&](int i) {
    return i >= 1 && i <= n && frame_.SampleX[i] >= r.left && frame_.SampleX[i] <= r.right;
  };
  int i = marks_.Cursor;
  if (!onPlot(i)) {
    i = SampleAtX(frame_, (r.left + r.right) / 2);
  } else {
    const int dir = samples < 0 ? -1 : 1;
    for (int k = 0; k < std::abs(samples) && onPlot(i + dir); ++k) i += dir;
  }
  if (Defining || !onPlot(i)) {
    host_.Beep();
    return;
  }
  if (i == marks_.Cursor) return;
  marks_.Cursor = i;
  RelayoutOverlay();
}

void TF_SChannel::LayoutOverlay() {
  const TVQRDiagram* d = host_.Diagram();
  if (!d || !cacheValid_) {
    readout_ = TCursorReadout{};
    return;
  }
  QPainter painter(&scratch_);
  QPainterDC dc(painter);
  // Numbers as "Messwerte" writes them: in the program's locale.
  readout_ = LayoutCursorReadout(*d, frame_, marks_, dc, QLocale().decimalPoint().toStdString());
}

void TF_SChannel::RelayoutOverlay() {
  // Only what the overlay covered and covers is painted again, from the cache.
  const QRect before = ToQRect(readout_.Bounds());
  LayoutOverlay();
  const QRect after = ToQRect(readout_.Bounds());
  if (!before.isEmpty()) update(before);
  if (!after.isEmpty()) update(after);
}

void TF_SChannel::SetMark() { SetMarkAt(marks_.Cursor); }

void TF_SChannel::SetMarkAt(int sample) {
  if (marks_.MarkA && marks_.MarkB) {
    ClearMarks();
    return;
  }
  const TVQRDiagram* d = host_.Diagram();
  if (!d || sample <= 0) {
    host_.Beep();
    return;
  }
  marksFitted_ = d->Data().AxesFitted;
  if (!marks_.MarkA) {
    marks_.MarkA = sample;
    RelayoutOverlay();
    return;
  }
  marks_.MarkB = sample;
  RelayoutOverlay();
  ShowMeasurements();
}

void TF_SChannel::ClearMarks() {
  marks_.MarkA = marks_.MarkB = 0;
  RelayoutOverlay();
  if (measurements_->isVisible()) ShowMeasurements();
}

void TF_SChannel::ShowMeasurements() {
  const TVQRDiagram* d = host_.Diagram();
  if (!d) {
    host_.Beep();
    return;
  }
  DropStaleMarks();
  measurements_->ShowRange(*d, marks_.MarkA, marks_.MarkB, host_.RecordingName());
  if (!measurements_->isVisible()) measurements_->PlaceBeside(*this);
  measurements_->show();
  measurements_->raise();
}

void TF_SChannel::CopyToClipboard() {
  if (!host_.Diagram()) return;
  QImage image(width(), SB_Single->y(), QImage::Format_RGB32);
  {
    QPainter painter(&image);
    PaintClient(painter, image.width(), UsableHeight());
  }
  QApplication::clipboard()->setImage(image);
}

bool TF_SChannel::SaveImage(const QString& path, int* errorNumber) {
  // The client above the status bar as on the screen, painted into memory
  // first: a failed write keeps an older picture.
  TVQRDiagram* d = host_.Diagram();
  if (!d) return false;
  DrawRectWin = DiagramDrawRect(width(), UsableHeight());
  return SaveDiagramPicture(*d, path, width(), SB_Single->y(), DrawRectWin,
                            palette().color(QPalette::Window), windowTitle(), nullptr, errorNumber);
}

void TF_SChannel::SaveImageAs() {
  // Named after the window, beside the recording where the user may write.
  const QString proposed = ProposedOutputPath(host_.RecordingPath(), windowTitle() + ".png");
  QString path;
  if (ChooseImageFile) {
    path = ChooseImageFile(proposed);
  } else {
    QString selected;
    path = QFileDialog::getSaveFileName(this, "Als Bild speichern", proposed,
                                        "PNG-Bild (*.png);;SVG-Grafik (*.svg)", &selected);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
      path += selected.startsWith("SVG") ? ".svg" : ".png";
  }
  if (path.isEmpty()) return;
  int code = 0;
  if (SaveImage(path, &code)) return;
  host_.ShowStatus("Error writing image file!");
  QMessageBox box(QMessageBox::Critical, "Fehler", WriteFailureText(path, code), QMessageBox::Ok,
                  this);
  box.setObjectName("WriteFailureBox");
  box.exec();
}
