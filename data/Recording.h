#pragma once
// One recording with everything that reads it: the File/Open sequence
// without a window, shared by vqrtool, the batch export and the program.

#include <memory>
#include <string>

#include "data/MetaData.h"
#include "data/vqrdat.h"
#include "data/vqrfileo.h"
#include "data/vqrlogfile.h"

enum class TLoadStatus : int {
  Ok = 0,          // the header was accepted and the samples decoded
  NotDecoded = 1,  // the file opened, but ReadData rejected it
  OpenFailed = 2,  // the file could not be opened
};

class TVQRRecording {
 public:
  /// Creates the objects; the axis scaling starts from its defaults.
  TVQRRecording();

  /// Clears store and metadata, links, opens, reads and closes. With a gauge
  /// linked it is started with the file size ("Lesen:") and completed; the
  /// caller finishes it.
  TLoadStatus Load(const std::string& path);
  /// The same from bytes in memory.
  TLoadStatus LoadBuffer(const uint8_t* data, size_t size);

  TVQRDataObject& Store() { return *store_; }
  TVQRMetaData& Meta() { return *meta_; }
  TVQRLogFile& Reader() { return *reader_; }
  TVqrDataObjectNew& Data() { return *data_; }

 private:
  TLoadStatus ReadOpened();

  std::unique_ptr<TVQRDataObject> store_;
  std::unique_ptr<TVQRMetaData> meta_;
  std::unique_ptr<TVQRLogFile> reader_;
  std::unique_ptr<TVqrDataObjectNew> data_;
};
