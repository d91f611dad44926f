// The .xlsx backend: format notation, sheet names, and files as an
// independent reader (openpyxl) sees them, from the backend and from vqrtool.
#include <gtest/gtest.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <sstream>

#include <zlib.h>

#include "core_fixtures.h"
#include "data/processgauge.h"
#include "export/XLLayout.h"
#include "export/xlsx/XlsxApp.h"
#include "export/xlsx/XlsxRules.h"

namespace {

struct XCell {
  char Kind;  // n number, d date-time, s text
  std::string Text;
  std::string Format;
  double Number() const {
    double v = 0;
    std::from_chars(Text.data(), Text.data() + Text.size(), v);
    return v;
  }
};
struct XSheet {
  std::string Name;
  std::map<std::pair<int, int>, XCell> Cells;
  const XCell* At(int row, int col) const {
    const auto it = Cells.find({row, col});
    return it == Cells.end() ? nullptr : &it->second;
  }
};

// The file as openpyxl reads it.
std::vector<XSheet> ReadXlsx(const std::string& path) {
  TempDir dir;
  const std::string out = dir.File("cells.txt");
  const int rc = RunShell("/usr/bin/python3 " + Quote(VQR_SOURCE_DIR "/tests/xlsx_cells.py") + " " +
                          Quote(path) + " >" + Quote(out));
  EXPECT_EQ(rc, 0) << "openpyxl could not read " << path;
  std::vector<XSheet> sheets;
  std::istringstream in(ReadFileText(out));
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> f;
    for (size_t start = 0;;) {
      const size_t tab = line.find('\t', start);
      f.push_back(line.substr(start, tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    if (f[0] == "S") sheets.push_back({f[1], {}});
    if (f[0] == "C" && f.size() == 6 && !sheets.empty())
      sheets.back().Cells[{std::stoi(f[1]), std::stoi(f[2])}] = {f[3][0], f[4], f[5]};
  }
  return sheets;
}

TEST(XlsxFormat, GermanNotationTranslatedOrRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"0,0000", "0.0000"},
      {"0,0", "0.0"},
      {"#.##0,00", "#,##0.00"},
      {"0", "0"},
      {"[h]:mm:ss", "[h]:mm:ss"},
      {"[h]:mm:ss,00", "[h]:mm:ss.00"},
      {"[SS],0", "[ss].0"},
      {"TT.MM.JJJJ hh:mm", "dd\\.MM\\.yyyy hh:mm"},
      {"TTTT, T. MMMM JJJJ", "dddd, d\\. MMMM yyyy"},  // a comma that is no decimal comma
      {"hh:mm, ss", "hh:mm, ss"},
      {"0,0\" m/s.\"", "0.0\" m/s.\""},  // quoted text stays
      {"0\\,0", "0\\,0"},                // escaped character stays
      {"#.##0,0_);[Rot](#.##0,0)", "#,##0.0_);[Red](#,##0.0)"},
      {"[GRÜN]0;[farbe12]-0;[Blue]0", "[Green]0;[Color12]-0;[Blue]0"},
      {"[<0,5]0,00;[>=-1E3]0,0", "[<0.5]0.00;[>=-1E3]0.0"},  // a condition's decimal comma
      {"[$€-407] #.##0,00", "[$€-407] #,##0.00"},
      {"0,00E+00", "0.00E+00"},
      {"0,0 \"T\";-0,0", "0.0 \"T\";-0.0"},  // T only a day inside date sections
      {" Standard ", "General"},
      {"Standard;-Standard", "General;-General"},
      {"[Rot]STANDARD;standard\" h\"", "[Red]General;General\" h\""},
      {"0;-0;;@", "0;-0;;@"},
  };
  for (const auto& [german, neutral] : cases) {
    EXPECT_EQ(XlsxFormatFromGerman(german), neutral) << german;
    EXPECT_EQ(XlsxFormatProblem(german), "") << german;
  }

  const std::pair<std::string, const char*> refused[] = {
      {"[Grün0,00", "bracket \"[\" is not closed"},
      {"[Rot[Blau]0", "bracket \"[\" is not closed"},
      {"0,0]", "bracket \"]\" has no"},
      {"0,00\"", "quotation mark is not closed"},
      {"0,0\\", "ends in \"\\\""},
      {"0*", "ends in \"*\""},
      {"[Braun]0", "[Braun] is no colour"},
      {"[Farbe57]0", "[Farbe57] is no colour"},
      {"[DBNum1]0", "[DBNum1] is no colour"},
      {"0,0 mV", "mixes digits and date or time codes"},  // m and s are codes, as in Calc
      {"#.##0 s;-0", "mixes digits"},
      {"hh:mm:ss,00 0", "mixes digits"},
      {"[<]0", "not a comparison"},
      {"[<0.5]0", "not a comparison"},
      {"[=1,]0", "not a comparison"},
      {"0;0;0;0;0", "more than 4 sections"},
      {"", "empty"},
      {"0\t0", "control character"},
      {"0\xff", "UTF-8"},
      {std::string(250, '0') + "." + std::string(10, '0'), "longer than 255"},
  };
  for (const auto& [german, problem] : refused)
    EXPECT_NE(XlsxFormatProblem(german).find(problem), std::string::npos)
        << german << ": " << XlsxFormatProblem(german);
  // The sheet refuses such a format with the problem in the message.
  TXlsxApplication app;
  try {
    app.AddWorkbook().Worksheet(1).SetNumberFormat(1, 1, "[Rot0,00");
    ADD_FAILURE() << "taken";
  } catch (const TXLError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Invalid number format \"[Rot0,00\": a bracket \"[\" is not closed");
  }
}

