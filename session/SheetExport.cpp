// The spreadsheet export's writing part: header and sample rows into one
// worksheet, shared by the export dialog and vqrtool.

#include <algorithm>
#include <vector>

#include "data/processgauge.h"
#include "data/vqrtypes.h"
#include "export/XLLayout.h"
#include "export/xlauto.h"
#include "session/Session.h"

namespace {
constexpr int kColumns = 18;  // time, channels 1..16, temperature
}

int TVQRSession::ExportSheet(IXLWorksheet& sheet, const TXLLayout& layout,
                             const std::function<bool()>& goOn, int blockRows) {
  blockRows = std::clamp(blockRows, 1, kMaxSamples);
  const int count = data_->GetSampleCount();
  // The whole target must fit into the sheet before the first cell is written.
  int samples = 0;
  while (samples < kMaxSamples && data_->GetTime(samples + 1) != 0) ++samples;
  if (layout.WriteHeader) sheet.CheckArea(layout.HeaderRow, layout.DataCol, 1, kColumns);
  if (samples > 0) sheet.CheckArea(layout.DataRow, layout.DataCol, samples, kColumns);
  if (gauge_) gauge_->Start(count, "");
  if (layout.WriteHeader) {
    sheet.SetText(layout.HeaderRow, layout.DataCol, "Zeit");
    for (int ch = 1; ch <= 16; ++ch)
      sheet.SetText(layout.HeaderRow, layout.DataCol + ch, "Kanal " + std::to_string(ch));
    sheet.SetText(layout.HeaderRow, layout.DataCol + 17, "Temperatur");
  }
  const std::vector<bool> dateTime = [] {
    std::vector<bool> v(kColumns, false);
    v[0] = true;
    return v;
  }();
  std::vector<double> block;
  block.reserve(static_cast<size_t>(blockRows) * kColumns);
  int written = 0;
  bool more = true;
  while (more) {
    // Collect up to blockRows samples, stopping at the first empty one.
    block.clear();
    int rows = 0;
    while (rows < blockRows) {
      const int sample = written + rows + 1;
      const double t = data_->GetTime(sample) / 86400.0;
      if (t == 0) {
        more = false;
        break;
      }
      block.push_back(t);
      for (int ch = 1; ch <= 17; ++ch) block.push_back(data_->GetValue(sample, ch));
      ++rows;
    }
    if (rows > 0) {
      const int32_t row = layout.DataRow + written;
      if (blockRows == 1) {
        sheet.SetDateTime(row, layout.DataCol, block[0]);
        if (layout.Reformat) sheet.SetNumberFormat(row, layout.DataCol, layout.TimeFormat);
        for (int ch = 1; ch <= 17; ++ch) {
          sheet.SetDouble(row, layout.DataCol + ch, block[ch]);
          if (layout.Reformat)
            sheet.SetNumberFormat(row, layout.DataCol + ch,
                                  ch == 17 ? layout.TempFormat : layout.ChannelFormat);
        }
      } else {
        sheet.SetValues(row, layout.DataCol, rows, kColumns, block.data(), dateTime);
        if (layout.Reformat) {
          sheet.SetNumberFormats(row, layout.DataCol, rows, 1, layout.TimeFormat);
          sheet.SetNumberFormats(row, layout.DataCol + 1, rows, 16, layout.ChannelFormat);
          sheet.SetNumberFormats(row, layout.DataCol + 17, rows, 1, layout.TempFormat);
        }
      }
      written += rows;
    }
    // The gauge stands on the last sample looked at: after an empty one, on it.
    if (gauge_) gauge_->SetPosition(more ? written : std::min(written + 1, count));
    if (goOn && !goOn()) break;
  }
  return written;
}
