// Before the program's main: the user's folder back from IndexedDB and the web font
// ready, so that the first layout measures with the face that draws.
Module["preRun"] = [].concat(Module["preRun"] || [], function () {
    addRunDependency("mevara-files");
    Module["mevaraMountPersistent"]("/mevara").catch((error) => {
        // Private windows may refuse IndexedDB: the program still runs, keeping nothing.
        console.warn("mevara: the saved files could not be opened: " + error);
    }).finally(() => removeRunDependency("mevara-files"));
    if (typeof document !== "undefined" && document.fonts) {
        addRunDependency("mevara-fonts");
        // Every face, italics too: a face still loading would be measured as another font.
        const faces = ["17px", "bold 17px", "italic 17px", "italic bold 17px"].map(
            (f) => document.fonts.load(f + " \"Liberation Sans\""));
        Promise.all(faces).catch(() => {}).finally(() => removeRunDependency("mevara-fonts"));
    }
});

// For tests in a real browser: where to touch what a script would name, and the screen's
// dump (app/web/ScreenQueries.cpp).
Module["mevaraLocate"] = function (how, wanted, row) {
    const h = mevaraTextOut(how), w = mevaraTextOut(wanted);
    const out = Module["_mevara_locate"](h, w, row || 0);
    _free(h);
    _free(w);
    const text = UTF8ToString(out);
    _free(out);
    if (!text) return null;
    const [x, y] = text.split(",").map(Number);
    const box = mevaraScreen.canvas.getBoundingClientRect();
    return { x: box.left + x * mevaraScreen.pointScale, y: box.top + y * mevaraScreen.pointScale };
};
Module["mevaraDump"] = function () {
    const out = Module["_mevara_dump"]();
    const text = UTF8ToString(out);
    _free(out);
    return text;
};
