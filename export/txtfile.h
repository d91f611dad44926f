#pragma once
// Line-by-line text output through a 64 KiB buffer, lines ended by CR LF.
// The file is written beside its target and takes its place only at a
// successful Close, so a failed write never destroys an older file.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/atomicfile.h"

class TTextFile {
 public:
  static constexpr size_t kBufferSize = 64 * 1024;
  static constexpr size_t kBreakLength = 250;

  TTextFile() = default;
  virtual ~TTextFile();
  TTextFile(const TTextFile&) = delete;
  TTextFile& operator=(const TTextFile&) = delete;

  /// Sets the file name, empties line and buffer; nothing is written until Rewrite.
  void Init(const std::string& name);
  /// Starts the new file beside the target; true if it is open afterwards.
  bool Rewrite();
  /// Moves the line (with CR LF unless noLineEnd) into the buffer.
  bool WriteLine(bool noLineEnd);
  /// Appends text to the line, writing a line each time it reaches 250 characters.
  bool WriteText(std::string_view text);
  /// WriteText, then WriteLine with a line end.
  bool WriteLn(std::string_view text);
  bool Flush();
  /// Flushes and puts the file in place. False when any write since Rewrite
  /// failed or the file could not be flushed or renamed: the new file is then
  /// removed and an older file of that name is kept. With `later`, a file
  /// written completely is handed over there instead, still to be committed.
  bool Close(TAtomicFile* later = nullptr);

  bool IsOpen() const { return file_.IsOpen(); }
  /// True once any write since Rewrite lost bytes.
  bool WriteFailed() const { return writeFailed_; }
  const std::string& FileName() const { return fileName_; }
  /// The system's reason for the last failure ("cannot write ...: No space left on device").
  const std::string& ErrorText() const { return file_.Error(); }
  /// The errno of the first failure since Rewrite (0 while nothing failed):
  /// ENOENT for an empty name, ENAMETOOLONG for one too long to try.
  int ErrorNumber() const { return nameError_ != 0 ? nameError_ : file_.ErrorNumber(); }

 private:
  std::string fileName_;
  TAtomicFile file_;
  size_t lastLineLength_ = 0;
  bool readOnly_ = true;
  bool writeFailed_ = false;
  int nameError_ = 0;
  std::array<char, kBufferSize> buffer_{};
  std::string line_;
  size_t buffered_ = 0;
};
