// The program's settings table over a real INI file and in-memory page
// controls: what is loaded, what is written at close, and what the transfers
// hand to the diagram, printing and export code.
#include <gtest/gtest.h>

#include <set>

#include "chart/diagramsettings.h"
#include "chart/vqrdiagram.h"
#include "settings/iniclass.h"
#include "settings/settings.h"
#include "support/settingsfixture.h"

using vqrtest::FakeControl;
using vqrtest::FakeControls;
using vqrtest::Inputs;

class SettingsTable : public ::testing::Test {
 protected:
  void SetUp() override { WriteText(IniPath(), "[General]\nStartX=1\n"); }
  std::string IniPath() const { return home + "vqrshow4.INI"; }
  // One program start: locate the file, build the table, load everything.
  std::unique_ptr<TVQRShowSettings> Start(FakeControls& controls) {
    ini = std::make_unique<TZTIniClass>();
    ini->Locate(Inputs(dir.Sub("prog"), {}, {{"HOME", home}}));
    auto table = std::make_unique<TVQRShowSettings>(ini.get(), &controls);
    table->LoadAll(3);
    return table;
  }
  // Saves, checks the file, then checks a second save writes nothing new.
  void ExpectSaved(TVQRShowSettings& t, const std::string& text) {
    EXPECT_TRUE(t.SaveAll(3));
    EXPECT_EQ(ReadFileText(IniPath()), text);
    EXPECT_TRUE(t.SaveAll(3));
    EXPECT_EQ(ReadFileText(IniPath()), text);
  }
  TempDir dir;
  std::string home = dir.Sub("home");
  std::unique_ptr<TZTIniClass> ini;
  FakeControls c;
};

TEST_F(SettingsTable, EveryKeyIsUnique) {
  auto t = Start(c);
  std::vector<std::string> keys;
  for (const auto& s : t->Settings())
    for (int i = 1; i <= s->Count; ++i)
      for (const TZTIniKeyText& k : s->IniTexts(i)) keys.push_back(k.Section + "/" + k.Key);
  EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()).size(), keys.size());
}

TEST_F(SettingsTable, FreshFileIsLeftAlone) {
  auto t = Start(c);
  EXPECT_EQ(c["Ed_GridPen"].penCode, 0);                 // width 0: the built-in width applies
  EXPECT_TRUE(t->OverviewWindowPosition->GetPosSave());  // missing keys: store the position
  ExpectSaved(*t, "[General]\nStartX=1\n");
}

TEST_F(SettingsTable, OnlyChangedValuesAreWrittenAtClose) {
  WriteText(IniPath(), "[General]\nStartX=1\n; mine\n[Legend]\nTitle=Kanal A\n");
  auto t = Start(c);
  c["Ed_Legend"].text = "KANAL a";     // letter case alone: not written
  c["Ed_XAxisX"].text = "  25 ";       // written as 25
  c["Ed_PrV_FactorX"].text = "1,5";    // not a number: 0.000, same as stored: not written
  c["Ed_PrH_FactorX"].text = "1.5e1";  // an exponent is accepted
  c["CB_Combi2Ch3"].checked = true;
  c["Ed_Combi2Ch3Pen"].penCode = 15003;
  c["Ed_LegendFont"].text = " Courier New ";
  c["Ed_LegendFont"].fontStyle = 3;
  ExpectSaved(*t,
              "[General]\nStartX=1\n; mine\n[Legend]\nTitle=Kanal A\nFont=biCourier New\n\n"
              "[CombiWindow2]\nVisibleCh3=ON\nPenCh3Width=15\nPenCh3Style=3\n\n"
              "[Axis1]\nStartX=25\n\n[PrinterHorz]\nFixedFactorX=15.000\n");
  EXPECT_EQ(c["Ed_XAxisX"].text, "25");
  EXPECT_EQ(c["Ed_PrV_FactorX"].text, "0.000");
}

TEST_F(SettingsTable, FloatFieldWithACommaBecomesZeroAndIsWrittenWhenItWasNot) {
  WriteText(IniPath(), "[Logo]\nScale=2.5\n");
  auto t = Start(c);
  EXPECT_EQ(c["Ed_LogoScale"].text, "2.500");
  c["Ed_LogoScale"].text = "1,5";
  t->TakeLogoAndBackground();
  EXPECT_EQ(c["Ed_LogoScale"].text, "0.000");
  EXPECT_DOUBLE_EQ(t->LogoScale->GetFloat(1), 0.0);
  ExpectSaved(*t, "[Logo]\nScale=0.000\n");
}

