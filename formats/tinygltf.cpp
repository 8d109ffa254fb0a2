// tinygltf's implementation, compiled into our own library from its header (Debian's
// libtinygltf-dev) with nlohmann's JSON. Linking its shared library instead would make every
// start of tessera-run load the C++ runtime as a shared library too, which costs a few
// milliseconds on each run. The export writes no images, so the image code is left out
// (TINYGLTF_NO_STB_IMAGE and friends are set for every user by formats/CMakeLists.txt).
#define TINYGLTF_IMPLEMENTATION
#include <tiny_gltf.h>
