#pragma once
// A further recording of the session's comparison, with its own store,
// metadata, reader and processing object.

#include <ctime>
#include <string>

#include "session/Session.h"

struct TVQRSession::TCompared {
  TVQRDataObject Store;
  TVQRMetaData Meta;
  TVQRLogFile Reader;
  TVqrDataObjectNew Data;
  std::string Name;
  std::time_t Start = 0;
};
