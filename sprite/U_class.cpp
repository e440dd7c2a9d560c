#include "U_class.h"
