// lumeno-render: draws verses through the glyph engine into one PNG.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/foundation/Paths.h"
#include "tools/render/VerseRenderer.h"

namespace {

int usage(const char* message) {
    if (message) std::fprintf(stderr, "lumeno-render: %s\n", message);
    std::fprintf(stderr,
                 "usage: lumeno-render --verse S:V [--to S:V] --resolution 0-9 --width POINTS\n"
                 "       [--tajweed all|none|ghunna,ikhfa,idgham,iqlab,qalqala] [--stop-signs]\n"
                 "       [--last-verse] [--db FILE] --out FILE.png\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    RenderOptions options;
    options.database = Paths::bundle() + "/lumeno.db";
    std::string out, tajweed = "none";
    bool haveVerse = false, haveTo = false, haveResolution = false, haveWidth = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--stop-signs") {
            options.switches.coloredStopSigns = true;
        } else if (arg == "--last-verse") {
            options.lastVerse = true;
        } else if (arg == "--help" || arg == "-h") {
            return usage(nullptr);
        } else {
            const char* v = value();
            if (!v) return usage(("missing value for " + arg).c_str());
            if (arg == "--verse") {
                if (!parseVerseRef(v, options.fromSurah, options.fromVerse)) return usage("bad --verse");
                haveVerse = true;
            } else if (arg == "--to") {
                if (!parseVerseRef(v, options.toSurah, options.toVerse)) return usage("bad --to");
                haveTo = true;
            } else if (arg == "--resolution") {
                char* end = nullptr;
                const long r = std::strtol(v, &end, 10);
                if (*end || r < 0 || r > 9) return usage("--resolution must be 0-9");
                options.resolution = static_cast<uint32_t>(r);
                haveResolution = true;
            } else if (arg == "--width") {
                char* end = nullptr;
                const long w = std::strtol(v, &end, 10);
                if (*end || w <= 0) return usage("bad --width");
                options.width = static_cast<int>(w);
                haveWidth = true;
            } else if (arg == "--tajweed") {
                tajweed = v;
            } else if (arg == "--db") {
                options.database = v;
            } else if (arg == "--out") {
                out = v;
            } else {
                return usage(("unknown option " + arg).c_str());
            }
        }
    }
    if (!haveVerse || !haveResolution || !haveWidth || out.empty()) return usage("missing a required option");
    if (!haveTo) {
        options.toSurah = options.fromSurah;
        options.toVerse = options.fromVerse;
    }
    std::string error;
    if (!parseTajweedList(tajweed, options.switches, error)) return usage(error.c_str());
    UIImagePtr image = renderVerses(options, error);
    if (!image) {
        std::fprintf(stderr, "lumeno-render: %s\n", error.c_str());
        return 1;
    }
    if (!UIImageWritePNGToFile(*image, out)) {
        std::fprintf(stderr, "lumeno-render: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
