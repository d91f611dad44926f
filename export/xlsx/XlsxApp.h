#pragma once
// The spreadsheet application of the export as workbooks held in memory and
// written as .xlsx files (a sheet may be written ahead into a temporary file
// once complete, so that a batch of many sheets does not grow in memory). It
// stands for an application with no workbook open: nothing to attach to, and
// "made visible" hands the workbooks to a hook (the program asks where to
// save them and opens the file).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "export/xlauto.h"
#include "export/xlsx/XlsxWorkbook.h"
#include "export/xlsx/XlsxWriter.h"

class TXlsxApplication : public IXLApplication {
 public:
  using TShowHook = std::function<void(TXlsxApplication&)>;

  explicit TXlsxApplication(TShowHook onShow = {}) : onShow_(std::move(onShow)) {}

  bool Visible() override { return visible_; }
  /// true: calls the show hook (if any) with the application.
  void SetVisible(bool visible) override;
  void SetDisplayAlerts(bool on) override { alerts_ = on; }
  void Quit() override { visible_ = false; }
  int32_t WorkbookCount() override { return static_cast<int32_t>(books_.size()); }
  IXLWorkbook& Workbook(int32_t index) override { return Book(index); }
  IXLWorkbook& Workbook(const std::string& name) override;
  /// A new workbook "Mappe<n>" with one worksheet "Tabelle1"; a template is
  /// not supported by .xlsx files and ignored.
  IXLWorkbook& AddWorkbook(const std::string& templateFile = {}) override;

  TXlsxWorkbook& Book(int32_t index);
  /// The writer of the workbook at index, which holds its sheets written ahead.
  const TXlsxWriter& Writer(int32_t index);
  bool DisplayAlerts() const { return alerts_; }
  /// Writes sheet of the workbook at index ahead into a temporary file and
  /// drops its cells (TXlsxWriter::WriteAhead, TXlsxWorkbook::MarkWritten):
  /// sheets complete in order keep a large workbook out of memory.
  void WriteSheetAhead(int32_t index, int32_t sheet);
  /// Writes the workbook at index to path: beside it first, then renamed into
  /// place. Throws TXLError (and leaves the target untouched) on failure.
  void SaveWorkbook(int32_t index, const std::string& path);

 private:
  struct TBook {
    std::unique_ptr<TXlsxWorkbook> Model;
    std::unique_ptr<TXlsxWriter> Writer;  // reads Model
  };
  TBook& At(int32_t index);

  TShowHook onShow_;
  std::vector<TBook> books_;
  int32_t booksMade_ = 0;
  bool visible_ = false;
  bool alerts_ = true;
};

/// Never attaches (no running application holds open workbooks); creates a
/// TXlsxApplication with the hook.
class TXlsxProvider : public IXLProvider {
 public:
  explicit TXlsxProvider(TXlsxApplication::TShowHook onShow = {}) : onShow_(std::move(onShow)) {}
  std::unique_ptr<IXLApplication> Attach() override;
  std::unique_ptr<IXLApplication> Create() override;
  std::string Description() const override;

 private:
  TXlsxApplication::TShowHook onShow_;
};
