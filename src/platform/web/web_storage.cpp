#include "platform/web/web_storage.h"

#include <emscripten.h>

namespace {

// IDBFS writes every file of the mount that changed, and removes from the store
// the files that are gone, in one IndexedDB transaction.
// clang-format off
EM_ASYNC_JS(int, SyncStoredMount, (const char* path), {
    const mount = FS.lookupPath(UTF8ToString(path)).node.mount;
    if (mount.type !== IDBFS) return 1;
    return await new Promise(resolve => IDBFS.syncfs(mount, false, error => {
        if (error) console.error('kelmot: the options could not be stored:', error);
        resolve(error ? 0 : 1);
    }));
});
// clang-format on

} // namespace

bool KeepFolderOf(const char* path) { return SyncStoredMount(path) != 0; }
