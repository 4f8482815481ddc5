/* Preloaded into the tests under the sanitizers only. Mesa's software driver
 * keeps a few blocks for its whole life, referenced from its own memory; when
 * SDL unloads the driver at the end of a test, those blocks look leaked and,
 * with the driver gone, cannot even be named. The same goes for Mesa's EGL
 * library, which SDL's X11 video loads and unloads with each start of the
 * video (through libglvnd's libEGL) whether or not EGL is then used. Loading
 * each once more, never to be unloaded, keeps them until the leak check runs:
 * the driver's blocks keep their names, which tests/lsan.supp lets pass, and
 * the EGL library's stay reachable from its own memory. */
#include <dlfcn.h>

__attribute__((constructor)) static void KeepGlDriverLoaded(void) {
    dlopen(KELMOT_GL_DRIVER, RTLD_LAZY | RTLD_NODELETE);
    dlopen("libEGL_mesa.so.0", RTLD_LAZY | RTLD_NODELETE);
}
