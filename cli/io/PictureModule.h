// The picture decoders and the PNG encoder of pixora-export. They need Qt's
// GUI library, whose loading costs several times the rest of an export, so
// they live in a module of their own, "pixora-export-images" beside the
// program, loaded the first time a picture is read or written: every other
// command runs with the standard library and the plug-in host alone. The
// Windows command has no such module (Debian ships no Qt for Windows) and
// says so. Pictures cross the boundary as the model's own types.
#pragma once

#include <string>

#include "ImageConversion.h"
#include "U_class.h"

// The picture file at path, decoded; on failure false and the reason in
// French: the decoder's, or why the module could not be loaded.
bool DecodePictureFile(const std::string& path, RgbaImage& image, std::string& reason);

// The bytes of the PNG file the editor's "Exporter en PNG..." writes; on
// failure false and the reason in French.
bool EncodePicturePng(const Sprite& sprite, int scale, bool calculatorColors, std::string& bytes, std::string& reason);

// The picture as a PNG file without alpha (the calculator's screen); on
// failure false and the reason in French.
bool EncodeOpaquePicturePng(const RgbaImage& picture, std::string& bytes, std::string& reason);

// The same for a picture of any size already in palette indexes (a sheet,
// a drawn map).
bool EncodeIndexedPicturePng(const IndexedPicture& picture, bool calculatorColors, std::string& bytes,
                             std::string& reason);

// What the module exports, by these names (pixora-export-images.cpp).
using DecodePictureFunction = bool (*)(const char* path, RgbaImage* image, std::string* reason);
using EncodePngFunction = bool (*)(const Sprite* sprite, int scale, bool calculatorColors, std::string* bytes,
                                   std::string* reason);
constexpr const char* DecodePictureName = "pixoraDecodePicture";
constexpr const char* EncodePngName = "pixoraEncodePng";
using EncodeOpaquePngFunction = bool (*)(const RgbaImage* picture, std::string* bytes, std::string* reason);
constexpr const char* EncodeOpaquePngName = "pixoraEncodeOpaquePng";

using EncodeIndexedPngFunction = bool (*)(const IndexedPicture* picture, bool calculatorColors, std::string* bytes,
                                          std::string* reason);
constexpr const char* EncodeIndexedPngName = "pixoraEncodeIndexedPng";
