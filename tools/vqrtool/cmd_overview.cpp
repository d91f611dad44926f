// vqrtool overview: the overview window's 16 thumbnails and scale read-out.
#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "chart/diagrampaint.h"
#include "chart/qt/qpainterdc.h"
#include "command.h"
#include "options.h"
#include "paintfile.h"
#include "session/Session.h"
#include "toolsettings.h"

namespace {

constexpr int kStatusBarHeight = 20;

int Usage(const std::string& why) { return PrintVqrUsageError("overview", why); }

// The window's status bar: "Kombi 1...", "Kombi 2..." and the read-out.
void PaintStatusBar(QPainter& painter, int w, int top, const std::string& readout) {
  const QColor line(160, 160, 160);
  painter.fillRect(QRect(0, top, w, kStatusBarHeight), QColor(0xF0, 0xF0, 0xF0));
  painter.setPen(line);
  painter.drawLine(0, top, w - 1, top);
  QFont font = painter.font();
  font.setPixelSize(12);
  painter.setFont(font);
  const QRect panels[] = {QRect(0, top + 1, 70, kStatusBarHeight - 1),
                          QRect(70, top + 1, 70, kStatusBarHeight - 1),
                          QRect(140, top + 1, std::max(0, w - 140), kStatusBarHeight - 1)};
  painter.drawLine(70, top + 3, 70, top + kStatusBarHeight - 3);
  painter.drawLine(140, top + 3, 140, top + kStatusBarHeight - 3);
  painter.setPen(Qt::black);
  painter.drawText(panels[0], Qt::AlignCenter, "Kombi 1...");
  painter.drawText(panels[1], Qt::AlignCenter, "Kombi 2...");
  painter.drawText(panels[2].adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromStdString(readout));
}

int RunOverview(const std::vector<std::string>& args) {
  const TArgs a = ParseArgs(kOverviewArgs, args);
  if (!ArgsTaken(a)) return PrintVqrUsage();
  const std::string& input = a.Inputs[0];
  const std::string out = a.Text("-o");
  const TToolSettingsOptions settings = a.Settings();
  const std::vector<int> size = a.Numbers<int>("--size");
  const int w = size.empty() ? 600 : size[0], h = size.empty() ? 400 : size[1];
  const bool curve = a.Given("--curve");
  if (out.empty()) return Usage("no output given (-o OUT.png)");
  if (!IsPaintableFile(out)) return Usage("the output must end in .png, .svg or .pdf: " + out);
  if (const auto replaced = InputNamedBy(out, FilesRead({input}, settings)))
    return Usage("the output would replace the input " + *replaced);
  // The window keeps its size between 300 x 200 and 900 x 600.
  const int cw = std::clamp(w, 300, 900);
  const int ch = std::clamp(h, 200, 600);
  if (cw != w || ch != h)
    std::fprintf(stderr, "vqrtool overview: size limited to %dx%d as in the window\n", cw, ch);

  if (const char* conflict = SettingsArgsConflict(settings)) return Usage(conflict);
  const auto table = LoadToolSettingsFor("overview", settings);
  if (!table) return kExitOpenFailed;
  TVQRSession session(table->Table.get());
  if (const TLoadStatus status = LoadRecording(session, input); status != TLoadStatus::Ok)
    return static_cast<int>(status);
  TOverviewCells cells;
  const int statusTop = ch - kStatusBarHeight;
  LayoutOverviewCells(cw, statusTop, cells);
  ComputeOverviewCells(session.Diagram(), cells);
  const std::string readout = OverviewReadout(session.Diagram());

  EnsureGuiApplication();
  std::string error;
  const bool ok = PaintToFile(
      out, cw, ch, ToQColor(kWindowBackground),
      [&](QPainter& painter) {
        {
          QPainterDC dc(painter);
          PaintOverview(dc, cells, curve);
        }
        PaintStatusBar(painter, cw, statusTop, readout);
      },
      &error);
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write the picture (%s)\n", out.c_str(), error.c_str());
    return kExitWriteFailed;
  }
  std::printf("%s\n", readout.c_str());
  return kExitOk;
}

const bool registered = RegisterVqrCommand(
    {"overview",
     "overview FILE.DAT -o OUT.png|.svg|.pdf [--size WxH] [--curve]\n"
     "      [--ini FILE] [--public FILE] [--defaults]\n"
     "      (the overview window's client area, 300x200 .. 900x600, default 600x400)",
     &RunOverview});

}  // namespace
