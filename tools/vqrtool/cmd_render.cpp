// vqrtool render: the channel window's diagram of a recording as a picture.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QPainter>

#include "chart/cursorpaint.h"
#include "chart/qt/picturefile.h"
#include "chart/qt/qpainterdc.h"
#include "chart/vqrdiagram.h"
#include "command.h"
#include "compare.h"
#include "options.h"
#include "paintfile.h"
#include "rangeargs.h"
#include "session/Session.h"
#include "toolsettings.h"

namespace {

int Usage(const std::string& why) { return PrintVqrUsageError("render", why); }

// The diagram with the channel window's cursor read-out (or its two markers)
// at hours, as SaveDiagramPicture.
bool SaveDiagramPictureWithCursor(TVQRDiagram& diagram, const QString& path, int w, int h,
                                  const std::vector<double>& hours, std::string* error) {
  return WritePictureFile(
      path, w, h, Qt::white, "vqrshow4",
      [&](QPainter& painter) {
        QPainterDC dc(painter);
        PaintDiagramWithCursor(diagram, dc, {0, 0, w, h}, hours.at(0),
                               hours.size() > 1 ? &hours[1] : nullptr);
      },
      error);
}

int RunRender(const std::vector<std::string>& args) {
  const TArgs a = ParseArgs(kRenderArgs, args);
  if (!ArgsTaken(a)) return PrintVqrUsage();
  const std::string& input = a.Inputs[0];
  const std::string out = a.Text("-o");
  const TToolSettingsOptions settings = a.Settings();
  const int mode = a.Int("--window", kCombi1Mode);
  const std::vector<int> size = a.Numbers<int>("--size");
  const int w = size.empty() ? 1200 : size[0], h = size.empty() ? 800 : size[1];
  const std::vector<double> cursor = a.Numbers("--cursor");
  const std::vector<std::string> compared = a.Texts("--compare");
  const std::vector<int> corners = a.Numbers<int>("--zoom");
  const bool zoom = !corners.empty();
  const TZoomSel sel = zoom ? TZoomSel{corners[0], corners[1], corners[2], corners[3]} : TZoomSel{};
  if (out.empty()) return Usage("no output given (-o OUT.png|.svg|.pdf)");
  if (!IsPaintableFile(out)) return Usage("the output must end in .png, .svg or .pdf: " + out);
  if (const auto replaced = InputNamedBy(out, FilesRead({input}, settings, compared)))
    return Usage("the output would replace the input " + *replaced);

  if (const char* conflict = SettingsArgsConflict(settings)) return Usage(conflict);
  const auto table = LoadToolSettingsFor("render", settings);
  if (!table) return kExitOpenFailed;
  TVQRSession session(table->Table.get());
  if (const TLoadStatus status = LoadRecording(session, input); status != TLoadStatus::Ok)
    return static_cast<int>(status);
  const int compareStatus = LoadCompared(session, compared);
  for (int n : a.EachInt("--smooth")) session.Smooth(n);
  session.SetZeroPoint(a.Given("--zero"));
  const TVqrDataObjectNew& d = session.Data();
  if (zoom) {
    // Grid crossings of the diagram only: the corners lie on its divisions.
    const int32_t nx = d.Axes().Time().Divisions, ny = d.Axes().Value().Divisions;
    auto within = [](int32_t v, int32_t n) { return v >= 0 && v <= n; };
    if (!within(sel.xFrom, nx) || !within(sel.xTo, nx) || !within(sel.yFrom, ny) ||
        !within(sel.yTo, ny))
      return Usage("--zoom takes time divisions 0.." + std::to_string(nx) +
                   " and value divisions 0.." + std::to_string(ny));
  }

  // Like the window, a combination without a ticked channel shows no curve.
  if (session.PrepareWindow(mode) == 0)
    std::fprintf(stderr, "vqrtool render: no channel is ticked for combination %d\n",
                 mode - kCombi1Mode + 1);

  if (zoom) {
    // The window's rule for its two clicks.
    TZoomSel z;
    if (TVQRDiagram::ZoomSelection({sel.xFrom, sel.yFrom}, {sel.xTo, sel.yTo}, z))
      session.Diagram().SetZoom(z);
    else
      std::fprintf(stderr, "vqrtool render: zoom narrower than one division ignored\n");
  }
  if (!ApplyTypedRanges(session, a)) return Usage("--range, --values or --temps give no axis");

  EnsureGuiApplication();
  std::string error;
  const bool ok = cursor.empty()
                      ? SaveDiagramPicture(session.Diagram(), QString::fromStdString(out), w, h,
                                           {0, 0, w, h}, Qt::white, "vqrshow4", &error)
                      : SaveDiagramPictureWithCursor(session.Diagram(), QString::fromStdString(out),
                                                     w, h, cursor, &error);
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write the picture (%s)\n", out.c_str(), error.c_str());
    return kExitWriteFailed;
  }
  return compareStatus;
}

const bool registered = RegisterVqrCommand(
    {"render",
     "render FILE.DAT -o OUT.png|.svg|.pdf [--window 1..16|18|19] [--size WxH]\n"
     "      [--zero] [--smooth N]... [--zoom X1,Y1,X2,Y2] [--cursor H[,H2]]\n"
     "      [--range T1,T2] [--values LO,HI] [--temps LO,HI] [--compare B.DAT...]\n"
     "      [--ini FILE] [--public FILE] [--defaults]\n"
     "      (the channel window's diagram; default combination 1, 1200x800;\n"
     "      --compare draws up to 7 further recordings beside it; --range shows hours\n"
     "      T1 to T2, --values and --temps those axes' ranges)",
     &RunRender});

}  // namespace
