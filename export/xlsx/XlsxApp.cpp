#include "export/xlsx/XlsxApp.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "data/atomicfile.h"

namespace {
constexpr int32_t kMaxRow = 1048576;
constexpr int32_t kMaxCol = 16384;
constexpr size_t kMaxSheetName = 31;  // in UTF-16 units, as the spreadsheet counts
constexpr const char* kForbidden = "[]:*?/\\";

// Code points of s; an invalid byte gives -1.
std::vector<int32_t> CodePoints(const std::string& s) {
  std::vector<int32_t> out;
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    int32_t cp = len == 1 ? b : len == 2 ? b & 0x1f : len == 3 ? b & 0x0f : b & 0x07;
    bool ok = len > 0 && i + len <= s.size();
    for (int k = 1; ok && k < len; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      ok = (c >> 6) == 2;
      cp = cp << 6 | (c & 0x3f);
    }
    static constexpr int32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (ok && (cp < kMin[len] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff))) ok = false;
    out.push_back(ok ? cp : -1);
    i += ok ? len : 1;
  }
  return out;
}

void AppendUtf8(std::string& out, int32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xc0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3f));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xe0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3f));
    out += static_cast<char>(0x80 | (cp & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3f));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3f));
    out += static_cast<char>(0x80 | (cp & 0x3f));
  }
}

size_t Utf16Length(const std::vector<int32_t>& cps) {
  size_t n = 0;
  for (int32_t cp : cps) n += cp >= 0x10000 ? 2 : 1;
  return n;
}

int32_t FoldCase(int32_t cp) {
  if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xc0 && cp <= 0xde && cp != 0xd7)) return cp + 0x20;
  return cp;
}

bool IsForbidden(int32_t cp) {
  return (cp >= 0 && cp < 0x20) || (cp > 0 && cp < 0x80 && std::strchr(kForbidden, cp));
}

void CheckCell(int32_t row, int32_t col) {
  if (row < 1 || row > kMaxRow || col < 1 || col > kMaxCol)
    throw TXLError("Cell (" + std::to_string(row) + ", " + std::to_string(col) +
                   ") lies outside the worksheet");
}
}  // namespace

// ---- names ----

bool XlsxSameName(const std::string& a, const std::string& b) {
  const auto x = CodePoints(a), y = CodePoints(b);
  return std::equal(x.begin(), x.end(), y.begin(), y.end(),
                    [](int32_t p, int32_t q) { return FoldCase(p) == FoldCase(q); });
}

std::string XlsxSheetNameProblem(const std::string& name) {
  const auto cps = CodePoints(name);
  if (cps.empty()) return "A sheet name must not be empty";
  if (std::find(cps.begin(), cps.end(), -1) != cps.end())
    return "The sheet name '" + name + "' is not valid UTF-8 text";
  if (Utf16Length(cps) > kMaxSheetName)
    return "The sheet name '" + name + "' is longer than 31 characters";
  if (std::any_of(cps.begin(), cps.end(), IsForbidden))
    return "The sheet name '" + name + "' contains a control character or one of [ ] : * ? / \\";
  if (cps.front() == '\'' || cps.back() == '\'')
    return "The sheet name '" + name + "' begins or ends with an apostrophe";
  return {};
}

std::string XlsxMakeSheetName(const std::string& name, std::vector<std::string>& taken,
                              const std::string& fallback) {
  std::vector<int32_t> cps = CodePoints(name);
  for (int32_t& cp : cps)
    if (cp < 0 || IsForbidden(cp)) cp = '_';
  if (!cps.empty() && cps.front() == '\'') cps.front() = '_';
  if (!cps.empty() && cps.back() == '\'') cps.back() = '_';
  if (cps.empty()) cps = CodePoints(fallback);
  auto build = [&](const std::string& suffix) {
    std::vector<int32_t> base = cps;
    while (!base.empty() && Utf16Length(base) + suffix.size() > kMaxSheetName) base.pop_back();
    if (!base.empty() && base.back() == '\'' && suffix.empty()) base.back() = '_';
    std::string out;
    for (int32_t cp : base) AppendUtf8(out, cp);
    return out + suffix;
  };
  std::string candidate = build("");
  for (int n = 2; std::any_of(taken.begin(), taken.end(),
                              [&](const std::string& t) { return XlsxSameName(t, candidate); });
       ++n)
    candidate = build(" (" + std::to_string(n) + ")");
  taken.push_back(candidate);
  return candidate;
}

// ---- number formats ----

namespace {
// German colour names of bracketed codes, and the file's.
constexpr std::pair<const char*, const char*> kColours[] = {
    {"Schwarz", "Black"},   {"Blau", "Blue"}, {"Zyan", "Cyan"},  {"Grün", "Green"},
    {"Magenta", "Magenta"}, {"Rot", "Red"},   {"Weiß", "White"}, {"Gelb", "Yellow"}};

// Whether a section (outside quotes, escapes and brackets) holds date or time
// codes; "[h]", "[mm]", "[ss]" count too.
bool IsDateTimeSection(const std::string& f, size_t begin, size_t end) {
  for (size_t i = begin; i < end; ++i) {
    const char c = f[i];
    if (c == '"') {
      i = f.find('"', i + 1);
      if (i == std::string::npos || i >= end) return false;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;
    } else if (c == '[') {
      const size_t close = f.find(']', i);
      if (close == std::string::npos || close >= end) return false;
      const std::string code = f.substr(i + 1, close - i - 1);
      if (!code.empty() &&
          std::all_of(code.begin(), code.end(),
                      [&](char k) {
                        return std::tolower(static_cast<unsigned char>(k)) ==
                               std::tolower(static_cast<unsigned char>(code[0]));
                      }) &&
          std::strchr("hHmMsS", code[0]))
        return true;
      i = close;
    } else if (std::strchr("dDmMyYhHsSjJtT", c) && c != '\0') {
      return true;
    }
  }
  return false;
}
}  // namespace

