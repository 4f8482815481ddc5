#include "platform/web/web_storage.h"

#include <emscripten.h>

namespace {

// How long a write may take before it is given up.
constexpr int storageWaitMs = 5000;

// The store is the one emscripten's IndexedDB file system (IDBFS) keeps for the
// mount: a database named after the mount point, each file under its full path
// with its time, mode and contents. The write is made here rather than by
// IDBFS.syncfs, which never answers when a transaction aborts (as a full quota
// makes it do). An aborted transaction leaves the store as it was.
// clang-format off
EM_ASYNC_JS(int, StoreInBrowser, (const char* fromName, const char* toName, int waitMs), {
    const from = PATH_FS.resolve(UTF8ToString(fromName));
    const to = PATH_FS.resolve(UTF8ToString(toName));
    let mount = null;
    let entry = null;
    try {
        mount = FS.lookupPath(from).node.mount;
        const status = FS.stat(from);
        entry = {timestamp: status.mtime, mode: status.mode, contents: FS.readFile(from)};
    } catch (failure) {
        console.error('kelmot: the options could not be stored:', failure);
        return 0;
    }
    if (mount.type !== IDBFS) return 1;
    if (mount.kelmotUnread) {
        console.error('kelmot: the options are not stored: the stored ones could not be read');
        return 0;
    }
    return await new Promise((resolve) => {
        let transaction = null;
        let settled = false;
        const settle = (error) => {
            if (settled) return;
            settled = true;
            clearTimeout(timer);
            if (error) console.error('kelmot: the options could not be stored:', error);
            resolve(error ? 0 : 1);
        };
        const timer = setTimeout(() => {
            try {
                if (transaction) transaction.abort();
            } catch (finished) {
            }
            settle('the storage did not answer');
        }, waitMs);
        IDBFS.getDB(mount.mountpoint, (error, db) => {
            try {
                if (!db) throw error || 'the storage cannot be opened';
                transaction = db.transaction([IDBFS.DB_STORE_NAME], 'readwrite');
                transaction.oncomplete = () => settle(null);
                transaction.onabort = () => settle(transaction.error || 'the write was aborted');
                const files = transaction.objectStore(IDBFS.DB_STORE_NAME);
                files.put(entry, to);
                files.delete(from);
            } catch (failure) {
                settle(failure);
            }
        });
    });
});
// clang-format on

} // namespace

bool StoreFileAs(const char* from, const char* to) {
    return StoreInBrowser(from, to, storageWaitMs) != 0;
}
