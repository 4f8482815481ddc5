// Before the game starts: its folder, /kelmot, is the working folder. prefs.txt
// lives there and is kept in the browser's storage (IndexedDB) across visits;
// the pictures are fetched with the page into Data/ under it, a folder in
// memory that the storage leaves alone.
Module['preRun'] = (Module['preRun'] || []).concat(function () {
  const folder = '/kelmot';
  FS.mkdir(folder);
  FS.mount(IDBFS, {}, folder);
  FS.mkdir(folder + '/Data');
  FS.mount(MEMFS, {}, folder + '/Data');
  FS.chdir(folder);

  // IDBFS keeps everything its walk of the folder finds, crossing into the
  // folders mounted below it: only the folder's own files are kept.
  const localSetOf = IDBFS.getLocalSet;
  IDBFS.getLocalSet = (mount, callback) => localSetOf(mount, (error, set) => {
    if (set) {
      for (const path of Object.keys(set.entries)) {
        if (FS.lookupPath(path).node.mount !== mount) delete set.entries[path];
      }
    }
    callback(error, set);
  });

  addRunDependency('kelmot-folder');
  IDBFS.syncfs(FS.lookupPath(folder).node.mount, true, (error) => {
    if (error) console.error('kelmot: the stored options could not be read:', error);
    removeRunDependency('kelmot-folder');
  });

  // A picture the server does not have is simply not there, as a missing file.
  addRunDependency('kelmot-pictures');
  Promise.all(Module['kelmotPictures'].map((name) =>
    fetch(name, {cache: 'no-cache'})
      .then((response) => response.ok ? response.arrayBuffer() : null)
      .then((bytes) => { if (bytes) FS.writeFile(folder + '/' + name, new Uint8Array(bytes)); })
      .catch((error) => console.error('kelmot: ' + name + ' could not be fetched:', error))))
    .then(() => removeRunDependency('kelmot-pictures'));
});
