#include "gui/print/PrPreview.h"

#include <QPainter>
#include <QPushButton>

#include "chart/drawmath.h"
#include "chart/qt/qpainterdc.h"
#include "chart/vqrdiagram.h"

using vqrdraw::RoundI;

namespace {

// A margin of less than 3 pixels would glue the page to the edge: 8 instead.
int32_t Margin(int32_t extent) {
  const int32_t m = RoundI(extent * 0.05);
  return m < 3 ? 8 : m;
}

QRect ToQRect(const TRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

}  // namespace

TPreviewRects PreviewLayout(int32_t clientWidth, int32_t buttonTop, int32_t pageWidth,
                            int32_t pageHeight) {
  const int32_t w = clientWidth;
  const int32_t h = buttonTop - 10;
  const int32_t mx = Margin(w);
  const int32_t my = Margin(h);
  TPreviewRects r;
  r.FrameRect = {mx, my, w - mx, h - my};
  const int32_t frameW = r.FrameRect.right - r.FrameRect.left;
  const int32_t frameH = r.FrameRect.bottom - r.FrameRect.top;
  if (pageWidth <= 0 || pageHeight <= 0) {
    r.PageRect = {r.FrameRect.left, r.FrameRect.top, r.FrameRect.left, r.FrameRect.top};
    return r;
  }
  // The factor is kept in single precision, as the page arithmetic of the
  // diagram does.
  const float fx = static_cast<float>(static_cast<double>(frameW) / pageWidth);
  const float fy = static_cast<float>(static_cast<double>(frameH) / pageHeight);
  const float f = fx < fy ? fx : fy;
  const int32_t pw = RoundI(static_cast<double>(pageWidth) * f);
  const int32_t ph = RoundI(static_cast<double>(pageHeight) * f);
  const int32_t dx = (frameW - pw) / 2;
  const int32_t dy = (frameH - ph) / 2;
  r.PageRect = {dx + r.FrameRect.left, dy + r.FrameRect.top, dx + pw + r.FrameRect.left,
                dy + ph + r.FrameRect.top};
  return r;
}

TFr_PrPreview::TFr_PrPreview(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint) {
  setObjectName("Fr_PrPreview");
  setWindowTitle(tr("Druck Vorschau"));
  setFixedSize(184, 227);
  // The face colour of the buttons as background.
  QPalette p = palette();
  p.setColor(QPalette::Window, p.color(QPalette::Button));
  setPalette(p);
  setAutoFillBackground(true);

  Bt_PPrev_Ok = new QPushButton(tr("Ok"), this);
  Bt_PPrev_Ok->setObjectName("Bt_PPrev_Ok");
  Bt_PPrev_Ok->setGeometry(10, 195, 75, 25);
  Bt_PPrev_Ok->setDefault(true);
  connect(Bt_PPrev_Ok, &QPushButton::clicked, this, [this]() { done(kOk); });
  Bt_PPrev_Cancel = new QPushButton(tr("Abbrechen"), this);
  Bt_PPrev_Cancel->setObjectName("Bt_PPrev_Cancel");
  Bt_PPrev_Cancel->setGeometry(100, 195, 75, 25);
  connect(Bt_PPrev_Cancel, &QPushButton::clicked, this, [this]() { done(kCancel); });
}

void TFr_PrPreview::SetPage(TVQRDiagram* diagram, int32_t pageWidth, int32_t pageHeight,
                            int32_t dpiX, int32_t dpiY) {
  diagram_ = diagram;
  pageWidth_ = pageWidth;
  pageHeight_ = pageHeight;
  dpiX_ = dpiX;
  dpiY_ = dpiY;
  update();
}

int TFr_PrPreview::Execute() {
  // The close box and Esc reject the dialog: "Abbrechen" as well.
  return exec() == kOk ? kOk : kCancel;
}

void TFr_PrPreview::paintEvent(QPaintEvent*) { FormPaint(); }

void TFr_PrPreview::FormPaint() {
  rects_ = PreviewLayout(width(), Bt_PPrev_Ok->y(), pageWidth_, pageHeight_);
  QPainter painter(this);
  const QRect page = ToQRect(rects_.PageRect);
  if (page.isEmpty()) {
    // No printer page to show: only the room it would take.
    painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
    painter.drawRect(ToQRect(rects_.FrameRect).adjusted(0, 0, -1, -1));
    return;
  }
  painter.fillRect(page, QColor(255, 255, 255));
  if (!diagram_) return;
  // Laid out on the printer page at the printer's resolution, then shrunk
  // into PageRect by the diagram itself.
  QPainterDC dc(painter);
  dc.SetResolution(dpiX_, dpiY_);
  diagram_->SetPrintMode(true, rects_.PageRect);
  diagram_->BeginDraw(dc, TRect{0, 0, pageWidth_, pageHeight_}, true);
  diagram_->DrawAxes();
  diagram_->DrawCurves();
  diagram_->EndDraw();
}
