// The spreadsheet automation over LibreOffice Calc's UNO interfaces. Every
// UNO exception becomes a TXLError with its message; a connection that died
// under a call (the office was killed) too, and one that the watchman closed
// because the office did not answer says so.

#include "export/calc/xlcalcuno.h"

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/XConnection.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrames.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/MalformedNumberFormatException.hpp>
#include <com/sun/star/util/NumberFormat.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/exc_hlp.hxx>
#include <cppuhelper/implbase1.hxx>
#include <osl/file.hxx>

#include "export/calc/calclink.h"

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;

namespace {

constexpr char kTimeFormat[] = "[h]:mm:ss";

OUString U(const std::string& s) {
  return OStringToOUString(rtl::OString(s.data(), static_cast<sal_Int32>(s.size())),
                           RTL_TEXTENCODING_UTF8);
}
std::string S(const OUString& s) { return std::string(s.toUtf8().getStr()); }

// Runs f as a call on the link (watched for an answer), turning what UNO
// throws into TXLError.
template <class F>
auto Call(TCalcLink& link, F&& f) -> decltype(f()) {
  TCalcLink::TCall call(link);
  try {
    return f();
  } catch (const css::lang::DisposedException& e) {
    if (link.Silent()) throw TXLError(CalcNoAnswer(link.Pipe(), link.TimeoutMs()));
    throw TXLError("The connection to LibreOffice Calc was lost (" + S(e.Message) + ")");
  } catch (const css::uno::Exception& e) {
    if (link.Silent()) throw TXLError(CalcNoAnswer(link.Pipe(), link.TimeoutMs()));
    if (!e.Message.isEmpty()) throw TXLError(S(e.Message));
    throw TXLError("LibreOffice Calc: " + S(cppu::getCaughtException().getValueTypeName()));
  }
}

// The bridge's connection: the link's socket, every byte read counting as
// an answer of the office.
class TSocketConnection : public cppu::WeakImplHelper1<css::connection::XConnection> {
 public:
  explicit TSocketConnection(std::shared_ptr<TCalcLink> link) : link_(std::move(link)) {}

  sal_Int32 SAL_CALL read(Sequence<sal_Int8>& data, sal_Int32 count) override {
    data.realloc(std::max<sal_Int32>(count, 0));
    sal_Int32 got = 0;
    while (got < count) {
      const ssize_t n = recv(link_->Fd(), data.getArray() + got, count - got, 0);
      if (n > 0) {
        got += static_cast<sal_Int32>(n);
        link_->Progress();
      } else if (n == 0) {
        break;  // the office closed the connection
      } else if (errno == EAGAIN) {
        Wait(POLLIN);
      } else if (errno != EINTR) {
        Fail("read");
      }
    }
    data.realloc(got);
    return got;
  }

  void SAL_CALL write(const Sequence<sal_Int8>& data) override {
    sal_Int32 sent = 0;
    while (sent < data.getLength()) {
      const ssize_t n =
          send(link_->Fd(), data.getConstArray() + sent, data.getLength() - sent, MSG_NOSIGNAL);
      if (n >= 0)
        sent += static_cast<sal_Int32>(n);
      else if (errno == EAGAIN)
        Wait(POLLOUT);
      else if (errno != EINTR)
        Fail("write");
    }
  }

  void SAL_CALL flush() override {}
  void SAL_CALL close() override { link_->Shut(); }
  OUString SAL_CALL getDescription() override { return "pipe,name=" + U(link_->Pipe()); }

 private:
  void Wait(short events) {
    pollfd p{link_->Fd(), events, 0};
    if (poll(&p, 1, -1) < 0 && errno != EINTR) Fail("poll");
  }
  [[noreturn]] void Fail(const char* what) {
    const int err = errno;
    throw css::io::IOException("pipe " + U(link_->Pipe()) + ": " + OUString::createFromAscii(what) +
                                   ": " + OUString::createFromAscii(std::strerror(err)),
                               static_cast<cppu::OWeakObject*>(this));
  }

