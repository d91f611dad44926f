#pragma once
// The print preview "Druck Vorschau": the printer page as a white rectangle
// of the page's proportions with the diagram's lines and curves on it, laid
// out exactly as they will be printed (no texts, backgrounds or logo).

#include <QDialog>

#include "data/vqrtypes.h"

class QPushButton;
class TVQRDiagram;

/// The two rectangles of the preview, in client pixels.
struct TPreviewRects {
  TRect FrameRect;  // room for the page: the client above the buttons less a margin
  TRect PageRect;   // the printer page scaled into FrameRect and centred there
};

/// Lays out a page of pageWidth x pageHeight printer pixels in a client
/// clientWidth wide whose buttons start at buttonTop. A page without area
/// (no printer) gives an empty PageRect at the frame's top left corner.
TPreviewRects PreviewLayout(int32_t clientWidth, int32_t buttonTop, int32_t pageWidth,
                            int32_t pageHeight);

class TFr_PrPreview : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;

  explicit TFr_PrPreview(QWidget* parent = nullptr);

  /// What to show: the printer page in device pixels and the printer's
  /// resolution; diagram may be null (then only the page is shown).
  void SetPage(TVQRDiagram* diagram, int32_t pageWidth, int32_t pageHeight, int32_t dpiX,
               int32_t dpiY);
  /// Shows the preview modally: kOk for "Ok", kCancel for "Abbrechen" or
  /// the window's close box.
  int Execute();

  const TPreviewRects& Rects() const { return rects_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void FormPaint();

  QPushButton* Bt_PPrev_Ok = nullptr;
  QPushButton* Bt_PPrev_Cancel = nullptr;
  TVQRDiagram* diagram_ = nullptr;
  int32_t pageWidth_ = 0;
  int32_t pageHeight_ = 0;
  int32_t dpiX_ = 0;
  int32_t dpiY_ = 0;
  TPreviewRects rects_;
};
