static unsigned short hand[6] = {0xC000, 0x4000, 0x8000, 0x4000, 0x3FFF, 0x1FFF};
void f(void) { GrayClipSprite16_SMASK_R(x, y, 2, hand, hand+2, &hand[4], GrayGetPlane(LIGHT_PLANE), GrayGetPlane(DARK_PLANE)); }
