// The spreadsheet export dialog's logic on an in-memory spreadsheet
// application: which instance it uses, what it lists, where the samples land
// (cancelling a running export: test_xlexportdialog).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "core_fixtures.h"
#include "export/XLExport.h"
#include "export/xlsx/XlsxApp.h"
#include "settings/settings.h"
#include "support/memxl.h"

using vqrtest::MemAppState;
using vqrtest::MemBook;
using vqrtest::MemCell;
using vqrtest::MemProvider;
using vqrtest::MemSheet;
using TEdit = IXLExportView::TEdit;

namespace {

class FakeView : public IXLExportView {
 public:
  void Beep() override { ++beeps; }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void SetLines(const std::vector<std::string>& l, int s) override { lines = l, selected = s; }
  int SelectedLine() const override { return selected; }
  void SetComment(const std::string& text) override { comment = text; }
  std::string EditText(TEdit e) const override {
    auto it = edits.find(e);
    return it == edits.end() ? std::string() : it->second;
  }
  void SetEditText(TEdit e, const std::string& text) override { edits[e] = text; }
  void ProcessEvents() override {
    if (onEvents) onEvents();
  }
  void CloseDialog() override { closed = true; }

  int beeps = 0;
  std::vector<std::string> errors, lines;
  int selected = -1;
  std::string comment = TXLExportCore::kNotRunning;
  std::map<TEdit, std::string> edits;
  bool closed = false;
  std::function<void()> onEvents;
};

std::vector<uint8_t> FileWithTimes(const std::vector<int32_t>& seconds) {
  TDatWriter w;
  DatHeader{}.AddTo(w);
  for (size_t i = 0; i < seconds.size(); ++i)
    w.Add(MakeDataRecord(seconds[i], Readings(static_cast<int16_t>(1500 + 7 * i), 215)));
  return w.Bytes();
}

class XLExport : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = std::make_unique<TVQRShowSettings>(nullptr);
    view = FakeView{};
    auto p = std::make_unique<MemProvider>();
    provider = p.get();
    core = std::make_unique<TXLExportCore>(view, *settings, std::move(p), false);
    Load({60, 120, 180});
  }
  void Load(const std::vector<int32_t>& seconds) {
    ASSERT_EQ(LoadBytes(session, FileWithTimes(seconds)), TLoadStatus::Ok);
  }
  // Settings of section ExcelCal as "Key=text;Key=text"; switches are on with "ON".
  void Settings(const std::string& list) {
    for (size_t p = 0, end; p < list.size(); p = end + 1) {
      end = std::min(list.find(';', p), list.size());
      const size_t eq = list.find('=', p);
      const std::string key = list.substr(p, eq - p), text = list.substr(eq + 1, end - eq - 1);
      for (const auto& s : settings->Settings())
        if (s->Section == "ExcelCal" && s->Key == key) {
          s->SetString(1, text);
          s->SetInteger(1, std::atoi(text.c_str()));
          s->SetBool(1, text == "ON");
        }
    }
  }
  void Ok() {
    core->OkClick([this](IXLWorksheet& s, const TXLLayout& l, const std::function<bool()>& goOn) {
      return session.ExportSheet(s, l, goOn);
    });
  }
  // Two open workbooks, both with a sheet "VQR Daten".
  void TwoBooksRunning() {
    provider->running = std::make_shared<MemAppState>();
    provider->running->Add("Alt.xlsx", {"Daten", "VQR Daten"});
    provider->running->Add("Neu.xlsx", {"VQR Daten", "Diagramm"});
  }
  MemBook& Running(int i) { return *provider->running->books[static_cast<size_t>(i)]; }
  // The first sheet of the workbook the dialog made in the instance it started.
  MemSheet& NewSheet() { return provider->created.at(0)->books.at(0)->Sheet(1); }

  std::unique_ptr<TVQRShowSettings> settings;
  TVQRSession session;
  FakeView view;
  MemProvider* provider = nullptr;
  std::unique_ptr<TXLExportCore> core;
};

}  // namespace

