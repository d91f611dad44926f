// The .xlsx file of a workbook: the SpreadsheetML parts in a zip container.
// Texts are inline strings; numbers the shortest text that reads back as the
// same double (std::to_chars, never the locale).

#include "export/xlsx/XlsxWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include <fcntl.h>
#include <unistd.h>

#include "data/numtext.h"
#include "export/xlsx/XlsxRules.h"
#include "export/xlsx/XlsxWorkbook.h"

namespace {
constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kDefaultTimeFormat = "[h]:mm:ss";  // date-time cells without a format

// ---- zip ----

void Put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xff);
  out += static_cast<char>(v >> 8 & 0xff);
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xffff);
  Put16(out, v >> 16);
}

// One member of the zip: its local header and data are written in order, the
// central directory at the end lists every member.
struct TZipEntry {
  std::string name;
  uint32_t crc = 0;
  uint32_t packed = 0;
  uint32_t size = 0;
  uint32_t offset = 0;  // of the local header in the file
};

void PutHeader(std::string& to, const TZipEntry& e, bool central) {
  Put32(to, central ? 0x02014b50 : 0x04034b50);
  if (central) Put16(to, 20);  // made by
  Put16(to, 20);               // needed: deflate
  Put16(to, 0);                // flags
  Put16(to, 8);                // deflated
  Put16(to, 0);                // 00:00:00
  Put16(to, 0x21);             // 1980-01-01: the same bytes for the same workbook
  Put32(to, e.crc);
  Put32(to, e.packed);
  Put32(to, e.size);
  Put16(to, static_cast<uint32_t>(e.name.size()));
  Put16(to, 0);  // extra field
  if (central) {
    Put16(to, 0);  // comment
    Put16(to, 0);  // disk
    Put16(to, 0);  // internal attributes
    Put32(to, 0);  // external attributes
    Put32(to, e.offset);
  }
  to += e.name;
}

