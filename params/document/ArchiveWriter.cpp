#include "params/document/ArchiveWriter.h"

#include "params/document/ArchiveFormat.h"

namespace zavo {

void ArchiveWriter::writeUint16(std::uint16_t value) {
  bytes_.push_back(static_cast<char>(value & 0xFF));
  bytes_.push_back(static_cast<char>(value >> 8));
}

void ArchiveWriter::writeUint32(std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

void ArchiveWriter::writeInt32(std::int32_t value) { writeUint32(static_cast<std::uint32_t>(value)); }

void ArchiveWriter::writeInt32s(const std::int32_t* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) writeInt32(values[i]);
}

void ArchiveWriter::writeString(std::string_view text) {
  const std::size_t n = text.size();
  if (n < kArchiveLengthEscape8) {
    bytes_.push_back(static_cast<char>(n));
  } else if (n < kArchiveWideMarker16) {
    bytes_.push_back(static_cast<char>(kArchiveLengthEscape8));
    writeUint16(static_cast<std::uint16_t>(n));
  } else {
    // Longer than 32 bits cannot occur: our strings are version texts of a few dozen bytes.
    bytes_.push_back(static_cast<char>(kArchiveLengthEscape8));
    writeUint16(kArchiveLengthEscape16);
    writeUint32(static_cast<std::uint32_t>(n));
  }
  bytes_.append(text);
}

}  // namespace zavo
