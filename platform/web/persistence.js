// The application's folders in the browser: Emscripten's file system, copied to
// IndexedDB (IDBFS) after every change so that they survive a reload.
//   await Module.mevaraMountPersistent("/mevara")  before the program reads its files
//   Module.mevaraFilesChanged()                     after a change (the C++ side calls it)
//   await Module.mevaraFlushFiles()                 when the page goes away, and in tests
Module["mevaraMountPersistent"] = function (folder) {
    FS.mkdirTree(folder);
    FS.mount(IDBFS, {}, folder);
    return new Promise((resolve, reject) =>
        FS.syncfs(true, (error) => (error ? reject(error) : resolve())));
};

// One copy at a time; changes made while one runs start another after it.
let mevaraSyncing = null;
let mevaraChangedAgain = false;
Module["mevaraFilesChanged"] = function () {
    if (mevaraSyncing) {
        mevaraChangedAgain = true;
        return mevaraSyncing;
    }
    mevaraSyncing = new Promise((resolve) =>
        FS.syncfs(false, (error) => {
            if (error) err("mevara: the files could not be kept: " + error);
            resolve();
        })).then(() => {
            mevaraSyncing = null;
            if (mevaraChangedAgain) {
                mevaraChangedAgain = false;
                return Module["mevaraFilesChanged"]();
            }
        });
    return mevaraSyncing;
};

Module["mevaraFlushFiles"] = function () {
    return mevaraSyncing || Promise.resolve();
};
