// The program's settings table over a real INI file and in-memory page
// controls: what is loaded, what is written at close, and what the transfers
// hand to the diagram, printing and export code.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "chart/diagramsettings.h"
#include "chart/vqrdiagram.h"
#include "settings/iniclass.h"
#include "settings/settings.h"
#include "support/settingsfixture.h"

using vqrtest::FakeControls;
using vqrtest::Inputs;
using vqrtest::ReadFile;
using vqrtest::ScratchDir;
using vqrtest::WriteFile;

class SettingsTable : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(IniPath(), "[General]\nStartX=1\n"); }
  std::string IniPath() const { return home + "vqrshow4.INI"; }
  // One program start: locate the file, build the table, load everything.
  std::unique_ptr<TVQRShowSettings> Start(FakeControls& controls) {
    ini = std::make_unique<TZTIniClass>();
    ini->Locate(Inputs(prog, {}, {{"HOME", home}}));
    auto table = std::make_unique<TVQRShowSettings>(ini.get(), &controls);
    table->LoadAll(3);
    return table;
  }
  ScratchDir dir;
  std::string prog = dir.Sub("prog");
  std::string home = dir.Sub("home");
  std::unique_ptr<TZTIniClass> ini;
};

TEST_F(SettingsTable, HoldsEverySettingInFileOrder) {
  FakeControls controls;
  auto t = Start(controls);
  EXPECT_EQ(t->Settings().size(), 92u);
  EXPECT_EQ(t->ValueCount(), 258);
  EXPECT_EQ(t->Memory.NextFree - 1, 533);

  std::vector<std::string> keys;
  for (const auto& s : t->Settings())
    for (int i = 1; i <= s->Count; ++i)
      for (const TZTIniKeyText& k : s->IniTexts(i)) keys.push_back(k.Section + "/" + k.Key);
  ASSERT_EQ(keys.size(), 258u + 57u);  // a pen stands as two keys
  EXPECT_EQ(keys.front(), "RawFile/Remember");
  EXPECT_EQ(keys.back(), "ExcelCal/FormatTemp");
  const std::set<std::string> unique(keys.begin(), keys.end());
  EXPECT_EQ(unique.size(), keys.size());
  auto pos = [&](const std::string& k) {
    return std::find(keys.begin(), keys.end(), k) - keys.begin();
  };
  EXPECT_LT(pos("OverviewWindow/PositionH"), pos("OverviewWindow/FillPixel"));
  EXPECT_EQ(pos("CombiWindow1/PenCh17Style") + 1, pos("CombiWindow2/VisibleCh1"));
  EXPECT_EQ(pos("Axis1/PenWidth") + 2, pos("Axis2/PenWidth"));
  EXPECT_EQ(pos("Axis3/LabelFont") + 1, pos("Axis1/MaxHour"));
  EXPECT_EQ(pos("ExcelCal/PositionY") + 1, pos("ExcelCal/WorkBook"));

  // Every control named by the pages is asked for; values without one work as well.
  for (const char* name : {"Ed_XAxisColor", "CB_Combi1ChT", "Ed_Combi2ChTCol", "Ed_Combi1Ch16Pen",
                           "Ed_SingleCh16Pen", "Ed_XUnitHi", "Ed_TUnit", "RB_Pr_FixLandscape",
                           "Ed_PrH_YtoXmax", "Ed_XLCal_FormatTemp", "Ed_HourMax", "Ed_YFactor"})
    EXPECT_NE(controls.FindControl(name), nullptr) << name;
  EXPECT_EQ(t->RawFileLastFile->ControlOf(1), nullptr);
  EXPECT_EQ(t->AxisUnitText2->ControlOf(2), nullptr);
  EXPECT_EQ(t->AxisUnitText1->ControlOf(1), &controls["Ed_XUnitLo"]);
}

