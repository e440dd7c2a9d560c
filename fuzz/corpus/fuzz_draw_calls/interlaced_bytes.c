unsigned char t[6] = {1,2,3,4,5,6};
unsigned char b[4] = {1};
void t(void) { GrayClipISprite8_MASK_R(0, 0, 2, t, GetPlane(1), GetPlane(0)); SpriteX8_OR(0, 0, 2, b, 2, LCD_MEM); }
