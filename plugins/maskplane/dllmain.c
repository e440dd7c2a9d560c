/*
 * maskplane: writes any sprite of 1 to 32 x 1 to 128 pixels, masked or not,
 * as the arrays that the calculator libraries' masked sprite routines draw:
 * the routine ANDs the background with the mask (1 = transparent) and then
 * ORs the sprite, so a sprite bit is 0 under every transparent pixel.
 *
 * One element per row, leftmost pixel in the most significant bit, the row
 * padded on the right to 8, 16 or 32 bits with transparent pixels. Black and
 * white writes NAME and NAME_Mask; gray writes NAME_LightPlane (color bit 0),
 * NAME_DarkPlane (color bit 1), one shared NAME_Mask, and NAME_Interlaced with
 * mask, light and dark of each row in turn. An unmasked sprite gets an all
 * opaque mask, so one drawing call serves every sprite. Keeps no state.
 */
#include "pixora_plugin.h"
#include "plugin_text.h"

const char* pluginNom(void)
{
    return "Sprites masqu\xE9s (TIGCClib, ExtGraph)";
}
const char* pluginVersion(void)
{
    return "1.0.0";
}
const char* pluginAuteur(void)
{
    return "Kestrune";
}
const char* pluginURL(void)
{
    return "http://kestrune.free.fr";
}
const char* pluginMail(void)
{
    return "kestrune@free.fr";
}

const char* pluginDescription(void)
{
    return "Exporte tous les sprites de 1 \xE0 32 pixels de large et de 1 \xE0 128 de haut, masqu\xE9s ou non\r\n"
           "    Noir et blanc : NOM et NOM_Mask\r\n"
           "    Niveaux de gris : NOM_LightPlane, NOM_DarkPlane, NOM_Mask et NOM_Interlaced "
           "(masque, clair, fonc\xE9 par ligne)";
}

enum { MaxSpriteWidth = 32, MaxSpriteHeight = 128 };

/* What one written row is made of. */
enum RowPart { SpriteBits, LightBits, DarkBits, MaskBits };

typedef struct {
    const unsigned char* colorPlane;
    const unsigned char* maskPlane;
    const char* name;
    int width;
    int height;
    int gray;
    int masked;
    int elementBits; /* 8, 16 or 32: the row's width once padded */
} MaskedSprite;

typedef struct {
    unsigned long light; /* the black-and-white sprite's bits too */
    unsigned long dark;
    unsigned long mask;
} RowBits;

static int ElementBits(int width)
{
    if (width <= 8)
        return 8;
    return width <= 16 ? 16 : 32;
}

static const char* ElementType(int elementBits)
{
    if (elementBits == 8)
        return "unsigned char";
    return elementBits == 16 ? "unsigned short" : "unsigned long";
}

static int PlaneIndex(int x, int y)
{
    return x * PIXORA_PLANE_STRIDE + y;
}

static int IsTransparent(const MaskedSprite* sprite, int x, int y)
{
    return sprite->masked && sprite->maskPlane[PlaneIndex(x, y)] != 0;
}

static RowBits ComputeRow(const MaskedSprite* sprite, int y)
{
    RowBits row = {0, 0, 0};
    int x;
    for (x = 0; x < sprite->elementBits; ++x) {
        unsigned long bit = 1UL << (sprite->elementBits - 1 - x);
        unsigned char color;
        if (x >= sprite->width || IsTransparent(sprite, x, y)) {
            row.mask |= bit;
            continue;
        }
        color = sprite->colorPlane[PlaneIndex(x, y)];
        if (sprite->gray ? (color & 1) : color != 0)
            row.light |= bit;
        if (sprite->gray && (color & 2))
            row.dark |= bit;
    }
    return row;
}

static unsigned long PartOf(RowBits row, enum RowPart part)
{
    switch (part) {
    case DarkBits:
        return row.dark;
    case MaskBits:
        return row.mask;
    default:
        return row.light;
    }
}

/* The row as the user sees it in the editor, for the comment beside it. */
static void AppendRowPicture(PluginText* text, const MaskedSprite* sprite, int y)
{
    static const char grayPixels[] = "wLD#";
    int x;
    for (x = 0; x < sprite->width; ++x) {
        unsigned char color = sprite->colorPlane[PlaneIndex(x, y)];
        if (IsTransparent(sprite, x, y))
            AppendChar(text, '.');
        else if (sprite->gray)
            AppendChar(text, grayPixels[color & 3]);
        else
            AppendChar(text, color != 0 ? '#' : 'w');
    }
}

