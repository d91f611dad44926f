#pragma once
// Reader of raw data files: delivers the file's fixed 39-byte records.

#include <cstdint>
#include <string>
#include <vector>

class TVQRLogFile {
 public:
  TVQRLogFile() = default;
  ~TVQRLogFile();
  TVQRLogFile(const TVQRLogFile&) = delete;
  TVQRLogFile& operator=(const TVQRLogFile&) = delete;

  /// Stores the name and sets the record length to 39.
  void SetFileName(const std::string& name);
  /// Opens the file for reading (others may keep writing it); false for a
  /// missing, unreadable or non-regular file (a directory).
  bool Open();
  /// Serves the records of a byte buffer instead of a file (fuzzing, tests).
  bool OpenBuffer(const uint8_t* data, size_t size);
  /// Reads the next record; true only if all of its bytes arrived.
  bool ReadRecord(uint8_t* buffer);
  /// From now on appends every record read in full to *sink as well (null:
  /// none), so that the same records can be decoded again from memory.
  void KeepRecords(std::vector<uint8_t>* sink) { keep_ = sink; }
  int32_t GetSize() const { return size_; }
  int32_t GetPosition() const { return position_; }
  bool Close();

  bool IsOpen() const { return open_; }
  const std::string& FileName() const { return fileName_; }
  int OpenError() const { return openError_; }

 private:
  bool Fill();

  std::string fileName_;
  int handle_ = -1;
  bool open_ = false;
  int openError_ = 0;
  int lastResult_ = 0;
  int32_t position_ = 0;
  int32_t size_ = 0;
  int recordLength_ = 39;
  bool fromBuffer_ = false;
  bool endOfFile_ = false;
  // Bytes read ahead from the file: one read covers a whole recording.
  std::vector<uint8_t> data_;
  size_t dataPos_ = 0;
  std::vector<uint8_t>* keep_ = nullptr;
};
