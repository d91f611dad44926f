#pragma once
// Line-by-line text output through a 4096-byte buffer, lines ended by CR LF.

#include <array>
#include <cstdint>
#include <string>

class TTextFile {
 public:
  static constexpr size_t kBufferSize = 4096;
  static constexpr size_t kBreakLength = 250;

  TTextFile() = default;
  virtual ~TTextFile();
  TTextFile(const TTextFile&) = delete;
  TTextFile& operator=(const TTextFile&) = delete;

  /// Sets the file name, empties line and buffer; nothing is written until Rewrite.
  void Init(const std::string& name);
  /// Creates or truncates the file; true if it is open afterwards.
  bool Rewrite();
  /// Moves the line (with CR LF unless noLineEnd) into the buffer.
  bool WriteLine(bool noLineEnd);
  /// Appends text to the line, writing a line each time it reaches 250 characters.
  bool WriteText(const std::string& text);
  /// WriteText, then WriteLine with a line end.
  bool WriteLn(const std::string& text);
  bool Flush();
  /// Flushes and closes. False when any write since Rewrite failed or the
  /// system reported a failure on closing: the file is then incomplete.
  bool Close();

  bool IsOpen() const { return handle_ >= 0; }
  /// True once any write since Rewrite lost bytes.
  bool WriteFailed() const { return writeFailed_; }
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
  int handle_ = -1;
  int lastResult_ = 0;
  size_t lastLineLength_ = 0;
  bool readOnly_ = true;
  bool writeFailed_ = false;
  std::array<char, kBufferSize> buffer_{};
  std::string line_;
  size_t buffered_ = 0;
};
