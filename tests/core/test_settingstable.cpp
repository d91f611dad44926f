// The program's settings table over a real INI file: what is loaded, what is
// written at close, and what the transfers hand to the diagram and printing.
#include <gtest/gtest.h>

#include <set>

#include "chart/diagramsettings.h"
#include "chart/vqrdiagram.h"
#include "settings/iniclass.h"
#include "settings/settings.h"
#include "support/settingsfixture.h"

using vqrtest::Inputs;

class SettingsTable : public ::testing::Test {
 protected:
  void SetUp() override { WriteText(IniPath(), "[General]\nStartX=1\n"); }
  std::string IniPath() const { return home + "vqrshow4.INI"; }
  // One program start: locate the file, build the table, load everything.
  std::unique_ptr<TVQRShowSettings> Start() {
    ini = std::make_unique<TZTIniClass>();
    ini->Locate(Inputs(dir.Sub("prog"), {}, {{"HOME", home}}));
    auto table = std::make_unique<TVQRShowSettings>(ini.get());
    table->LoadAll();
    return table;
  }
  // Saves, checks the file, then checks a second save writes nothing new.
  void ExpectSaved(TVQRShowSettings& t, const std::string& text) {
    EXPECT_TRUE(t.SaveAll());
    EXPECT_EQ(ReadFileText(IniPath()), text);
    EXPECT_TRUE(t.SaveAll());
    EXPECT_EQ(ReadFileText(IniPath()), text);
  }
  TempDir dir;
  std::string home = dir.Sub("home");
  std::unique_ptr<TZTIniClass> ini;
};

TEST_F(SettingsTable, EveryKeyIsUnique) {
  auto t = Start();
  std::vector<std::string> keys;
  for (const auto& s : t->Settings())
    for (int i = 1; i <= s->Count; ++i)
      for (const TZTIniKeyText& k : s->IniTexts(i)) keys.push_back(k.Section + "/" + k.Key);
  EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()).size(), keys.size());
}

TEST_F(SettingsTable, FreshFileIsLeftAlone) {
  auto t = Start();
  EXPECT_EQ(t->DiagramGridPen->GetPenCode(1), 0);        // width 0: the built-in width applies
  EXPECT_TRUE(t->OverviewWindowPosition->GetPosSave());  // missing keys: store the position
  ExpectSaved(*t, "[General]\nStartX=1\n");
}

TEST_F(SettingsTable, OnlyChangedValuesAreWrittenAtClose) {
  WriteText(IniPath(), "[General]\nStartX=1\n; mine\n[Legend]\nTitle=Kanal A\n");
  auto t = Start();
  // Letter case alone is no change, nor a value set to what it is; a font
  // without face and style is the unset one.
  t->LegendTitle->SetString(1, "KANAL a");
  t->AxisStartX->SetInteger(1, 25);
  t->PrinterVertFixedFactorX->SetFloat(1, 0.0);
  t->PrinterHorzFixedFactorX->SetFloat(1, 15.0);
  t->LegendFont->SetFont(1, "Courier New", 3);
  t->AxisLabelFont->SetFont(1, "", 0);
  t->CombiWindow2VisibleCh->SetBool(3, true);
  t->CombiWindow2PenCh->SetPenCode(3, 15003);
  t->CombiWindow2ColorCh->SetColor(3, 0);
  ExpectSaved(*t,
              "[General]\nStartX=1\n; mine\n[Legend]\nTitle=Kanal A\nFont=biCourier New\n\n"
              "[CombiWindow2]\nVisibleCh3=ON\nPenCh3Width=15\nPenCh3Style=3\n\n"
              "[Axis1]\nStartX=25\n\n[PrinterHorz]\nFixedFactorX=15.000\n");
}

