// See threadedgl.h.
#include "view/threadedgl.h"

#include <cstdlib>

void PreferThreadedGL() { setenv("mesa_glthread", "true", 0); }
