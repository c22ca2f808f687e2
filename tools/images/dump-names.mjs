// Writes the Arabic chapter names of quran-meta, one a line (chapter 1 first), then the
// invocation as the text of the first verse of chapter 1.
// Usage: node dump-names.mjs OUT.txt
import { readFileSync, writeFileSync } from "node:fs";

const modules = new URL("../contentdb/node_modules/", import.meta.url);
let meta;
try {
  meta = await import(new URL("quran-meta/dist/hafs.js", modules));
} catch (error) {
  console.error("quran-meta is not installed: run scripts/setup (npm ci in tools/contentdb)");
  process.exit(1);
}
const names = meta.SurahList.slice(1, 115).map((s) => s[4]);
let opening;
try {
  opening = JSON.parse(readFileSync(new URL("quran-json/dist/chapters/1.json", modules), "utf8"));
} catch (error) {
  console.error("quran-json is not installed: run scripts/setup (npm ci in tools/contentdb)");
  process.exit(1);
}
const invocation = opening.verses?.[0]?.text;
if (names.length !== 114 || names.some((n) => typeof n !== "string" || !n) || !invocation) {
  console.error("quran-meta: unexpected chapter list");
  process.exit(1);
}
writeFileSync(process.argv[2], [...names, invocation].join("\n") + "\n");
