// The ".pixo" record as bytes, shared by the ".pixo" file (one record) and
// the ".pixs" set file (one record per frame). Sprite::SaveToFile and
// Sprite::LoadFromFile are the whole-file operations.
#pragma once

#include <cstddef>
#include <cstdint>

#include "U_class.h"

constexpr std::size_t PixoRecordSize = 30732;

// Writes the sprite's record into record[0 .. PixoRecordSize).
void PutPixoRecord(const Sprite& sprite, uint8_t* record);
// Takes record[0 .. PixoRecordSize) into the sprite when every field lies in
// the sprite's ranges; otherwise returns false and leaves the sprite as it
// was. The marks are kept.
bool TakePixoRecord(const uint8_t* record, Sprite& sprite);
