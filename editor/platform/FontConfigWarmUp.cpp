#include "FontConfigWarmUp.h"

#ifdef PIXORA_WITH_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

// fontconfig sets up its configuration once for the process, safely from
// any thread: a second caller waits for it or uses it.
FontConfigWarmUp::FontConfigWarmUp()
{
#ifdef PIXORA_WITH_FONTCONFIG
    reading_ = std::jthread([] { FcInit(); });
#endif
}
