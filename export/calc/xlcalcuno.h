#pragma once
// The Calc backend's objects over their UNO interfaces. Only the backend and
// its tests include this header.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>

#include "export/calc/xlcalc.h"
#include "export/xlauto.h"

namespace css = com::sun::star;

class TCalcApplication;
class TCalcLink;
class TCalcWorkbook;
struct TCalcBridge;

/// A worksheet this program added (or the sheet of a workbook it added) is
/// provisional until a cell is written into it: when naming it or checking
/// the export's area fails, it goes again (with its workbook), so that a
/// refused step leaves nothing behind.
class TCalcWorksheet : public IXLWorksheet {
 public:
  TCalcWorksheet(TCalcWorkbook& book, css::uno::Reference<css::sheet::XSpreadsheet> sheet,
                 bool added);
  std::string Name() override;
  void SetName(const std::string& name) override;
  void SetText(int32_t row, int32_t col, const std::string& text) override;
  void SetDateTime(int32_t row, int32_t col, double days) override;
  void SetDouble(int32_t row, int32_t col, double value) override;
  void SetNumberFormat(int32_t row, int32_t col, const std::string& format) override;
  void SetValues(int32_t row, int32_t col, int32_t rows, int32_t cols, const double* values,
                 const std::vector<bool>& dateTime) override;
  void SetNumberFormats(int32_t row, int32_t col, int32_t rows, int32_t cols,
                        const std::string& format) override;
  void CheckArea(int32_t row, int32_t col, int32_t rows, int32_t cols) override;

  const css::uno::Reference<css::sheet::XSpreadsheet>& Sheet() const { return sheet_; }

 private:
  template <class F>
  void Write(F&& f);
  template <class F>
  void Prepare(F&& f);
  void Discard();
  // Throws naming the first cell of the rectangle outside the sheet.
  void Check(int64_t row, int64_t col, int64_t rows, int64_t cols);

  TCalcWorkbook& book_;
  css::uno::Reference<css::sheet::XSpreadsheet> sheet_;
  bool added_ = false;
  bool written_ = false;
  int64_t maxRow_ = 0, maxCol_ = 0;  // the sheet's size, once asked
};

class TCalcWorkbook : public IXLWorkbook {
 public:
  TCalcWorkbook(TCalcApplication& app, css::uno::Reference<css::sheet::XSpreadsheetDocument> doc);
  std::string Name() override;
  int32_t SheetCount() override;
  std::string SheetName(int32_t index) override;
  IXLWorksheet& Worksheet(int32_t index) override;
  IXLWorksheet& Worksheet(const std::string& name) override;
  IXLWorksheet& AddWorksheetBefore(int32_t index) override;

  const css::uno::Reference<css::sheet::XSpreadsheetDocument>& Document() const { return doc_; }
  /// The document's key of a format in German notation, added when missing.
  int32_t FormatKey(const std::string& germanFormat);
  /// Whether the format key shows a date or a time.
  bool IsTimeFormat(int32_t key);

  TCalcLink& Link();
  /// Made by AddWorkbook, nothing written into it since.
  bool Fresh() const { return fresh_; }
  void SetFresh(bool fresh) { fresh_ = fresh; }
  /// Closes the document without questions (a fresh one only).
  void Discard();

 private:
  TCalcWorksheet& Wrap(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, bool added);
  css::uno::Reference<css::util::XNumberFormats> Formats();

  TCalcApplication& app_;
  css::uno::Reference<css::sheet::XSpreadsheetDocument> doc_;
  css::uno::Reference<css::util::XNumberFormats> formats_;
  std::map<std::string, int32_t> keys_;
  std::map<int32_t, bool> timeKeys_;
  std::vector<std::unique_ptr<TCalcWorksheet>> sheets_;
  bool fresh_ = false;
};

class TCalcApplication : public IXLApplication {
 public:
  TCalcApplication(std::shared_ptr<TCalcBridge> bridge,
                   css::uno::Reference<css::uno::XComponentContext> context,
                   css::uno::Reference<css::frame::XDesktop2> desktop);
  ~TCalcApplication() override;
  bool Visible() override;
  void SetVisible(bool visible) override;
  void SetDisplayAlerts(bool) override {}
  void Quit() override;
  int32_t WorkbookCount() override;
  IXLWorkbook& Workbook(int32_t index) override;
  IXLWorkbook& Workbook(const std::string& name) override;
  IXLWorkbook& AddWorkbook(const std::string& templateFile = {}) override;

  const css::uno::Reference<css::frame::XDesktop2>& Desktop() const { return desktop_; }
  const css::uno::Reference<css::uno::XComponentContext>& Context() const { return context_; }
  TCalcLink& Link();

 private:
  friend std::unique_ptr<TCalcApplication> ConnectCalc(const std::string& pipe, bool headless,
                                                       int timeoutMs);
  std::vector<css::uno::Reference<css::sheet::XSpreadsheetDocument>> Documents();
  TCalcWorkbook& Wrap(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& doc);

  std::shared_ptr<TCalcBridge> bridge_;
  css::uno::Reference<css::uno::XComponentContext> context_;
  css::uno::Reference<css::frame::XDesktop2> desktop_;
  std::vector<std::unique_ptr<TCalcWorkbook>> books_;
  std::string pipe_;
  bool headless_ = false;
};

/// Connects to an office listening on pipe; TXLNotRunning when none does,
/// TXLPipeTaken when the pipe is not the user's own, TXLError when it does
/// not answer within timeoutMs (then, and whenever a later call waits that
/// long without an answer, "LibreOffice Calc antwortet nicht"). A headless
/// office never shows windows.
std::unique_ptr<TCalcApplication> ConnectCalc(const std::string& pipe, bool headless,
                                              int timeoutMs);
