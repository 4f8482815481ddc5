// Before the game starts: its folder, /kelmot, is the working folder. prefs.txt
// lives there and is kept in the browser's storage (IndexedDB, as emscripten's
// IDBFS lays it out) across visits; the pictures the page fetches go into Data/
// under it, a folder in memory that the storage leaves alone.
Module['preRun'] = (Module['preRun'] || []).concat(function () {
  const folder = '/kelmot';
  const prefsPath = folder + '/prefs.txt';
  FS.mkdir(folder);
  const mount = FS.mount(IDBFS, {}, folder).mount;
  FS.mkdir(folder + '/Data');
  FS.mount(MEMFS, {}, folder + '/Data');
  FS.chdir(folder);

  // The stored prefs.txt, read in one transaction that is given a few seconds
  // (as a save is, web_storage.cpp). When the storage fails or does not answer,
  // the game starts on its defaults, and nothing is stored during this visit, so
  // that the options kept there are not overwritten by them.
  addRunDependency('kelmot-folder');
  let read = false;
  const finishReading = (error) => {
    if (read) return;
    read = true;
    clearTimeout(timer);
    if (error) {
      console.error('kelmot: the stored options could not be read:', error);
      mount.kelmotUnread = true;
    }
    removeRunDependency('kelmot-folder');
  };
  const timer = setTimeout(() => finishReading('the storage did not answer'), 5000);
  IDBFS.getDB(folder, (error, db) => {
    try {
      if (!db) throw error || 'the storage cannot be opened';
      const transaction = db.transaction([IDBFS.DB_STORE_NAME], 'readonly');
      const request = transaction.objectStore(IDBFS.DB_STORE_NAME).get(prefsPath);
      transaction.oncomplete = () => {
        // Once given up, the game has started without it.
        if (read) return;
        try {
          if (request.result) FS.writeFile(prefsPath, request.result.contents);
          finishReading(null);
        } catch (failure) {
          finishReading(failure);
        }
      };
      transaction.onabort = () => finishReading(transaction.error || 'the read was aborted');
    } catch (failure) {
      finishReading(failure);
    }
  });

  // The pictures, fetched by the page (page.js) from when its start-up dialog
  // shows, or from when the game's window is made, and waited for once it is
  // open (game_window.cpp); written into the folder once.
  // One the server does not have is simply not there, as a missing file.
  let picturesIn = null;
  Module['kelmotPicturesIn'] = () => picturesIn = picturesIn ||
    Promise.all(Module['kelmotPictures']().map(([name, fetched]) => fetched
      .then((bytes) => { if (bytes) FS.writeFile(folder + '/' + name, new Uint8Array(bytes)); })
      .catch((error) => console.error('kelmot: ' + name + ' could not be fetched:', error))));
});