// Appends the local header and the deflated data of name to out; the entry's
// offset is where out begins in the file.
TZipEntry PackEntry(const std::string& name, const std::string& data, uint64_t at,
                    std::string& out) {
  if (data.size() > 0xffffffffu) throw TXLError("The workbook is too large for an .xlsx file");
  z_stream zs{};
  if (deflateInit2(&zs, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw TXLError("Cannot compress the workbook");
  std::string packed(deflateBound(&zs, static_cast<uLong>(data.size())), '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(packed.data());
  zs.avail_out = static_cast<uInt>(packed.size());
  const int rc = deflate(&zs, Z_FINISH);
  packed.resize(zs.total_out);
  deflateEnd(&zs);
  if (rc != Z_STREAM_END) throw TXLError("Cannot compress the workbook");
  TZipEntry e;
  e.name = name;
  e.crc = static_cast<uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
  e.packed = static_cast<uint32_t>(packed.size());
  e.size = static_cast<uint32_t>(data.size());
  const uint64_t offset = at + out.size();
  if (offset + packed.size() > 0xffffffffu)
    throw TXLError("The workbook is too large for an .xlsx file");
  e.offset = static_cast<uint32_t>(offset);
  PutHeader(out, e, false);
  out += packed;
  return e;
}

// The central directory and its end record for entries, which start at start.
std::string CentralDirectory(const std::vector<TZipEntry>& entries, uint64_t start) {
  if (start > 0xffffffffu) throw TXLError("The workbook is too large for an .xlsx file");
  std::string central;
  for (const TZipEntry& e : entries) PutHeader(central, e, true);
  std::string out = central;
  Put32(out, 0x06054b50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put32(out, static_cast<uint32_t>(central.size()));
  Put32(out, static_cast<uint32_t>(start));
  Put16(out, 0);
  return out;
}

// ---- XML ----

// "_xHHHH_" at i, which a reader would take for an escaped character.
bool LooksEscaped(const std::string& s, size_t i) {
  if (i + 7 > s.size() || (s[i + 1] != 'x' && s[i + 1] != 'X') || s[i + 6] != '_') return false;
  for (size_t k = i + 2; k < i + 6; ++k)
    if (!std::isxdigit(static_cast<unsigned char>(s[k]))) return false;
  return true;
}

// Text as XML character data: markup escaped, control characters as the
// file's _xHHHH_ escapes (a literal "_xHHHH_" too), invalid UTF-8 bytes as U+FFFD.
void AppendXmlText(std::string& out, const std::string& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      static const char* hex = "0123456789ABCDEF";
      out += "_x00";
      out += hex[c >> 4];
      out += hex[c & 15];
      out += '_';
    } else if (c == '_' && LooksEscaped(s, i)) {
      out += "_x005F_";
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      // Copy one well-formed UTF-8 sequence, or replace the byte.
      const int len = (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
      bool ok = len > 0 && i + len <= s.size();
      uint32_t cp = len == 2 ? c & 0x1f : len == 3 ? c & 0x0f : c & 0x07;
      for (int k = 1; ok && k < len; ++k) {
        const auto n = static_cast<unsigned char>(s[i + k]);
        ok = (n >> 6) == 2;
        cp = cp << 6 | (n & 0x3f);
      }
      static constexpr uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
      if (ok && (cp < kMin[len] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff) ||
                 cp == 0xfffe || cp == 0xffff))
        ok = false;
      if (ok) {
        out.append(s, i, static_cast<size_t>(len));
        i += static_cast<size_t>(len) - 1;
      } else {
        out += "\xEF\xBF\xBD";
      }
    }
  }
}

void AppendCellRef(std::string& out, int32_t row, int32_t col) {
  char letters[4];
  int n = 0;
  for (int32_t c = col; c > 0; c = (c - 1) / 26)
    letters[n++] = static_cast<char>('A' + (c - 1) % 26);
  while (n > 0) out += letters[--n];
  AppendInt(out, row);
}

std::string SheetXml(const TXlsxWorksheet& sheet, const std::vector<int32_t>& styleOf,
                     int32_t timeStyle) {
  const auto& rows = sheet.Rows();
  std::string x;
  x.reserve(sheet.CellCount() * 40 + 512);
  x += kXmlHead;
  x += "<worksheet xmlns=\"";
  x += kMainNs;
  x += "\" xmlns:r=\"";
  x += kRelNs;
  x += "\"><dimension ref=\"";
  int32_t minCol = INT32_MAX, maxCol = 0;
  for (const auto& [r, cells] : rows)
    if (!cells.empty()) {
      minCol = std::min(minCol, cells.front().Col);
      maxCol = std::max(maxCol, cells.back().Col);
    }
  if (maxCol == 0) {
    x += "A1";
  } else {
    AppendCellRef(x, rows.begin()->first, minCol);
    x += ':';
    AppendCellRef(x, rows.rbegin()->first, maxCol);
  }
  x += "\"/><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews><sheetData>";
  for (const auto& [row, cells] : rows) {
    if (cells.empty()) continue;
    x += "<row r=\"";
    AppendInt(x, row);
    x += "\">";
    for (const TXlsxWorksheet::TCell& cell : cells) {
      const int32_t col = cell.Col;
      int32_t style = cell.Format ? styleOf[static_cast<size_t>(cell.Format)] : 0;
      if (cell.Kind == TXlsxWorksheet::TKind::DateTime && cell.Format == 0) style = timeStyle;
      x += "<c r=\"";
      AppendCellRef(x, row, col);
      x += '"';
      if (style) {
        x += " s=\"";
        AppendInt(x, style);
        x += '"';
      }
      switch (cell.Kind) {
        case TXlsxWorksheet::TKind::Empty:
          x += "/>";
          break;
        case TXlsxWorksheet::TKind::Text: {
          const std::string& text = sheet.Texts()[cell.Text];
          const bool keepBlanks =
              !text.empty() && (std::isspace(static_cast<unsigned char>(text.front())) ||
                                std::isspace(static_cast<unsigned char>(text.back())));
          x += keepBlanks ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">"
                          : " t=\"inlineStr\"><is><t>";
          AppendXmlText(x, text);
          x += "</t></is></c>";
          break;
        }
        case TXlsxWorksheet::TKind::Number:
        case TXlsxWorksheet::TKind::DateTime:
          if (std::isfinite(cell.Number)) {
            x += "><v>";
            char buf[32];
            x.append(buf, std::to_chars(buf, buf + sizeof buf, cell.Number).ptr);
            x += "</v></c>";
          } else {
            x += " t=\"e\"><v>#NUM!</v></c>";  // the file has no infinity or NaN
          }
          break;
      }
    }
    x += "</row>";
  }
  x += "</sheetData></worksheet>";
  return x;
}

std::string SheetPartName(size_t index) {
  return "xl/worksheets/sheet" + std::to_string(index) + ".xml";
}

bool NeedsTimeStyle(const TXlsxWorksheet& sheet) {
  for (const auto& [r, cells] : sheet.Rows())
    for (const auto& cell : cells)
      if (cell.Kind == TXlsxWorksheet::TKind::DateTime && cell.Format == 0) return true;
  return false;
}

// Styles: 0 the default, then one per distinct number format in the file's
// notation; a date-time cell without a format of its own gets the time format.
struct TStyles {
  std::vector<std::string> codes;
  std::vector<int32_t> styleOf;  // by format index
  int32_t timeStyle = 0;
};

TStyles MakeStyles(const std::vector<std::string>& formats, bool needTime) {
  TStyles st;
  std::map<std::string, int32_t> styleOfCode;
  auto styleFor = [&](const std::string& code) {
    const auto [it, added] =
        styleOfCode.try_emplace(code, static_cast<int32_t>(st.codes.size()) + 1);
    if (added) st.codes.push_back(code);
    return it->second;
  };
  st.styleOf.assign(formats.size() + 1, 0);
  for (size_t i = 0; i < formats.size(); ++i)
    st.styleOf[i + 1] = styleFor(XlsxFormatFromGerman(formats[i]));
  if (needTime) st.timeStyle = styleFor(kDefaultTimeFormat);
  return st;
}

// The folder of the workbook's temporary files: $TMPDIR, else /tmp.
std::string TempFolder() {
  const char* dir = std::getenv("TMPDIR");
  return dir && *dir ? dir : "/tmp";
}

[[noreturn]] void FailInTempFolder(const std::string& doing, const std::string& folder, int code) {
  throw TXLFileError(
      "Cannot " + doing + " in the temporary folder " + folder + ": " + std::strerror(code), folder,
      code, true);
}

// A file in folder that has no name: it goes with the process.
std::FILE* AnonymousTempFile(const std::string& folder) {
  std::string path = folder + "/vqrxlsx-XXXXXX";
  const int fd = mkostemp(path.data(), O_CLOEXEC);
  if (fd < 0) FailInTempFolder("create a temporary file for the workbook", folder, errno);
  unlink(path.c_str());
  std::FILE* file = fdopen(fd, "w+b");
  if (!file) {
    const int code = errno;
    ::close(fd);
    FailInTempFolder("create a temporary file for the workbook", folder, code);
  }
  return file;
}
}  // namespace

// Sheet parts written ahead: their local entries lie in a temporary file, in
// sheet order, offsets counted from its start.
struct TXlsxWriter::TSpool {
  ~TSpool() {
    if (file) std::fclose(file);
  }
  std::FILE* file = nullptr;
  std::string folder;
  uint64_t size = 0;
  std::vector<TZipEntry> entries;
  std::vector<int32_t> timeStyles;  // each sheet's time style, 0 for none
};

TXlsxWriter::TXlsxWriter(const TXlsxWorkbook& book) : book_(book) {}
TXlsxWriter::~TXlsxWriter() = default;

int32_t TXlsxWriter::SheetsWrittenAhead() const {
  return spool_ ? static_cast<int32_t>(spool_->entries.size()) : 0;
}

void TXlsxWriter::WriteAhead(int32_t index) {
  if (index != SheetsWrittenAhead() + 1) throw TXLError("Sheets are written ahead in order");
  const TXlsxWorksheet& sheet = book_.Sheet(index);
  if (!spool_) {
    auto spool = std::make_unique<TSpool>();
    spool->folder = TempFolder();
    spool->file = AnonymousTempFile(spool->folder);
    spool_ = std::move(spool);
  }
  const TStyles st = MakeStyles(book_.Formats(), NeedsTimeStyle(sheet));
  std::string out;
  TZipEntry e = PackEntry(SheetPartName(static_cast<size_t>(index)),
                          SheetXml(sheet, st.styleOf, st.timeStyle), spool_->size, out);
  errno = 0;
  if (std::fwrite(out.data(), 1, out.size(), spool_->file) != out.size() ||
      std::fflush(spool_->file) != 0)
    FailInTempFolder("write the workbook's temporary file", spool_->folder, errno ? errno : EIO);
  spool_->size += out.size();
  spool_->entries.push_back(std::move(e));
  spool_->timeStyles.push_back(st.timeStyle);
}

std::string TXlsxWriter::Bytes() const {
  std::string bytes;
  Write([&](const char* data, size_t size) { bytes.append(data, size); });
  return bytes;
}

void TXlsxWriter::Write(const std::function<void(const char*, size_t)>& sink) const {
  const size_t spooled = static_cast<size_t>(SheetsWrittenAhead());
  const auto sheets = static_cast<size_t>(book_.SheetCount());
  auto sheet = [&](size_t i) -> const TXlsxWorksheet& {
    return book_.Sheet(static_cast<int32_t>(i));
  };
  // The parts written ahead stand for the sheets whose cells the workbook dropped.
  if (book_.WrittenSheets() != static_cast<int32_t>(spooled))
    throw TXLError("The workbook's sheets written ahead are not this writer's");
  bool needTime = false;
  for (size_t i = 0; i < sheets && !needTime; ++i)
    needTime = i < spooled ? spool_->timeStyles[i] != 0 : NeedsTimeStyle(sheet(i + 1));
  const TStyles st = MakeStyles(book_.Formats(), needTime);
  const std::vector<std::string>& codes = st.codes;
  for (size_t i = 0; i < spooled; ++i)
    if (spool_->timeStyles[i] != 0 && spool_->timeStyles[i] != st.timeStyle)
      throw TXLError("A number format was added after sheet " + std::to_string(i + 1) +
                     " had been written");

  std::vector<TZipEntry> entries;
  uint64_t at = 0;  // bytes handed to sink
  std::string out;
  auto add = [&](const std::string& name, const std::string& data) {
    entries.push_back(PackEntry(name, data, at, out));
    sink(out.data(), out.size());
    at += out.size();
    out.clear();
  };
  std::string x = kXmlHead;
  x +=
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" "
      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
      "<Override PartName=\"/xl/styles.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>";
  for (size_t i = 1; i <= sheets; ++i) {
    x += "<Override PartName=\"/xl/worksheets/sheet";
    AppendInt(x, static_cast<int64_t>(i));
    x += ".xml\" ContentType=\"application/"
         "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
  }
  x += "</Types>";
  add("[Content_Types].xml", x);

  x = kXmlHead;
  x += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Type=\"";
  x += kRelNs;
  x += "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
  add("_rels/.rels", x);

  x = kXmlHead;
  x += "<workbook xmlns=\"";
  x += kMainNs;
  x += "\" xmlns:r=\"";
  x += kRelNs;
  x += "\"><bookViews><workbookView/></bookViews><sheets>";
  for (size_t i = 1; i <= sheets; ++i) {
    x += "<sheet name=\"";
    AppendXmlText(x, sheet(i).SheetName());
    x += "\" sheetId=\"";
    AppendInt(x, static_cast<int64_t>(i));
    x += "\" r:id=\"rId";
    AppendInt(x, static_cast<int64_t>(i));
    x += "\"/>";
  }
  x += "</sheets></workbook>";
  add("xl/workbook.xml", x);

  x = kXmlHead;
  x += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  for (size_t i = 1; i <= sheets + 1; ++i) {
    const bool styles = i > sheets;
    x += "<Relationship Id=\"rId";
    AppendInt(x, static_cast<int64_t>(i));
    x += "\" Type=\"";
    x += kRelNs;
    if (styles) {
      x += "/styles\" Target=\"styles.xml\"/>";
    } else {
      x += "/worksheet\" Target=\"worksheets/sheet";
      AppendInt(x, static_cast<int64_t>(i));
      x += ".xml\"/>";
    }
  }
  x += "</Relationships>";
  add("xl/_rels/workbook.xml.rels", x);

  x = kXmlHead;
  x += "<styleSheet xmlns=\"";
  x += kMainNs;
  x += "\">";
  if (!codes.empty()) {
    x += "<numFmts count=\"";
    AppendInt(x, static_cast<int64_t>(codes.size()));
    x += "\">";
    for (size_t i = 0; i < codes.size(); ++i) {
      x += "<numFmt numFmtId=\"";
      AppendInt(x, 164 + static_cast<int64_t>(i));
      x += "\" formatCode=\"";
      AppendXmlText(x, codes[i]);
      x += "\"/>";
    }
    x += "</numFmts>";
  }
  x += "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
       "</fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill>"
       "<patternFill patternType=\"gray125\"/></fill></fills><borders count=\"1\"><border><left/>"
       "<right/><top/><bottom/><diagonal/></border></borders><cellStyleXfs count=\"1\"><xf "
       "numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs><cellXfs count=\"";
  AppendInt(x, static_cast<int64_t>(codes.size()) + 1);
  x += "\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>";
  for (size_t i = 0; i < codes.size(); ++i) {
    x += "<xf numFmtId=\"";
    AppendInt(x, 164 + static_cast<int64_t>(i));
    x += "\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>";
  }
  x += "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
       "</cellStyles></styleSheet>";
  add("xl/styles.xml", x);

  if (spooled > 0) {
    // The parts written ahead, as they lie in the temporary file.
    if (at + spool_->size > 0xffffffffu)
      throw TXLError("The workbook is too large for an .xlsx file");
    std::string chunk(1 << 20, '\0');
    uint64_t done = 0;
    while (done < spool_->size) {
      const size_t n = static_cast<size_t>(std::min<uint64_t>(chunk.size(), spool_->size - done));
      const ssize_t got = pread(fileno(spool_->file), chunk.data(), n, static_cast<off_t>(done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0)
        FailInTempFolder("read the workbook's temporary file", spool_->folder,
                         got < 0 ? errno : EIO);
      sink(chunk.data(), static_cast<size_t>(got));
      done += static_cast<uint64_t>(got);
    }
    for (TZipEntry e : spool_->entries) {
      e.offset += static_cast<uint32_t>(at);
      entries.push_back(std::move(e));
    }
    at += spool_->size;
  }
  for (size_t i = spooled + 1; i <= sheets; ++i)
    add(SheetPartName(i), SheetXml(sheet(i), st.styleOf, st.timeStyle));
  const std::string central = CentralDirectory(entries, at);
  sink(central.data(), central.size());
}
