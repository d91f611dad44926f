// The printed page, shared by the program's print command and vqrtool.

#include "chart/diagramsettings.h"
#include "chart/pageheader.h"
#include "chart/vqrdiagram.h"
#include "data/vqrtypes.h"
#include "session/Session.h"
#include "settings/settings.h"

const TPrintOptions& TVQRSession::PreparePrint() {
  TVQRDiagram& diagram = PrintedDiagram();
  diagram.SetDefaults(true, false, true);
  if (settings_) {
    TakeDiagramLayout(*settings_, diagram.Layout());
    TakePrinterSettings(*settings_, diagram.PrintOptions());
  }
  diagram.SetLimits(Limits());
  return diagram.PrintOptions();
}

void TVQRSession::PrintPage(IDeviceContext& canvas, const TRect& page, IPrintDecoration* decor) {
  PrintPage(canvas, page, decor, nullptr, {});
}

void TVQRSession::PrintPage(IDeviceContext& canvas, const TRect& page, IPrintDecoration* decor,
                            const TPageHeader* header,
                            const std::function<void(IDeviceContext&)>& body) {
  TVQRDiagram& diagram = PrintedDiagram();
  diagram.SetPrintMode(true, TRect{0, 0, 0, 0});
  if (decor) decor->DrawBackgrounds(*meta_, page);
  diagram.BeginDraw(canvas, page, true);
  if (decor && settings_) {
    // Millimetres into page units as every length of the settings, so that
    // far-out values wrap the same way as the borders do.
    const int32_t x =
        diagram.PageToDeviceX(TVQRShowSettings::PageUnits(settings_->LogoStartX->GetInteger(1)));
    const int32_t y =
        diagram.PageToDeviceY(TVQRShowSettings::PageUnits(settings_->LogoStartY->GetInteger(1)));
    const double scale = settings_->LogoScale->GetFloat(1);
    decor->DrawLogo(x, y, static_cast<float>(scale * diagram.DpiX() / 100.0),
                    static_cast<float>(scale * diagram.DpiY() / 100.0));
  }
  if (body) {
    body(canvas);
  } else {
    diagram.DrawAxes();
    diagram.DrawCurves();
  }
  diagram.EndDraw();
  if (header) {
    // Across the page inside the borders, where the diagram's frame begins:
    // a frame moved sideways to keep its texts on the paper would take the
    // line off it.
    const TRect border = PageBorderFrame(diagram, page);
    const TRect drawn = diagram.DrawRect();
    DrawPageHeader(canvas, TRect{border.left, drawn.top, border.right, drawn.bottom}, *header);
  }
}