TEST_F(SettingsTable, WrittenFileReadsBackIdentically) {
  {
    auto t = Start(c);
    c["Ed_SingleCh7Col"].color = 0x00FF8040;
    c["Ed_SingleCh7Pen"].penCode = 300004;
    c["Ed_TLabelFont"].text = "Liberation Serif";
    c["Ed_TLabelFont"].fontStyle = 2;
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
  EXPECT_EQ(c2["Ed_TLabelFont"].face, "Liberation Serif");
  EXPECT_EQ(t->AxisLabelFont->GetFontStyle(3), 2);
  EXPECT_EQ(c2["Ed_YFactor"].text, "-0.000013");  // six decimals
  EXPECT_EQ(c2["Ed_Legend"].text, "Grüße");
  EXPECT_TRUE(c2["RB_ASC_RData"].checked);
  EXPECT_EQ(t->SingleWindowPosition->GetPosW(), 600);
  ExpectSaved(*t, ReadFileText(IniPath()));  // nothing differs from the file
}

TEST_F(SettingsTable, PenKeysFallBackOneByOne) {
  WriteText(IniPath(), "[SingleWindow]\nPenCh2Style=2\nPenCh3Width=0\nPenCh3Style=7\n");
  auto t = Start(c);
  EXPECT_EQ(c["Ed_SingleCh1Pen"].penCode, 1000);  // both keys missing: default
  EXPECT_EQ(c["Ed_SingleCh2Pen"].penCode, 1002);  // width missing: default width
  EXPECT_EQ(c["Ed_SingleCh3Pen"].penCode, 7);
  EXPECT_EQ(c["Ed_SingleCh3Pen"].text, "");  // no picture for style 7
  TChannelPens pens{};
  TakeSinglePens(*t, pens);
  EXPECT_EQ(pens[3], (TPenRec{0, 3, 0, 0}));  // width 0 keeps the drawing's own; 7 draws solid
  EXPECT_EQ(pens[2], (TPenRec{0, 10, 2, 0}));
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
  WriteText(IniPath(), head + tail);
  auto t = Start(c);
  EXPECT_EQ(c["Ed_Legend"].text, "Kanäle");
  EXPECT_EQ(c["Ed_HourMax"].text, "12");
  c["Ed_LegendT"].text = "Temp";
  ASSERT_TRUE(t->SaveAll(3));
  EXPECT_TRUE(ReadFileText(IniPath()) == head + "TempChannel=Temp\n" + tail);
}

TEST_F(SettingsTable, FailedWriteKeepsTheChangeForTheNextSave) {
  auto t = Start(c);
  c["Ed_Legend"].text = "Kanal X";
  const std::string moved = dir.File("away");
  std::filesystem::rename(home, moved);  // the folder is gone
  EXPECT_FALSE(t->SaveAll(3));
  EXPECT_TRUE(t->LegendTitle->IsModified(1));
  std::filesystem::rename(moved, home);
  if (geteuid() != 0) {  // a read-only folder likewise
    chmod(home.c_str(), 0555);
    EXPECT_FALSE(t->SaveAll(3));
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
  std::string expected = ReadFileText(IniPath());
  const TRect same{170, 110, 470, 310};
  t->ExcelCalPosition->StorePosition(&same, &parent);
  ExpectSaved(*t, expected);
  const TRect dragged{180, 110, 480, 310};
  t->ExcelCalPosition->StorePosition(&dragged, &parent);
  expected.replace(expected.find("PositionX=-30"), 13, "PositionX=-20");
  ExpectSaved(*t, expected);
}

// ------------------------------------------------------------- transfers

TEST_F(SettingsTable, FreshFileLeavesTheBuiltInLayout) {
  auto t = Start(c);
  TDiagramLayout layout = MakeDefaultLayout();
  TakeDiagramLayout(*t, layout);
  EXPECT_EQ(layout, MakeDefaultLayout());
}

TEST_F(SettingsTable, SetValuesReachTheLayoutByTheTransferRules) {
  auto t = Start(c);
  c["Ed_HourMax"].text = "72";
  c["Ed_BorderL"].text = "12";
  c["Ed_DataStartY"].text = "-3";
  c["Ed_TTicL"].text = "0";  // 0 keeps the built-in value
  c["Ed_XAxisColor"].color = 0x0000FF;
  c["Ed_XAxisPen"].penCode = 3001;
  c["Ed_YTicPen"].penCode = 9;  // width 0, style 9
  c["Ed_XLabelFont"].text = "DejaVu Sans";
  c["Ed_XLabelFont"].fontStyle = 1;
  c["Ed_XLabelSize"].text = "12";
  c["Ed_XUnitHi"].text = "    ";              // blank keeps "Tage"
  c["Ed_TUnit"].text = std::string(40, 'C');  // cut to 32
  c["Ed_YFactor"].text = "0.5";
  c["Ed_GridStyle"].text = "258";                                   // low 8 bits
  c["Ed_Legend"].text = "Kanal Nummer und ein sehr langer Titel!";  // 39 characters
  c["Ed_LegendT"].text = "";
  c["Ed_LegendSize"].text = "0";
  c["Ed_LegendColor"].color = 0xFF;

  TVqrDataObjectNew data;
  TVQRDiagram diagram(data);
  TakeDiagramSettings(*t, diagram);
  const TDiagramLayout& l = diagram.Layout();
  EXPECT_EQ(data.Scaling.MaxHour, 72);
  EXPECT_FLOAT_EQ(data.Scaling.UserFactor, 0.5f);
  EXPECT_EQ(l.BorderLeft, 120);
  EXPECT_EQ(l.DataStartY, -30);
  EXPECT_EQ(l.TAxis.TicLength, 50);
  EXPECT_EQ(l.XAxis.Pen, (TPenRec{0x0000FF, 30, 1, 0}));
  EXPECT_EQ(l.YAxis.TicPen, (TPenRec{0, 3, 0, 0}));
  EXPECT_EQ(l.XAxis.LabelFont, (TFontRec{"DejaVu Sans", 0, 12, 1}));
  EXPECT_EQ(l.XAxis.UnitText2, "Tage");
  EXPECT_EQ(l.TAxis.UnitText1, std::string(32, 'C'));
  EXPECT_EQ(l.GridStyle, 2);
  EXPECT_EQ(l.Legend.Title, "Kanal Nummer und ein sehr langer");
  EXPECT_EQ(l.Legend.TempChannel, "T");
  EXPECT_EQ(l.Legend.Font, (TFontRec{"Arial", 0xFF, 16, 0}));
  EXPECT_TRUE(t->Axis1MaxHour->IsModified(1));  // taken controls are saved at close
}

TEST_F(SettingsTable, SinglePensFollowTheStoredAllEqual) {
  WriteText(IniPath(),
            "[SingleWindow]\nAllEqual=ON\nColorCh1=255\nPenCh1Width=2\nPenCh1Style=1\n"
            "ColorCh2=65280\nPenCh2Width=5\n");
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
  auto t = Start(c);
  TChannelPens pens{};
  EXPECT_EQ(TakeCombiPens1(*t, pens), 0);
  c["CB_Combi1Ch4"].checked = c["CB_Combi1ChT"].checked = c["CB_Combi2Ch1"].checked = true;
  c["Ed_Combi1ChTCol"].color = 0xFF0000;
  EXPECT_EQ(TakeCombiPens1(*t, pens), 2);
  EXPECT_EQ(pens[4].Visible, 1);
  EXPECT_EQ(pens[5].Visible, 0);
  EXPECT_EQ(pens[17], (TPenRec{0xFF0000, 10, 0, 1}));
  EXPECT_EQ(TakeCombiPens2(*t, pens), 1);
}

TEST_F(SettingsTable, PrinterAndExportSettings) {
  auto t = Start(c);
  TPrintOptions o;  // Preview is on in the record, off in a fresh file
  TakePrinterSettings(*t, o);
  EXPECT_EQ(o, (TPrintOptions{false, false, false, false, {}, {}}));
  c["RB_Pr_FixLandscape"].checked = c["CB_Pr_AllBlack"].checked = true;
  c["Ed_PrV_FactorY"].text = "1.25";
  c["Ed_PrH_YtoXmax"].text = "0.1";
  TakePrinterSettings(*t, o);
  EXPECT_EQ(o, (TPrintOptions{true, false, true, false, {0, 1.25f, 0, 0}, {0, 0, 0, 0.1f}}));

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
  EXPECT_EQ(l, MakeDefaultLayout());
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
  b->SetBool(2, true);
  EXPECT_FALSE(s->IsModified(1) || b->IsModified(2));
  s->SetString(1, "ABD");
  b->SetBool(2, false);
  EXPECT_TRUE(s->IsModified(1) && b->IsModified(2));
  // Long names are cut to 32 characters; an index suffix comes after the cut.
  auto* lng = TZTiniSettingValue::CreateInteger(3, std::string(40, 's'), std::string(40, 'k'), 0,
                                                {}, &table);
  EXPECT_EQ(lng->SectionOf(1), std::string(32, 's'));
  EXPECT_EQ(lng->KeyOf(3), std::string(32, 'k') + "3");
  EXPECT_EQ(lng->KeyOf(9), std::string(32, 'k') + "3");
}

TEST(SettingStore, MissingBooleanLoadsFalseWhateverItsDefault) {
  TempDir dir;
  const std::string home = dir.Sub("home");
  WriteText(home + "vqrshow4.INI", "[S]\n");
  TZTIniClass ini;
  ini.Locate(Inputs(dir.Sub("prog"), {}, {{"HOME", home}}));
  TZTIniSettingTable table(&ini);
  auto* b = TZTiniSettingValue::CreateBool(1, "S", "B", true, {}, &table);
  table.LoadAll(1);
  EXPECT_FALSE(b->GetBool(1));
}

TEST(SettingStore, CapacityEndsAtTheLastSlot) {
  TZTIniSettingTable table(nullptr);
  // 291 texts of 12 slots fill 3492 slots; the next text would need 3493..3504.
  auto* texts = TZTiniSettingValue::CreateString(291, "S", "T", "x", {}, &table);
  auto* more = TZTiniSettingValue::CreateString(2, "S", "U", "y", {}, &table);
  EXPECT_EQ(more->SlotOf(1), 0);
  EXPECT_EQ(more->GetString(1), "");
  auto* ints = TZTiniSettingValue::CreateInteger(10, "S", "I", 5, {}, &table);
  EXPECT_EQ(ints->SlotOf(7), 3499);
  EXPECT_EQ(ints->SlotOf(8), 0);
  EXPECT_EQ(ints->GetInteger(8), 0);
  EXPECT_EQ(texts->GetString(291), "x");
  table.LoadAll(3);  // walking a full store stays inside it
}

// --------------------------------------------------------------- editors

namespace {
struct ScriptedColorDialog : IZTColorDialog {
  bool ok = true;
  int32_t choice = 0, preset = -1;
  std::string fieldTextWhileOpen;
  FakeControl* field = nullptr;
  bool Execute(int32_t& color) override {
    preset = color;
    fieldTextWhileOpen = field->text;
    if (ok) color = choice;
    return ok;
  }
};
struct ScriptedPenDialog : IZTPenDialog {
  bool ok = true;
  int32_t width = 0, style = 0, presetWidth = -1, presetStyle = -1;
  bool Execute(int32_t& w, int32_t& s) override {
    presetWidth = w, presetStyle = s;
    if (ok) w = width, s = style;
    return ok;
  }
};
}  // namespace

TEST(Editors, ColorEditor) {
  TZTIniSettingTable table(nullptr);
  int beeps = 0;
  table.SetBeep([&] { ++beeps; });
  FakeControl field;
  field.color = 0x112233;
  field.text = "old";
  table.EditColor(&field);  // no dialog
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
  FakeControl field;
  field.penCode = 2003;
  table.EditPen(&field);  // no dialog can be made
  EXPECT_EQ(beeps, 1);

  ScriptedPenDialog dlg;
  int made = 0;
  table.SetPenDialogFactory([&]() -> IZTPenDialog* { return ++made, &dlg; });
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
  EXPECT_EQ(DirectoryPart("/data/run/a.DAT"), "/data/run/");
  EXPECT_EQ(DirectoryPart("c:\\cfg\\a.DAT"), "c:\\cfg\\");
  EXPECT_EQ(DirectoryPart("a.DAT"), "");
  EXPECT_EQ(NamePart("/data/run/a.DAT"), "a.DAT");
}
