// Shared by the platform's JavaScript halves (EM_JS): a string handed back to C++ as
// UTF-8 in memory from _malloc, which the C++ side frees (web::takeJsText).
function mevaraTextOut(text) {
    const length = lengthBytesUTF8(text) + 1;
    const out = _malloc(length);
    stringToUTF8(text, out, length);
    return out;
}
