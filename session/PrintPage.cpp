// The printed page, shared by the program's print command and vqrtool.

#include "chart/diagramsettings.h"
#include "chart/vqrdiagram.h"
#include "data/vqrtypes.h"
#include "session/Session.h"
#include "settings/settings.h"

const TPrintOptions& TVQRSession::PreparePrint() {
  diagram_->SetDefaults(true, false, true);
  if (settings_) {
    TakeDiagramLayout(*settings_, diagram_->Layout());
    TakePrinterSettings(*settings_, diagram_->PrintOptions());
  }
  diagram_->SetLimits(Limits());
  return diagram_->PrintOptions();
}

void TVQRSession::PrintPage(IDeviceContext& canvas, const TRect& page, IPrintDecoration* decor) {
  diagram_->SetPrintMode(true, TRect{0, 0, 0, 0});
  if (decor) decor->DrawBackgrounds(*meta_, page);
  diagram_->BeginDraw(canvas, page, true);
  if (decor && settings_) {
    // Millimetres into page units as every length of the settings, so that
    // far-out values wrap the same way as the borders do.
    const int32_t x =
        diagram_->PageToDeviceX(TVQRShowSettings::PageUnits(settings_->LogoStartX->GetInteger(1)));
    const int32_t y =
        diagram_->PageToDeviceY(TVQRShowSettings::PageUnits(settings_->LogoStartY->GetInteger(1)));
    const double scale = settings_->LogoScale->GetFloat(1);
    decor->DrawLogo(x, y, static_cast<float>(scale * diagram_->DpiX() / 100.0),
                    static_cast<float>(scale * diagram_->DpiY() / 100.0));
  }
  diagram_->DrawAxes();
  diagram_->DrawCurves();
  diagram_->EndDraw();
}