TEST_F(SettingsTable, FreshFileShowsTheDefaultsAndIsLeftAlone) {
  const std::string before = ReadFile(IniPath());
  FakeControls c;
  auto t = Start(c);
  EXPECT_EQ(c["Ed_XLCal_TabSheet"].text, "VQR Daten");
  EXPECT_EQ(c["Ed_Equal_Dist"].text, "1");
  EXPECT_EQ(c["Ed_YFactor"].text, "0.000000");
  EXPECT_EQ(c["Ed_LogoScale"].text, "0.000");
  EXPECT_EQ(c["Ed_GridPen"].penCode, 0);  // width 0: the built-in width applies
  EXPECT_EQ(c["Ed_GridPen"].text, StylePicture(0));
  EXPECT_FALSE(c["CB_Single_AllEqual"].checked);
  EXPECT_TRUE(t->OverviewWindowPosition->GetPosSave());  // missing keys: store the position
  EXPECT_TRUE(t->SaveAll(3));
  EXPECT_EQ(ReadFile(IniPath()), before);
}

TEST_F(SettingsTable, OnlyChangedValuesAreWrittenAtClose) {
  WriteFile(IniPath(), "[General]\nStartX=1\n; mine\n[Legend]\nTitle=Kanal A\n");
  FakeControls c;
  auto t = Start(c);
  c["Ed_Legend"].text = "KANAL a";     // letter case alone: not written
  c["Ed_XAxisX"].text = "  25 ";       // written as 25
  c["Ed_PrV_FactorX"].text = "1,5";    // not a number: 0.000, same as stored: not written
  c["Ed_PrH_FactorX"].text = "1.5e1";  // an exponent is accepted
  c["CB_Combi2Ch3"].checked = true;
  c["Ed_Combi2Ch3Pen"].penCode = 15003;
  c["Ed_LegendFont"].text = " Courier New ";
  c["Ed_LegendFont"].fontStyle = 3;
  EXPECT_TRUE(t->SaveAll(3));
  EXPECT_EQ(c["Ed_XAxisX"].text, "25");
  EXPECT_EQ(c["Ed_PrV_FactorX"].text, "0.000");
  EXPECT_EQ(ReadFile(IniPath()),
            "[General]\nStartX=1\n; mine\n[Legend]\nTitle=Kanal A\nFont=biCourier New\n\n"
            "[CombiWindow2]\nVisibleCh3=ON\nPenCh3Width=15\nPenCh3Style=3\n\n"
            "[Axis1]\nStartX=25\n\n[PrinterHorz]\nFixedFactorX=15.000\n");
  // Saving again writes nothing new.
  const std::string after = ReadFile(IniPath());
  EXPECT_TRUE(t->SaveAll(3));
  EXPECT_EQ(ReadFile(IniPath()), after);
}

TEST_F(SettingsTable, FloatFieldWithACommaBecomesZeroAndIsWrittenWhenItWasNot) {
  WriteFile(IniPath(), "[Logo]\nScale=2.5\n");
  FakeControls c;
  auto t = Start(c);
  EXPECT_EQ(c["Ed_LogoScale"].text, "2.500");
  c["Ed_LogoScale"].text = "1,5";
  t->TakeLogoAndBackground();
  EXPECT_EQ(c["Ed_LogoScale"].text, "0.000");
  EXPECT_DOUBLE_EQ(t->LogoScale->GetFloat(1), 0.0);
  t->SaveAll(3);
  EXPECT_EQ(ReadFile(IniPath()), "[Logo]\nScale=0.000\n");
}

