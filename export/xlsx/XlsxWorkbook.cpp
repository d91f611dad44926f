#include "export/xlsx/XlsxWorkbook.h"

#include <algorithm>
#include <utility>

#include "export/xlsx/XlsxRules.h"

namespace {
constexpr int32_t kMaxRow = 1048576;
constexpr int32_t kMaxCol = 16384;

void CheckCell(int32_t row, int32_t col) {
  if (row < 1 || row > kMaxRow || col < 1 || col > kMaxCol)
    throw TXLError("Cell (" + std::to_string(row) + ", " + std::to_string(col) +
                   ") lies outside the worksheet");
}

template <class Row>
auto FindCol(Row& row, int32_t col) {
  return std::lower_bound(row.begin(), row.end(), col,
                          [](const auto& cell, int32_t c) { return cell.Col < c; });
}
}  // namespace

size_t TXlsxWorksheet::CellCount() const {
  size_t n = 0;
  for (const auto& [r, row] : rows_) n += row.size();
  return n;
}

const TXlsxWorksheet::TCell* TXlsxWorksheet::Cell(int32_t row, int32_t col) const {
  const auto r = rows_.find(row);
  if (r == rows_.end()) return nullptr;
  const auto c = FindCol(r->second, col);
  return c == r->second.end() || c->Col != col ? nullptr : &*c;
}

TXlsxWorksheet::TCell& TXlsxWorksheet::At(int32_t row, int32_t col) {
  CheckCell(row, col);
  if (written_) throw TXLError("Sheet '" + name_ + "' has already been written");
  if (lastRow_ == rows_.end() || lastRow_->first != row) {
    // A new row most likely takes as many cells as the one before.
    const size_t expected = lastRow_ == rows_.end() ? 0 : lastRow_->second.size();
    lastRow_ = rows_.try_emplace(row).first;
    if (lastRow_->second.empty()) lastRow_->second.reserve(expected);
  }
  TRow& cells = lastRow_->second;
  if (cells.empty() || cells.back().Col < col) return cells.emplace_back(TCell{.Col = col});
  auto it = FindCol(cells, col);
  if (it == cells.end() || it->Col != col) it = cells.insert(it, TCell{.Col = col});
  return *it;
}

void TXlsxWorksheet::SetName(const std::string& name) {
  book_.CheckSheetName(*this, name);
  name_ = name;
}

void TXlsxWorksheet::SetText(int32_t row, int32_t col, const std::string& text) {
  TCell& c = At(row, col);
  c.Kind = TKind::Text;
  c.Text = static_cast<uint32_t>(texts_.size());
  texts_.push_back(text);
}

void TXlsxWorksheet::SetDateTime(int32_t row, int32_t col, double days) {
  TCell& c = At(row, col);
  c.Kind = TKind::DateTime;
  c.Number = days;
}

void TXlsxWorksheet::SetDouble(int32_t row, int32_t col, double value) {
  TCell& c = At(row, col);
  c.Kind = TKind::Number;
  c.Number = value;
}

void TXlsxWorksheet::SetNumberFormat(int32_t row, int32_t col, const std::string& format) {
  At(row, col).Format = book_.FormatIndex(format);
}

void TXlsxWorksheet::SetNumberFormats(int32_t row, int32_t col, int32_t rows, int32_t cols,
                                      const std::string& format) {
  if (rows <= 0 || cols <= 0) return;
  CheckCell(row, col);
  CheckCell(row + rows - 1, col + cols - 1);
  if (written_) throw TXLError("Sheet '" + name_ + "' has already been written");
  const int32_t index = book_.FormatIndex(format);
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t k = 0; k < cols; ++k) At(row + r, col + k).Format = index;
}

// ---- workbook ----

TXlsxWorksheet& TXlsxWorkbook::Sheet(int32_t index) {
  return const_cast<TXlsxWorksheet&>(std::as_const(*this).Sheet(index));
}

const TXlsxWorksheet& TXlsxWorkbook::Sheet(int32_t index) const {
  if (index < 1 || index > SheetCount())
    throw TXLError("Workbook '" + name_ + "' has no sheet " + std::to_string(index));
  return *sheets_[static_cast<size_t>(index - 1)];
}

std::string TXlsxWorkbook::SheetName(int32_t index) { return Sheet(index).SheetName(); }

IXLWorksheet& TXlsxWorkbook::Worksheet(const std::string& name) {
  for (const auto& s : sheets_)
    if (XlsxSameName(s->SheetName(), name)) return *s;
  throw TXLError("Workbook '" + name_ + "' has no sheet named '" + name + "'");
}

std::string TXlsxWorkbook::NewSheetName() {
  for (;;) {
    const std::string name = "Tabelle" + std::to_string(++sheetsMade_);
    if (std::none_of(sheets_.begin(), sheets_.end(),
                     [&](const auto& s) { return XlsxSameName(s->SheetName(), name); }))
      return name;
  }
}

IXLWorksheet& TXlsxWorkbook::AddWorksheetBefore(int32_t index) {
  if (index < 1 || index > SheetCount() + 1)
    throw TXLError("Workbook '" + name_ + "' has no sheet " + std::to_string(index));
  if (index <= written_)
    throw TXLError("Workbook '" + name_ + "': sheet " + std::to_string(index) +
                   " has already been written");
  auto sheet = std::make_unique<TXlsxWorksheet>(*this, NewSheetName());
  TXlsxWorksheet& made = *sheet;
  sheets_.insert(sheets_.begin() + (index - 1), std::move(sheet));
  return made;
}

TXlsxWorksheet& TXlsxWorkbook::AppendWorksheet() {
  sheets_.push_back(std::make_unique<TXlsxWorksheet>(*this, NewSheetName()));
  return *sheets_.back();
}

void TXlsxWorkbook::CheckSheetName(const TXlsxWorksheet& sheet, const std::string& name) const {
  if (std::string why = XlsxSheetNameProblem(name); !why.empty()) throw TXLError(why);
  for (const auto& s : sheets_)
    if (s.get() != &sheet && XlsxSameName(s->SheetName(), name))
      throw TXLError("Workbook '" + name_ + "' already has a sheet named '" + s->SheetName() + "'");
}

int32_t TXlsxWorkbook::FormatIndex(const std::string& format) {
  if (const auto known = formatIndex_.find(format); known != formatIndex_.end())
    return known->second;
  XlsxFormatFromGerman(format);  // throws when the file cannot hold it
  const auto [it, added] =
      formatIndex_.try_emplace(format, static_cast<int32_t>(formats_.size()) + 1);
  if (added) formats_.push_back(format);
  return it->second;
}

void TXlsxWorkbook::MarkWritten(int32_t index) {
  if (index != written_ + 1) throw TXLError("Sheets are written ahead in order");
  TXlsxWorksheet& sheet = Sheet(index);
  sheet.rows_.clear();
  sheet.lastRow_ = sheet.rows_.end();
  std::vector<std::string>().swap(sheet.texts_);
  sheet.written_ = true;
  ++written_;
}
