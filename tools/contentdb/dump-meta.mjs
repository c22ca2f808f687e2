// Writes the Hafs division data of quran-meta as plain JSON for the builder.
// Usage: node dump-meta.mjs OUT.json
import { writeFileSync } from "node:fs";

let meta;
try {
  meta = await import("quran-meta/hafs");
} catch (error) {
  console.error("quran-meta is not installed: run scripts/setup (npm ci in tools/contentdb)");
  process.exit(1);
}

const toRef = (ayahId) => meta.findSurahAyahByAyahId(ayahId);
const starts = (list, count) => list.slice(1, count + 1).map(toRef);

const out = {
  surahs: meta.SurahList.slice(1, 115).map((s) => ({ verses: s[1], order: s[2] })),
  quarters: starts(meta.HizbQuarterList, 240),
  juz: starts(meta.JuzList, 30),
  sajda: meta.SajdaList.map((s) => toRef(Array.isArray(s) ? s[0] : s)),
};
if (out.surahs.length !== 114 || out.quarters.length !== 240 || out.juz.length !== 30) {
  console.error("quran-meta: unexpected list sizes");
  process.exit(1);
}
writeFileSync(process.argv[2], JSON.stringify(out));
