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
    // One write on the connection IDBFS keeps for the mount; a connection the
    // browser has closed (Safari closes those of pages in the background) or
    // that fails is dropped, and the write made once more on a new one.
    const write = (resolve) => {
        let transaction = null;
        let settled = false;
        const settle = (error) => {
            if (settled) return;
            settled = true;
            clearTimeout(timer);
            resolve(error);
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
                db.onclose = () => delete IDBFS.dbs[mount.mountpoint];
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
    };
    let error = await new Promise(write);
    if (error && error !== 'the storage did not answer') {
        console.info('kelmot: the storage failed, opened again:', error);
        const db = IDBFS.dbs[mount.mountpoint];
        delete IDBFS.dbs[mount.mountpoint];
        try {
            if (db) db.close();
        } catch (closed) {
        }
        error = await new Promise(write);
    }
    if (error) {
        console.error('kelmot: the options could not be stored:', error);
        return 0;
    }
    // Kept: the browser is asked, once, to keep the site's storage when it
    // runs short of room, rather than clear it.
    if (!Module.kelmotPersistAsked && navigator.storage && navigator.storage.persist) {
        Module.kelmotPersistAsked = true;
        navigator.storage.persist().catch(() => {});
    }
    return 1;
});
// clang-format on

} // namespace

bool StoreFileAs(const char* from, const char* to) {
    return StoreInBrowser(from, to, storageWaitMs) != 0;
}
