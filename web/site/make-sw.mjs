// Writes SITE/sw.js from sw.in.js: the list of every file in the site and a cache name
// from a hash of their contents and the worker's own text.
//   node make-sw.mjs SITE
import { createHash } from "node:crypto";
import { readdirSync, readFileSync, writeFileSync } from "node:fs";
import { join, relative, sep } from "node:path";

const site = process.argv[2];
if (!site) {
  process.stderr.write("usage: node make-sw.mjs SITE\n");
  process.exit(2);
}

function walk(folder) {
  return readdirSync(folder, { withFileTypes: true }).flatMap((entry) => {
    if (entry.name.startsWith(".")) return [];
    const path = join(folder, entry.name);
    return entry.isDirectory() ? walk(path) : [path];
  });
}

const template = readFileSync(new URL("./sw.in.js", import.meta.url), "utf8");
// Sorted by code unit, not locale: the same list and hash on every machine.
const files = walk(site)
  .map((path) => relative(site, path).split(sep).join("/"))
  .filter((file) => file !== "sw.js")
  .sort((a, b) => (a < b ? -1 : a > b ? 1 : 0));

const hash = createHash("sha256").update(template);
for (const file of files)
  hash.update(`${file}\0`).update(createHash("sha256").update(readFileSync(join(site, file))).digest());

const list = "[\n" + files.map((file) => `  ${JSON.stringify(encodeURI(file))},\n`).join("") + "]";
const worker = template
  .replace("@CACHE@", `mevara-${hash.digest("hex").slice(0, 16)}`)
  .replace("@FILES@", () => list);
writeFileSync(join(site, "sw.js"), worker);
