// The Calc backend against a real LibreOffice: a headless office on a
// private pipe and profile, started once for this program (again only after
// a test ended it) and killed at the end. Cells are read back through UNO.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <future>
#include <set>
#include <sstream>
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
#include "export/calc/calclink.h"
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
  /// Stops (SIGSTOP) or continues (SIGCONT) every office of the tests.
  static void Signal(int sig) {
    for (pid_t g : instance->groups_) kill(-g, sig);
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
  ASSERT_EQ(book.SheetCount(), 2);
  EXPECT_EQ(book.SheetName(1) + "|" + book.SheetName(2) + "|" + added.Name(), "Neu|TabSheet|Neu");
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
  std::string header;
  for (int col : {0, 1, 16, 17}) header += S(cells[0][col].get<OUString>()) + "|";
  EXPECT_EQ(header, "Zeit|Kanal 1|Kanal 16|Temperatur|");
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
  book.Worksheet(1).SetText(1, 1, "Inhalt");  // no longer a new, empty workbook
  book.AddWorksheetBefore(1).SetName("Andere");
  TempDir dir;
  const double values[18] = {};
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
      {"below the last row", [&] { book.Worksheet(1).SetDouble(1048577, 2, 1); },
       "Cell (1048577, 2) lies outside the worksheet"},
      {"right of the last column",
       [&] { book.Worksheet(1).SetValues(3, 16380, 1, 18, values, {}); },
       "Cell (3, 16385) lies outside the worksheet"},
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

// vqrtool xlsx hours40.DAT --calc with these switches, the variables in env
// set: its exit status and what it wrote to stderr.
std::pair<int, std::string> Vqrtool(const std::string& args, const std::string& env = "") {
  TempDir dir;
  const int rc = std::system(("timeout 60 env " + env + " " VQR_BINARY_DIR "/vqrtool xlsx " +
                              VQR_SOURCE_DIR "/samples/hours40.DAT --calc " + args +
                              " >/dev/null 2>" + dir.File("err"))
                                 .c_str());
  std::ifstream in(dir.File("err"));
  std::stringstream err;
  err << in.rdbuf();
  return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, err.str()};
}

// vqrtool xlsx --calc into the test's office (the environment names it).
TEST(Calc, VqrtoolExportsIntoTheRunningOffice) {
  Recording rec(VQR_SOURCE_DIR "/samples/hours40.DAT");
  const double firstTime = rec.session.Data().GetTime(1) / 86400.0;
  auto app = Office::App();
  IXLWorkbook& book = app->AddWorkbook();
  book.Worksheet(1).SetName("Ziel");
  const int32_t books = app->WorkbookCount();
  TempDir dir;
  const std::string refused = dir.File("refused.INI"), far = dir.File("far.INI");
  ASSERT_TRUE(WriteText(refused, "[ExcelCal]\nTabSheet=a/b\n"));
  ASSERT_TRUE(WriteText(far, "[ExcelCal]\nDataRow=1048570\n"));
  const std::string inBook = "--defaults --workbook '" + book.Name() + "' ";
  const std::string farBook = "--ini " + far + " --workbook '" + book.Name() + "' ";
  const struct {
    std::string args;
    int status;
    const char* message;
  } cases[] = {
      {inBook + "--sheet Ziel", 0, ""},
      {inBook + "--sheet Fehlt", 3, "no sheet"},
      // Refused names and a target below the sheet's last row leave nothing behind.
      {inBook + "--new-sheet 'a/b'", 3, "Invalid sheet name"},
      {"--new-workbook --ini " + refused, 3, "Invalid sheet name"},
      {farBook + "--new-sheet Weit", 3, "Cell (1048577, 1) lies outside the worksheet"},
      {farBook + "--sheet Ziel", 3, "Cell (1048577, 1) lies outside the worksheet"},
      {inBook + "--new-sheet Neu", 0, ""},
      {"--defaults --new-workbook", 0, ""},
      {"--defaults --new-workbook -o x.xlsx", 64, ""},
  };
  for (const auto& c : cases) {
    const auto [status, err] = Vqrtool(c.args);
    EXPECT_EQ(status, c.status) << c.args;
    EXPECT_NE(err.find(c.message), std::string::npos) << c.args << ": " << err;
  }
  EXPECT_EQ(Value(book.Worksheet("Ziel"), 1, 1), firstTime);
  EXPECT_EQ(Text(book.Worksheet("Ziel"), 1048570, 1), "");  // nothing written below
  EXPECT_EQ(book.SheetName(1), "Neu");
  EXPECT_EQ(Value(book.Worksheet("Neu"), 1, 1), firstTime);
  EXPECT_EQ(book.SheetCount(), 2);
  ASSERT_EQ(app->WorkbookCount(), books + 1);
  EXPECT_EQ(Value(app->Workbook(books + 1).Worksheet("VQR Daten"), 1, 1), firstTime);

  // No office on the pipe and none to start, or not even its files: the
  // message says why.
  for (const char* env : {"VQR_CALC_PIPE=vqrtest-none PATH=/nonexistent",
                          "URE_BOOTSTRAP=vnd.sun.star.pathname:/nonexistent/fundamentalrc"}) {
    const auto [status, err] = Vqrtool("--defaults --new-workbook", env);
    EXPECT_EQ(status, 3) << env;
    EXPECT_NE(err.find("LibreOffice is not installed"), std::string::npos) << env << ": " << err;
  }
}

