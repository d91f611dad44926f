// The .xlsx file of a workbook: the SpreadsheetML parts in a zip container.
// Texts are inline strings; numbers the shortest text that reads back as the
// same double (std::to_chars, never the locale).

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>

#include "export/xlsx/XlsxApp.h"

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

class TZipWriter {
 public:
  void Add(const std::string& name, const std::string& data) {
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
    const uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    if (out_.size() + packed.size() > 0xffffffffu)
      throw TXLError("The workbook is too large for an .xlsx file");

    const uint32_t offset = static_cast<uint32_t>(out_.size());
    auto header = [&](std::string& to, bool central) {
      Put32(to, central ? 0x02014b50 : 0x04034b50);
      if (central) Put16(to, 20);  // made by
      Put16(to, 20);               // needed: deflate
      Put16(to, 0);                // flags
      Put16(to, 8);                // deflated
      Put16(to, 0);                // 00:00:00
      Put16(to, 0x21);             // 1980-01-01: the same bytes for the same workbook
      Put32(to, crc);
      Put32(to, static_cast<uint32_t>(packed.size()));
      Put32(to, static_cast<uint32_t>(data.size()));
      Put16(to, static_cast<uint32_t>(name.size()));
      Put16(to, 0);  // extra field
      if (central) {
        Put16(to, 0);  // comment
        Put16(to, 0);  // disk
        Put16(to, 0);  // internal attributes
        Put32(to, 0);  // external attributes
        Put32(to, offset);
      }
      to += name;
    };
    header(out_, false);
    out_ += packed;
    header(central_, true);
    ++count_;
  }

  std::string Finish() {
    const uint32_t start = static_cast<uint32_t>(out_.size());
    out_ += central_;
    Put32(out_, 0x06054b50);
    Put16(out_, 0);
    Put16(out_, 0);
    Put16(out_, count_);
    Put16(out_, count_);
    Put32(out_, static_cast<uint32_t>(central_.size()));
    Put32(out_, start);
    Put16(out_, 0);
    return std::move(out_);
  }

 private:
  std::string out_, central_;
  uint32_t count_ = 0;
};

// ---- XML ----

// Text as XML character data: markup escaped, control characters as the
// file's _xHHHH_ escapes (a literal "_x" too), invalid UTF-8 bytes as U+FFFD.
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
    } else if (c == '_' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
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

void AppendInt(std::string& out, int64_t v) {
  char buf[24];
  out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
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
}  // namespace

std::string TXlsxWorkbook::FileBytes() const {
  // Styles: 0 the default, then one per distinct number format in the file's
  // notation; a date-time cell without a format of its own gets the time format.
  std::map<std::string, int32_t> styleOfCode;
  std::vector<std::string> codes;
  auto styleFor = [&](const std::string& code) {
    const auto [it, added] = styleOfCode.try_emplace(code, static_cast<int32_t>(codes.size()) + 1);
    if (added) codes.push_back(code);
    return it->second;
  };
  std::vector<int32_t> styleOf(formats_.size() + 1, 0);
  for (size_t i = 0; i < formats_.size(); ++i)
    styleOf[i + 1] = styleFor(XlsxFormatFromGerman(formats_[i]));
  int32_t timeStyle = 0;
  for (const auto& s : sheets_)
    for (const auto& [r, cells] : s->Rows())
      for (const auto& cell : cells)
        if (cell.Kind == TXlsxWorksheet::TKind::DateTime && cell.Format == 0 && !timeStyle)
          timeStyle = styleFor(kDefaultTimeFormat);

  TZipWriter zip;
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
  for (size_t i = 1; i <= sheets_.size(); ++i) {
    x += "<Override PartName=\"/xl/worksheets/sheet";
    AppendInt(x, static_cast<int64_t>(i));
    x += ".xml\" ContentType=\"application/"
         "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
  }
  x += "</Types>";
  zip.Add("[Content_Types].xml", x);

  x = kXmlHead;
  x += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Type=\"";
  x += kRelNs;
  x += "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
  zip.Add("_rels/.rels", x);

  x = kXmlHead;
  x += "<workbook xmlns=\"";
  x += kMainNs;
  x += "\" xmlns:r=\"";
  x += kRelNs;
  x += "\"><bookViews><workbookView/></bookViews><sheets>";
  for (size_t i = 1; i <= sheets_.size(); ++i) {
    x += "<sheet name=\"";
    AppendXmlText(x, sheets_[i - 1]->SheetName());
    x += "\" sheetId=\"";
    AppendInt(x, static_cast<int64_t>(i));
    x += "\" r:id=\"rId";
    AppendInt(x, static_cast<int64_t>(i));
    x += "\"/>";
  }
  x += "</sheets></workbook>";
  zip.Add("xl/workbook.xml", x);

  x = kXmlHead;
  x += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  for (size_t i = 1; i <= sheets_.size() + 1; ++i) {
    const bool styles = i > sheets_.size();
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
  zip.Add("xl/_rels/workbook.xml.rels", x);

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
  zip.Add("xl/styles.xml", x);

  for (size_t i = 1; i <= sheets_.size(); ++i)
    zip.Add("xl/worksheets/sheet" + std::to_string(i) + ".xml",
            SheetXml(*sheets_[i - 1], styleOf, timeStyle));
  return zip.Finish();
}