  std::shared_ptr<TCalcLink> link_;
};

Reference<css::uno::XComponentContext> LocalContext() {
  static std::mutex lock;
  // Kept to the end of the process: UNO must not be torn down at exit.
  static Reference<css::uno::XComponentContext>* context = nullptr;
  std::lock_guard<std::mutex> guard(lock);
  if (!context) {
    // The client finds the office's type libraries through its fundamentalrc.
    setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" VQR_LO_PROGRAM "/fundamentalrc", 0);
    // A write to the pipe of an office that died must give an error, not end us.
    struct sigaction old {};
    if (sigaction(SIGPIPE, nullptr, &old) == 0 && old.sa_handler == SIG_DFL)
      signal(SIGPIPE, SIG_IGN);
    // Without an office the UNO libraries are there but its files are not:
    // say so instead of UNO's "Cannot open uno ini file".
    const char* bootEnv = std::getenv("URE_BOOTSTRAP");
    const std::string boot = bootEnv ? bootEnv : "";
    const std::string scheme = "vnd.sun.star.pathname:";
    if (boot.rfind(scheme, 0) == 0 && access(boot.c_str() + scheme.size(), R_OK) != 0)
      throw TXLError("LibreOffice is not installed (no " + boot.substr(scheme.size()) + ")");
    try {
      context = new Reference<css::uno::XComponentContext>(
          cppu::defaultBootstrap_InitialComponentContext());
    } catch (const cppu::BootstrapException& e) {
      throw TXLError("UNO could not start: " + S(e.getMessage()));
    } catch (const css::uno::Exception& e) {
      throw TXLError("UNO could not start: " + S(e.Message));
    }
  }
  return *context;
}

bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

Reference<css::container::XIndexAccess> SheetsOf(
    const Reference<css::sheet::XSpreadsheetDocument>& doc) {
  return Reference<css::container::XIndexAccess>(doc->getSheets(), UNO_QUERY_THROW);
}

// Keywords of a number format in capitals, as Calc stores them; quoted
// texts and escaped characters stay.
std::string Capitals(const std::string& format) {
  std::string out;
  bool quoted = false;
  for (size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c == '"') quoted = !quoted;
    if (!quoted && c == '\\' && i + 1 < format.size()) {
      out += c;
      out += format[++i];
      continue;
    }
    out += quoted ? c : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return out;
}

}  // namespace

// --- worksheet ---

TCalcWorksheet::TCalcWorksheet(TCalcWorkbook& book, Reference<css::sheet::XSpreadsheet> sheet,
                               bool added)
    : book_(book), sheet_(std::move(sheet)), added_(added) {}

template <class F>
void TCalcWorksheet::Write(F&& f) {
  written_ = true;
  book_.SetFresh(false);
  Call(book_.Link(), std::forward<F>(f));
}

template <class F>
void TCalcWorksheet::Prepare(F&& f) {
  try {
    f();
  } catch (const TXLError&) {
    Discard();
    throw;
  }
}

void TCalcWorksheet::Discard() {
  if (written_ || (!added_ && !book_.Fresh())) return;
  try {
    if (book_.Fresh()) {
      book_.Discard();
    } else {
      Call(book_.Link(), [&] {
        book_.Document()->getSheets()->removeByName(
            Reference<css::container::XNamed>(sheet_, UNO_QUERY_THROW)->getName());
      });
    }
    written_ = true;  // gone: nothing more to remove
  } catch (const TXLError&) {
    // The first error is the one to report.
  }
}

std::string TCalcWorksheet::Name() {
  return Call(book_.Link(), [&] {
    return S(Reference<css::container::XNamed>(sheet_, UNO_QUERY_THROW)->getName());
  });
}

void TCalcWorksheet::SetName(const std::string& name) {
  Prepare([&] {
    Call(book_.Link(), [&] {
      Reference<css::container::XNamed> named(sheet_, UNO_QUERY_THROW);
      named->setName(U(name));
      // Calc ignores a name it refuses; say so as its rename dialog does.
      if (named->getName() != U(name))
        throw TXLError("Invalid sheet name \"" + name +
                       "\": a sheet name must not be empty or a duplicate of an existing name "
                       "and may not contain the characters [ ] * ? : / \\ or an apostrophe as "
                       "first or last character.");
    });
  });
}