TEST_F(XLExport, CellLayoutAndFormats) {
  struct Case {
    const char* fields;
    std::vector<int32_t> seconds;
    int headerRow, dataRow, dataCol, rows;  // headerRow 0: none
    std::vector<std::string> formats;       // time, channel, temperature; empty: none set
  };
  // clang-format off
  const Case cases[] = {
      {"SetHeader=ON", {60, 120, 180}, 1, 2, 1, 3, {}},
      {"SetHeader=ON;HeaderRow=5;DataRow=3", {60, 120, 180}, 5, 6, 1, 3, {}},
      {"DataRow=10;DataCol=2", {60, 120, 180}, 0, 10, 2, 3, {}},
      {"NewFormat=ON;FormatChannel=  ", {5400}, 0, 1, 1, 1,
       {"[h]:mm:ss", "0,0000", "0,0"}},
      {"NewFormat=ON;SetHeader=ON;FormatTime=hh:mm;"
       "FormatChannel=#.##0,00;FormatTemp=0",
       {60, 120, 180, 0, 300}, 1, 2, 1, 3, {"hh:mm", "#.##0,00", "0"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fields);
    SetUp();
    Load(c.seconds);
    Settings(c.fields);
    core->FormShow();
    Ok();
    ASSERT_TRUE(view.closed);
    const auto& cells = NewSheet().cells;
    EXPECT_EQ(cells.size(), (c.headerRow ? 18u : 0u) + 18u * c.rows);
    EXPECT_EQ(cells.begin()->first, std::pair(c.headerRow ? c.headerRow : c.dataRow, c.dataCol));
    if (c.headerRow) {
      std::string header;
      for (int col : {0, 1, 16, 17}) {
        const MemCell& h = cells.at({c.headerRow, c.dataCol + col});
        EXPECT_EQ(std::pair(h.kind, h.format), std::pair(MemCell::Kind::Text, std::string()));
        header += h.text + "|";
      }
      EXPECT_EQ(header, "Zeit|Kanal 1|Kanal 16|Temperatur|");
    }
    for (int i = 1; i <= c.rows; ++i) {
      const int row = c.dataRow + i - 1;
      const MemCell& t = cells.at({row, c.dataCol});
      EXPECT_EQ(std::pair(t.kind, t.value),
                std::pair(MemCell::Kind::DateTime, c.seconds[i - 1] / 86400.0));
      for (int ch = 1; ch <= 17; ++ch) {
        const MemCell& v = cells.at({row, c.dataCol + ch});
        EXPECT_EQ(std::pair(v.kind, v.value),
                  std::pair(MemCell::Kind::Double, double(session.Data().GetValue(i, ch))));
      }
      const std::vector<std::string> formats = {t.format, cells.at({row, c.dataCol + 1}).format,
                                                cells.at({row, c.dataCol + 17}).format};
      EXPECT_EQ(formats, c.formats.empty() ? std::vector<std::string>(3) : c.formats);
    }
  }
}

TEST_F(XLExport, ListsOpenWorkbooksAndWritesTheChosenSheet) {
  TwoBooksRunning();
  const std::vector<std::string> lines = {" Mappe:     Alt.xlsx",  "---Tabelle: Daten",
                                          "---Tabelle: VQR Daten", " Mappe:     Neu.xlsx",
                                          "---Tabelle: VQR Daten", "---Tabelle: Diagramm"};
  // Opened twice: each workbook is listed once; the later sheet of the
  // configured name is preselected.
  core->FormShow();
  core->FormShow();
  EXPECT_EQ(view.lines, lines);
  EXPECT_EQ(std::tuple(view.selected, view.comment, view.errors.size()),
            std::tuple(4, std::string("Tabelle wählen für VQR-Daten"), 0u));
  Ok();
  EXPECT_TRUE(Running(0).Sheet(2).cells.empty());
  EXPECT_EQ(Running(1).Sheet(1).cells.size(), 3u * 18);
  EXPECT_EQ(std::tuple(view.closed, provider->running->quit, provider->created.size()),
            std::tuple(true, false, 0u));

  // A new sheet goes first into the workbook of the selected line.
  Settings("NewTabSheet=ON;WorkBook=alt.XLSX");
  core->FormShow();
  EXPECT_EQ(std::tuple(view.selected, view.comment, view.edits[TEdit::NewSheet]),
            std::tuple(0, std::string("Mappe wählen für neue Tabelle"), std::string("VQR Daten")));
  view.edits[TEdit::NewSheet] = "Lauf 2";
  view.selected = 5;
  Ok();
  EXPECT_EQ(Running(1).SheetName(1), "Lauf 2");
  EXPECT_EQ(Running(1).Sheet(1).cells.size(), 3u * 18);
  EXPECT_EQ(Running(0).SheetCount(), 2);

  // The configured names match without regard to case in every script.
  provider->running->Add("Ωmega", {"Σ Daten"});
  Settings("NewTabSheet=OFF;WorkBook=ωMEGA;TabSheet=σ daten");
  core->FormShow();
  EXPECT_EQ(view.selected, 8);
}

TEST_F(XLExport, IncompleteChoiceWritesNothing) {
  struct Case {
    const char* fields;
    int select;  // -1 none
    std::string newSheet;
  };
  const Case cases[] = {
      {"", -1, ""},                   // existing sheet, no sheet line
      {"", 3, ""},                    // a workbook line is no sheet
      {"NewTabSheet=ON", -1, "Neu"},  // new sheet, no workbook
      {"NewTabSheet=ON", 3, "  "},    // new sheet without a name
      {"NewWorkBook=ON", -1, ""},     // new workbook without a sheet name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.select);
    SetUp();
    TwoBooksRunning();
    Settings(c.fields);
    core->FormShow();
    view.selected = c.select;
    view.edits[TEdit::NewSheet] = c.newSheet;
    Ok();
    EXPECT_EQ(std::tuple(view.beeps, view.closed, core->Busy), std::tuple(1, true, false));
    for (auto& b : provider->running->books)
      for (int s = 1; s <= b->SheetCount(); ++s) EXPECT_TRUE(b->Sheet(s).cells.empty());
    EXPECT_EQ(Running(0).SheetCount() + Running(1).SheetCount(), 4);
    for (auto& app : provider->created) EXPECT_TRUE(app->books.empty());
  }
}

TEST_F(XLExport, WhichApplicationIsUsed) {
  struct Case {
    const char* what;
    bool running, visible, newBook, canCreate;
    bool runningQuit;
    size_t created;
  };
  const Case cases[] = {
      {"a visible instance is used", true, true, false, true, false, 0},
      {"an invisible one is quit and replaced", true, false, false, true, true, 1},
      {"a new workbook never touches a running one", true, true, true, true, false, 1},
      {"none running: one is started", false, false, false, true, false, 1},
      {"none at all", false, false, false, false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    if (c.running) {
      TwoBooksRunning();
      provider->running->visible = c.visible;
    }
    provider->canCreate = c.canCreate;
    Settings(c.newBook ? "NewWorkBook=ON" : "");
    core->FormShow();
    EXPECT_EQ(provider->created.size(), c.created);
    EXPECT_EQ(c.running && provider->running->quit && !provider->running->alerts, c.runningQuit);
    EXPECT_EQ(view.lines.size(), c.running && c.visible && !c.newBook ? 6u : 0u);
    if (c.created) {
      EXPECT_EQ(
          std::tuple(view.comment, view.edits[TEdit::NewWorkbook], view.edits[TEdit::NewSheet]),
          std::tuple(std::string("Excel war nicht aktiv. Ziel: Speicher"),
                     std::string("(Standard)"), std::string("VQR Daten")));
    }
    if (!c.canCreate && !c.running) {
      EXPECT_EQ(view.errors, std::vector<std::string>{"Excel nicht verfügbar!"});
      Ok();  // no application: nothing happens but a beep
      EXPECT_EQ(std::tuple(view.beeps, view.closed, core->Busy), std::tuple(2, false, false));
    }
    core->CancelClick();  // quits only an instance the dialog started
    EXPECT_TRUE(view.closed);
    for (auto& app : provider->created) EXPECT_TRUE(app->quit);
    EXPECT_EQ(c.running && provider->running->quit, c.runningQuit);
  }
}

TEST_F(XLExport, FormatTheXlsxFileCannotHoldIsAnError) {
  core = std::make_unique<TXLExportCore>(view, *settings, std::make_unique<TXlsxProvider>(), false);
  Settings("NewFormat=ON;FormatTemp=0,0\"");
  core->FormShow();
  Ok();
  EXPECT_EQ(view.errors, std::vector<std::string>{
                             "Invalid number format \"0,0\"\": a quotation mark is not closed"});
  EXPECT_EQ(std::tuple(view.closed, core->Busy), std::tuple(false, false));
}

TEST_F(XLExport, ApplicationErrorLeavesTheDialogUsable) {
  core->FormShow();
  view.edits[TEdit::NewSheet] = "Lauf/1";
  view.edits[TEdit::Template] = " Vorlage.xltx ";
  EXPECT_EQ(view.comment, "Excel war nicht aktiv. Ziel: Speicher");
  Ok();
  EXPECT_EQ(view.errors.size(), 1u);
  EXPECT_NE(view.errors[0].find("Lauf/1"), std::string::npos);
  EXPECT_EQ(std::tuple(view.closed, core->Busy), std::tuple(false, false));
  view.edits[TEdit::NewSheet] = "Lauf 1";
  Ok();
  EXPECT_TRUE(view.closed);
  auto& app = *provider->created.at(0);
  EXPECT_EQ(app.templates, (std::vector<std::string>{"Vorlage.xltx", "Vorlage.xltx"}));
  EXPECT_EQ(app.books.at(1)->Sheet("Lauf 1").cells.size(), 3u * 18);
  EXPECT_TRUE(app.visible);

  // A template the backend cannot use is said so.
  Settings("Template=Vorlage.xltx");
  core->FormShow();
  EXPECT_EQ(view.comment, "Vorlage wird für .xlsx-Dateien nicht verwendet.");
}
