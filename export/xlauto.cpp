#include "export/xlauto.h"

void IXLWorksheet::SetValues(int32_t row, int32_t col, int32_t rows, int32_t cols,
                             const double* values, const std::vector<bool>& dateTime) {
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < cols; ++c) {
      double v = values[static_cast<size_t>(r) * cols + c];
      if (static_cast<size_t>(c) < dateTime.size() && dateTime[c])
        SetDateTime(row + r, col + c, v);
      else
        SetDouble(row + r, col + c, v);
    }
}

void IXLWorksheet::SetNumberFormats(int32_t row, int32_t col, int32_t rows, int32_t cols,
                                    const std::string& format) {
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < cols; ++c) SetNumberFormat(row + r, col + c, format);
}

void IXLWorksheet::CheckArea(int32_t, int32_t, int32_t, int32_t) {}
