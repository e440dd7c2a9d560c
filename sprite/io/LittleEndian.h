// 16-bit fields of Pixora's own file formats (".pixs", ".pixm"), kept
// little-endian in a string of the file's bytes. The caller has checked that
// both bytes at offset are there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline uint16_t GetUint16(const std::string& bytes, std::size_t offset)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[offset]) | static_cast<uint8_t>(bytes[offset + 1]) << 8);
}

inline void PutUint16(std::string& bytes, std::size_t offset, uint16_t value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}
