// The Calc backend against a real LibreOffice: a headless office on a
// private pipe and profile, started once for this program (again only after
// a test ended it) and killed at the end. Cells are read back through UNO.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <set>
#include <thread>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <osl/file.hxx>

#include "export/XLExport.h"
#include "export/XLLayout.h"
#include "export/calc/xlcalc.h"
#include "export/calc/xlcalcuno.h"
#include "settings/settings.h"
#include "tests/core/core_fixtures.h"

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;

namespace {

std::string S(const OUString& s) { return std::string(s.toUtf8().getStr()); }

class Office : public ::testing::Environment {
 public:
  void SetUp() override {
    const std::string id = std::to_string(getpid());
    setenv("VQR_CALC_PIPE", ("vqrtest-" + id).c_str(), 1);
    setenv("VQR_CALC_PROFILE", profile_.File("profile").c_str(), 1);
    setenv("VQR_CALC_HEADLESS", "1", 1);
    provider_ = std::make_unique<TCalcProvider>();
    // Should this program die without its tear-down, a watchman kills the
    // offices: it learns their groups through a pipe and acts when it closes.
    int fds[2];
    if (pipe(fds) == 0) {
      if (fork() == 0) {
        close(fds[1]);
        std::vector<pid_t> groups;
        pid_t g;
        while (read(fds[0], &g, sizeof g) == sizeof g) groups.push_back(g);
        for (pid_t group : groups) kill(-group, SIGKILL);
        _exit(0);
      }
      close(fds[0]);
      watchman_ = fds[1];
    }
  }
  void TearDown() override {
    try {
      if (auto app = provider_->Attach()) app->Quit();
    } catch (const TXLError&) {
    }
    KillAll();
  }
  static TCalcProvider& Provider() { return *instance->provider_; }
  /// The test office, started when none answers.
  static std::unique_ptr<IXLApplication> App() {
    try {
      return Provider().Attach();
    } catch (const TXLError&) {
      return Create();
    }
  }
  static std::unique_ptr<IXLApplication> Create() {
    auto app = Provider().Create();
    Track(Provider().StartedGroup());
    return app;
  }
  /// An office started by another provider, to be ended with the others.
  static void Track(pid_t group) {
    if (group <= 0 || !instance->groups_.insert(group).second) return;
    if (write(instance->watchman_, &group, sizeof group) != sizeof group) perror("watchman");
  }
  static void KillAll() {
    for (pid_t g : instance->groups_) {
      kill(-g, SIGKILL);
      for (int i = 0; i < 100 && kill(-g, 0) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    instance->groups_.clear();
  }
  static Office* instance;

 private:
  TempDir profile_;
  std::unique_ptr<TCalcProvider> provider_;
  std::set<pid_t> groups_;
  int watchman_ = -1;
};
Office* Office::instance =
    static_cast<Office*>(::testing::AddGlobalTestEnvironment(new Office));  // gtest owns it

Reference<css::sheet::XSpreadsheet> Uno(IXLWorksheet& sheet) {
  return dynamic_cast<TCalcWorksheet&>(sheet).Sheet();
}

Sequence<Sequence<Any>> Cells(IXLWorksheet& sheet, int row, int col, int rows, int cols) {
  return Reference<css::sheet::XCellRangeData>(
             Uno(sheet)->getCellRangeByPosition(col - 1, row - 1, col + cols - 2, row + rows - 2),
             UNO_QUERY_THROW)
      ->getDataArray();
}

double Value(IXLWorksheet& sheet, int row, int col) {
  double v = -1;
  Cells(sheet, row, col, 1, 1)[0][0] >>= v;
  return v;
}

std::string Text(IXLWorksheet& sheet, int row, int col) {
  OUString s;
  Cells(sheet, row, col, 1, 1)[0][0] >>= s;
  return S(s);
}

/// Calc's own format string of a cell and the language of its format.
std::string FormatOf(IXLWorkbook& book, IXLWorksheet& sheet, int row, int col) {
  sal_Int32 key = 0;
  Reference<css::beans::XPropertySet>(Uno(sheet)->getCellByPosition(col - 1, row - 1),
                                      UNO_QUERY_THROW)
      ->getPropertyValue("NumberFormat") >>= key;
  Reference<css::beans::XPropertySet> format =
      Reference<css::util::XNumberFormatsSupplier>(dynamic_cast<TCalcWorkbook&>(book).Document(),
                                                   UNO_QUERY_THROW)
          ->getNumberFormats()
          ->getByKey(key);
  OUString code;
  css::lang::Locale locale;
  format->getPropertyValue("FormatString") >>= code;
  format->getPropertyValue("Locale") >>= locale;
  return S(code) + (locale.Language.isEmpty() ? "" : " " + S(locale.Language));
}

struct Recording {
  explicit Recording(const std::string& file) {
    EXPECT_EQ(session.Load(file), TLoadStatus::Ok) << file;
  }
  explicit Recording(const std::vector<uint8_t>& bytes) {
    EXPECT_EQ(LoadBytes(session, bytes), TLoadStatus::Ok);
  }
  TVQRSession session;
};

TXLLayout Layout(bool reformat) {
  TXLLayout l;
  l.WriteHeader = true;
  l.HeaderRow = 2;
  l.DataRow = 3;
  l.DataCol = 2;  // time in B, channels C..R, temperature in S
  l.Reformat = reformat;
  if (reformat) {
    l.TimeFormat = "[h]:mm:ss";
    l.ChannelFormat = "0,0000";
    l.TempFormat = "#.##0,0";
  }
  return l;
}

TEST(Calc, NewWorkbookAndNewSheetBeforeTheFirst) {
  auto app = Office::App();
  const int32_t before = app->WorkbookCount();
  IXLWorkbook& first = app->AddWorkbook();
  IXLWorkbook& book = app->AddWorkbook();
  ASSERT_EQ(app->WorkbookCount(), before + 2);
  EXPECT_EQ(&app->Workbook(before + 2), &book);
  EXPECT_EQ(&app->Workbook(book.Name()), &book);
  EXPECT_NE(first.Name(), book.Name());
  ASSERT_EQ(book.SheetCount(), 1);
  book.Worksheet(1).SetName("TabSheet");
  EXPECT_EQ(book.SheetName(1), "TabSheet");
  EXPECT_EQ(book.Worksheet("TabSheet").Name(), "TabSheet");

  IXLWorksheet& added = book.AddWorksheetBefore(1);
  added.SetName("Neu");
  EXPECT_EQ(book.SheetCount(), 2);
  EXPECT_EQ(book.SheetName(1), "Neu");
  EXPECT_EQ(book.SheetName(2), "TabSheet");
  EXPECT_EQ(added.Name(), "Neu");
  EXPECT_EQ(first.SheetCount(), 1);
  EXPECT_FALSE(app->Visible());  // created hidden until the export shows them
}

TEST(Calc, ExportIntoTheSecondOfTwoSheetsOfOneName) {
  Recording rec(VQR_SOURCE_DIR "/samples/full1500.DAT");
  const int n = rec.session.Data().GetSampleCount();
  ASSERT_GT(n, 1000);
  auto app = Office::App();
  IXLWorkbook& first = app->AddWorkbook();
  IXLWorkbook& second = app->AddWorkbook();
  first.Worksheet(1).SetName("Daten");
  second.Worksheet(1).SetName("Daten");
  IXLWorksheet& target = app->Workbook(second.Name()).Worksheet("Daten");
  // Cells around the written area: left, above, right, below.
  const struct { int row, col; } around[] = {{3, 1}, {1, 2}, {3, 20}, {n + 3, 2}};
  for (const auto& c : around) target.SetDouble(c.row, c.col, 42);
  first.Worksheet("Daten").SetText(3, 2, "bleibt");

  EXPECT_EQ(rec.session.ExportSheet(target, Layout(true), {}, 100), n);

  const auto cells = Cells(target, 2, 2, n + 1, 18);
  EXPECT_EQ(S(cells[0][0].get<OUString>()), "Zeit");
  EXPECT_EQ(S(cells[0][1].get<OUString>()), "Kanal 1");
  EXPECT_EQ(S(cells[0][16].get<OUString>()), "Kanal 16");
  EXPECT_EQ(S(cells[0][17].get<OUString>()), "Temperatur");
  int mismatches = 0;
  for (int i = 1; i <= n; ++i) {
    const auto& row = cells[i];
    if (row[0].get<double>() != rec.session.Data().GetTime(i) / 86400.0) ++mismatches;
    for (int ch = 1; ch <= 17; ++ch)
      if (row[ch].get<double>() != static_cast<double>(rec.session.Data().GetValue(i, ch)))
        ++mismatches;
  }
  EXPECT_EQ(mismatches, 0);
  for (const auto& c : around) EXPECT_EQ(Value(target, c.row, c.col), 42);
  EXPECT_EQ(Text(first.Worksheet("Daten"), 3, 2), "bleibt");

  // Calc's own format strings, German notation in the German locale.
  const std::string untouched = FormatOf(second, target, 1, 1);
  EXPECT_EQ(FormatOf(second, target, 2, 2), untouched);  // the header keeps its format
  EXPECT_EQ(FormatOf(second, target, 3, 2), "[H]:MM:SS de");
  EXPECT_EQ(FormatOf(second, target, n + 2, 18), "0,0000 de");
  EXPECT_EQ(FormatOf(second, target, n + 2, 19), "#.##0,0 de");
}

TEST(Calc, BlocksAndSingleCellsGiveTheSameCells) {
  // Sample 4 is an empty slot: the export stops before it.
  TDatWriter w;
  DatHeader().AddTo(w);
  for (int i = 1; i <= 6; ++i) w.Add(MakeDataRecord(i == 4 ? 0 : 90 * i, Readings(1000 + i, 215)));
  Recording rec(w.Bytes());
  auto app = Office::App();
  IXLWorkbook& book = app->AddWorkbook();
  IXLWorksheet& blocks = book.Worksheet(1);
  IXLWorksheet& single = book.AddWorksheetBefore(1);
  for (bool reformat : {true, false}) {
    SCOPED_TRACE(reformat);
    EXPECT_EQ(rec.session.ExportSheet(blocks, Layout(reformat), {}, 2), 3);
    EXPECT_EQ(rec.session.ExportSheet(single, Layout(reformat), {}, 1), 3);
    EXPECT_TRUE(Cells(blocks, 1, 1, 8, 20) == Cells(single, 1, 1, 8, 20));
    for (int row : {2, 3, 5})
      for (int col : {2, 3, 19})
        EXPECT_EQ(FormatOf(book, blocks, row, col), FormatOf(book, single, row, col))
            << row << "," << col;
    EXPECT_EQ(Text(blocks, 6, 2), "");
  }
  // Without formats of their own, times still show as times.
  IXLWorksheet& plain = book.AddWorksheetBefore(1);
  rec.session.ExportSheet(plain, Layout(false), {}, 100);
  EXPECT_EQ(FormatOf(book, plain, 3, 2), "[H]:MM:SS de");
  EXPECT_EQ(FormatOf(book, plain, 3, 3), FormatOf(book, plain, 1, 1));  // channels keep theirs
}

TEST(Calc, ErrorsCarryAMessage) {
  auto app = Office::App();
  IXLWorkbook& book = app->AddWorkbook();
  book.Worksheet(1).SetName("Daten");
  book.AddWorksheetBefore(1).SetName("Andere");
  TempDir dir;
  const struct {
    const char* what;
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {"refused name", [&] { book.Worksheet(1).SetName("a/b"); }, "Invalid sheet name \"a/b\""},
      {"taken name", [&] { book.Worksheet(1).SetName("Daten"); }, "Invalid sheet name"},
      {"no workbook", [&] { app->Workbook("Gibt es nicht"); }, "no workbook"},
      {"no sheet", [&] { book.Worksheet("Gibt es nicht"); }, "no sheet"},
      {"sheet index", [&] { book.Worksheet(3); }, "no sheet 3"},
      {"bad format", [&] { book.Worksheet(1).SetNumberFormat(1, 1, "[Farbe]0"); },
       "Invalid number format"},
      {"no template", [&] { app->AddWorkbook(dir.File("fehlt.ots")); }, "Template not found"},
      {"nothing listens",
       [&] {
         TCalcOptions o = Office::Provider().Options();
         o.Pipe += "-none";
         TCalcProvider(o).Attach();
       },
       "not running"},
  };
  for (const auto& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.what << ": no error";
    } catch (const TXLError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
          << c.what << ": " << e.what();
    }
  }
  EXPECT_EQ(book.SheetName(1), "Andere");
}

TEST(Calc, NewWorkbookFromATemplate) {
  auto app = Office::App();
  TempDir dir;
  IXLWorkbook& model = app->AddWorkbook();
  model.Worksheet(1).SetName("Vorlage");
  model.AddWorksheetBefore(1).SetName("Deckblatt");
  model.Worksheet(2).SetText(1, 1, "aus der Vorlage");
  for (const char* file : {"vorlage.ots", "vorlage.xlsx"}) {
    SCOPED_TRACE(file);
    OUString url;
    ASSERT_EQ(osl::FileBase::getFileURLFromSystemPath(
                  OUString::createFromAscii(dir.File(file).c_str()), url),
              osl::FileBase::E_None);
    Sequence<css::beans::PropertyValue> args(1);
    args.getArray()[0].Name = "FilterName";
    args.getArray()[0].Value <<= OUString::createFromAscii(
        std::string(file).ends_with(".ots") ? "calc8_template" : "Calc MS Excel 2007 XML");
    Reference<css::frame::XStorable>(dynamic_cast<TCalcWorkbook&>(model).Document(),
                                     UNO_QUERY_THROW)
        ->storeToURL(url, args);
    IXLWorkbook& book = app->AddWorkbook(dir.File(file));
    EXPECT_NE(book.Name(), file);  // a new document, not the template itself
    ASSERT_EQ(book.SheetCount(), 2);
    EXPECT_EQ(book.SheetName(2), "Vorlage");
    EXPECT_EQ(Text(book.Worksheet("Vorlage"), 1, 1), "aus der Vorlage");
  }
}

// vqrtool xlsx --calc into the test's office (the environment names it).
TEST(Calc, VqrtoolExportsIntoTheRunningOffice) {
  Recording rec(VQR_SOURCE_DIR "/samples/hours40.DAT");
  const double firstTime = rec.session.Data().GetTime(1) / 86400.0;
  auto app = Office::App();
  IXLWorkbook& book = app->AddWorkbook();
  book.Worksheet(1).SetName("Ziel");
  const int32_t books = app->WorkbookCount();
  const std::string tool =
      VQR_BINARY_DIR "/vqrtool xlsx " VQR_SOURCE_DIR "/samples/hours40.DAT --calc --defaults ";
  const std::string inBook = "--workbook '" + book.Name() + "' ";
  const struct {
    std::string args;
    int status;
  } cases[] = {
      {inBook + "--sheet Ziel", 0},
      {inBook + "--sheet Fehlt", 3},
      // Refused, after Calc inserted the sheet under a name of its own (as the dialog would).
      {inBook + "--new-sheet 'a/b'", 3},
      {inBook + "--new-sheet Neu", 0},
      {"--new-workbook", 0},
      {"--new-workbook -o x.xlsx", 64},
  };
  for (const auto& c : cases) {
    const int rc = std::system(("timeout 60 " + tool + c.args + " >/dev/null 2>&1").c_str());
    EXPECT_EQ(WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, c.status) << c.args;
  }
  EXPECT_EQ(Value(book.Worksheet("Ziel"), 1, 1), firstTime);
  EXPECT_EQ(book.SheetName(1), "Neu");
  EXPECT_EQ(Value(book.Worksheet("Neu"), 1, 1), firstTime);
  EXPECT_EQ(book.SheetCount(), 3);
  ASSERT_EQ(app->WorkbookCount(), books + 1);
  EXPECT_EQ(Value(app->Workbook(books + 1).Worksheet("VQR Daten"), 1, 1), firstTime);

  // No office on the pipe and none to start: the message says why.
  const int rc = std::system(("VQR_CALC_PIPE=vqrtest-none timeout 60 env PATH=/nonexistent " +
                              tool + "--new-workbook 2>&1 | grep -q 'not installed'")
                                 .c_str());
  EXPECT_EQ(rc, 0);
}

TEST(Calc, OfficeKilledDuringAnExport) {
  Recording rec(VQR_SOURCE_DIR "/samples/full1500.DAT");
  auto app = Office::App();
  IXLWorksheet& sheet = app->AddWorkbook().Worksheet(1);
  int blocks = 0;
  try {
    rec.session.ExportSheet(
        sheet, Layout(true),
        [&] {
          if (++blocks == 2) Office::KillAll();
          return true;
        },
        100);
    ADD_FAILURE() << "no error";
  } catch (const TXLError& e) {
    EXPECT_NE(std::string(e.what()), "");
  }
  EXPECT_EQ(blocks, 2);
  EXPECT_THROW(app->WorkbookCount(), TXLError);
  EXPECT_THROW(app->Visible(), TXLError);
}

// The export dialog's logic on Calc. A headless office shows no windows, so
// the dialog takes it for one left behind by another client and replaces it;
// an office the dialog started goes with "Abbrechen".
TEST(Calc, DialogLogicStartsReplacesAndQuits) {
  struct View : IXLExportView {
    void Beep() override {}
    void ShowError(const std::string& text) override { errors += text; }
    void SetLines(const std::vector<std::string>&, int) override {}
    int SelectedLine() const override { return -1; }
    void SetComment(const std::string& text) override { comment = text; }
    std::string EditText(TEdit e) const override { return e == TEdit::NewSheet ? "Lauf" : ""; }
    void SetEditText(TEdit, const std::string&) override {}
    void ProcessEvents() override {}
    void CloseDialog() override {}
    std::string errors, comment;
  } view;
  Recording rec(VQR_SOURCE_DIR "/samples/hours40.DAT");
  auto provider = std::make_unique<TCalcProvider>();
  TCalcProvider& calc = *provider;
  TVQRShowSettings settings(nullptr, nullptr);
  TXLExportCore core(view, settings, std::move(provider), true);
  Office::App()->AddWorkbook();  // left behind, invisible

  core.FormShow();
  Office::Track(calc.StartedGroup());
  EXPECT_FALSE(core.XLWasRunning);
  EXPECT_EQ(view.comment, "Excel war nicht aktiv. Ziel: LibreOffice Calc");
  EXPECT_EQ(Office::App()->WorkbookCount(), 0);  // a new office
  core.OkClick(
      [&](IXLWorksheet& sheet, const TXLLayout& layout, const std::function<bool()>& goOn) {
        return rec.session.ExportSheet(sheet, layout, goOn, 100);
      });
  auto app = Office::App();
  ASSERT_EQ(app->WorkbookCount(), 1);
  EXPECT_EQ(Value(app->Workbook(1).Worksheet("Lauf"), 1, 1),
            rec.session.Data().GetTime(1) / 86400.0);

  core.FormShow();  // replaces the office again, then "Abbrechen" ends it
  Office::Track(calc.StartedGroup());
  core.CancelClick();
  EXPECT_THROW(Office::Provider().Attach(), TXLNotRunning);
  EXPECT_EQ(view.errors, "");
}

}  // namespace
