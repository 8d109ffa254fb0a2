// Asks Mesa to run its OpenGL work on a thread of its own (its "glthread"). With a renderer that
// processes vertices on the CPU (llvmpipe), that work otherwise fills the interface thread: the
// calls are then only queued there, and the driver's thread processes them meanwhile.
#pragma once

// Call before the first GL context is made (before the application object). A setting of
// mesa_glthread that the user made is left as it is; other drivers ignore the variable.
void PreferThreadedGL();