TEST_F(SettingsTable, WrittenFileReadsBackIdentically) {
  FakeControls c;
  {
    auto t = Start(c);
    c["Ed_SingleCh7Col"].color = 0x00FF8040;
    c["Ed_SingleCh7Pen"].penCode = 300004;
    c["Ed_TLabelFont"].text = "Liberation Serif";
    c["Ed_TLabelFont"].fontStyle = 2;
    c["Ed_TLabelSize"].text = "11";
    c["Ed_YFactor"].text = "-0.0000125";
    c["Ed_Legend"].text = "Grüße";
    c["RB_ASC_RData"].checked = true;
    const TRect window{10, 20, 610, 420};
    t->SingleWindowPosition->StorePosition(&window, nullptr);
    ASSERT_TRUE(t->SaveAll(3));
  }
  FakeControls c2;
  auto t = Start(c2);
  EXPECT_EQ(c2["Ed_SingleCh7Col"].color, 0x00FF8040);
  EXPECT_EQ(c2["Ed_SingleCh7Pen"].penCode, 300004);
  EXPECT_EQ(c2["Ed_SingleCh7Pen"].text, StylePicture(4));
  EXPECT_EQ(c2["Ed_TLabelFont"].text, "Liberation Serif");
  EXPECT_EQ(c2["Ed_TLabelFont"].face, "Liberation Serif");
  EXPECT_EQ(c2["Ed_TLabelFont"].fontStyle, 2);
  EXPECT_EQ(t->AxisLabelFont->GetFontStyle(3), 2);
  EXPECT_EQ(c2["Ed_TLabelSize"].text, "11");
  EXPECT_EQ(c2["Ed_YFactor"].text, "-0.000013");  // six decimals
  EXPECT_EQ(c2["Ed_Legend"].text, "Grüße");
  EXPECT_TRUE(c2["RB_ASC_RData"].checked);
  EXPECT_EQ(t->SingleWindowPosition->GetPosW(), 600);
  EXPECT_EQ(t->SingleWindowPosition->GetPosH(), 400);
  // Nothing differs from the file, so nothing is written.
  const std::string saved = ReadFile(IniPath());
  EXPECT_TRUE(t->SaveAll(3));
  EXPECT_EQ(ReadFile(IniPath()), saved);
}

TEST_F(SettingsTable, PenKeysFallBackOneByOne) {
  WriteFile(IniPath(), "[SingleWindow]\nPenCh2Style=2\nPenCh3Width=0\nPenCh3Style=7\n");
  FakeControls c;
  auto t = Start(c);
  EXPECT_EQ(c["Ed_SingleCh1Pen"].penCode, 1000);  // both keys missing: default
  EXPECT_EQ(c["Ed_SingleCh2Pen"].penCode, 1002);  // width missing: default width
  EXPECT_EQ(c["Ed_SingleCh3Pen"].penCode, 7);
  EXPECT_EQ(c["Ed_SingleCh3Pen"].text, "");  // no picture for style 7
  TChannelPens pens{};
  TakeSinglePens(*t, pens);
  EXPECT_EQ(pens[3].Width, 3);  // width 0 keeps the drawing's own width
  EXPECT_EQ(pens[3].Style, 0);  // style 7 draws solid
  EXPECT_EQ(pens[2].Width, 10);
  EXPECT_EQ(pens[2].Style, 2);
}

TEST_F(SettingsTable, DamagedFileLoadsAndKeepsWhatItDidNotUnderstand) {
  std::string junk;  // binary, with CR, LF and NUL, but no "=" or "["
  for (int i = 0; i < 2000; ++i) {
    const char ch = static_cast<char>((i * 131) & 0xFF);
    junk += ch == '=' || ch == '[' ? '?' : ch;
  }
  const std::string head = "\x01\x02garbage\n[Legend\nTitle=lost\n[Legend]\nTitle=Kanäle\n";
  const std::string tail =
      junk + "\n[Axis1]\nMaxHour=12\n[Axis1]\nMaxHour=99\nlong=" + std::string(10 << 20, 'z') +
      "\n[Printer\n";
  WriteFile(IniPath(), head + tail);
  FakeControls c;
  auto t = Start(c);
  EXPECT_EQ(c["Ed_Legend"].text, "Kanäle");
  EXPECT_EQ(c["Ed_HourMax"].text, "12");
  c["Ed_LegendT"].text = "Temp";
  ASSERT_TRUE(t->SaveAll(3));
  EXPECT_TRUE(ReadFile(IniPath()) == head + "TempChannel=Temp\n" + tail);
}

TEST_F(SettingsTable, FailedWriteKeepsTheChangeForTheNextSave) {
  FakeControls c;
  auto t = Start(c);
  c["Ed_Legend"].text = "Kanal X";
  const std::string moved = dir.Path() + "/away";
  std::filesystem::rename(home, moved);  // the folder is gone (or unwritable)
  EXPECT_FALSE(t->SaveAll(3));
  EXPECT_TRUE(t->LegendTitle->IsModified(1));
  std::filesystem::rename(moved, home);
  EXPECT_EQ(ReadFile(IniPath()), "[General]\nStartX=1\n");
  EXPECT_TRUE(t->SaveAll(3));
  EXPECT_FALSE(t->LegendTitle->IsModified(1));
  EXPECT_EQ(ReadFile(IniPath()), "[General]\nStartX=1\n\n[Legend]\nTitle=Kanal X\n");
}

