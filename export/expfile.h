#pragma once
// The ASCII export file: lines of right-aligned fields with a separator.

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/fieldtext.h"
#include "export/txtfile.h"

class TVQRAsciiFile : public TTextFile {
 public:
  using StatusHandler = std::function<void(const std::string&)>;

  /// Receives "Error opening export!" when Open fails (the main window's status line).
  void SetStatusHandler(StatusHandler handler) { status_ = std::move(handler); }

  /// Creates or truncates the export file.
  bool Open(const std::string& name);
  void SetSeparator(char separator) { separator_ = separator; }
  void WriteInt(int width, int64_t value) {
    char* end = PutPaddedInt(BeginField(width), value, width);
    fieldLength_ = static_cast<size_t>(end - fieldLine_.data());
  }
  void WriteFloat(int width, int decimals, double value) {
    char* end = PutPaddedFixed(BeginField(width), value, decimals, width);
    fieldLength_ = static_cast<size_t>(end - fieldLine_.data());
  }
  /// Writes the field line; false when not open or when the write failed.
  bool EndLine();
  /// Writes the closing lines and closes; false when anything written since
  /// Open was lost or the file could not be closed cleanly. `later` as in Close.
  bool CloseExport(TAtomicFile* later = nullptr);

  bool IsOpened() const { return opened_; }
  std::string_view FieldLine() const { return {fieldLine_.data(), fieldLength_}; }

 private:
  /// Where the next field goes, after the separator, with room for it.
  char* BeginField(int width) {
    const size_t need =
        fieldLength_ + 1 + static_cast<size_t>(std::max(width, 0)) + fieldtext::kPutRoom;
    if (fieldLine_.size() < need) Grow(need);
    char* p = fieldLine_.data() + fieldLength_;
    if (separator_ != 0 && fieldLength_ > 0) *p++ = separator_;
    return p;
  }
  void Grow(size_t need);

  bool opened_ = false;
  // The fields of the line so far; the characters after them are room.
  std::vector<char> fieldLine_;
  size_t fieldLength_ = 0;
  char separator_ = 0;
  StatusHandler status_;
};
