#define H 2
const unsigned char walk[3][H] = {{0x80, 0}, {0x40, 0}, {0x20, 0}};
void s(int i) { Sprite8(x, y, H, walk[i], LCD_MEM, SPRT_OR); ClipSprite8_MASK_R(x, y, H, walk[0], (unsigned char *)walk[1], p); }