TEST_F(SettingsTable, ReadOnlyDirectoryFailsTheSaveWithoutDamage) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  FakeControls c;
  auto t = Start(c);
  c["Ed_Legend"].text = "Kanal X";
  chmod(home.c_str(), 0555);
  EXPECT_FALSE(t->SaveAll(3));
  chmod(home.c_str(), 0755);
  EXPECT_TRUE(t->LegendTitle->IsModified(1));
  EXPECT_TRUE(t->SaveAll(3));
  EXPECT_EQ(ini->IniReadString("Legend", "Title", ""), "Kanal X");
}

// ------------------------------------------------------------- positions

TEST_F(SettingsTable, WindowPositions) {
  WriteFile(IniPath(),
            "[SingleWindow]\nPositionX=50\nPositionY=60\nPositionW=100\nPositionH=2000\n"
            "[ExcelCal]\nPositionX=-30\nPositionY=10\n[OverviewWindow]\nPositionSave=OFF\n"
            "PositionX=7\n");
  FakeControls c;
  auto t = Start(c);
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

  // Closing without moving writes nothing; moving writes only what changed.
  const std::string before = ReadFile(IniPath());
  const TRect same{170, 110, 470, 310};
  t->ExcelCalPosition->StorePosition(&same, &parent);
  EXPECT_TRUE(t->SaveAll(3));
  EXPECT_EQ(ReadFile(IniPath()), before);
  const TRect dragged{180, 110, 480, 310};
  t->ExcelCalPosition->StorePosition(&dragged, &parent);
  EXPECT_TRUE(t->SaveAll(3));
  std::string expected = before;
  expected.replace(expected.find("PositionX=-30"), 13, "PositionX=-20");
  EXPECT_EQ(ReadFile(IniPath()), expected);
  EXPECT_EQ(ini->IniReadInteger("ExcelCal", "PositionX", 0), -20);
}

// ------------------------------------------------------------- transfers

TEST_F(SettingsTable, FreshFileLeavesTheBuiltInLayout) {
  FakeControls c;
  auto t = Start(c);
  TDiagramLayout layout = MakeDefaultLayout();
  TakeDiagramLayout(*t, layout);
  // A fresh file leaves the whole built-in layout in place, pens included.
  const TDiagramLayout expected = MakeDefaultLayout();
  EXPECT_EQ(layout, expected);

  TAxisScaling scaling;
  t->TakeAxisScaling(scaling);
  EXPECT_EQ(scaling.MaxHour, 48);
  EXPECT_FLOAT_EQ(scaling.UserFactor, 1.0f);
}