TEST_F(SettingsTable, PenKeysFallBackOneByOne) {
  WriteText(IniPath(), "[SingleWindow]\nPenCh2Style=2\nPenCh3Width=0\nPenCh3Style=7\n");
  auto t = Start();
  EXPECT_EQ(t->SingleWindowPenCh->GetPenCode(1), 1000);  // both keys missing: default
  EXPECT_EQ(t->SingleWindowPenCh->GetPenCode(2), 1002);  // width missing: default width
  EXPECT_EQ(t->SingleWindowPenCh->GetPenCode(3), 7);
  TChannelPens pens{};
  TakeSinglePens(*t, pens);
  EXPECT_EQ(pens[3], (TPenRec{0, 3, 0, 0}));  // width 0 keeps the drawing's own; 7 draws solid
  EXPECT_EQ(pens[2], (TPenRec{0, 10, 2, 0}));
}

TEST_F(SettingsTable, FailedWriteKeepsTheChangeForTheNextSave) {
  auto t = Start();
  t->LegendTitle->SetString(1, "Kanal X");
  const std::string moved = dir.File("away");
  std::filesystem::rename(home, moved);  // the folder is gone
  EXPECT_FALSE(t->SaveAll());
  EXPECT_TRUE(t->LegendTitle->IsModified(1));
  std::filesystem::rename(moved, home);
  if (geteuid() != 0) {  // a read-only folder likewise
    chmod(home.c_str(), 0555);
    EXPECT_FALSE(t->SaveAll());
    chmod(home.c_str(), 0755);
  }
  EXPECT_EQ(ReadFileText(IniPath()), "[General]\nStartX=1\n");
  ExpectSaved(*t, "[General]\nStartX=1\n\n[Legend]\nTitle=Kanal X\n");
  EXPECT_FALSE(t->LegendTitle->IsModified(1));
}

TEST_F(SettingsTable, WindowPositions) {
  WriteText(IniPath(),
            "[SingleWindow]\nPositionX=50\nPositionY=60\nPositionW=100\nPositionH=2000\n"
            "[ExcelCal]\nPositionX=-30\nPositionY=10\n[OverviewWindow]\nPositionSave=OFF\n"
            "PositionX=7\n");
  auto t = Start();
  const TRect area{0, 0, 1920, 1040};
  const TRect parent{200, 100, 1000, 700};

  // With size: raised to the minimum width, clamped into the work area.
  TRect single{0, 0, 640, 480};
  t->SingleWindowPosition->ApplyPosition(true, single, nullptr, 300, 400, area);
  EXPECT_EQ(single, (TRect{50, 5, 450, 2005}));  // taller than the area: top edge + 5

  // Without size, relative to the parent.
  TRect dialog{0, 0, 300, 200};
  t->ExcelCalPosition->ApplyPosition(false, dialog, &parent, 0, 0, area);
  EXPECT_EQ(dialog, (TRect{170, 110, 470, 310}));

  // Store flag off: neither applied nor stored.
  TRect overview{1, 2, 3, 4};
  t->OverviewWindowPosition->ApplyPosition(true, overview, nullptr, 10, 10, area);
  EXPECT_EQ(overview, (TRect{1, 2, 3, 4}));
  const TRect moved{400, 300, 900, 700};
  t->OverviewWindowPosition->StorePosition(&moved, nullptr);
  EXPECT_EQ(t->OverviewWindowPosition->GetPosX(), 7);
}

// ------------------------------------------------------------- transfers