// Another user's process listening under the pipe's socket name: with the
// file its own, or with the file handed to this user (only the process's
// credentials tell). It reports the bytes each connection brought.
class Squatter {
 public:
  Squatter(const std::string& path, bool fileToUser) : path_(path) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
    int ready[2];
    if (pipe(ready) != 0 || pipe2(report_, O_NONBLOCK) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      if (setgid(65534) != 0 || setuid(65534) != 0) _exit(1);
      const int s = socket(AF_UNIX, SOCK_STREAM, 0);
      if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(s, 16) != 0)
        _exit(1);
      if (write(ready[1], "r", 1) != 1) _exit(1);
      for (;;) {
        const int c = accept(s, nullptr, nullptr);
        if (c < 0) continue;
        char buf[256];
        const long n = read(c, buf, sizeof buf);
        close(c);  // never an answer
        if (write(report_[1], &n, sizeof n) != sizeof n) _exit(1);
      }
    }
    close(ready[1]);
    char r = 0;
    ok_ = read(ready[0], &r, 1) == 1 && (!fileToUser || chown(path.c_str(), 0, 0) == 0);
    close(ready[0]);
  }
  ~Squatter() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    unlink(path_.c_str());
  }
  bool Ok() const { return ok_; }
  /// Bytes received over all connections so far.
  long Received() const {
    long total = 0, n = 0;
    while (read(report_[0], &n, sizeof n) == sizeof n) total += n;
    return total;
  }

 private:
  std::string path_;
  pid_t pid_ = -1;
  int report_[2] = {-1, -1};
  bool ok_ = false;
};