void TCalcWorksheet::Check(int64_t row, int64_t col, int64_t rows, int64_t cols) {
  if (maxRow_ == 0) {
    Call(book_.Link(), [&] {
      const css::table::CellRangeAddress all =
          Reference<css::sheet::XCellRangeAddressable>(sheet_, UNO_QUERY_THROW)->getRangeAddress();
      maxRow_ = int64_t{all.EndRow} + 1;
      maxCol_ = int64_t{all.EndColumn} + 1;
    });
  }
  if (row >= 1 && col >= 1 && rows >= 1 && cols >= 1 && row + rows - 1 <= maxRow_ &&
      col + cols - 1 <= maxCol_)
    return;
  // The first cell that does not fit, as the .xlsx backend names it.
  const int64_t r = row >= 1 && row + rows - 1 > maxRow_ ? std::max(row, maxRow_ + 1) : row;
  const int64_t c = col >= 1 && col + cols - 1 > maxCol_ ? std::max(col, maxCol_ + 1) : col;
  throw TXLError("Cell (" + std::to_string(r) + ", " + std::to_string(c) +
                 ") lies outside the worksheet");
}

void TCalcWorksheet::CheckArea(int32_t row, int32_t col, int32_t rows, int32_t cols) {
  Prepare([&] { Check(row, col, rows, cols); });
}

namespace {
Reference<css::beans::XPropertySet> RangeAt(const Reference<css::sheet::XSpreadsheet>& sheet,
                                            int32_t row, int32_t col, int32_t rows, int32_t cols) {
  return Reference<css::beans::XPropertySet>(
      sheet->getCellRangeByPosition(col - 1, row - 1, col + cols - 2, row + rows - 2),
      UNO_QUERY_THROW);
}

// A value written as a date-time shows as a time unless its cells already
// show dates or times.
void EnsureTimeFormat(TCalcWorkbook& book, const Reference<css::beans::XPropertySet>& cells) {
  sal_Int32 key = 0;
  cells->getPropertyValue("NumberFormat") >>= key;
  if (!book.IsTimeFormat(key))
    cells->setPropertyValue("NumberFormat", Any(book.FormatKey(kTimeFormat)));
}
}  // namespace

void TCalcWorksheet::SetText(int32_t row, int32_t col, const std::string& text) {
  Check(row, col, 1, 1);
  Write([&] {
    Reference<css::text::XText>(sheet_->getCellByPosition(col - 1, row - 1), UNO_QUERY_THROW)
        ->setString(U(text));
  });
}

void TCalcWorksheet::SetDateTime(int32_t row, int32_t col, double days) {
  Check(row, col, 1, 1);
  Write([&] {
    Reference<css::table::XCell> cell = sheet_->getCellByPosition(col - 1, row - 1);
    cell->setValue(days);
    EnsureTimeFormat(book_, Reference<css::beans::XPropertySet>(cell, UNO_QUERY_THROW));
  });
}

void TCalcWorksheet::SetDouble(int32_t row, int32_t col, double value) {
  Check(row, col, 1, 1);
  Write([&] { sheet_->getCellByPosition(col - 1, row - 1)->setValue(value); });
}

void TCalcWorksheet::SetNumberFormat(int32_t row, int32_t col, const std::string& format) {
  Check(row, col, 1, 1);
  Write([&] {
    const sal_Int32 key = book_.FormatKey(format);
    Reference<css::beans::XPropertySet>(sheet_->getCellByPosition(col - 1, row - 1),
                                        UNO_QUERY_THROW)
        ->setPropertyValue("NumberFormat", Any(key));
  });
}

void TCalcWorksheet::SetValues(int32_t row, int32_t col, int32_t rows, int32_t cols,
                               const double* values, const std::vector<bool>& dateTime) {
  Check(row, col, rows, cols);
  Write([&] {
    Reference<css::beans::XPropertySet> range = RangeAt(sheet_, row, col, rows, cols);
    Sequence<Sequence<Any>> data(rows);
    Sequence<Any>* dataRows = data.getArray();
    for (int32_t r = 0; r < rows; ++r) {
      dataRows[r].realloc(cols);
      Any* cells = dataRows[r].getArray();
      for (int32_t c = 0; c < cols; ++c) cells[c] <<= values[static_cast<size_t>(r) * cols + c];
    }
    Reference<css::sheet::XCellRangeData>(range, UNO_QUERY_THROW)->setDataArray(data);
    for (int32_t c = 0; c < cols && static_cast<size_t>(c) < dateTime.size(); ++c)
      if (dateTime[c]) EnsureTimeFormat(book_, RangeAt(sheet_, row, col + c, rows, 1));
  });
}

