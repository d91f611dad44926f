#pragma once
// The workbooks of the .xlsx export held in memory: sheets of cells (texts,
// numbers, date-times) with number formats in German notation, as the
// export's automation interface fills them. TXlsxWriter (XlsxWriter.h)
// makes the file from them.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "export/xlauto.h"

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
  /// True once the sheet's part was written ahead (TXlsxWorkbook::MarkWritten);
  /// its cells are gone then and writing to it throws TXLError.
  bool Written() const { return written_; }

 private:
  friend class TXlsxWorkbook;
  TCell& At(int32_t row, int32_t col);

  TXlsxWorkbook& book_;
  std::string name_;
  std::map<int32_t, TRow> rows_;
  std::map<int32_t, TRow>::iterator lastRow_ = rows_.end();  // rows come in order
  std::vector<std::string> texts_;
  bool written_ = false;
};

class TXlsxWorkbook : public IXLWorkbook {
 public:
  explicit TXlsxWorkbook(std::string name) : name_(std::move(name)) {}

  std::string Name() override { return name_; }
  int32_t SheetCount() override { return static_cast<int32_t>(sheets_.size()); }
  int32_t SheetCount() const { return static_cast<int32_t>(sheets_.size()); }
  std::string SheetName(int32_t index) override;
  IXLWorksheet& Worksheet(int32_t index) override { return Sheet(index); }
  IXLWorksheet& Worksheet(const std::string& name) override;
  IXLWorksheet& AddWorksheetBefore(int32_t index) override;

  /// Not part of the automation: the name the workbook is saved under.
  void SetName(const std::string& name) { name_ = name; }
  TXlsxWorksheet& Sheet(int32_t index);
  const TXlsxWorksheet& Sheet(int32_t index) const;
  /// Appends a worksheet named "Tabelle<n>" (the next free n).
  TXlsxWorksheet& AppendWorksheet();
  /// Throws TXLError when name is not valid for sheet, or taken by another sheet.
  void CheckSheetName(const TXlsxWorksheet& sheet, const std::string& name) const;
  /// The index of a format text (German notation), 1 + position in Formats().
  /// Throws TXLError when the file cannot hold the format.
  int32_t FormatIndex(const std::string& format);
  const std::vector<std::string>& Formats() const { return formats_; }

  /// Sheet index, the first sheet not marked yet, was written ahead into the
  /// file: its cells are dropped, so that a workbook of many sheets does not
  /// grow in memory. The sheet keeps its name (which may still change); its
  /// cells cannot change any more, and no sheet can be inserted before it.
  void MarkWritten(int32_t index);
  int32_t WrittenSheets() const { return written_; }

 private:
  std::string NewSheetName();

  std::string name_;
  std::vector<std::unique_ptr<TXlsxWorksheet>> sheets_;
  std::vector<std::string> formats_;
  std::map<std::string, int32_t> formatIndex_;
  int32_t sheetsMade_ = 0;
  int32_t written_ = 0;
};
