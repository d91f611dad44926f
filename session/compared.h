#pragma once
// A further recording of the session's comparison, with its own store,
// metadata, reader and processing object.

#include <ctime>
#include <string>
#include <vector>

#include "session/Session.h"

struct TVQRSession::TCompared {
  TVQRDataObject Store;
  TVQRMetaData Meta;
  TVQRLogFile Reader;
  TVqrDataObjectNew Data;
  std::string Name;
  std::string Path;
  std::vector<int> Smoothing;
  std::time_t Start = 0;
};