std::string XlsxFormatFromGerman(const std::string& f) {
  {
    std::string t = f;
    t.erase(0, t.find_first_not_of(' '));
    t.erase(t.find_last_not_of(' ') + 1);
    std::transform(t.begin(), t.end(), t.begin(),
                   [](char c) { return std::tolower(static_cast<unsigned char>(c)); });
    if (t == "standard") return "General";
  }
  std::string out;
  out.reserve(f.size() + 4);
  size_t sectionEnd = std::string::npos;
  bool dateTime = false;
  for (size_t i = 0; i < f.size(); ++i) {
    if (sectionEnd == std::string::npos || i > sectionEnd) {
      // Find the end of this section (the next ';' outside quotes and brackets).
      size_t k = i;
      while (k < f.size() && f[k] != ';') {
        if (f[k] == '"') {
          k = f.find('"', k + 1);
          if (k == std::string::npos) k = f.size() - 1;
        } else if (f[k] == '\\' || f[k] == '_' || f[k] == '*') {
          ++k;
        } else if (f[k] == '[') {
          k = f.find(']', k);
          if (k == std::string::npos) k = f.size() - 1;
        }
        ++k;
      }
      sectionEnd = std::min(k, f.size());
      dateTime = IsDateTimeSection(f, i, sectionEnd);
    }
    const char c = f[i];
    if (c == '"') {
      size_t close = f.find('"', i + 1);
      if (close == std::string::npos) close = f.size() - 1;
      out.append(f, i, close - i + 1);
      i = close;
    } else if (c == '\\' || c == '_' || c == '*') {
      out += c;
      if (i + 1 < f.size()) out += f[++i];
    } else if (c == '[') {
      const size_t close = f.find(']', i);
      if (close == std::string::npos) {  // not a code: the rest as it stands
        out.append(f, i);
        break;
      }
      std::string code = f.substr(i + 1, close - i - 1);
      if (!code.empty() && std::strchr("<>=", code[0])) {
        std::replace(code.begin(), code.end(), ',', '.');  // a condition's decimal comma
      } else {
        for (const auto& [de, neutral] : kColours)
          if (XlsxSameName(code, de)) code = neutral;
      }
      out += '[' + code + ']';
      i = close;
    } else if (c == ',') {
      out += '.';
    } else if (c == '.') {
      out += dateTime ? "\\." : ",";
    } else if (dateTime && (c == 'J' || c == 'j')) {
      out += 'y';
    } else if (dateTime && (c == 'T' || c == 't')) {
      out += 'd';
    } else {
      out += c;
    }
  }
  return out;
}

// ---- worksheet ----

namespace {
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
  if (spooled_) throw TXLError("Sheet '" + name_ + "' has already been written");
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
  if (spooled_) throw TXLError("Sheet '" + name_ + "' has already been written");
  const int32_t index = book_.FormatIndex(format);
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t k = 0; k < cols; ++k) At(row + r, col + k).Format = index;
}

// ---- workbook ----

TXlsxWorksheet& TXlsxWorkbook::Sheet(int32_t index) {
  if (index < 1 || index > SheetCount())
    throw TXLError("Workbook '" + name_ + "' has no sheet " + std::to_string(index));
  return *sheets_[static_cast<size_t>(index - 1)];
}

std::string TXlsxWorkbook::SheetName(int32_t index) { return Sheet(index).SheetName(); }

IXLWorksheet& TXlsxWorkbook::Worksheet(const std::string& name) {
  for (auto& s : sheets_)
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
  if (index <= SpooledSheets())
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
  const auto [it, added] =
      formatIndex_.try_emplace(format, static_cast<int32_t>(formats_.size()) + 1);
  if (added) formats_.push_back(format);
  return it->second;
}

// ---- application ----

void TXlsxApplication::SetVisible(bool visible) {
  visible_ = visible;
  if (visible && onShow_) onShow_(*this);
}

TXlsxWorkbook& TXlsxApplication::Book(int32_t index) {
  if (index < 1 || index > WorkbookCount())
    throw TXLError("There is no workbook " + std::to_string(index));
  return *books_[static_cast<size_t>(index - 1)];
}

IXLWorkbook& TXlsxApplication::Workbook(const std::string& name) {
  for (auto& b : books_)
    if (XlsxSameName(b->Name(), name)) return *b;
  throw TXLError("There is no workbook named '" + name + "'");
}

IXLWorkbook& TXlsxApplication::AddWorkbook(const std::string&) {
  books_.push_back(std::make_unique<TXlsxWorkbook>("Mappe" + std::to_string(++booksMade_)));
  books_.back()->AppendWorksheet();
  return *books_.back();
}

void TXlsxApplication::SaveWorkbook(int32_t index, const std::string& path) {
  // Written part by part as the parts are made: a workbook of many sheets is
  // never held in memory as a whole.
  TXlsxWorkbook& book = Book(index);
  TAtomicFile file;
  if (file.Open(path))
    book.WriteFile([&](const char* data, size_t size) { file.Write(data, size); });
  if (!file.IsOpen() || file.Failed() || !file.Commit())
    throw TXLError(file.Error().empty() ? "Cannot write " + path : file.Error());
}

// ---- provider ----

std::unique_ptr<IXLApplication> TXlsxProvider::Attach() {
  throw TXLError("No running spreadsheet application holds open workbooks");
}

std::unique_ptr<IXLApplication> TXlsxProvider::Create() {
  return std::make_unique<TXlsxApplication>(onShow_);
}

std::string TXlsxProvider::Description() const { return "neue xlsx-Datei"; }
