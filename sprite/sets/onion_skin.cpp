#include "onion_skin.h"

const Sprite* OnionSkinFrame(const SpriteSet& set)
{
    return set.Current() > 0 ? &set.Frame(set.Current() - 1) : nullptr;
}

PixelColor OnionSkinColor(const Sprite& current, const Sprite& previous, int x, int y)
{
    const bool seeThrough = current.GetColor(x, y) == White || current.GetMask(x, y) == Mask;
    const bool open = seeThrough && !current.IsMarked(x, y);
    return open ? previous.GetColor(x, y) : White;
}
