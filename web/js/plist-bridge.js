// Property lists for the browser build through the `plist` package: reading to flat
// entries the C++ side turns into its dictionary, writing in the desktop's exact form.
import { build, parse, parseBinary } from "plist";

// One entry per key of a dictionary at the top: [key, type, value] with the types
// "s" text, "i" integer (as text, so large ones keep their digits), "r" real, "b" flag
// and "d" date (milliseconds). Other values are dropped, as on the desktop. Null when the
// bytes hold no dictionary.
function read(bytes, binary) {
    let root;
    // A damaged file is an expected case (it is kept aside), not an error for the console,
    // where the XML parser would otherwise report it.
    const { error, warn, log } = console;
    console.error = console.warn = console.log = () => {};
    try {
        root = binary ? parseBinary(bytes) : parse(new TextDecoder("utf-8").decode(bytes));
        if (binary && Array.isArray(root)) root = root[0];
    } catch (e) {
        return null;
    } finally {
        console.error = error;
        console.warn = warn;
        console.log = log;
    }
    if (root === null || typeof root !== "object" || Array.isArray(root) || root instanceof Date ||
        ArrayBuffer.isView(root))
        return null;
    const entries = [];
    for (const [key, value] of Object.entries(root)) {
        if (typeof value === "string") {
            // The desktop's reader keeps nothing after a NUL.
            const nul = value.indexOf("\u0000");
            entries.push([key, "s", nul < 0 ? value : value.slice(0, nul)]);
        } else if (typeof value === "bigint") {
            entries.push([key, "i", value.toString()]);
        } else if (typeof value === "number") {
            if (Number.isInteger(value)) entries.push([key, "i", String(value)]);
            else entries.push([key, "r", value]);
        } else if (typeof value === "boolean") {
            entries.push([key, "b", value]);
        } else if (value instanceof Date && !Number.isNaN(value.getTime())) {
            entries.push([key, "d", value.getTime()]);
        }
    }
    return entries;
}

// Entries as `read` gives them, in key order, to the XML the desktop writes.
function write(entries) {
    const root = {};
    for (const [key, type, value] of entries) {
        if (type === "s") root[key] = value;
        else if (type === "i") root[key] = BigInt(value);
        else if (type === "r") root[key] = value;
        else if (type === "b") root[key] = value;
        else if (type === "d") root[key] = new Date(value);
    }
    // The desktop's writer: tabs, the dictionary flush with <plist>, empty texts spelt
    // out, a line break at the end.
    const xml = build(root, { pretty: true, indent: "\t", offset: -1 });
    return xml.replaceAll("<string/>", "<string></string>") + "\n";
}

globalThis.mevaraPlist = { read, write };
