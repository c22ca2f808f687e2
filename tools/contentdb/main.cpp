// contentdb-builder: builds lumeno.db and lumenodyn.db from the pinned text packages and the
// Amiri Quran font, and (with --write-sources) regenerates the checked-in C++ tables.
#include "tools/contentdb/ContentDatabase.h"
#include "tools/contentdb/GlyphRenderer.h"
#include "tools/contentdb/GlyphSheet.h"
#include "tools/contentdb/QuranSources.h"
#include "tools/contentdb/SourceWriter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <sys/stat.h>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: contentdb-builder --quran-json DIR --meta FILE [--font FILE] [--content OUT.db]\n"
                 "                         [--user OUT.db] [--write-sources REPOSITORY]\n"
                 "                         [--sheet OUT.png [--sheet-style 0-9]]\n");
    return 2;
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "contentdb-builder: error: %s\n", message.c_str());
    return 1;
}

bool isFile(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

int main(int argc, char** argv)
{
    std::map<std::string, std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string key = argv[i];
        if (key.rfind("--", 0) != 0 || i + 1 >= argc)
            return usage();
        args[key] = argv[++i];
    }
    for (const auto& [key, value] : args) {
        if (key != "--quran-json" && key != "--meta" && key != "--font" && key != "--content" && key != "--user" &&
            key != "--write-sources" && key != "--sheet" && key != "--sheet-style")
            return usage();
    }
    if (!args.count("--meta") || (!args.count("--content") && !args.count("--write-sources") && !args.count("--user") &&
                                 !args.count("--sheet")))
        return usage();
    auto started = std::chrono::steady_clock::now();
    std::string error;

    if (args.count("--user")) {
        if (!ContentDatabase::buildUserTemplate(args["--user"], error))
            return fail(error);
    }

    QuranMeta meta;
    if (!isFile(args["--meta"]))
        return fail("division data " + args["--meta"] + " is missing (is quran-meta installed? run scripts/setup)");
    if (!QuranSources::loadMeta(args["--meta"], meta, error))
        return fail(error);

    std::string font = args.count("--font") ? args["--font"] : GlyphRenderer::findAmiriQuran();
    if (args.count("--font") && !isFile(font))
        return fail("the font file " + font + " does not exist");
    if (font.empty())
        return fail("the Amiri Quran font (AmiriQuran.ttf, Debian package fonts-hosny-amiri) is not installed");
    auto renderer = GlyphRenderer::open(font, error);
    if (!renderer)
        return fail(error);

    if (args.count("--sheet")) {
        int style = args.count("--sheet-style") ? std::atoi(args["--sheet-style"].c_str()) : 0;
        std::vector<GlyphImage> images;
        GlyphMetrics metrics;
        if (!renderer->renderStyle(style, images, metrics, error) ||
            !GlyphSheet::write(style, images, metrics, args["--sheet"], error))
            return fail(error);
    }

    if (args.count("--write-sources")) {
        const std::string root = args["--write-sources"];
        std::vector<GlyphMetrics> sets;
        for (int style : {0, 1, 6, 2, 3, 4}) {
            std::vector<GlyphImage> images;
            GlyphMetrics metrics;
            if (!renderer->renderStyle(style, images, metrics, error))
                return fail(error);
            sets.push_back(metrics);
        }
        if (!SourceWriter::writeIfChanged(root + "/Classes/Core/QuranReferenceTables.h",
                                          SourceWriter::referenceTablesHeader(), error) ||
            !SourceWriter::writeIfChanged(root + "/Classes/Core/QuranReferenceTables.cpp",
                                          SourceWriter::referenceTablesSource(meta), error) ||
            !SourceWriter::writeIfChanged(root + "/Classes/GlyphEngine/GlyphMetricsTables.h",
                                          SourceWriter::glyphMetricsHeader(), error) ||
            !SourceWriter::writeIfChanged(root + "/Classes/GlyphEngine/GlyphMetricsTables.cpp",
                                          SourceWriter::glyphMetricsSource(sets), error))
            return fail(error);
    }

    if (args.count("--content")) {
        if (!args.count("--quran-json"))
            return usage();
        ContentInputs inputs;
        inputs.quranJsonDir = args["--quran-json"];
        if (!isFile(inputs.quranJsonDir + "/quran.json"))
            return fail("quran-json is missing: no " + inputs.quranJsonDir + "/quran.json (run scripts/setup)");
        inputs.meta = meta;
        inputs.renderer = renderer.get();
        if (!ContentDatabase::build(inputs, args["--content"], error))
            return fail(error);
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("contentdb-builder: done in %.1f s\n", seconds);
    return 0;
}