TEST(XlsxSheetNames, RulesOfTheSpreadsheet) {
  TXlsxApplication app;
  app.AddWorkbook();
  TXlsxWorkbook& book = app.Book(1);
  book.AppendWorksheet().SetName("Ärger");
  book.AppendWorksheet().SetName("Ωx Straße");
  TXlsxWorksheet& sheet = book.Sheet(1);
  const std::pair<std::string, const char*> cases[] = {
      {"VQR Daten", nullptr},
      {std::string(31, 'x'), nullptr},
      {std::string(30, 'x') + "ä", nullptr},  // characters, not bytes
      {std::string(32, 'x'), "longer than 31"},
      {"", "empty"},
      {"a/b", "one of [ ]"},
      {"a[1]", "one of [ ]"},
      {"Was?", "one of [ ]"},
      {"x:y", "one of [ ]"},
      {"tab\there", "control character"},
      {"'quoted'", "apostrophe"},
      {"ärger", "already has a sheet named 'Ärger'"},           // case-insensitive, umlauts too
      {"ωX STRASSE", "already has a sheet named 'Ωx Straße'"},  // and every other script
      {"TABELLE1", nullptr},                                    // the sheet's own name
      {"bad\xff", "UTF-8"},
  };
  for (const auto& [name, problem] : cases) {
    try {
      sheet.SetName(name);
      EXPECT_EQ(problem, nullptr) << name;
      EXPECT_EQ(sheet.Name(), name);
    } catch (const TXLError& e) {
      ASSERT_NE(problem, nullptr) << name << ": " << e.what();
      EXPECT_NE(std::string(e.what()).find(problem), std::string::npos) << e.what();
    }
  }

  std::vector<std::string> taken{"Daten"};
  const std::pair<std::string, std::string> made[] = {
      {"Mess/Reihe:1", "Mess_Reihe_1"},
      {std::string(40, 'L'), std::string(31, 'L')},
      {std::string(40, 'L'), std::string(27, 'L') + " (2)"},
      {"daten", "daten (2)"},
      {"Ωx", "Ωx"},
      {"ωx", "ωx (2)"},
      {"ΣΊΣΥΦΟΣ", "ΣΊΣΥΦΟΣ"},
      {"σίσυφος", "σίσυφος (2)"},
      {"'x'", "_x_"},
      {"", "Tabelle"},
      {"Lat\xe9n", "Lat_n"},
  };
  for (const auto& [name, expected] : made) {
    const std::string got = XlsxMakeSheetName(name, taken);
    EXPECT_EQ(got, expected) << name;
    EXPECT_EQ(XlsxSheetNameProblem(got), "");
  }
}