void TCalcWorksheet::SetNumberFormats(int32_t row, int32_t col, int32_t rows, int32_t cols,
                                      const std::string& format) {
  Check(row, col, rows, cols);
  Write([&] {
    const sal_Int32 key = book_.FormatKey(format);
    RangeAt(sheet_, row, col, rows, cols)->setPropertyValue("NumberFormat", Any(key));
  });
}

// --- workbook ---

TCalcWorkbook::TCalcWorkbook(TCalcApplication& app, Reference<css::sheet::XSpreadsheetDocument> doc)
    : app_(app), doc_(std::move(doc)) {}

TCalcLink& TCalcWorkbook::Link() { return app_.Link(); }

void TCalcWorkbook::Discard() {
  if (!fresh_) return;
  fresh_ = false;
  Call(Link(), [&] {
    Reference<css::util::XModifiable> modifiable(doc_, UNO_QUERY);
    if (modifiable.is()) modifiable->setModified(false);
    Reference<css::util::XCloseable>(doc_, UNO_QUERY_THROW)->close(true);
  });
}

std::string TCalcWorkbook::Name() {
  return Call(Link(),
              [&] { return S(Reference<css::frame::XTitle>(doc_, UNO_QUERY_THROW)->getTitle()); });
}

int32_t TCalcWorkbook::SheetCount() {
  return Call(Link(), [&] { return SheetsOf(doc_)->getCount(); });
}

namespace {
Any SheetAt(const Reference<css::sheet::XSpreadsheetDocument>& doc, int32_t index,
            const std::string& book) {
  Reference<css::container::XIndexAccess> sheets = SheetsOf(doc);
  if (index < 1 || index > sheets->getCount())
    throw TXLError("There is no sheet " + std::to_string(index) + " in \"" + book + "\"");
  return sheets->getByIndex(index - 1);
}
}  // namespace

std::string TCalcWorkbook::SheetName(int32_t index) {
  return Call(Link(), [&] {
    return S(Reference<css::container::XNamed>(SheetAt(doc_, index, Name()), UNO_QUERY_THROW)
                 ->getName());
  });
}

IXLWorksheet& TCalcWorkbook::Worksheet(int32_t index) {
  return Call(Link(), [&]() -> IXLWorksheet& {
    return Wrap(Reference<css::sheet::XSpreadsheet>(SheetAt(doc_, index, Name()), UNO_QUERY_THROW),
                false);
  });
}

IXLWorksheet& TCalcWorkbook::Worksheet(const std::string& name) {
  return Call(Link(), [&]() -> IXLWorksheet& {
    Reference<css::sheet::XSpreadsheets> sheets = doc_->getSheets();
    if (!sheets->hasByName(U(name)))
      throw TXLError("There is no sheet \"" + name + "\" in \"" + Name() + "\"");
    return Wrap(Reference<css::sheet::XSpreadsheet>(sheets->getByName(U(name)), UNO_QUERY_THROW),
                false);
  });
}

IXLWorksheet& TCalcWorkbook::AddWorksheetBefore(int32_t index) {
  return Call(Link(), [&]() -> IXLWorksheet& {
    Reference<css::sheet::XSpreadsheets> sheets = doc_->getSheets();
    const sal_Int32 count = SheetsOf(doc_)->getCount();
    if (index < 1 || index > count)
      throw TXLError("There is no sheet " + std::to_string(index) + " in \"" + Name() + "\"");
    // A free name; the export renames the sheet right away.
    OUString name;
    for (sal_Int32 n = count + 1;; ++n) {
      name = "Tabelle" + OUString::number(n);
      if (!sheets->hasByName(name)) break;
    }
    sheets->insertNewByName(name, static_cast<sal_Int16>(index - 1));
    return Wrap(Reference<css::sheet::XSpreadsheet>(sheets->getByName(name), UNO_QUERY_THROW),
                true);
  });
}

