// The session's own sequence: what it takes from the settings and when, what
// the gauge sees, and the export mode the settings choose.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "chart/recordingdc.h"
#include "chart/vqrdiagram.h"
#include "core_fixtures.h"
#include "data/processgauge.h"
#include "export/expfile.h"
#include "settings/iniclass.h"
#include "settings/settings.h"

namespace {

class LoggingGauge : public IProcessGauge {
 public:
  void Start(int maximum, const std::string& caption) override {
    log += caption + std::to_string(maximum) + " ";
  }
  void SetPosition(int) override {}
  void StepBy(int) override {}
  void Complete() override { log += "done "; }
  void Finish() override { log += "finish "; }
  std::string log;
};

// A read-only settings table over an INI text (built-in values for "").
struct Table {
  explicit Table(const std::string& text = "") {
    ini.ReadOnly = true;
    if (!text.empty()) {
      WriteBytes(dir.File("t.INI"), std::vector<uint8_t>(text.begin(), text.end()));
      ini.IniFileName = dir.File("t.INI");
    }
    table = std::make_unique<TVQRShowSettings>(&ini);
    table->LoadAll();
  }
  TempDir dir;
  TZTIniClass ini;
  std::unique_ptr<TVQRShowSettings> table;
};

TEST(Session, LoadTakesTheSettingsOnceTheFileOpened) {
  TempDir dir;
  const std::vector<uint8_t> good = SimpleFile(5);
  WriteBytes(dir.File("good.DAT"), good);
  WriteBytes(dir.File("bad.DAT"), {1, 2, 3});
  const struct {
    std::string file;
    TLoadStatus status;
    std::string gauge;
    bool layoutTaken;
  } cases[] = {
      {"missing.DAT", TLoadStatus::OpenFailed, "", false},
      {"bad.DAT", TLoadStatus::NotDecoded, "Lesen:3 done ", true},
      {"good.DAT", TLoadStatus::Ok, "Lesen:" + std::to_string(good.size()) + " done ", true}};
  for (const auto& c : cases) {
    Table t("[Axis1]\nMaxHour=24\n[Legend]\nTitle=Probe\n");
    LoggingGauge gauge;
    TVQRSession session(t.table.get(), &gauge);
    EXPECT_EQ(session.Load(dir.File(c.file)), c.status) << c.file;
    EXPECT_EQ(gauge.log, c.gauge) << c.file;
    EXPECT_EQ(session.Data().Axes().Scaling().MaxHour, 24) << c.file;
    EXPECT_EQ(session.Diagram().Layout().Legend.Title == "Probe", c.layoutTaken) << c.file;
  }
}

TEST(Session, WindowCurvesAndExportModeFollowTheSettings) {
  TVQRSession bare;
  EXPECT_EQ(bare.PrepareWindow(3), 1);
  EXPECT_EQ(bare.PrepareWindow(kCombi1Mode), 0);
  EXPECT_EQ(AsciiModeFromSettings(nullptr), TAsciiMode::Calibrated);

  Table t("[CombiWindow2]\nVisibleCh4=ON\nVisibleCh17=ON\n");
  TVQRSession session(t.table.get());
  EXPECT_EQ(session.PrepareWindow(kCombi2Mode), 2);
  EXPECT_EQ(session.PrepareWindow(kCombi1Mode), 0);

  // Parameters before raw data before calibrated values.
  const struct {
    bool raw, params;
    TAsciiMode mode;
  } modes[] = {{false, false, TAsciiMode::Calibrated},
               {true, false, TAsciiMode::Raw},
               {false, true, TAsciiMode::CalParams},
               {true, true, TAsciiMode::CalParams}};
  for (const auto& m : modes) {
    t.table->AsciiFileRaw->SetBool(1, m.raw);
    t.table->AsciiFileCalParams->SetBool(1, m.params);
    EXPECT_EQ(AsciiModeFromSettings(t.table.get()), m.mode) << m.raw << m.params;
  }
}

// What a printed page asks of its decorations, and when.
class LoggingDecoration : public IPrintDecoration {
 public:
  explicit LoggingDecoration(const RecordingDC& dc) : dc_(dc) {}
  void DrawBackgrounds(TVQRMetaData&, const TRect& p) override {
    page = p;
    callsBeforeBackgrounds = dc_.Calls().size();
  }
  void DrawLogo(int32_t x, int32_t y, float fx, float fy) override {
    logo = {x, y, fx, fy};
    linesBeforeLogo = dc_.Of(RecordingDC::Op::LineTo).size();
  }
  TRect page;
  size_t callsBeforeBackgrounds = 99, linesBeforeLogo = 99;
  std::tuple<int32_t, int32_t, float, float> logo{};

 private:
  const RecordingDC& dc_;
};

// One page of a short recording printed at 600 dpi, true size, with the given settings.
struct PrintedPage {
  explicit PrintedPage(const std::string& ini) {
    Table t("[PrinterVert]\nFixedFactorX=1\nFixedFactorY=1\n" + ini + "\n");
    TVQRSession session(t.table.get());
    EXPECT_EQ(LoadBytes(session, SimpleFile(30)), TLoadStatus::Ok);
    session.PrepareWindow(1);
    session.PreparePrint();
    session.PrintPage(dc, {0, 0, 4800, 6800}, &decor);
  }
  RecordingDC dc{600, 600};
  LoggingDecoration decor{dc};
};

TEST(Session, PrintedPageLayersBackgroundsLogoAndDiagram) {
  // True size at 600 dpi: 1 mm = 23.622 pixels. The logo is placed from the
  // top left of the frame inside the borders, downwards, not mirrored.
  PrintedPage p("[Diagram]\nBorderLeft=10\nBorderTop=20\n[Logo]\nStartX=30\nStartY=40\nScale=1.5");
  EXPECT_EQ(p.decor.page, (TRect{0, 0, 4800, 6800}));
  EXPECT_EQ(p.decor.callsBeforeBackgrounds, 0u);
  EXPECT_EQ(p.decor.linesBeforeLogo, 0u);
  EXPECT_GT(p.dc.Of(RecordingDC::Op::LineTo).size(), 0u);
  // 200 x 100 image pixels at Scale 1.5 cover 1800 x 900 printer pixels.
  EXPECT_EQ(p.decor.logo, std::tuple(236 + 709, 472 + 945, 9.0f, 9.0f));
}

TEST(Session, FarOutLogoSettingsGiveDefinedPlaces) {
  // 1 mm = 23.622 printer pixels; page units are 32-bit and wrap as the
  // borders do, device pixels stop at the ends of the int range.
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  const struct {
    const char* logo;
    std::tuple<int32_t, int32_t, float, float> want;
  } cases[] = {
      {"StartX=214748364\nStartY=-214748364", {kMax, kMin, 6.0f, 6.0f}},
      {"StartX=214748365\nStartY=-214748365", {kMin, kMax, 6.0f, 6.0f}},  // wrapped
      {"StartX=429496730\nStartY=-429496730", {9, -9, 6.0f, 6.0f}},       // +-4 page units
      {"StartX=2147483647", {-24, 0, 6.0f, 6.0f}},
      {"StartX=-2147483648", {0, 0, 6.0f, 6.0f}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.logo);
    EXPECT_EQ(PrintedPage(std::string("[Logo]\nScale=1\n") + c.logo).decor.logo, c.want);
  }
}

}  // namespace
