/* balle : 5 x 3 pixels, ... */
static const unsigned char balle[3] = {
    0xF8, /* ##### */
    0b10001000, // comment
    012,
};
uint16_t  gris_LightPlane[] = {0x8000, 0};
uint16_t  gris_DarkPlane[2] = {0x4000};
unsigned char bad[] = {0x1FF};
unsigned char open[] = {1, 2
