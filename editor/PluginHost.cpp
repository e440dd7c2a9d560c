#include "PluginHost.h"
