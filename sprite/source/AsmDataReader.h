// Reader of the data of 68000 assembly sources, A68k and GNU as alike: the
// data directives after each label make one array, as the C reader gives
// them (c_array_reader.h), so that the same layouts read them.
//
// A68k: "NAME:" or NAME in column 1, dc.b / dc.w / dc.l (or dc) with $..
// hexadecimal, %.. binary, @.. octal or decimal values, ds.b / dcb.b and the
// like for runs of one value, EVEN or CNOP OFFSET,N to align, NAME equ value,
// comments after ';' or a '*' in column 1; an operand field ends at the
// first blank. GNU as: "NAME:", .byte / .word / .short / .long / .int /
// .quad with 0x.., 0b.., 0.. octal or decimal values, .space / .skip N[,V],
// .fill REPEAT[,SIZE[,VALUE]], .even / .align N / .balign N / .p2align P
// (with a fill value and a most, as GNU as takes them; .align in bytes, as
// for the 68000), .set / .equ / NAME = value, comments after '|', a '#'
// in column 1 or between /* and */; #define lines of .S files give constants.
// Values are constant expressions (-1, ~$1818, NAME_HEIGHT*2).
//
// An alignment pads from the start of the section, as the assemblers do:
// the reader follows where each byte lies in its section (a new section
// starts at 0; an instruction keeps the place even; .ascii and strings make
// it unknown), and refuses the data of an array that follows an alignment
// whose pad it cannot know. A pad goes into the array only when more of its
// data follows.
//
// An array's element bits are its directives' size when they all have the
// same (8, 16, 32, 64), else 8: its bytes as the 68000 holds them. Any
// other instruction or directive ends the array; a label without data
// makes none. Line ends may be LF, CR LF or CR.
#pragma once

#include <string_view>

#include "c_array_reader.h"

CArrayScan ScanAssemblyArrays(std::string_view text);