static void AppendArray(PluginText* text, const MaskedSprite* sprite, const char* suffix, const enum RowPart* parts,
                        int partCount)
{
    int digits = sprite->elementBits / 4;
    int y;
    int i;
    AppendFormat(text, "static const %s ", ElementType(sprite->elementBits));
    AppendText(text, sprite->name);
    AppendText(text, suffix);
    AppendFormat(text, "[%d] PIXORA_UNUSED = {\n", sprite->height * partCount);
    for (y = 0; y < sprite->height; ++y) {
        RowBits row = ComputeRow(sprite, y);
        AppendText(text, "    ");
        for (i = 0; i < partCount; ++i)
            AppendFormat(text, i ? ", 0x%0*lX" : "0x%0*lX", digits, PartOf(row, parts[i]));
        /* The last row has a space where the others have their comma, so the pictures line up. */
        AppendText(text, y < sprite->height - 1 ? ", /* " : "  /* ");
        AppendRowPicture(text, sprite, y);
        AppendText(text, " */\n");
    }
    AppendText(text, "};\n");
}

/* The sprite's name as the comments show it. The name comes as the user typed
 * it, so whatever it holds must neither end the comment (and turn the rest
 * into code) nor open another, nor leave its line. */
static void AppendNameInComment(PluginText* text, const char* name)
{
    const unsigned char* c;
    for (c = (const unsigned char*)name; *c; ++c) {
        int opensOrCloses = (c[0] == '*' && c[1] == '/') || (c[0] == '/' && c[1] == '*');
        if (*c < 0x20 || *c == 0x7F)
            AppendChar(text, '?');
        else if (opensOrCloses) {
            AppendChar(text, (char)*c);
            AppendChar(text, ' ');
        } else
            AppendChar(text, (char)*c);
    }
}

/* An array's name, as a comment mentions it. */
static void AppendArrayName(PluginText* text, const MaskedSprite* sprite, const char* suffix)
{
    AppendNameInComment(text, sprite->name);
    AppendText(text, suffix);
}

static void AppendHeaderStart(PluginText* text, const MaskedSprite* sprite)
{
    AppendText(text, "/* ");
    AppendNameInComment(text, sprite->name);
    AppendFormat(text, " : %d x %d pixels, %s, %s ; un %s par ligne.\n", sprite->width, sprite->height,
                 sprite->gray ? "4 niveaux de gris" : "noir et blanc",
                 sprite->masked ? "masqu\xE9" : "sans masque (masque tout opaque)", ElementType(sprite->elementBits));
    AppendText(text, " * Masque : bit \xE0 1 = pixel transparent (le fond reste), bit \xE0 0 = pixel opaque");
    AppendText(text, sprite->gray ? " ; un seul masque pour les deux plans.\n" : ".\n");
}

static void AppendBlackWhiteCalls(PluginText* text, const MaskedSprite* sprite)
{
    AppendFormat(text, " * Dessin : Sprite%d_MASK_R(x, y, %d, ", sprite->elementBits, sprite->height);
    AppendArrayName(text, sprite, "");
    AppendText(text, ", ");
    AppendArrayName(text, sprite, "_Mask");
    AppendText(text, ", plan);\n");
    AppendText(text, " * Pixels : # noir, w blanc, . transparent\n */\n\n");
}

static void AppendGrayCalls(PluginText* text, const MaskedSprite* sprite)
{
    AppendFormat(text, " * Dessin : GraySprite%d_SMASK_R(x, y, %d, ", sprite->elementBits, sprite->height);
    AppendArrayName(text, sprite, "_LightPlane");
    AppendText(text, ", ");
    AppendArrayName(text, sprite, "_DarkPlane");
    AppendText(text, ", ");
    AppendArrayName(text, sprite, "_Mask");
    AppendText(text, ", plan_clair, plan_fonce);\n");
    AppendFormat(text, " *      ou GrayClipISprite%d_MASK_R(x, y, %d, ", sprite->elementBits, sprite->height);
    AppendArrayName(text, sprite, "_Interlaced");
    AppendText(text, ", plan_clair, plan_fonce);\n");
    AppendText(text, " * ");
    AppendArrayName(text, sprite, "_Interlaced");
    AppendText(text, " : masque, plan clair, plan fonc\xE9 de chaque ligne.\n");
    AppendText(text, " * Pixels : # noir, D gris fonc\xE9, L gris clair, w blanc, . transparent\n */\n\n");
}