TEST(XlsxApp, WorkbooksSheetsAndProvider) {
  int shown = 0;
  TXlsxProvider provider([&](TXlsxApplication& a) { shown += a.WorkbookCount(); });
  EXPECT_THROW(provider.Attach(), TXLError);
  EXPECT_FALSE(provider.Description().empty());
  auto app = provider.Create();
  EXPECT_EQ(app->WorkbookCount(), 0);
  IXLWorkbook& first = app->AddWorkbook();
  IXLWorkbook& second = app->AddWorkbook("ignored.xltx");
  EXPECT_EQ(first.Name() + "|" + second.Name(), "Mappe1|Mappe2");
  EXPECT_EQ(&app->Workbook("mappe2"), &second);
  EXPECT_EQ(&app->Workbook(1), &first);
  EXPECT_THROW(app->Workbook("Mappe3"), TXLError);
  EXPECT_THROW(app->Workbook(3), TXLError);

  ASSERT_EQ(second.SheetCount(), 1);
  EXPECT_EQ(second.SheetName(1), "Tabelle1");
  IXLWorksheet& added = second.AddWorksheetBefore(1);
  added.SetName("VQR Daten");
  EXPECT_EQ(second.SheetName(1) + "|" + second.SheetName(2), "VQR Daten|Tabelle1");
  EXPECT_EQ(&second.Worksheet("vqr daten"), &added);
  EXPECT_EQ(&second.Worksheet(2), &second.Worksheet("Tabelle1"));
  EXPECT_THROW(second.Worksheet("Tabelle2"), TXLError);
  EXPECT_THROW(second.AddWorksheetBefore(4), TXLError);
  EXPECT_THROW(added.SetDouble(0, 1, 1.0), TXLError);
  EXPECT_THROW(added.SetText(1, 16385, "x"), TXLError);

  EXPECT_FALSE(app->Visible());
  app->SetVisible(true);
  EXPECT_EQ(std::pair(app->Visible(), shown), std::pair(true, 2));
}