TEST_F(SettingsTable, SetValuesReachTheLayoutByTheTransferRules) {
  auto t = Start();
  // 0 keeps the built-in tick length, a blank unit "Tage"; the grid style takes the low 8 bits.
  t->Axis1MaxHour->SetInteger(1, 72);
  t->DiagramBorderLeft->SetInteger(1, 12);
  t->DiagramDataStartY->SetInteger(1, -3);
  t->AxisTicLength->SetInteger(3, 0);
  t->AxisLabelFont->SetFont(1, "DejaVu Sans", 1);
  t->AxisLabelSize->SetInteger(1, 12);
  t->AxisUnitText2->SetString(1, "    ");
  t->Axis2UserFactor->SetFloat(1, 0.5);
  t->DiagramGridStyle->SetInteger(1, 258);
  t->LegendTitle->SetString(1, "Kanal Nummer und ein sehr langer Titel!");
  t->LegendTempChannel->SetString(1, "");
  t->LegendLabelSize->SetInteger(1, 0);
  t->AxisUnitText1->SetString(3, std::string(40, 'C'));
  t->AxisColor->SetColor(1, 0x0000FF);
  t->AxisPen->SetPenCode(1, 3001);
  t->AxisTicPen->SetPenCode(2, 9);  // width 0, style 9
  t->LegendLabelColor->SetColor(1, 0xFF);
  TVqrDataObjectNew data;
  TVQRDiagram diagram(data);
  TakeDiagramSettings(*t, diagram);
  const TDiagramLayout& l = diagram.Layout();
  EXPECT_EQ(std::tuple(data.Axes().Scaling().MaxHour, data.Axes().Scaling().UserFactor,
                       l.BorderLeft, l.DataStartY, l.TAxis.TicLength, int{l.GridStyle}),
            std::tuple(72, 0.5f, 120, -30, 50, 2));
  EXPECT_EQ(std::tuple(l.XAxis.Pen, l.YAxis.TicPen, l.XAxis.LabelFont, l.Legend.Font),
            std::tuple(TPenRec{0x0000FF, 30, 1, 0}, TPenRec{0, 3, 0, 0},
                       TFontRec{"DejaVu Sans", 0, 12, 1}, TFontRec{"Arial", 0xFF, 16, 0}));
  // Texts are cut to 32 characters; blank ones keep the built-in text.
  EXPECT_EQ(std::tuple(l.XAxis.UnitText2, l.TAxis.UnitText1, l.Legend.Title, l.Legend.TempChannel),
            std::tuple("Tage", std::string(32, 'C'), "Kanal Nummer und ein sehr langer", "T"));
}

TEST_F(SettingsTable, SinglePensFollowTheStoredAllEqual) {
  WriteText(IniPath(),
            "[SingleWindow]\nAllEqual=ON\nColorCh1=255\nPenCh1Width=2\nPenCh1Style=1\n"
            "ColorCh2=65280\nPenCh2Width=5\n");
  auto t = Start();
  TChannelPens pens{};
  pens[17] = TPenRec{7, 7, 7, 1};
  EXPECT_EQ(TakeSinglePens(*t, pens), 1);
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(pens[n], (TPenRec{255, 20, 1, 0})) << n;
  EXPECT_EQ(pens[17], (TPenRec{7, 7, 7, 1}));

  t->SingleWindowAllEqual->SetBool(1, false);
  TakeSinglePens(*t, pens);
  EXPECT_EQ(pens[2], (TPenRec{65280, 50, 0, 0}));
  EXPECT_EQ(pens[3], (TPenRec{0, 10, 0, 0}));
}

TEST_F(SettingsTable, PrinterSettings) {
  auto t = Start();
  TPrintOptions o;  // Preview is on in the record, off in a fresh file
  TakePrinterSettings(*t, o);
  EXPECT_EQ(o, (TPrintOptions{false, false, false, false, {}, {}}));
  t->PrinterAlwaysHorz->SetBool(1, true);
  t->PrinterAllBlack->SetBool(1, true);
  t->PrinterVertFixedFactorY->SetFloat(1, 1.25);
  t->PrinterHorzMaxYtoX->SetFloat(1, 0.1);
  TakePrinterSettings(*t, o);
  EXPECT_EQ(o, (TPrintOptions{true, false, true, false, {0, 1.25f, 0, 0}, {0, 0, 0, 0.1f}}));
}

// ------------------------------------------------------------ the store