Reference<css::util::XNumberFormats> TCalcWorkbook::Formats() {
  if (!formats_.is())
    formats_ =
        Reference<css::util::XNumberFormatsSupplier>(doc_, UNO_QUERY_THROW)->getNumberFormats();
  return formats_;
}

int32_t TCalcWorkbook::FormatKey(const std::string& germanFormat) {
  auto it = keys_.find(germanFormat);
  if (it != keys_.end()) return it->second;
  return Call(Link(), [&] {
    const css::lang::Locale german("de", "DE", "");
    Reference<css::util::XNumberFormats> formats = Formats();
    sal_Int32 key = formats->queryKey(U(germanFormat), german, false);
    if (key < 0) key = formats->queryKey(U(Capitals(germanFormat)), german, false);
    if (key < 0) {
      try {
        key = formats->addNew(U(germanFormat), german);
      } catch (const css::util::MalformedNumberFormatException&) {
        throw TXLError("Invalid number format \"" + germanFormat + "\"");
      } catch (const css::lang::DisposedException&) {
        throw;
      } catch (const css::uno::RuntimeException&) {
        // Calc has it under a spelling of its own that the look-ups missed.
        throw TXLError("LibreOffice Calc did not take the number format \"" + germanFormat + "\"");
      }
    }
    keys_[germanFormat] = key;
    return key;
  });
}

bool TCalcWorkbook::IsTimeFormat(int32_t key) {
  auto it = timeKeys_.find(key);
  if (it != timeKeys_.end()) return it->second;
  return Call(Link(), [&] {
    sal_Int16 type = 0;
    Reference<css::beans::XPropertySet> format = Formats()->getByKey(key);
    if (format.is()) format->getPropertyValue("Type") >>= type;
    const bool time = (type & (css::util::NumberFormat::DATE | css::util::NumberFormat::TIME)) != 0;
    timeKeys_[key] = time;
    return time;
  });
}

TCalcWorksheet& TCalcWorkbook::Wrap(const Reference<css::sheet::XSpreadsheet>& sheet, bool added) {
  // Calc hands out a new object for each look-up of a sheet, so there is no
  // identity to find an earlier wrapper by.
  sheets_.push_back(std::make_unique<TCalcWorksheet>(*this, sheet, added));
  return *sheets_.back();
}

// --- application ---

// One bridge per office and process: UNO hands out the proxy that one
// bridge made for an object of the office to every other bridge that meets
// the same object, so a second bridge would talk over the first one's
// connection (and die with it). It goes with its last application object.
struct TCalcBridge {
  std::shared_ptr<TCalcLink> link;
  Reference<css::lang::XComponent> bridge;
  Reference<css::uno::XComponentContext> context;
  ~TCalcBridge() {
    try {
      context.clear();
      if (bridge.is()) bridge->dispose();
    } catch (...) {
    }
  }
};

TCalcApplication::TCalcApplication(std::shared_ptr<TCalcBridge> bridge,
                                   Reference<css::uno::XComponentContext> context,
                                   Reference<css::frame::XDesktop2> desktop)
    : bridge_(std::move(bridge)), context_(std::move(context)), desktop_(std::move(desktop)) {}

TCalcApplication::~TCalcApplication() {
  // Releasing proxies of a dead connection must not throw out of here.
  try {
    books_.clear();
    desktop_.clear();
    context_.clear();
    bridge_.reset();
  } catch (...) {
  }
}

TCalcLink& TCalcApplication::Link() { return *bridge_->link; }

namespace {
template <class F>
void ForEachFrameWindow(const Reference<css::frame::XDesktop2>& desktop, F&& f) {
  Reference<css::container::XIndexAccess> frames(desktop->getFrames(), UNO_QUERY_THROW);
  for (sal_Int32 i = 0, n = frames->getCount(); i < n; ++i) {
    Reference<css::frame::XFrame> frame(frames->getByIndex(i), UNO_QUERY);
    if (!frame.is()) continue;
    Reference<css::awt::XWindow2> window(frame->getContainerWindow(), UNO_QUERY);
    if (window.is() && !f(window)) return;
  }
}
}  // namespace

