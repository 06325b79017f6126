#pragma once

#include <cstdint>
#include <span>

namespace calorant {

// The CRC-32 of zlib, PNG and Ethernet (reflected polynomial 0xEDB88320), so that any
// common tool can check what the programme wrote.
std::uint32_t crc32(std::span<const std::uint8_t> bytes);

} // namespace calorant
