/* s : 8 x 8 pixels, 4 niveaux de gris, masqué ; un unsigned char par ligne.
 * Masque : bit à 1 = pixel transparent (le fond reste), bit à 0 = pixel opaque ; un seul masque pour les deux plans.
 * Dessin : GraySprite8_SMASK_R(x, y, 8, s_LightPlane, s_DarkPlane, s_Mask, plan_clair, plan_fonce);
 *      ou GrayClipISprite8_MASK_R(x, y, 8, s_Interlaced, plan_clair, plan_fonce);
 * s_Interlaced : masque, plan clair, plan foncé de chaque ligne.
 * Pixels : # noir, D gris foncé, L gris clair, w blanc, . transparent
 */

static const unsigned char s_LightPlane[8] = {
    0x51, /* .LD#w.D# */
    0xAA, /* LD#.LD#w */
    0x15, /* D.wLD#.L */
    0xA2, /* #wLD.wLD */
    0x54, /* wL.#wLD. */
    0x2A, /* .D#wL.#w */
    0x45, /* D#w.D#wL */
    0xA8  /* #.LD#w.D */
};

static const unsigned char s_DarkPlane[8] = {
    0x33, /* .LD#w.D# */
    0x66, /* LD#.LD#w */
    0x8C, /* D.wLD#.L */
    0x91, /* #wLD.wLD */
    0x12, /* wL.#wLD. */
    0x62, /* .D#wL.#w */
    0xCC, /* D#w.D#wL */
    0x99  /* #.LD#w.D */
};

static const unsigned char s_Mask[8] = {
    0x84, /* .LD#w.D# */
    0x10, /* LD#.LD#w */
    0x42, /* D.wLD#.L */
    0x08, /* #wLD.wLD */
    0x21, /* wL.#wLD. */
    0x84, /* .D#wL.#w */
    0x10, /* D#w.D#wL */
    0x42  /* #.LD#w.D */
};

static const unsigned char s_Interlaced[24] = {
    0x84, 0x51, 0x33, /* .LD#w.D# */
    0x10, 0xAA, 0x66, /* LD#.LD#w */
    0x42, 0x15, 0x8C, /* D.wLD#.L */
    0x08, 0xA2, 0x91, /* #wLD.wLD */
    0x21, 0x54, 0x12, /* wL.#wLD. */
    0x84, 0x2A, 0x62, /* .D#wL.#w */
    0x10, 0x45, 0xCC, /* D#w.D#wL */
    0x42, 0xA8, 0x99  /* #.LD#w.D */
};