TEST(Calc, PipeOfAnotherUserIsNeitherUsedNorWaitedFor) {
  if (geteuid() != 0) GTEST_SKIP() << "making another user's socket needs root";
  Office::App();  // started offices take over the starts below
  const struct {
    const char* what;
    bool fileToUser;
    const char* notice;
  } cases[] = {
      {"another user's socket", false, "belongs to another user (uid 65534)"},
      {"another user's process", true, "its process runs as uid 65534"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TCalcOptions o = Office::Provider().Options();
    o.Pipe += std::string("-squat") + (c.fileToUser ? "p" : "f");
    o.AnswerTimeoutMs = 3000;
    Squatter squatter(CalcPipePath(o.Pipe), c.fileToUser);
    ASSERT_TRUE(squatter.Ok());
    TCalcProvider provider(o);
    EXPECT_THROW(provider.Attach(), TXLNotRunning);
    EXPECT_NE(provider.Notice().find(c.notice), std::string::npos) << provider.Notice();
    auto app = provider.Create();
    Office::Track(provider.StartedGroup());
    EXPECT_TRUE(provider.Pipe().starts_with(o.Pipe + "-")) << provider.Pipe();
    // Another start finds this office under its own name: it sees the
    // workbook just added here.
    app->AddWorkbook();
    const int32_t books = app->WorkbookCount();
    EXPECT_GE(books, 1);
    TCalcProvider again(o);
    EXPECT_EQ(again.Attach()->WorkbookCount(), books);
    EXPECT_EQ(again.Pipe(), provider.Pipe());
    EXPECT_EQ(squatter.Received(), 0);
    unlink(CalcPipePath(provider.Pipe()).c_str());
  }
}

// The export dialog without a window.
struct DialogView : IXLExportView {
  void Beep() override {}
  void ShowError(const std::string& text) override { errors += text + "|"; }
  void SetLines(const std::vector<std::string>&, int) override {}
  int SelectedLine() const override { return -1; }
  void SetComment(const std::string& text) override { comment = text; }
  std::string EditText(TEdit e) const override { return e == TEdit::NewSheet ? newSheet : ""; }
  void SetEditText(TEdit, const std::string&) override {}
  void ProcessEvents() override {}
  void CloseDialog() override { closed = true; }
  std::string errors, comment, newSheet = "Lauf";
  bool closed = false;
};

// The dialog's logic on the given office, exporting hours40.DAT.
struct Dialog {
  explicit Dialog(const TCalcOptions& o = TCalcOptions::FromEnvironment())
      : Dialog(std::make_unique<TCalcProvider>(o)) {}
  explicit Dialog(std::unique_ptr<TCalcProvider> provider)
      : calc(*provider), core(view, settings, std::move(provider), true) {}
  void Ok() {
    core.OkClick(
        [this](IXLWorksheet& sheet, const TXLLayout& layout, const std::function<bool()>& goOn) {
          return rec.session.ExportSheet(sheet, layout, goOn, 100);
        });
  }
  DialogView view;
  Recording rec{VQR_SOURCE_DIR "/samples/hours40.DAT"};
  TVQRShowSettings settings{nullptr};
  TCalcProvider& calc;
  TXLExportCore core;
};

// Runs f on a thread of its own: its error message, or when it has not
// returned after the given time, "(blocked)" (then unblock() lets it end).
std::string Within(int seconds, const std::function<void()>& f,
                   const std::function<void()>& unblock) {
  auto task = std::make_shared<std::packaged_task<std::string()>>([f] {
    try {
      f();
      return std::string("(no error)");
    } catch (const std::exception& e) {
      return std::string(e.what());
    }
  });
  auto result = task->get_future();
  std::thread([task] { (*task)(); }).detach();
  if (result.wait_for(std::chrono::seconds(seconds)) == std::future_status::ready)
    return result.get();
  unblock();
  result.wait();
  return "(blocked)";
}

TEST(Calc, AnOfficeThatDoesNotAnswer) {
  constexpr const char* kNoAnswer = "LibreOffice Calc antwortet nicht";
  TCalcOptions o = Office::Provider().Options();
  o.AnswerTimeoutMs = 2000;
  // Attaching to the office and starting one both give up with the message.
  const auto NoAnswer = [&](const TCalcOptions& opts, const std::function<void()>& unblock) {
    TCalcProvider provider(opts);
    const std::string attached = Within(
        20, [&] { provider.Attach(); }, unblock);
    const std::string created = Within(
        5, [&] { provider.Create(); }, unblock);
    EXPECT_NE(attached.find(kNoAnswer), std::string::npos) << attached;
    EXPECT_NE(created.find(kNoAnswer), std::string::npos) << created;
  };
  {
    SCOPED_TRACE("a socket that accepts and never answers");
    TCalcOptions silent = o;
    silent.Pipe += "-silent";
    const std::string path = CalcPipePath(silent.Pipe);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
    int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(listen(s, 4), 0);
    const auto unblock = [&] {  // the waiting connection is reset
      close(s);
      s = -1;
    };
    NoAnswer(silent, unblock);
    if (s >= 0) close(s);
    unlink(path.c_str());
  }
  SCOPED_TRACE("a stopped office");
  Dialog d(o);
  Office::App();
  d.core.FormShow();  // replaces the invisible office with one of its own
  Office::Track(d.calc.StartedGroup());
  ASSERT_EQ(d.view.errors, "");
  Office::Signal(SIGSTOP);
  const auto unblock = [] { Office::Signal(SIGCONT); };
  EXPECT_EQ(Within(
                20, [&] { d.Ok(); }, unblock),
            "(no error)");
  EXPECT_NE(d.view.errors.find(kNoAnswer), std::string::npos) << d.view.errors;
  EXPECT_FALSE(d.view.closed);  // the dialog stays for another try or "Abbrechen"

  NoAnswer(o, unblock);
  const auto [status, err] = Vqrtool("--defaults --new-workbook", "VQR_CALC_TIMEOUT=2");
  EXPECT_EQ(status, 3);
  EXPECT_NE(err.find(kNoAnswer), std::string::npos) << err;

  d.view.errors.clear();
  EXPECT_EQ(Within(
                5, [&] { d.core.CancelClick(); }, unblock),
            "(no error)");
  EXPECT_TRUE(d.view.closed);
  Office::Signal(SIGCONT);
  Office::KillAll();
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
  Dialog d;
  DialogView& view = d.view;
  TXLExportCore& core = d.core;
  Office::App()->AddWorkbook();  // left behind, invisible

  core.FormShow();
  Office::Track(d.calc.StartedGroup());
  EXPECT_FALSE(core.XLWasRunning);
  EXPECT_EQ(view.comment, "Excel war nicht aktiv. Ziel: LibreOffice Calc");
  EXPECT_EQ(Office::App()->WorkbookCount(), 0);  // a new office
  // A refused name: the error, and no workbook left behind.
  view.newSheet = "a/b";
  d.Ok();
  EXPECT_NE(view.errors.find("Invalid sheet name"), std::string::npos) << view.errors;
  EXPECT_EQ(Office::App()->WorkbookCount(), 0);
  view.errors.clear();
  view.newSheet = "Lauf";
  d.Ok();
  auto app = Office::App();
  ASSERT_EQ(app->WorkbookCount(), 1);
  EXPECT_EQ(Value(app->Workbook(1).Worksheet("Lauf"), 1, 1),
            d.rec.session.Data().GetTime(1) / 86400.0);

  core.FormShow();  // replaces the office again, then "Abbrechen" ends it
  Office::Track(d.calc.StartedGroup());
  core.CancelClick();
  EXPECT_THROW(Office::Provider().Attach(), TXLNotRunning);
  EXPECT_EQ(view.errors, "");
}

}  // namespace