/* A program draws only some of the arrays (a black and white sprite without
 * its mask, one gray form of two): the others must not stop a build that
 * takes warnings as errors. */
static void AppendUnusedMarker(PluginText* text)
{
    AppendText(text, "#ifndef PIXORA_UNUSED\n"
                     "#ifdef __GNUC__\n"
                     "#define PIXORA_UNUSED __attribute__((unused))\n"
                     "#else\n"
                     "#define PIXORA_UNUSED\n"
                     "#endif\n"
                     "#endif\n\n");
}

static void AppendBlackWhiteSprite(PluginText* text, const MaskedSprite* sprite)
{
    static const enum RowPart spriteRows[] = {SpriteBits};
    static const enum RowPart maskRows[] = {MaskBits};
    AppendHeaderStart(text, sprite);
    AppendBlackWhiteCalls(text, sprite);
    AppendUnusedMarker(text);
    AppendArray(text, sprite, "", spriteRows, 1);
    AppendText(text, "\n");
    AppendArray(text, sprite, "_Mask", maskRows, 1);
}

static void AppendGraySprite(PluginText* text, const MaskedSprite* sprite)
{
    static const enum RowPart lightRows[] = {LightBits};
    static const enum RowPart darkRows[] = {DarkBits};
    static const enum RowPart maskRows[] = {MaskBits};
    static const enum RowPart interlacedRows[] = {MaskBits, LightBits, DarkBits};
    AppendHeaderStart(text, sprite);
    AppendGrayCalls(text, sprite);
    AppendUnusedMarker(text);
    AppendArray(text, sprite, "_LightPlane", lightRows, 1);
    AppendText(text, "\n");
    AppendArray(text, sprite, "_DarkPlane", darkRows, 1);
    AppendText(text, "\n");
    AppendArray(text, sprite, "_Mask", maskRows, 1);
    AppendText(text, "\n");
    AppendArray(text, sprite, "_Interlaced", interlacedRows, 3);
}

static void AppendRefusal(PluginText* text)
{
    AppendText(text, "Les sprites support\xE9"
                     "s par ce plugin (masqu\xE9"
                     "s ou non) :\n");
    AppendFormat(text, "  - largeur de 1 \xE0 %d pixels\n", MaxSpriteWidth);
    AppendFormat(text, "  - hauteur de 1 \xE0 %d pixels\n", MaxSpriteHeight);
    AppendText(text, "  - noir et blanc ou 4 niveaux de gris\n");
}

unsigned char pluginEnregistre(const char* fileName, const char* spriteName, int spriteType,
                               const unsigned char* colorPlane, const unsigned char* maskPlane, int height, int width)
{
    /* The contract passes 32-bit integers of which only the low byte counts. */
    int type = spriteType & 0xFF;
    MaskedSprite sprite;
    PluginText text = EmptyText();
    int accepted;
    int written;
    sprite.colorPlane = colorPlane;
    sprite.maskPlane = maskPlane;
    sprite.name = spriteName ? spriteName : "";
    sprite.width = width & 0xFF;
    sprite.height = height & 0xFF;
    sprite.gray = type == 2 || type == 4;
    sprite.masked = type == 3 || type == 4;
    sprite.elementBits = ElementBits(sprite.width);
    accepted = colorPlane && maskPlane && type >= 1 && type <= 4 && sprite.width >= 1 &&
               sprite.width <= MaxSpriteWidth && sprite.height >= 1 && sprite.height <= MaxSpriteHeight;
    if (!accepted)
        AppendRefusal(&text);
    else if (sprite.gray)
        AppendGraySprite(&text, &sprite);
    else
        AppendBlackWhiteSprite(&text, &sprite);
    written = WriteTextFile(fileName, &text);
    FreeText(&text);
    return (unsigned char)(accepted && written);
}