TEST_F(SettingsTable, SetValuesReachTheLayoutByTheTransferRules) {
  FakeControls c;
  auto t = Start(c);
  c["Ed_HourMax"].text = "72";
  c["Ed_BorderL"].text = "12";
  c["Ed_DataStartY"].text = "-3";
  c["Ed_YAxisL"].text = "140";
  c["Ed_TTicL"].text = "0";  // 0 keeps the built-in value
  c["Ed_XAxisColor"].color = 0x0000FF;
  c["Ed_XAxisPen"].penCode = 3001;
  c["Ed_YTicPen"].penCode = 9;  // width 0, style 9
  c["Ed_XLabelFont"].text = "DejaVu Sans";
  c["Ed_XLabelFont"].fontStyle = 1;
  c["Ed_XLabelSize"].text = "12";
  c["Ed_YLabelColor"].color = 0x123456;
  c["Ed_XUnitLo"].text = "Stunden";
  c["Ed_XUnitHi"].text = "    ";              // blank keeps "Tage"
  c["Ed_TUnit"].text = std::string(40, 'C');  // cut to 32
  c["Ed_YFactor"].text = "0.5";
  c["Ed_GridStyle"].text = "258";  // low 8 bits
  c["Ed_GridColor"].color = 0xC0C0C0;
  c["Ed_StepLegendY"].text = "-9";
  c["Ed_Legend"].text = "Kanal Nummer und ein sehr langer Titel!";  // 39 characters
  c["Ed_LegendT"].text = "";
  c["Ed_LegendSize"].text = "0";
  c["Ed_LegendColor"].color = 0xFF;

  TVqrDataObjectNew data;
  TVQRDiagram diagram(data);
  TakeDiagramSettings(*t, diagram);
  const TDiagramLayout& l = diagram.Layout();
  EXPECT_EQ(data.Scaling.MaxHour, 72);
  EXPECT_EQ(l.BorderLeft, 120);
  EXPECT_EQ(l.DataStartY, -30);
  EXPECT_EQ(l.DataStartX, 200);
  EXPECT_EQ(l.YAxis.Length, 1400);
  EXPECT_EQ(l.TAxis.TicLength, 50);
  EXPECT_EQ(l.XAxis.Pen, (TPenRec{0x0000FF, 30, 1, 0}));
  EXPECT_EQ(l.YAxis.TicPen, (TPenRec{0, 3, 0, 0}));
  EXPECT_EQ(l.XAxis.LabelFont, (TFontRec{"DejaVu Sans", 0, 12, 1}));
  EXPECT_EQ(l.YAxis.LabelFont, (TFontRec{"Arial", 0x123456, 16, 0}));
  EXPECT_EQ(l.XAxis.UnitText1, "Stunden");
  EXPECT_EQ(l.XAxis.UnitText2, "Tage");
  EXPECT_EQ(l.TAxis.UnitText1, std::string(32, 'C'));
  EXPECT_FLOAT_EQ(data.Scaling.UserFactor, 0.5f);
  EXPECT_EQ(l.GridStyle, 2);
  EXPECT_EQ(l.GridPen.Color, 0xC0C0C0);
  EXPECT_EQ(l.Legend.StepY, -90);
  EXPECT_EQ(l.Legend.StartX, 2650);
  EXPECT_EQ(l.Legend.Title, "Kanal Nummer und ein sehr langer");
  EXPECT_EQ(l.Legend.TempChannel, "T");
  EXPECT_EQ(l.Legend.Font, (TFontRec{"Arial", 0xFF, 16, 0}));
  // Taking the controls marks them for the save at close.
  EXPECT_TRUE(t->Axis1MaxHour->IsModified(1));
}

TEST_F(SettingsTable, SinglePensFollowTheStoredAllEqual) {
  WriteFile(IniPath(),
            "[SingleWindow]\nAllEqual=ON\nColorCh1=255\nPenCh1Width=2\nPenCh1Style=1\n"
            "ColorCh2=65280\nPenCh2Width=5\n");
  FakeControls c;
  auto t = Start(c);
  TChannelPens pens{};
  pens[17] = TPenRec{7, 7, 7, 1};
  EXPECT_EQ(TakeSinglePens(*t, pens), 1);
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(pens[n], (TPenRec{255, 20, 1, 0})) << n;
  EXPECT_EQ(pens[17], (TPenRec{7, 7, 7, 1}));

  // Unticking the box counts only after the next start.
  c["CB_Single_AllEqual"].checked = false;
  TakeSinglePens(*t, pens);
  EXPECT_EQ(pens[2].Color, 255);
  ASSERT_TRUE(t->SaveAll(3));
  FakeControls c2;
  auto t2 = Start(c2);
  TakeSinglePens(*t2, pens);
  EXPECT_EQ(pens[2], (TPenRec{65280, 50, 0, 0}));
  EXPECT_EQ(pens[3], (TPenRec{0, 10, 0, 0}));
}

TEST_F(SettingsTable, CombiPensCountTheVisibleChannels) {
  FakeControls c;
  auto t = Start(c);
  TChannelPens pens{};
  EXPECT_EQ(TakeCombiPens1(*t, pens), 0);
  c["CB_Combi1Ch4"].checked = true;
  c["CB_Combi1ChT"].checked = true;
  c["Ed_Combi1ChTCol"].color = 0xFF0000;
  c["CB_Combi2Ch1"].checked = true;
  EXPECT_EQ(TakeCombiPens1(*t, pens), 2);
  EXPECT_EQ(pens[4].Visible, 1);
  EXPECT_EQ(pens[5].Visible, 0);
  EXPECT_EQ(pens[17], (TPenRec{0xFF0000, 10, 0, 1}));
  EXPECT_EQ(TakeCombiPens2(*t, pens), 1);
}

