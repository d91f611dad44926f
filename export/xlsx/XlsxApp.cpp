#include "export/xlsx/XlsxApp.h"

#include "data/atomicfile.h"
#include "data/translate.h"
#include "export/xlsx/XlsxRules.h"

// ---- application ----

void TXlsxApplication::SetVisible(bool visible) {
  visible_ = visible;
  if (visible && onShow_) onShow_(*this);
}

TXlsxApplication::TBook& TXlsxApplication::At(int32_t index) {
  if (index < 1 || index > WorkbookCount())
    throw TXLError("There is no workbook " + std::to_string(index));
  return books_[static_cast<size_t>(index - 1)];
}

TXlsxWorkbook& TXlsxApplication::Book(int32_t index) { return *At(index).Model; }

const TXlsxWriter& TXlsxApplication::Writer(int32_t index) { return *At(index).Writer; }

IXLWorkbook& TXlsxApplication::Workbook(const std::string& name) {
  for (TBook& b : books_)
    if (XlsxSameName(b.Model->Name(), name)) return *b.Model;
  throw TXLError("There is no workbook named '" + name + "'");
}

IXLWorkbook& TXlsxApplication::AddWorkbook(const std::string&) {
  auto book = std::make_unique<TXlsxWorkbook>("Mappe" + std::to_string(++booksMade_));
  book->AppendWorksheet();
  auto writer = std::make_unique<TXlsxWriter>(*book);
  books_.push_back({std::move(book), std::move(writer)});
  return *books_.back().Model;
}

void TXlsxApplication::WriteSheetAhead(int32_t index, int32_t sheet) {
  TBook& book = At(index);
  book.Writer->WriteAhead(sheet);
  book.Model->MarkWritten(sheet);
}

void TXlsxApplication::SaveWorkbook(int32_t index, const std::string& path) {
  // Written part by part as the parts are made: a workbook of many sheets is
  // never held in memory as a whole.
  const TXlsxWriter& writer = Writer(index);
  TAtomicFile file;
  if (file.Open(path)) writer.Write([&](const char* data, size_t size) { file.Write(data, size); });
  if (!file.IsOpen() || file.Failed() || !file.Commit())
    throw TXLFileError(file.Error().empty() ? "Cannot write " + path : file.Error(), path,
                       file.ErrorNumber());
}

// ---- provider ----

std::unique_ptr<IXLApplication> TXlsxProvider::Attach() {
  throw TXLError("No running spreadsheet application holds open workbooks");
}

std::unique_ptr<IXLApplication> TXlsxProvider::Create() {
  return std::make_unique<TXlsxApplication>(onShow_);
}

std::string TXlsxProvider::Description() const {
  return TrText("TXlsxProvider", "neue xlsx-Datei");
}
