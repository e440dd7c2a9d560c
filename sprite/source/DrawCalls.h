// The calls of the calculator's sprite routines in C text, read for what a
// bare array does not say: the height, the row width, which arrays (and
// where in them) hold which plane, and whether the planes are interlaced.
//
// The routines: Sprite8/16/32 (the C library's), and the families
// [Gray][Clip][I]Sprite8/16/32_MODE[_R] and [Gray][Clip]SpriteX8_MODE[_R]
// with the modes OR, XOR, AND, MASK, SMASK, BLIT, RPLC, TRANW and TRANB.
// Their arguments are x, y, the height, then the planes: the sprite (black
// and white), or the light and dark planes (gray), then the mask or masks
// (MASK, SMASK); the interlaced (ISprite) routines take one array whose rows
// hold light then dark (mask, light, dark for MASK). What follows the
// planes is a mask value (BLIT), the byte width (SpriteX8), and the
// destinations, which may say which plane is light and which dark
// (GrayGetPlane(DARK_PLANE), a name with light, dark, clair or fonce in it);
// when they do not, the first plane argument is the light one.
//
// A plane argument is an array named in the text as NAME, NAME + N,
// &NAME[N], the part NAME[K] of an array of two dimensions (or NAME[i] with
// an index known only when the program runs: every part, one per frame),
// with or without a cast. Calls whose planes are not arrays of the text
// (pointers, other expressions) are passed over.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DataLayout.h"
#include "c_array_reader.h"

struct PlaneArgument {
    Plane plane;
    std::string array;         // the array's name in the scan, or the name of an array of parts
    bool wholeParts = false;   // array names an array of parts: all of them, one after the other
    std::size_t elementOffset; // elements of the array before the plane's first row
};

struct DrawCall {
    std::string routine;
    std::string heightText;       // the height argument as written
    std::optional<int> height;    // its value, when it is a constant 1 to 128
    RowUnit rows;                 // of the routine: 8, 16, 32 bits or bytes (SpriteX8)
    std::optional<int> byteWidth; // SpriteX8's byte width argument, when constant
    bool interlaced = false;
    std::vector<PlaneArgument> planes; // in the order of the data: B or L D, the mask first or last
    std::size_t textOffset = 0;        // where the routine's name starts in the text read
};

// Every call of a sprite routine whose planes are arrays of the scan, in the
// order of the text; at most MaxDrawCalls.
constexpr std::size_t MaxDrawCalls = 1024;
std::vector<DrawCall> FindDrawCalls(std::string_view text, const CArrayScan& scan);

// A plane typed by the user for a reading by hand, read as a call's plane
// argument is: NAME, NAME+K, &NAME[K], a cast, NAME[K] of a table, and
// NAME[*] (or NAME[i]) for every row of a table, one frame a row. A bare
// NAME is the whole array as C lays it out, a table's rows one after the
// other. The argument, or the French reason why the text names none.
struct PlaneText {
    std::optional<PlaneArgument> argument;
    std::string refusal;
};
PlaneText ReadPlaneText(std::string_view text, const CArrayScan& scan);

// The first call that reads the array (by its name, its part, or the array
// of parts it belongs to); nullptr when none does.
const DrawCall* CallReading(const std::vector<DrawCall>& calls, const std::string& array);
