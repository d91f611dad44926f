#pragma once
// The ASCII export file: lines of right-aligned fields with a separator.

#include <functional>
#include <string>

#include "export/txtfile.h"

class TVQRAsciiFile : public TTextFile {
 public:
  using StatusHandler = std::function<void(const std::string&)>;

  /// Receives "Error opening export!" when Open fails (the main window's status line).
  void SetStatusHandler(StatusHandler handler) { status_ = std::move(handler); }

  /// Creates or truncates the export file.
  bool Open(const std::string& name);
  void SetSeparator(char separator) { separator_ = separator; }
  void WriteInt(int width, int64_t value);
  void WriteFloat(int width, int decimals, double value);
  /// Writes the field line; false when not open or when the write failed.
  bool EndLine();
  /// Writes the closing lines and closes; false when anything written since
  /// Open was lost or the file could not be closed cleanly. `later` as in Close.
  bool CloseExport(TAtomicFile* later = nullptr);

  bool IsOpened() const { return opened_; }
  const std::string& FieldLine() const { return fieldLine_; }

 private:
  void BeginField();

  bool opened_ = false;
  std::string fieldLine_;
  char separator_ = 0;
  StatusHandler status_;
};
