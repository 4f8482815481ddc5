/* Preloaded into the tests under the sanitizers only. Mesa's software driver
 * keeps a few blocks for its whole life, referenced from its own memory; when
 * SDL unloads the driver at the end of a test, those blocks look leaked and,
 * with the driver gone, cannot even be named. Loading the driver once more,
 * never to be unloaded, keeps it (and the names) until the leak check runs, where
 * tests/lsan.supp lets its blocks pass. */
#include <dlfcn.h>

__attribute__((constructor)) static void KeepGlDriverLoaded(void) {
    dlopen(KELMOT_GL_DRIVER, RTLD_LAZY | RTLD_NODELETE);
}