bool TCalcApplication::Visible() {
  return Call(Link(), [&] {
    bool visible = false;
    ForEachFrameWindow(desktop_, [&](const Reference<css::awt::XWindow2>& w) {
      visible = w->isVisible();
      return !visible;
    });
    return visible;
  });
}

void TCalcApplication::SetVisible(bool visible) {
  // A headless office has nothing to show windows on (and does not survive
  // being asked to).
  if (headless_) return;
  Call(Link(), [&] {
    Reference<css::awt::XWindow2> last;
    ForEachFrameWindow(desktop_, [&](const Reference<css::awt::XWindow2>& w) {
      w->setVisible(visible);
      last = w;
      return true;
    });
    Reference<css::awt::XTopWindow> top(last, UNO_QUERY);
    if (visible && top.is()) top->toFront();
  });
}

void TCalcApplication::Quit() {
  // An office that does not answer is not asked again.
  if (Link().Silent()) throw TXLError(CalcNoAnswer(Link().Pipe(), Link().TimeoutMs()));
  try {
    TCalcLink::TCall call(Link());
    // No prompts: every document counts as saved.
    Reference<css::container::XEnumeration> docs = desktop_->getComponents()->createEnumeration();
    while (docs->hasMoreElements()) {
      Reference<css::util::XModifiable> doc(docs->nextElement(), UNO_QUERY);
      if (doc.is()) doc->setModified(false);
    }
    if (!desktop_->terminate()) throw TXLError("LibreOffice Calc refused to quit");
  } catch (const css::lang::DisposedException&) {
    // The office ended while answering, or had ended before.
    if (Link().Silent()) throw TXLError(CalcNoAnswer(Link().Pipe(), Link().TimeoutMs()));
  } catch (const css::uno::Exception& e) {
    throw TXLError(S(e.Message));
  }
  // The office still answers on its pipe for a moment while it shuts down;
  // an office started now must not be mistaken for it.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!pipe_.empty() && std::chrono::steady_clock::now() < deadline) {
    try {
      ConnectCalc(pipe_, headless_, Link().TimeoutMs());
    } catch (const TXLNotRunning&) {
      break;
    } catch (const TXLPipeTaken&) {
      break;
    } catch (const TXLError&) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::vector<Reference<css::sheet::XSpreadsheetDocument>> TCalcApplication::Documents() {
  // In the order of their frames, oldest first (the desktop's list of
  // components runs the other way), so that a new workbook comes last.
  std::vector<Reference<css::sheet::XSpreadsheetDocument>> docs;
  Reference<css::container::XIndexAccess> frames(desktop_->getFrames(), UNO_QUERY_THROW);
  for (sal_Int32 i = 0, n = frames->getCount(); i < n; ++i) {
    Reference<css::frame::XFrame> frame(frames->getByIndex(i), UNO_QUERY);
    Reference<css::frame::XController> controller =
        frame.is() ? frame->getController() : Reference<css::frame::XController>();
    Reference<css::sheet::XSpreadsheetDocument> doc(
        controller.is() ? controller->getModel() : Reference<css::frame::XModel>(), UNO_QUERY);
    if (doc.is()) docs.push_back(doc);
  }
  return docs;
}

int32_t TCalcApplication::WorkbookCount() {
  return Call(Link(), [&] { return static_cast<int32_t>(Documents().size()); });
}

IXLWorkbook& TCalcApplication::Workbook(int32_t index) {
  return Call(Link(), [&]() -> IXLWorkbook& {
    auto docs = Documents();
    if (index < 1 || index > static_cast<int32_t>(docs.size()))
      throw TXLError("There is no workbook " + std::to_string(index));
    return Wrap(docs[index - 1]);
  });
}

IXLWorkbook& TCalcApplication::Workbook(const std::string& name) {
  return Call(Link(), [&]() -> IXLWorkbook& {
    for (const auto& doc : Documents()) {
      TCalcWorkbook& book = Wrap(doc);
      if (SameName(book.Name(), name)) return book;
    }
    throw TXLError("There is no workbook \"" + name + "\"");
  });
}

IXLWorkbook& TCalcApplication::AddWorkbook(const std::string& templateFile) {
  return Call(Link(), [&]() -> IXLWorkbook& {
    OUString url = "private:factory/scalc";
    Sequence<css::beans::PropertyValue> args(templateFile.empty() ? 1 : 2);
    args.getArray()[0].Name = "Hidden";
    args.getArray()[0].Value <<= true;
    if (!templateFile.empty()) {
      std::error_code ec;
      const std::filesystem::path path = std::filesystem::absolute(templateFile, ec);
      if (ec || !std::filesystem::is_regular_file(path, ec))
        throw TXLError("Template not found: " + templateFile);
      if (osl::FileBase::getFileURLFromSystemPath(U(path.string()), url) != osl::FileBase::E_None)
        throw TXLError("Template not found: " + templateFile);
      args.getArray()[1].Name = "AsTemplate";
      args.getArray()[1].Value <<= true;
    }
    Reference<css::frame::XComponentLoader> loader(desktop_, UNO_QUERY_THROW);
    Reference<css::lang::XComponent> component =
        loader->loadComponentFromURL(url, "_blank", 0, args);
    Reference<css::sheet::XSpreadsheetDocument> doc(component, UNO_QUERY);
    if (!doc.is()) {
      Reference<css::util::XCloseable> closeable(component, UNO_QUERY);
      if (closeable.is()) closeable->close(true);
      throw TXLError(templateFile.empty() ? std::string("LibreOffice Calc made no spreadsheet")
                                          : "Not a spreadsheet template: " + templateFile);
    }
    if (templateFile.empty()) {
      // One worksheet, whatever the user's settings give a new document.
      Reference<css::sheet::XSpreadsheets> sheets = doc->getSheets();
      Reference<css::container::XIndexAccess> byIndex(sheets, UNO_QUERY_THROW);
      while (byIndex->getCount() > 1)
        sheets->removeByName(Reference<css::container::XNamed>(
                                 byIndex->getByIndex(byIndex->getCount() - 1), UNO_QUERY_THROW)
                                 ->getName());
    }
    TCalcWorkbook& book = Wrap(doc);
    book.SetFresh(true);
    return book;
  });
}

TCalcWorkbook& TCalcApplication::Wrap(const Reference<css::sheet::XSpreadsheetDocument>& doc) {
  for (const auto& b : books_)
    if (b->Document() == doc) return *b;
  books_.push_back(std::make_unique<TCalcWorkbook>(*this, doc));
  return *books_.back();
}

namespace {
std::shared_ptr<TCalcBridge> NewBridge(const std::string& pipe, int timeoutMs) {
  Reference<css::uno::XComponentContext> local = LocalContext();
  auto made = std::make_shared<TCalcBridge>();
  made->link = std::make_shared<TCalcLink>(ConnectCalcSocket(pipe, timeoutMs), pipe, timeoutMs);
  // Should the office not answer, the bridge goes with made.
  Call(*made->link, [&] {
    Reference<css::bridge::XBridge> urp = css::bridge::BridgeFactory::create(local)->createBridge(
        "", "urp", new TSocketConnection(made->link), Reference<css::bridge::XInstanceProvider>());
    made->bridge.set(urp, UNO_QUERY_THROW);
    made->context.set(urp->getInstance("StarOffice.ComponentContext"), UNO_QUERY_THROW);
  });
  return made;
}
}  // namespace

std::unique_ptr<TCalcApplication> ConnectCalc(const std::string& pipe, bool headless,
                                              int timeoutMs) {
  static std::mutex lock;
  static std::map<std::string, std::weak_ptr<TCalcBridge>> bridges;
  std::shared_ptr<TCalcBridge> bridge;
  {
    std::lock_guard<std::mutex> guard(lock);
    bridge = bridges[pipe].lock();
  }
  if (!bridge || bridge->link->Closed()) {
    bridge = NewBridge(pipe, timeoutMs);
    std::lock_guard<std::mutex> guard(lock);
    bridges[pipe] = bridge;
  }
  return Call(*bridge->link, [&] {
    Reference<css::frame::XDesktop2> desktop = css::frame::Desktop::create(bridge->context);
    auto app = std::make_unique<TCalcApplication>(bridge, bridge->context, desktop);
    app->pipe_ = pipe;
    app->headless_ = headless;
    return app;
  });
}