TEST_F(SettingsTable, PrinterAndExportSettings) {
  FakeControls c;
  auto t = Start(c);
  TPrintOptions o;  // Preview is on in the record, off in a fresh file
  TakePrinterSettings(*t, o);
  EXPECT_EQ(o, (TPrintOptions{false, false, false, false, {}, {}}));
  c["RB_Pr_FixLandscape"].checked = true;
  c["CB_Pr_AllBlack"].checked = true;
  c["Ed_PrV_FactorY"].text = "1.25";
  c["Ed_PrH_YtoXmax"].text = "0.1";
  TakePrinterSettings(*t, o);
  EXPECT_TRUE(o.AlwaysHorz);
  EXPECT_FALSE(o.AlwaysVert);
  EXPECT_TRUE(o.AllBlack);
  EXPECT_FLOAT_EQ(o.Portrait.FixedFactorY, 1.25f);
  EXPECT_EQ(o.Landscape.MaxYtoX, 0.1f);

  EXPECT_EQ(t->ExcelCalTabSheet->GetString(1), "VQR Daten");
  c["Ed_XLCal_TabSheet"].text = "Messung";
  EXPECT_EQ(t->ExcelCalTabSheet->GetString(1), "VQR Daten");  // not taken yet
  t->TakeExcel();
  EXPECT_EQ(t->ExcelCalTabSheet->GetString(1), "Messung");
}

TEST_F(SettingsTable, WorksWithoutControlsOrIniFile) {
  TVQRShowSettings bare(nullptr, nullptr);
  bare.LoadAll(3);
  EXPECT_TRUE(bare.SaveAll(3));
  TDiagramLayout l = MakeDefaultLayout();
  TakeDiagramLayout(bare, l);
  EXPECT_EQ(l.XAxis.Length, 2250);
  // Getters of another type or of a value that does not exist give nothing.
  EXPECT_EQ(bare.LegendTitle->GetInteger(1), 0);
  EXPECT_EQ(bare.SingleWindowColorCh->GetColor(17), 0);
  EXPECT_EQ(bare.ExcelCalPosition->GetPosW(), 0);
}

// ------------------------------------------------------------ the store

TEST(SettingStore, SettersMarkRealChangesOnly) {
  TZTIniSettingTable table(nullptr);
  auto* s = TZTiniSettingValue::CreateString(1, "S", "K", "Abc", {}, &table);
  auto* b = TZTiniSettingValue::CreateBool(2, "S", "B", true, {}, &table);
  s->SetString(1, "ABC");
  EXPECT_FALSE(s->IsModified(1));
  EXPECT_EQ(s->GetString(1), "ABC");
  s->SetString(1, "ABD");
  EXPECT_TRUE(s->IsModified(1));
  b->SetBool(2, true);
  EXPECT_FALSE(b->IsModified(2));
  b->SetBool(2, false);
  EXPECT_TRUE(b->IsModified(2));
  // Long names are cut to 32 characters; an index suffix comes after the cut.
  auto* lng = TZTiniSettingValue::CreateInteger(3, std::string(40, 's'), std::string(40, 'k'), 0,
                                                {}, &table);
  EXPECT_EQ(lng->SectionOf(1), std::string(32, 's'));
  EXPECT_EQ(lng->KeyOf(3), std::string(32, 'k') + "3");
  EXPECT_EQ(lng->KeyOf(9), std::string(32, 'k') + "3");
}

TEST(SettingStore, MissingBooleanLoadsFalseWhateverItsDefault) {
  ScratchDir dir;
  const std::string home = dir.Sub("home");
  WriteFile(home + "vqrshow4.INI", "[S]\n");
  TZTIniClass ini;
  ini.Locate(Inputs(dir.Sub("prog"), {}, {{"HOME", home}}));
  TZTIniSettingTable table(&ini);
  auto* b = TZTiniSettingValue::CreateBool(1, "S", "B", true, {}, &table);
  EXPECT_TRUE(b->GetBool(1));
  table.LoadAll(1);
  EXPECT_FALSE(b->GetBool(1));
}

