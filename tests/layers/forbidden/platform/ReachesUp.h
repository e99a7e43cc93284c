// A platform header that reaches above the platform: the include check must refuse it.
#include "pictures/Wallpaper.h"
