#include "data/DatWriter.h"

#include <bit>
#include <cstdio>

namespace {
void PutI16(TDatRecord& r, int pos, int16_t v) {
  const auto u = static_cast<uint16_t>(v);
  r[pos] = static_cast<uint8_t>(u & 0xFF);
  r[pos + 1] = static_cast<uint8_t>(u >> 8);
}

void PutF32(TDatRecord& r, int pos, float v) {
  const auto u = std::bit_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) r[pos + i] = static_cast<uint8_t>(u >> (8 * i));
}
}  // namespace

TDatRecord MakeStartRecord(uint8_t marker) {
  TDatRecord r{};
  r[0] = marker;
  return r;
}

TDatRecord MakeParamRecord(const TDatParams& p) {
  TDatRecord r{};
  r[0] = 10;
  for (int i = 0; i < 6; ++i) PutI16(r, 5 + 2 * i, p.Param[i]);
  PutI16(r, 17, p.ProNumber);
  PutI16(r, 19, p.HeatTemp);
  PutF32(r, 29, p.RefValue1);
  PutF32(r, 33, p.RefValue2);
  return r;
}

TDatRecord MakeRefRecord(int point, const std::array<int16_t, 16>& raw) {
  TDatRecord r{};
  r[0] = point == 1 ? 21 : 22;
  for (int i = 0; i < 16; ++i) PutI16(r, 5 + 2 * i, raw[i]);
  return r;
}

TDatRecord MakeDataRecord(int32_t seconds, const std::array<int16_t, 17>& raw, uint8_t marker) {
  TDatRecord r{};
  r[0] = marker;
  r[1] = static_cast<uint8_t>(seconds / 86400);
  r[2] = static_cast<uint8_t>(seconds / 3600 % 24);
  r[3] = static_cast<uint8_t>(seconds / 60 % 60);
  r[4] = static_cast<uint8_t>(seconds % 60);
  for (int i = 0; i < 17; ++i) PutI16(r, 5 + 2 * i, raw[i]);
  return r;
}

bool TDatWriter::Save(const std::string& path) const {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes_.data(), 1, bytes_.size(), f) == bytes_.size();
  return std::fclose(f) == 0 && ok;
}
