#pragma once

#include <QByteArray>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace calorant {

// What the port control received, as the Qt-free decoders take it; valid while
// `array` lives unchanged.
inline std::span<const std::uint8_t> byteSpan(const QByteArray& array) {
    return {reinterpret_cast<const std::uint8_t*>(array.constData()),
            static_cast<std::size_t>(array.size())};
}

// A fixed run of bytes (a command, a frame) as the port control writes it.
template <std::size_t N> QByteArray toByteArray(const std::array<std::uint8_t, N>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(N));
}

} // namespace calorant
