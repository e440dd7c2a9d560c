/* level_tiles : 8 x 8 pixels, 2 images, noir et blanc
 * Lignes de 8 bits (unsigned char), pixel de gauche = bit de poids fort
 * Un tableau : level_tiles (noir)
 * 2 images : [0] ... [1] dans chaque tableau
 * Appel : Sprite8(x, y, 8, level_tiles[image], LCD_MEM, SPRT_XOR);
 */

static const unsigned char level_tiles[2][8] __attribute__((unused)) = {
    { /* 0 */
        0x00,
        0x00,
        0x00,
        0x00,
        0x00,
        0x00,
        0x00,
        0x00,
    },
    { /* 1 */
        0xFF,
        0xFF,
        0xFF,
        0xFF,
        0xFF,
        0xFF,
        0xFF,
        0xFF,
    },
};

/* level : carte de 8 x 4 cases, 2 tuiles (level_tiles)
 * Une ligne de la carte par ligne, une case = le numero de sa tuile (octet)
 */

static const unsigned char level_map[4][8] __attribute__((unused)) = {
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 1, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {1, 1, 1, 1, 1, 1, 1, 1},
};
