#pragma once
// The spreadsheet application of the export as workbooks held in memory and
// written as .xlsx files (a sheet may be written ahead into a temporary file
// once complete, so that a batch of many sheets does not grow in memory). It
// stands for an application with no workbook open: nothing to attach to, and
// "made visible" hands the workbooks to a hook (the program asks where to
// save them and opens the file).
//
// The file is written by the program itself (zlib for the container): every
// number goes into it as the shortest text that reads back as exactly the
// same double, whatever the process locale.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "export/xlauto.h"

/// Why a number format in German notation cannot go into an .xlsx file
/// (unbalanced quotes or brackets, a trailing escape, a bracketed code other
/// than a colour, condition, elapsed time or currency, more than four
/// sections, more than 255 characters); empty when it can.
std::string XlsxFormatProblem(const std::string& format);

/// A number format in German notation ("0,0000", "#.##0,00", "[h]:mm:ss",
/// "TT.MM.JJJJ", "Standard;-Standard") in the file's neutral notation
/// ("0.0000", "#,##0.00", "[h]:mm:ss", "dd\.MM\.yyyy", "General;-General").
/// Quoted text and escaped characters stay as they are. Throws TXLError
/// naming the format and XlsxFormatProblem when the file cannot hold it.
std::string XlsxFormatFromGerman(const std::string& format);

/// Empty when name is a valid sheet name by itself (1 to 31 characters, none
/// of []:*?/\, no apostrophe at either end), else why not.
std::string XlsxSheetNameProblem(const std::string& name);

/// name made into a valid sheet name: invalid UTF-8 and the forbidden
/// characters replaced by "_", cut to 31 characters; an empty name gives
/// fallback. Unique among taken (without regard to case) by a suffix " (2)",
/// " (3)", ...; the result is added to taken.
std::string XlsxMakeSheetName(const std::string& name, std::vector<std::string>& taken,
                              const std::string& fallback = "Tabelle");

/// Whether a and b name the same sheet or workbook (SameSheetName: full case folding).
bool XlsxSameName(const std::string& a, const std::string& b);

class TXlsxWorksheet : public IXLWorksheet {
 public:
  enum class TKind : uint8_t { Empty, Text, Number, DateTime };
  struct TCell {
    double Number = 0;
    int32_t Col = 0;
    uint32_t Text = 0;   // index into Texts()
    int32_t Format = 0;  // 0 none, else 1 + index into the workbook's formats
    TKind Kind = TKind::Empty;
  };

  TXlsxWorksheet(class TXlsxWorkbook& book, std::string name)
      : book_(book), name_(std::move(name)) {}

  std::string Name() override { return name_; }
  void SetName(const std::string& name) override;
  void SetText(int32_t row, int32_t col, const std::string& text) override;
  void SetDateTime(int32_t row, int32_t col, double days) override;
  void SetDouble(int32_t row, int32_t col, double value) override;
  void SetNumberFormat(int32_t row, int32_t col, const std::string& format) override;
  void SetNumberFormats(int32_t row, int32_t col, int32_t rows, int32_t cols,
                        const std::string& format) override;

  const std::string& SheetName() const { return name_; }
  /// The cells of one row, left to right.
  using TRow = std::vector<TCell>;
  /// The rows that hold cells, top to bottom.
  const std::map<int32_t, TRow>& Rows() const { return rows_; }
  size_t CellCount() const;
  const std::vector<std::string>& Texts() const { return texts_; }
  /// Null for a cell never written nor formatted.
  const TCell* Cell(int32_t row, int32_t col) const;
  /// True once the workbook wrote the sheet's part ahead (TXlsxWorkbook::SpoolSheet);
  /// its cells are gone then and writing to it throws TXLError.
  bool Spooled() const { return spooled_; }

 private:
  friend class TXlsxWorkbook;
  TCell& At(int32_t row, int32_t col);

  TXlsxWorkbook& book_;
  std::string name_;
  std::map<int32_t, TRow> rows_;
  std::map<int32_t, TRow>::iterator lastRow_ = rows_.end();  // rows come in order
  std::vector<std::string> texts_;
  bool spooled_ = false;
};

class TXlsxWorkbook : public IXLWorkbook {
 public:
  explicit TXlsxWorkbook(std::string name);
  ~TXlsxWorkbook() override;

  std::string Name() override { return name_; }
  int32_t SheetCount() override { return static_cast<int32_t>(sheets_.size()); }
  std::string SheetName(int32_t index) override;
  IXLWorksheet& Worksheet(int32_t index) override { return Sheet(index); }
  IXLWorksheet& Worksheet(const std::string& name) override;
  IXLWorksheet& AddWorksheetBefore(int32_t index) override;

  /// Not part of the automation: the name the workbook is saved under.
  void SetName(const std::string& name) { name_ = name; }
  TXlsxWorksheet& Sheet(int32_t index);
  /// Appends a worksheet named "Tabelle<n>" (the next free n).
  TXlsxWorksheet& AppendWorksheet();
  /// Throws TXLError when name is not valid for sheet, or taken by another sheet.
  void CheckSheetName(const TXlsxWorksheet& sheet, const std::string& name) const;
  /// The index of a format text (German notation), 1 + position in Formats().
  /// Throws TXLError when the file cannot hold the format.
  int32_t FormatIndex(const std::string& format);
  const std::vector<std::string>& Formats() const { return formats_; }

  /// The workbook as the bytes of an .xlsx file.
  std::string FileBytes() const;
  /// The same bytes, handed to sink in order, part by part.
  void WriteFile(const std::function<void(const char*, size_t)>& sink) const;

  /// Writes the part of sheet index, the first sheet not spooled yet, ahead
  /// into a temporary file and drops its cells, so that a workbook of many
  /// sheets does not grow in memory; the file's bytes stay the same. The
  /// sheet keeps its name (which may still change); its cells cannot change
  /// any more, and no sheet can be inserted before it. A date-time cell
  /// without a format of its own takes the time style as the formats known
  /// now place it: a later format that moves it makes the write fail.
  void SpoolSheet(int32_t index);
  int32_t SpooledSheets() const;

 private:
  std::string NewSheetName();
  struct TSpool;
  std::unique_ptr<TSpool> spool_;

  std::string name_;
  std::vector<std::unique_ptr<TXlsxWorksheet>> sheets_;
  std::vector<std::string> formats_;
  std::map<std::string, int32_t> formatIndex_;
  int32_t sheetsMade_ = 0;
};

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
  bool DisplayAlerts() const { return alerts_; }
  /// Writes the workbook at index to path: beside it first, then renamed into
  /// place. Throws TXLError (and leaves the target untouched) on failure.
  void SaveWorkbook(int32_t index, const std::string& path);

 private:
  TShowHook onShow_;
  std::vector<std::unique_ptr<TXlsxWorkbook>> books_;
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