TEST(XlsxFile, ExactValuesFormatsAndTextsAsReadBack) {
  TXlsxApplication app;
  app.AddWorkbook();
  TXlsxWorkbook& book = app.Book(1);
  TXlsxWorksheet& sheet = book.Sheet(1);
  sheet.SetName("Größe & <Wert>");
  // Floats whose 16-digit text would read back as another double.
  const float values[] = {0.1f, 12.345f, 25.7f, -2.3869359f, 1e-30f, 3.4e38f, 0.0f};
  for (int i = 0; i < 7; ++i) sheet.SetDouble(2, i + 1, values[i]);
  sheet.SetDateTime(3, 1, 5400 / 86400.0);   // no format of its own: still a time
  sheet.SetDateTime(3, 2, 86399 / 86400.0);  // formatted like a channel
  sheet.SetNumberFormat(3, 2, "#.##0,000");
  sheet.SetNumberFormats(4, 1, 2, 2, "0,0");
  sheet.SetDouble(4, 1, 1234.5);
  sheet.SetText(1, 1, " Zeit");
  sheet.SetText(1, 2, "a<b>&\"c\" Kanal");
  sheet.SetDouble(6, 1, -2.5);
  sheet.SetNumberFormat(6, 1, "Standard;-Standard");
  sheet.SetDouble(6, 2, 45000);
  sheet.SetNumberFormat(6, 2, "TTTT, T. MMMM JJJJ");
  book.AppendWorksheet().SetText(5, 3, "zweite");

  TempDir dir;
  const std::string path = dir.File("out.xlsx");
  app.SaveWorkbook(1, path);
  const auto sheets = ReadXlsx(path);
  ASSERT_EQ(sheets.size(), 2u);
  const XSheet& s = sheets[0];
  EXPECT_EQ(s.Name, "Größe & <Wert>");
  EXPECT_EQ(sheets[1].Name, "Tabelle2");
  ASSERT_TRUE(sheets[1].At(5, 3));
  EXPECT_EQ(sheets[1].At(5, 3)->Text, "zweite");
  struct ReadBack {
    int row, col;
    char kind;
    double number;
    std::string format;
  };
  std::vector<ReadBack> want = {{3, 1, 'd', 0.0625, "[h]:mm:ss"},
                                {3, 2, 'n', 86399 / 86400.0, "#,##0.000"},  // a number format
                                {4, 1, 'n', 1234.5, "0.0"},
                                {6, 1, 'n', -2.5, "General;-General"},  // no date for the reader
                                {6, 2, 'd', 45000, "dddd, d\\. MMMM yyyy"}};
  for (int i = 0; i < 7; ++i) want.push_back({2, i + 1, 'n', values[i], "General"});
  for (const ReadBack& w : want) {
    const XCell* c = s.At(w.row, w.col);
    ASSERT_TRUE(c) << w.row << "," << w.col;
    EXPECT_EQ(std::tuple(c->Kind, c->Number(), c->Format), std::tuple(w.kind, w.number, w.format))
        << w.row << "," << w.col << ": " << c->Text;
  }
  EXPECT_EQ(s.At(1, 1)->Text, " Zeit");
  EXPECT_EQ(s.At(1, 2)->Text, "a<b>&\"c\" Kanal");

  // A failed save leaves nothing behind and keeps an older file.
  EXPECT_THROW(app.SaveWorkbook(1, dir.File("missing/out.xlsx")), TXLError);
  EXPECT_THROW(app.SaveWorkbook(1, dir.Sub("folder")), TXLError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

// Sheets written ahead give the same bytes as the workbook written at once.
// Fill() makes three sheets with texts, numbers, formats and date-time cells
// with and without a format; the golden size and CRC are those of the writer
// that held every sheet in memory until the end.
TEST(XlsxFile, SheetsWrittenAheadGiveTheSameBytes) {
  TXlsxApplication app;
  auto fill = [&app](bool ahead) {
    TXlsxWorkbook& book = static_cast<TXlsxWorkbook&>(app.AddWorkbook());
    for (int n = 1; n <= 3; ++n) {
      TXlsxWorksheet& sheet = n == 1 ? book.Sheet(1) : book.AppendWorksheet();
      sheet.SetText(1, 1, n == 2 ? " Zeit & <x>" : "Zeit");
      for (int row = 2; row < 40; ++row) {
        sheet.SetDateTime(row, 1, row * 60 / 86400.0);
        for (int col = 2; col <= 4; ++col) sheet.SetDouble(row, col, row * 0.1 + col / 3.0);
      }
      if (n != 3) sheet.SetNumberFormats(2, 2, 38, 3, "0,0");
      if (n == 2) sheet.SetNumberFormats(2, 1, 10, 1, "[h]:mm:ss");
      if (ahead) app.WriteSheetAhead(app.WorkbookCount(), n);
    }
    book.Sheet(1).SetName("Erste");  // names may still change
  };
  fill(false);
  fill(true);
  const std::string bytes = app.Writer(1).Bytes();
  EXPECT_EQ(app.Writer(2).Bytes(), bytes);
  EXPECT_EQ(std::pair(bytes.size(), crc32(0, reinterpret_cast<const Bytef*>(bytes.data()),
                                          static_cast<uInt>(bytes.size()))),
            std::pair(size_t{6839}, uLong{0x93FB36E4u}));
  TempDir dir;
  app.SaveWorkbook(2, dir.File("a.xlsx"));
  EXPECT_EQ(ReadFileText(dir.File("a.xlsx")), bytes);

  // A sheet written ahead takes no more cells, nor a sheet before it.
  TXlsxWorkbook& ahead = app.Book(2);
  EXPECT_THROW(ahead.Sheet(2).SetDouble(1, 1, 1.0), TXLError);
  EXPECT_THROW(ahead.Sheet(2).SetNumberFormats(1, 1, 1, 1, "0"), TXLError);
  EXPECT_THROW(ahead.AddWorksheetBefore(3), TXLError);
  EXPECT_THROW(app.WriteSheetAhead(2, 1), TXLError);  // only in order
  ahead.AddWorksheetBefore(4).SetDouble(1, 1, 2.0);
  app.WriteSheetAhead(2, 4);
  EXPECT_EQ(std::pair(ahead.WrittenSheets(), app.Writer(2).SheetsWrittenAhead()), std::pair(4, 4));
  // Unformatted times written ahead took the style after the formats known
  // then; a new format would move it: the save fails and leaves no file.
  TXlsxWorkbook& late = static_cast<TXlsxWorkbook&>(app.AddWorkbook());
  late.Sheet(1).SetDateTime(1, 1, 0.5);
  app.WriteSheetAhead(3, 1);
  late.AppendWorksheet().SetNumberFormat(1, 1, "0,000");
  EXPECT_THROW(app.SaveWorkbook(3, dir.File("b.xlsx")), TXLError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

// A temporary folder that cannot take the sheets written ahead is named with
// the reason, in the error and in what vqrtool says.
TEST(XlsxFile, AnUnusableTemporaryFolderIsNamedWithTheReason) {
  TempDir dir;
  ASSERT_TRUE(WriteText(dir.File("datei"), ""));
  const struct {
    std::string tmpdir;
    int code;
  } cases[] = {{dir.File("fehlt"), ENOENT}, {dir.File("datei"), ENOTDIR}, {"/proc/self", ENOENT}};
  for (const auto& c : cases) {
    const std::string reason = "temporary folder " + c.tmpdir + ": " + std::strerror(c.code);
    {
      // Only while the sheet is written ahead: the test's own folders need TMPDIR.
      struct TmpDirGuard {
        explicit TmpDirGuard(const std::string& dir) {
          if (const char* v = std::getenv("TMPDIR")) saved = v;
          setenv("TMPDIR", dir.c_str(), 1);
        }
        ~TmpDirGuard() {
          if (saved)
            setenv("TMPDIR", saved->c_str(), 1);
          else
            unsetenv("TMPDIR");
        }
        std::optional<std::string> saved;
      } guard(c.tmpdir);
      TXlsxApplication app;
      app.AddWorkbook();
      app.Book(1).Sheet(1).SetDouble(1, 1, 1.0);
      try {
        app.WriteSheetAhead(1, 1);
        ADD_FAILURE() << c.tmpdir;
      } catch (const TXLFileError& e) {
        EXPECT_EQ(std::tuple(e.Path, e.Code, e.InFolder), std::tuple(c.tmpdir, c.code, true));
        EXPECT_EQ(std::string(e.what()),
                  "Cannot create a temporary file for the workbook in the " + reason);
      }
    }
    const std::string out = dir.File("x.xlsx");
    const ToolRun run =
        Tool({"xlsx", VQR_SOURCE_DIR "/samples/hours40.DAT", "-o", out, "--defaults"},
             "TMPDIR=" + Quote(c.tmpdir) + " ");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_FALSE(Exists(out));
  }
}

class CountingGauge : public IProcessGauge {
 public:
  void Start(int maximum, const std::string&) override { Maximum = maximum; }
  void SetPosition(int position) override { Position = position; }
  void StepBy(int delta) override { Position += delta; }
  void Complete() override {}
  void Finish() override {}
  int Maximum = -1, Position = -1;
};

TEST(XlsxSheetExport, EndsAtTheEmptySampleWithTheGaugeOnIt) {
  TDatWriter w;
  DatHeader{}.AddTo(w);
  for (int i = 1; i <= 6; ++i) w.Add(MakeDataRecord(i == 4 ? 0 : 60 * i, Readings(1000)));
  for (int blockRows : {1, 1500}) {
    CountingGauge gauge;
    TVQRSession session(nullptr, &gauge);
    ASSERT_EQ(LoadBytes(session, w.Bytes()), TLoadStatus::Ok);
    TXlsxApplication app;
    TXlsxWorksheet& sheet = static_cast<TXlsxWorksheet&>(app.AddWorkbook().Worksheet(1));
    EXPECT_EQ(session.ExportSheet(sheet, TXLLayout{}, {}, blockRows), 3);
    EXPECT_EQ(sheet.CellCount(), 3u * 18);
    EXPECT_EQ(gauge.Position, std::min(4, gauge.Maximum));
  }
}

// vqrtool xlsx against the program's own calibrated values.
class VqrToolXlsx : public testing::Test {
 protected:
  static void ExpectRecording(const XSheet& sheet, const std::string& dat, int row0, int col0,
                              bool formats) {
    TVQRSession session;
    ASSERT_EQ(session.Load(dat), TLoadStatus::Ok) << dat;
    const TVqrDataObjectNew& d = session.Data();
    int rows = 0;
    for (int i = 1; d.GetTime(i) != 0; ++i, ++rows) {
      const XCell* t = sheet.At(row0 + i - 1, col0);
      ASSERT_TRUE(t) << dat << " sample " << i;
      EXPECT_EQ(t->Kind, 'd');
      EXPECT_EQ(t->Number(), d.GetTime(i) / 86400.0);
      EXPECT_EQ(t->Format, "[h]:mm:ss");  // also without NewFormat
      for (int ch = 1; ch <= 17; ++ch) {
        const XCell* v = sheet.At(row0 + i - 1, col0 + ch);
        ASSERT_TRUE(v) << dat << " sample " << i << " channel " << ch;
        ASSERT_EQ(v->Number(), static_cast<double>(d.GetValue(i, ch)))
            << dat << " sample " << i << " channel " << ch << ": " << v->Text;
        EXPECT_EQ(v->Format, !formats ? "General" : ch == 17 ? "0.0" : "#,##0.000");
      }
    }
    EXPECT_EQ(rows, d.GetSampleCount());
    const size_t header = sheet.At(row0 - 1, col0) ? 18 : 0;
    EXPECT_EQ(sheet.Cells.size(), rows * 18u + header) << dat;
  }
};

TEST_F(VqrToolXlsx, OneRecordingWithHeaderAndFormats) {
  TempDir dir;
  const std::string ini = dir.File("vqrshow4.INI");
  ASSERT_TRUE(WriteText(ini,
                        "[ExcelCal]\nTabSheet=Messung 7\nSetHeader=ON\nHeaderRow=2\nDataRow=0\n"
                        "DataCol=2\nNewFormat=ON\nFormatChannel=#.##0,000\nFormatTime= \n"));
  const std::string out = dir.File("out.xlsx");
  const std::string dat = VQR_SOURCE_DIR "/samples/full1500.DAT";
  ASSERT_EQ(Tool({"xlsx", dat, "-o", out, "--ini", ini}).status, 0);
  const auto sheets = ReadXlsx(out);
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(sheets[0].Name, "Messung 7");
  const XSheet& s = sheets[0];
  std::string header;
  for (int col : {2, 3, 18, 19}) header += (s.At(2, col) ? s.At(2, col)->Text : "?") + "|";
  EXPECT_EQ(header, "Zeit|Kanal 1|Kanal 16|Temperatur|");
  EXPECT_EQ(s.At(2, 2)->Format, "General");
  ExpectRecording(s, dat, 3, 2, true);

  ASSERT_EQ(Tool({"xlsx", dat, "-o", out, "--defaults", "--sheet", "Andere"}).status, 0);
  const auto other = ReadXlsx(out);
  ASSERT_EQ(other.size(), 1u);
  EXPECT_EQ(other[0].Name, "Andere");
  ExpectRecording(other[0], dat, 1, 1, false);
}

TEST_F(VqrToolXlsx, BatchStatusesAndFailures) {
  TempDir dir;
  const std::string samples = VQR_SOURCE_DIR "/samples/";
  std::filesystem::create_directories(dir.File("b"));
  const std::string copy = dir.File("b/days10.DAT");
  std::filesystem::copy_file(samples + "days10.DAT", copy);
  ASSERT_TRUE(WriteText(dir.File("bad[1].DAT"), "not a recording"));
  const std::string out = dir.File("all.xlsx");
  const std::vector<std::string> inputs = {samples + "days10.DAT", samples + "hours40.DAT",
                                           dir.File("bad[1].DAT"), copy, samples + "full1500.DAT"};
  std::vector<std::string> args = {"xlsx"};
  args.insert(args.end(), inputs.begin(), inputs.end());
  args.insert(args.end(), {"-o", out, "--defaults"});
  EXPECT_EQ(Tool(args).status, 1);  // the bad one is left out, the others written
  const auto sheets = ReadXlsx(out);
  ASSERT_EQ(sheets.size(), 4u);
  const char* names[] = {"days10", "hours40", "days10 (2)", "full1500"};
  const std::string dats[] = {inputs[0], inputs[1], inputs[3], inputs[4]};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(sheets[i].Name, names[i]);
    ExpectRecording(sheets[i], dats[i], 1, 1, false);
  }

  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const std::string dat = samples + "hours40.DAT";
  ASSERT_TRUE(WriteText(dir.File("f.INI"), "[ExcelCal]\nNewFormat=ON\nFormatTemp=[Rot0,00\n"));
  const Case cases[] = {
      {{"xlsx", dat, "-o", dir.File("none/x.xlsx"), "--defaults"}, 3},
      {{"xlsx", dat, dat, "-o", out, "--sheet", "X"}, 64},
      {{"xlsx", dat, "-o", out, "--sheet", "a:b"}, 64},
      {{"xlsx", dat}, 64},
      {{"xlsx", dir.File("missing.DAT"), "-o", dir.File("m.xlsx"), "--defaults"}, 2},
      {{"xlsx", dat, "-o", dir.File("f.xlsx"), "--ini", dir.File("f.INI")}, 3},  // bad format
  };
  for (const Case& c : cases) EXPECT_EQ(Tool(c.args).status, c.status) << c.args[1];
  for (const char* name : {"m.xlsx", "none", "f.xlsx"}) EXPECT_FALSE(Exists(dir.File(name)));
}

}  // namespace
