// Page set-up of the diagram: binding a drawing to a device
// rectangle and scaling the 0.1 mm page onto the screen, printer or preview.

#include <algorithm>

#include "chart/drawmath.h"
#include "chart/vqrdiagram.h"
#include "chart/vqrplotter.h"

using vqrdraw::AddI;
using vqrdraw::RoundI;
using vqrdraw::SafeDiv;
using vqrdraw::ToFloat;

namespace {
constexpr double kPageWidth = 2870.0;
constexpr double kPageHeight = 1990.0;

// Device pixels per page unit that fit the reference page into extent
// pixels (one pixel less, so the far edge stays on the device).
float FitScale(int32_t extent, double pageUnits) {
  const double s = (static_cast<double>(extent) - 1.0) / pageUnits;
  return s > 0.0 ? ToFloat(s) : 0.0f;
}
}  // namespace

TVQRDiagram::TVQRDiagram(TVqrDataObjectNew& data) : TVQRDiagram(data, data.Axes()) {}

TVQRDiagram::TVQRDiagram(TVqrDataObjectNew& data, TVQRAxes& axes) : data_(data), axes_(axes) {
  fits_ = axes_.Subscribe([this](TAxesChange change) {
    if (change == TAxesChange::Fitted) zoomAvailable_ = false;
  });
}
TVQRDiagram::~TVQRDiagram() = default;

void TVQRDiagram::SetDefaults(bool layout, bool pens, bool printOptions) {
  if (layout) layout_ = MakeDefaultLayout();
  if (pens) pens_.fill(TPenRec{});
  if (printOptions) printOptions_ = TPrintOptions{};
}

void TVQRDiagram::SetPrintMode(bool printing, const TRect& previewRect) {
  printing_ = printing;
  previewActive_ = false;
  if (printing) {
    previewRect_ = previewRect;
    previewActive_ = previewRect.right >= 1 && previewRect.bottom >= 1;
  }
}

void TVQRDiagram::BeginDraw(IDeviceContext& canvas, const TRect& rect, bool mirror) {
  if (!plotter_) plotter_ = std::make_shared<TVQRPlotter>();
  canvas_ = &canvas;
  plotter_->SetDC(&canvas);
  paper_ = rect;
  mirror_ = mirror;
  unitShift_.fill(0);
  unitDrawn_.fill(false);
  fontFactor_ = 1.0;

  const int64_t width = static_cast<int64_t>(rect.right) - rect.left;
  const int64_t height = static_cast<int64_t>(rect.bottom) - rect.top;
  landscape_ = width > height;
  const TPrinterFactors& f = landscape_ ? printOptions_.Landscape : printOptions_.Portrait;
  drawRect_ = rect;

  // A fixed factor maps the page at true size times the factor; a factor of
  // 0 (or nonsense: negative, unreadable resolution) fits the page instead.
  scaleX_ = 0.0f;
  if (printing_) {
    dpiX_ = canvas.DpiX();
    scaleX_ = ToFloat(static_cast<double>(dpiX_) * f.FixedFactorX / 254.0);
  }
  if (!(scaleX_ > 0.0f)) scaleX_ = FitScale(vqrdraw::ClampI(width), kPageWidth);
  scaleY_ = 0.0f;
  if (printing_) {
    dpiY_ = canvas.DpiY();
    scaleY_ = ToFloat(static_cast<double>(dpiY_) * f.FixedFactorY / 254.0);
  }
  if (!(scaleY_ > 0.0f)) scaleY_ = FitScale(vqrdraw::ClampI(height), kPageHeight);

  if (printing_ && scaleX_ > 0.0f) {
    if (f.MinYtoX > 0.0f && scaleY_ / scaleX_ < f.MinYtoX) scaleX_ = ToFloat(scaleY_ / f.MinYtoX);
    if (scaleX_ > 0.0f && f.MaxYtoX > 0.0f && scaleY_ / scaleX_ > f.MaxYtoX)
      scaleY_ = ToFloat(static_cast<double>(scaleX_) * f.MaxYtoX);
  }

  plotter_->SetScale(0, 0, 1.0f);
  if (printing_ && previewActive_) {
    previewScale_ = ToFloat(SafeDiv(static_cast<double>(previewRect_.right) - previewRect_.left,
                                    static_cast<double>(width)));
    plotter_->SetScale(previewRect_.left, previewRect_.top, previewScale_);
  }

  allBlackActive_ = false;
  if (printing_) {
    // Borders only move the page inside the paper; too large ones collapse
    // the rectangle to a line at its left or top edge.
    drawRect_.left =
        AddI(drawRect_.left, RoundI(static_cast<double>(layout_.BorderLeft) * scaleX_));
    drawRect_.right =
        AddI(drawRect_.right, -static_cast<int64_t>(RoundI(layout_.BorderRight * double{scaleX_})));
    if (drawRect_.left > drawRect_.right) drawRect_.right = drawRect_.left;
    drawRect_.top = AddI(drawRect_.top, RoundI(static_cast<double>(layout_.BorderTop) * scaleY_));
    drawRect_.bottom = AddI(drawRect_.bottom,
                            -static_cast<int64_t>(RoundI(layout_.BorderBottom * double{scaleY_})));
    if (drawRect_.top > drawRect_.bottom) drawRect_.bottom = drawRect_.top;
    allBlackActive_ = printOptions_.AllBlack;
  }

  originX_ = PageToDeviceX(layout_.DataStartX);
  originY_ = PageToDeviceY(layout_.DataStartY);
  meanScale_ = ToFloat((static_cast<double>(scaleX_) + scaleY_) / 2.0);
  if (mirror)
    plotter_->SetMirror(vqrdraw::ClampI((static_cast<int64_t>(drawRect_.bottom) + drawRect_.top) /
                                        2));  // truncates towards 0
  if (printing_) FitPrintedTexts();
}

void TVQRDiagram::EndDraw() {
  if (plotter_) plotter_->SetDC(nullptr);
  canvas_ = nullptr;
}

int TVQRDiagram::PageToDeviceX(int x) const {
  return AddI(drawRect_.left, RoundI(static_cast<double>(x) * scaleX_));
}

int TVQRDiagram::PageToDeviceY(int y) const {
  return AddI(drawRect_.top, RoundI(static_cast<double>(y) * scaleY_));
}

void TVQRDiagram::ApplyPen(const TPenRec& pen) {
  if (!plotter_) return;
  TPenRec copy = pen;
  copy.Width = std::max(1, RoundI(static_cast<double>(pen.Width) * meanScale_));
  if (allBlackActive_) copy.Color = 0;
  plotter_->SetPen(copy);
}

void TVQRDiagram::ApplyFont(const TFontRec& font) { ApplyFontScaled(font, 1.0); }

void TVQRDiagram::ApplyFontScaled(const TFontRec& font, double factor) {
  if (!plotter_) return;
  TFontRec copy = font;
  copy.Size =
      std::max(1, RoundI(static_cast<double>(font.Size) * meanScale_ * factor * fontFactor_));
  if (allBlackActive_) copy.Color = 0;
  plotter_->SetFont(copy);
}