TEST(SettingStore, CapacityEndsAtTheLastSlot) {
  TZTIniSettingTable table(nullptr);
  // 291 texts of 12 slots fill 3492 slots; the next text would need 3493..3504.
  auto* texts = TZTiniSettingValue::CreateString(291, "S", "T", "x", {}, &table);
  EXPECT_EQ(table.Memory.NextFree, 3493);
  auto* more = TZTiniSettingValue::CreateString(2, "S", "U", "y", {}, &table);
  EXPECT_EQ(more->SlotOf(1), 0);
  EXPECT_EQ(more->GetString(1), "");
  auto* ints = TZTiniSettingValue::CreateInteger(10, "S", "I", 5, {}, &table);
  EXPECT_NE(ints->SlotOf(7), 0);
  EXPECT_EQ(ints->SlotOf(7), 3499);
  EXPECT_EQ(ints->SlotOf(8), 0);
  EXPECT_EQ(ints->GetInteger(8), 0);
  EXPECT_EQ(texts->GetString(291), "x");
  EXPECT_EQ(table.ValueCount(), 291 + 7);
  table.LoadAll(3);  // walking a full store stays inside it
}

// --------------------------------------------------------------- editors

namespace {
struct ScriptedColorDialog : IZTColorDialog {
  bool ok = true;
  int32_t choice = 0;
  int32_t preset = -1;
  std::string fieldTextWhileOpen;
  vqrtest::FakeControl* field = nullptr;
  bool Execute(int32_t& color) override {
    preset = color;
    if (field) fieldTextWhileOpen = field->text;
    if (ok) color = choice;
    return ok;
  }
};
struct ScriptedPenDialog : IZTPenDialog {
  bool ok = true;
  int32_t width = 0, style = 0;
  int32_t presetWidth = -1, presetStyle = -1;
  bool Execute(int32_t& w, int32_t& s) override {
    presetWidth = w;
    presetStyle = s;
    if (ok) {
      w = width;
      s = style;
    }
    return ok;
  }
};
}  // namespace

TEST(Editors, ColorEditor) {
  TZTIniSettingTable table(nullptr);
  int beeps = 0;
  table.SetBeep([&] { ++beeps; });
  vqrtest::FakeControl field;
  field.color = 0x112233;
  field.text = "old";
  table.EditColor(&field);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(field.color, 0x112233);

  ScriptedColorDialog dlg;
  dlg.field = &field;
  dlg.choice = 0x00FF00;
  table.SetColorDialog(&dlg);
  table.EditColor(&field);
  EXPECT_EQ(dlg.preset, 0x112233);
  EXPECT_EQ(dlg.fieldTextWhileOpen, "?");
  EXPECT_EQ(field.color, 0x00FF00);
  EXPECT_EQ(field.text, "");
  dlg.ok = false;
  table.EditColor(&field);
  EXPECT_EQ(field.color, 0x00FF00);
}

TEST(Editors, PenEditor) {
  TZTIniSettingTable table(nullptr);
  int beeps = 0;
  table.SetBeep([&] { ++beeps; });
  vqrtest::FakeControl field;
  field.penCode = 2003;
  table.EditPen(&field);  // no dialog can be made
  EXPECT_EQ(beeps, 1);

  ScriptedPenDialog dlg;
  int made = 0;
  table.SetPenDialogFactory([&]() -> IZTPenDialog* {
    ++made;
    return &dlg;
  });
  dlg.ok = false;
  table.EditPen(&field);
  EXPECT_EQ(dlg.presetWidth, 2);
  EXPECT_EQ(dlg.presetStyle, 3);
  EXPECT_EQ(field.penCode, 2003);
  EXPECT_EQ(field.text, "–•–•–•–•–•–•");
  dlg.ok = true;
  dlg.width = 15;
  dlg.style = 1;
  table.EditPen(&field);
  EXPECT_EQ(field.penCode, 15001);
  EXPECT_EQ(field.text, StylePicture(1));
  EXPECT_EQ(made, 1);  // made once, kept
}