TEST(SettingStore, SettersMarkRealChangesOnly) {
  TZTIniSettingTable table(nullptr);
  auto* s = TZTiniSettingValue::CreateString(1, "S", "K", "Abc", &table);
  auto* b = TZTiniSettingValue::CreateBool(2, "S", "B", true, &table);
  s->SetString(1, "ABC");
  b->SetBool(2, true);
  EXPECT_FALSE(s->IsModified(1) || b->IsModified(2));
  s->SetString(1, "ABD");
  b->SetBool(2, false);
  EXPECT_TRUE(s->IsModified(1) && b->IsModified(2));
  // Long names are cut to 32 characters; an index suffix comes after the cut.
  auto* lng =
      TZTiniSettingValue::CreateInteger(3, std::string(40, 's'), std::string(40, 'k'), 0, &table);
  EXPECT_EQ(lng->SectionOf(1), std::string(32, 's'));
  EXPECT_EQ(lng->KeyOf(3), std::string(32, 'k') + "3");
  EXPECT_EQ(lng->KeyOf(9), std::string(32, 'k') + "3");
}

TEST(Editors, PenAndFontCodes) {
  const std::pair<int32_t, const char*> widths[] = {{1, "0.1"}, {15, "1.5"}, {300, "30.0"}};
  for (const auto& [w, text] : widths) EXPECT_EQ(PenWidthText(w), text);
  const std::pair<const char*, int32_t> typed[] = {
      {"0.25", 2}, {"0.35", 4}, {"1,5", 1}, {" 1.5 ", 15}, {"abc", 1},    {"", 1},
      {"99", 300}, {"-2", 1},   {"0.3", 3}, {"1e1", 100},  {"30.04", 300}};
  for (const auto& [text, w] : typed) EXPECT_EQ(PenWidthFromText(text), w) << text;
  EXPECT_EQ(PenDialogWidth(0), 1);
  EXPECT_EQ(PenDialogWidth(999), 300);
  EXPECT_EQ(PenDialogStyle(7), 0);

  EXPECT_EQ(MakeFontCode("Arial", 1), "b-Arial");
  EXPECT_EQ(MakeFontCode("Arial", 2), "-iArial");
  EXPECT_EQ(FontCodeFace("biTimes"), "Times");
  EXPECT_EQ(FontCodeStyle("biTimes"), 3);
  EXPECT_EQ(FontCodeStyle("B-Times"), 0);
  EXPECT_EQ(FontCodeFace("b"), "");
  EXPECT_EQ(FontSizeFromText(" 12 "), 12);
  EXPECT_EQ(FontSizeFromText("12pt"), 8);
}

// What the store loads is what the page field would give back, so that a
// command reads the same whether or not the page was ever shown.
TEST_F(SettingsTable, HandEditedValuesLoadAsTheirFieldsGiveThemBack) {
  WriteText(IniPath(),
            "[Axis2]\nUserFactor=1.23456789\n[Legend]\nTitle=Kanal A\nFont=xbArial \n"
            "[RawFile]\nLastFile=a.DAT\n[AsciiFile]\nCalibrated=ON\nRaw=ON\n"
            "[Printer]\nAlwaysVert=ON\n[Logo]\nScale=0.0005\n");
  auto t = Start();
  EXPECT_EQ(t->Axis2UserFactor->GetFloat(1), 1.234568);
  EXPECT_EQ(t->LogoScale->GetFloat(1), 0.001);
  EXPECT_EQ(t->LegendFont->GetFontName(1), "Arial");
  EXPECT_EQ(t->LegendFont->GetFontStyle(1), 0);      // "xb": neither bold nor italic
  EXPECT_FALSE(t->AsciiFileCalibrated->GetBool(1));  // the last button on in a box wins
  EXPECT_TRUE(t->AsciiFileRaw->GetBool(1));
  EXPECT_TRUE(t->PrinterAlwaysVert->GetBool(1));
  TAxisScaling scaling;
  t->TakeAxisScaling(scaling);
  EXPECT_EQ(scaling.UserFactor, 1.234568f);
  // Only what a field changes is written back, as taking the fields would.
  ExpectSaved(*t,
              "[Axis2]\nUserFactor=1.234568\n[Legend]\nTitle=Kanal A\n"
              "Font=--Arial\n[RawFile]\nLastFile=a.DAT\n[AsciiFile]\nCalibrated=OFF\nRaw=ON\n"
              "[Printer]\nAlwaysVert=ON\n[Logo]\nScale=0.001\n");
}
