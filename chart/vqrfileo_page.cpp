// Page set-up of the processing object: binding a drawing to a device
// rectangle and scaling the 0.1 mm page onto the screen, printer or preview.

#include <algorithm>

#include "chart/drawmath.h"
#include "chart/vqrplotter.h"
#include "data/vqrfileo.h"

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

void TVqrDataObjectNew::SetPrintMode(bool printing, const TRect& previewRect) {
  Printing = printing;
  PreviewActive = false;
  if (printing) {
    PreviewRect = previewRect;
    PreviewActive = previewRect.right >= 1 && previewRect.bottom >= 1;
  }
}

void TVqrDataObjectNew::BeginDraw(IDeviceContext& canvas, const TRect& rect, bool mirror) {
  if (!Plotter) Plotter = std::make_shared<TVQRPlotter>();
  Canvas = &canvas;
  Plotter->SetDC(&canvas);

  const int64_t width = static_cast<int64_t>(rect.right) - rect.left;
  const int64_t height = static_cast<int64_t>(rect.bottom) - rect.top;
  Landscape = width > height;
  const TPrinterFactors& f = Landscape ? PrintOptions.Landscape : PrintOptions.Portrait;
  DrawRect = rect;

  // A fixed factor maps the page at true size times the factor; a factor of
  // 0 (or nonsense: negative, unreadable resolution) fits the page instead.
  ScaleX = 0.0f;
  if (Printing) {
    DpiX = canvas.DpiX();
    ScaleX = ToFloat(static_cast<double>(DpiX) * f.FixedFactorX / 254.0);
  }
  if (!(ScaleX > 0.0f)) ScaleX = FitScale(vqrdraw::ClampI(width), kPageWidth);
  ScaleY = 0.0f;
  if (Printing) {
    DpiY = canvas.DpiY();
    ScaleY = ToFloat(static_cast<double>(DpiY) * f.FixedFactorY / 254.0);
  }
  if (!(ScaleY > 0.0f)) ScaleY = FitScale(vqrdraw::ClampI(height), kPageHeight);

  if (Printing && ScaleX > 0.0f) {
    if (f.MinYtoX > 0.0f && ScaleY / ScaleX < f.MinYtoX) ScaleX = ToFloat(ScaleY / f.MinYtoX);
    if (ScaleX > 0.0f && f.MaxYtoX > 0.0f && ScaleY / ScaleX > f.MaxYtoX)
      ScaleY = ToFloat(static_cast<double>(ScaleX) * f.MaxYtoX);
  }

  Plotter->SetScale(0, 0, 1.0f);
  if (Printing && PreviewActive) {
    PreviewScale = ToFloat(SafeDiv(static_cast<double>(PreviewRect.right) - PreviewRect.left,
                                   static_cast<double>(width)));
    Plotter->SetScale(PreviewRect.left, PreviewRect.top, PreviewScale);
  }

  AllBlackActive = false;
  if (Printing) {
    // Borders only move the page inside the paper; too large ones collapse
    // the rectangle to a line at its left or top edge.
    DrawRect.left = AddI(DrawRect.left, RoundI(static_cast<double>(Layout.BorderLeft) * ScaleX));
    DrawRect.right =
        AddI(DrawRect.right, -static_cast<int64_t>(RoundI(Layout.BorderRight * double{ScaleX})));
    if (DrawRect.left > DrawRect.right) DrawRect.right = DrawRect.left;
    DrawRect.top = AddI(DrawRect.top, RoundI(static_cast<double>(Layout.BorderTop) * ScaleY));
    DrawRect.bottom =
        AddI(DrawRect.bottom, -static_cast<int64_t>(RoundI(Layout.BorderBottom * double{ScaleY})));
    if (DrawRect.top > DrawRect.bottom) DrawRect.bottom = DrawRect.top;
    AllBlackActive = PrintOptions.AllBlack;
  }

  OriginX = PageToDeviceX(Layout.DataStartX);
  OriginY = PageToDeviceY(Layout.DataStartY);
  MeanScale = ToFloat((static_cast<double>(ScaleX) + ScaleY) / 2.0);
  if (mirror)
    Plotter->SetMirror(vqrdraw::ClampI((static_cast<int64_t>(DrawRect.bottom) + DrawRect.top) /
                                       2));  // truncates towards 0
}

void TVqrDataObjectNew::EndDraw() {
  if (Plotter) Plotter->SetDC(nullptr);
  Canvas = nullptr;
}

int TVqrDataObjectNew::PageToDeviceX(int x) const {
  return AddI(DrawRect.left, RoundI(static_cast<double>(x) * ScaleX));
}

int TVqrDataObjectNew::PageToDeviceY(int y) const {
  return AddI(DrawRect.top, RoundI(static_cast<double>(y) * ScaleY));
}

void TVqrDataObjectNew::ApplyPen(const TPenRec& pen) {
  if (!Plotter) return;
  TPenRec copy = pen;
  copy.Width = std::max(1, RoundI(static_cast<double>(pen.Width) * MeanScale));
  if (AllBlackActive) copy.Color = 0;
  Plotter->SetPen(copy);
}

void TVqrDataObjectNew::ApplyFont(const TFontRec& font) {
  if (!Plotter) return;
  TFontRec copy = font;
  copy.Size = std::max(1, RoundI(static_cast<double>(font.Size) * MeanScale));
  if (AllBlackActive) copy.Color = 0;
  Plotter->SetFont(copy);
}
