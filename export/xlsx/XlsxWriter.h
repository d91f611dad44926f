#pragma once
// The .xlsx file of a workbook, written by the program itself (zlib for the
// container): every number goes into it as the shortest text that reads back
// as exactly the same double, whatever the process locale. The writer only
// reads the workbook.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TXlsxWorkbook;

class TXlsxWriter {
 public:
  /// book must outlive the writer.
  explicit TXlsxWriter(const TXlsxWorkbook& book);
  ~TXlsxWriter();
  TXlsxWriter(const TXlsxWriter&) = delete;
  TXlsxWriter& operator=(const TXlsxWriter&) = delete;

  /// Writes the part of sheet index, the first sheet not written ahead yet,
  /// into a temporary file, so that its cells need not stay in memory; the
  /// file's bytes stay the same. The workbook is then to be told
  /// (TXlsxWorkbook::MarkWritten), which drops the cells. A date-time cell
  /// without a format of its own takes the time style as the formats known
  /// now place it: a later format that moves it makes the write fail.
  void WriteAhead(int32_t index);
  int32_t SheetsWrittenAhead() const;

  /// The workbook's file, handed to sink in order, part by part.
  void Write(const std::function<void(const char*, size_t)>& sink) const;
  /// The same bytes in one piece.
  std::string Bytes() const;

 private:
  const TXlsxWorkbook& book_;
  struct TSpool;
  std::unique_ptr<TSpool> spool_;
};
