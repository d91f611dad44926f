// vqrtool render: the channel window's diagram of a recording as a picture.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/qt/picturefile.h"
#include "chart/vqrdiagram.h"
#include "command.h"
#include "compare.h"
#include "cursoroption.h"
#include "data/numtext.h"
#include "paintfile.h"
#include "session/Session.h"
#include "toolsettings.h"

namespace {

int Usage(const char* why, const std::string& what = "") {
  std::fprintf(stderr, "vqrtool render: %s%s\n", why, what.c_str());
  return PrintVqrUsage();
}

bool ParseZoom(const std::string& s, TZoomSel& sel) {
  int v[4];
  size_t start = 0;
  for (int k = 0; k < 4; ++k) {
    const size_t comma = k < 3 ? s.find(',', start) : s.size();
    if (comma == std::string::npos) return false;
    if (!WholeIntFromText(s.substr(start, comma - start), v[k])) return false;
    start = comma + 1;
  }
  sel = {v[0], v[1], v[2], v[3]};
  return true;
}

int RunRender(const std::vector<std::string>& args) {
  std::string input, out;
  TToolSettingsOptions settings;
  int mode = 0;
  int w = 1200, h = 800;
  bool zero = false;
  std::vector<int> smooth;
  bool zoom = false;
  TZoomSel sel;
  std::vector<double> cursor;
  std::vector<std::string> compared;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const TSettingsArg taken = TakeSettingsArg(args, i, settings);
    if (taken == TSettingsArg::Taken) continue;
    if (taken == TSettingsArg::MissingValue) return Usage("missing value after ", a);
    if (const TCompareArg c = TakeCompareArg(args, i, compared); c != TCompareArg::NotOne) {
      if (const char* error = CompareArgError(c)) return Usage(error);
      continue;
    }
    if (a == "--zero") {
      zero = true;
      continue;
    }
    if (a == "-o" || a == "--window" || a == "--size" || a == "--smooth" || a == "--zoom" ||
        a == "--cursor") {
      if (i + 1 >= args.size()) return Usage("missing value after ", a);
      const std::string& v = args[++i];
      if (a == "-o") {
        out = v;
      } else if (a == "--window") {
        if (!WholeIntFromText(v, mode) || mode < 1 || mode == 17 || mode > 19)
          return Usage("--window takes 1..16, 18 or 19, not ", v);
      } else if (a == "--size") {
        if (!ParseSize(v, w, h)) return Usage("--size takes WxH (1..20000), not ", v);
      } else if (a == "--smooth") {
        if (!TakeSmoothValue("render", v, smooth)) return PrintVqrUsage();
      } else if (a == "--cursor") {
        if (!ParseCursorHours(v, cursor))
          return Usage("--cursor takes H or H,H2 in hours, not ", v);
      } else {
        if (!ParseZoom(v, sel)) return Usage("--zoom takes X1,Y1,X2,Y2 in divisions, not ", v);
        zoom = true;
      }
    } else if (a.size() > 1 && a[0] == '-') {
      return Usage("unknown option ", a);
    } else if (input.empty()) {
      input = a;
    } else {
      return Usage("more than one input file: ", a);
    }
  }
  if (input.empty()) return Usage("no input file");
  if (out.empty()) return Usage("no output given (-o OUT.png|.svg|.pdf)");
  if (!IsPaintableFile(out)) return Usage("the output must end in .png, .svg or .pdf: ", out);
  if (const auto replaced = InputNamedBy(out, FilesRead({input}, settings, compared)))
    return Usage("the output would replace the input ", *replaced);

  if (const char* conflict = SettingsArgsConflict(settings)) return Usage(conflict);
  const auto table = LoadToolSettingsFor("render", settings);
  if (!table) return kExitOpenFailed;
  TVQRSession session(table->Table.get());
  if (const TLoadStatus status = LoadRecording(session, input); status != TLoadStatus::Ok)
    return static_cast<int>(status);
  const int compareStatus = LoadCompared(session, compared);
  for (int n : smooth) session.Smooth(n);
  session.SetZeroPoint(zero);
  const TVqrDataObjectNew& d = session.Data();
  if (zoom) {
    // Grid crossings of the diagram only: the corners lie on its divisions.
    const int32_t nx = d.TimeAxis.Divisions, ny = d.ValueAxis.Divisions;
    auto within = [](int32_t v, int32_t n) { return v >= 0 && v <= n; };
    if (!within(sel.xFrom, nx) || !within(sel.xTo, nx) || !within(sel.yFrom, ny) ||
        !within(sel.yTo, ny))
      return Usage("--zoom takes time divisions 0..",
                   std::to_string(nx) + " and value divisions 0.." + std::to_string(ny));
  }

  if (mode == 0) mode = kCombi1Mode;
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

const bool registered =
    RegisterVqrCommand({"render",
                        "render FILE.DAT -o OUT.png|.svg|.pdf [--window 1..16|18|19] [--size WxH]\n"
                        "      [--zero] [--smooth N]... [--zoom X1,Y1,X2,Y2] [--cursor H[,H2]]\n"
                        "      [--compare B.DAT...]\n"
                        "      [--ini FILE] [--public FILE] [--defaults]\n"
                        "      (the channel window's diagram; default combination 1, 1200x800;\n"
                        "      --compare draws up to 7 further recordings beside it)",
                        &RunRender});

}  // namespace
