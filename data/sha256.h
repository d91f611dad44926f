#pragma once
// SHA-256 of a byte string: a saved evaluation notes it for its recordings,
// so that a recording changed since is recognised when the evaluation opens.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TSha256 {
 public:
  TSha256();
  void Add(const void* data, size_t size);
  void Add(std::string_view bytes) { Add(bytes.data(), bytes.size()); }
  /// The digest; the object is spent afterwards.
  std::array<uint8_t, 32> Finish();

 private:
  void Block(const uint8_t* p);

  std::array<uint32_t, 8> h_;
  std::array<uint8_t, 64> buffer_{};
  size_t used_ = 0;
  uint64_t length_ = 0;  // bytes added
};

/// The digest of bytes as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);
