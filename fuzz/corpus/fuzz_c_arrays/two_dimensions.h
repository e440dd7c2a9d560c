static const unsigned short gris[2][4] = {
    {0x8001, 0x4002, 0x2004, 0x1008},
    {0xF00F, 0, 0b1, 017},
};
unsigned char marche[][2] = {1, 2, 3, 4, 5};
unsigned char bad[2][] = {{1}};
