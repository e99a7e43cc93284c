// A build tool including the main window: the include check must refuse it.
#include "shell/USelect5.h"