TEST(Editors, PenAndFontCodes) {
  EXPECT_EQ(StylePicture(0), "———————————");
  EXPECT_EQ(StylePicture(1), "— – — – — – — ");
  EXPECT_EQ(StylePicture(2), "• • • • • • • • • • •");
  EXPECT_EQ(StylePicture(3), "–•–•–•–•–•–•");
  EXPECT_EQ(StylePicture(4), "–••–••–••–••");
  EXPECT_EQ(StylePicture(5), "");
  EXPECT_EQ(StylePicture(-1), "");

  const std::pair<int32_t, const char*> widths[] = {
      {1, "0.1"}, {15, "1.5"}, {300, "30.0"}, {2, "0.2"}, {10, "1.0"}};
  for (const auto& [w, text] : widths) EXPECT_EQ(PenWidthText(w), text);
  const std::pair<const char*, int32_t> typed[] = {
      {"0.25", 2}, {"0.35", 4}, {"1,5", 1}, {" 1.5 ", 15}, {"abc", 1},    {"", 1},
      {"99", 300}, {"-2", 1},   {"0.3", 3}, {"1e1", 100},  {"30.04", 300}};
  for (const auto& [text, w] : typed) EXPECT_EQ(PenWidthFromText(text), w) << text;
  EXPECT_EQ(PenDialogWidth(0), 1);
  EXPECT_EQ(PenDialogWidth(999), 300);
  EXPECT_EQ(PenDialogStyle(7), 0);
  EXPECT_EQ(PenDialogStyle(4), 4);

  EXPECT_EQ(MakeFontCode("Arial", 1), "b-Arial");
  EXPECT_EQ(MakeFontCode("Arial", 2), "-iArial");
  EXPECT_EQ(FontCodeFace("biTimes"), "Times");
  EXPECT_EQ(FontCodeStyle("biTimes"), 3);
  EXPECT_EQ(FontCodeStyle("B-Times"), 0);
  EXPECT_EQ(FontCodeFace("b"), "");
  EXPECT_EQ(FontSizeFromText(" 12 "), 12);
  EXPECT_EQ(FontSizeFromText("12pt"), 8);
  EXPECT_EQ(DirectoryPart("/data/run/a.DAT"), "/data/run/");
  EXPECT_EQ(DirectoryPart("c:\\cfg\\a.DAT"), "c:\\cfg\\");
  EXPECT_EQ(NamePart("/data/run/a.DAT"), "a.DAT");
  EXPECT_EQ(DirectoryPart("a.DAT"), "");
}

// ---------------------------------------------------------------- vqrtool

namespace {
int RunTool(const std::string& args, std::string* out) {
  const std::string cmd =
      std::string(VQR_BINARY_DIR) + "/vqrtool settings " + args + " 2>/dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return -1;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out->append(buf, n);
  const int status = pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
}  // namespace

TEST(VqrtoolSettings, PrintsEveryKeyAndNeverWrites) {
  if (!std::filesystem::exists(std::string(VQR_BINARY_DIR) + "/vqrtool"))
    GTEST_SKIP() << "vqrtool is not built";
  ScratchDir dir;
  const std::string file = dir.Path() + "/my settings";
  const std::string text = "[Legend]\nTitle=Kanal X\n[Axis2]\nUserFactor=2,5\nPenWidth=4\n";
  WriteFile(file, text);
  std::string out;
  EXPECT_EQ(RunTool("--ini '" + file + "'", &out), 0);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 315);
  for (const char* line :
       {"Legend/Title = Kanal X\n", "Axis2/UserFactor = 2.000000\n", "Axis2/PenWidth = 4\n",
        "Axis2/PenStyle = 0\n", "ExcelCal/TabSheet = VQR Daten\n", "ExcelCal/PositionSave = ON\n",
        "Printer/AllBlack = OFF\n", "Logo/Scale = 0.000\n"})
    EXPECT_NE(out.find(line), std::string::npos) << line;
  EXPECT_EQ(out.substr(0, 24), "RawFile/Remember = OFF\nR");
  EXPECT_EQ(ReadFile(file), text);

  std::string defaults;
  EXPECT_EQ(RunTool("--defaults", &defaults), 0);
  EXPECT_NE(defaults.find("Legend/Title = \n"), std::string::npos);
  std::string ignored;
  EXPECT_EQ(RunTool("--ini " + dir.Path() + "/missing.ini", &ignored), 2);
  EXPECT_EQ(RunTool("--frobnicate", &ignored), 64);
}
