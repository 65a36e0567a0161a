#pragma once
// Writes the primitives of the binary parameter archive (see ArchiveReader) into memory; the
// caller saves the finished bytes in one piece, so a failed save never leaves half a file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zavo {

class ArchiveWriter {
 public:
  void writeInt32(std::int32_t value);
  void writeInt32s(const std::int32_t* values, std::size_t count);
  void writeString(std::string_view text);

  const std::string& bytes() const { return bytes_; }

 private:
  void writeUint16(std::uint16_t value);
  void writeUint32(std::uint32_t value);

  std::string bytes_;
};

}  // namespace zavo
