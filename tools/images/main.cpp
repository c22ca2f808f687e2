// lumeno-images: the program's images drawn from text, and a contact sheet to look them over.
//   lumeno-images names NAMES.txt FONT.ttf OUT_DIR
//     NAMES.txt holds the 114 chapter names, one a line, then the invocation. Writes, each also
//     at @2x: sname_N.png and sname_N-t.png (94 x 36), bismillah.png and bismillah2.png and the
//     font size previews preview<size>.png and _sel.png.
//   lumeno-images signs CONTENT.db OUT_DIR
//     The stop signs sign1.png to sign7.png (and @2x) from the content database's glyph images.
//   lumeno-images sheet OUT.png COLUMNS IMAGE.png...
//   lumeno-images pixels IN.png OUT.pixels
//     The image decoded, as the reader loads large images without decoding them.
#include "platform/graphics/ImageCodec.h"
#include "platform/graphics/PixelFile.h"
#include "tools/images/CalligraphyRenderer.h"
#include "tools/images/ContactSheet.h"
#include "tools/images/StopSignImages.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr InkStyle kSepia{0.36, 0.22, 0.08};
constexpr InkStyle kGold{0.97, 0.89, 0.66};
constexpr int kChapters = 114;

struct Job {
    std::string name;
    std::string text;
    int width, height;
    double padding;
    InkStyle ink;
    bool rosettes;
};

int renderNames(const std::string& namesPath, const std::string& fontPath, const std::string& outDir)
{
    std::ifstream in(namesPath);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty())
            lines.push_back(line);
    }
    if (lines.size() != kChapters + 1) {
        std::cerr << "lumeno-images: " << namesPath << " must hold " << kChapters
                  << " chapter names and the invocation, found " << lines.size() << " lines\n";
        return 1;
    }
    CalligraphyRenderer renderer(fontPath, "Amiri Quran");
    if (!renderer.ready()) {
        std::cerr << "lumeno-images: " << renderer.error() << "\n";
        return 1;
    }
    std::vector<Job> jobs;
    for (int n = 1; n <= kChapters; ++n) {
        const std::string base = "sname_" + std::to_string(n);
        jobs.push_back({base, lines[n - 1], 94, 36, 3, kSepia, false});
        jobs.push_back({base + "-t", lines[n - 1], 94, 36, 3, kGold, false});
    }
    jobs.push_back({"bismillah", lines[kChapters], 250, 50, 3, kSepia, false});
    jobs.push_back({"bismillah2", lines[kChapters], 250, 50, 3, kSepia, true});

    // The first two words of the invocation at five ink heights of a 44 point row.
    const std::string& invocation = lines[kChapters];
    const std::string twoWords = invocation.substr(0, invocation.find(' ', invocation.find(' ') + 1));
    const std::pair<const char*, double> previews[] = {{"small", 14}, {"normal", 20}, {"big", 26}, {"large", 32}, {"huge", 40}};
    for (const auto& [size, inkHeight] : previews) {
        const double padding = (44 - inkHeight) / 2;
        jobs.push_back({std::string("preview") + size, twoWords, 200, 44, padding, kSepia, false});
        jobs.push_back({std::string("preview") + size + "_sel", twoWords, 200, 44, padding, kGold, false});
    }
    for (const Job& job : jobs) {
        for (int scale : {1, 2}) {
            const std::string path = outDir + "/" + job.name + (scale == 2 ? "@2x" : "") + ".png";
            if (!renderer.render(job.text, job.width, job.height, job.padding, scale, job.ink, job.rosettes, path)) {
                std::cerr << "lumeno-images: " << renderer.error() << "\n";
                return 1;
            }
        }
    }
    return 0;
}

// The image decoded as the reader decodes it, kept as a pixel file.
bool writeDecoded(const std::string& png, const std::string& out, std::string& error)
{
    std::ifstream in(png, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        error = "cannot read " + png;
        return false;
    }
    CairoSurface surface = decodeImage(bytes.data(), bytes.size(), &error);
    if (!surface) {
        error = png + ": " + error;
        return false;
    }
    return writePixelFile(surface.get(), out, &error);
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "names")
        return renderNames(args[1], args[2], args[3]);
    if (args.size() == 3 && args[0] == "signs") {
        std::string error;
        if (!renderStopSigns(args[1], args[2], kSepia, error)) {
            std::cerr << "lumeno-images: " << error << "\n";
            return 1;
        }
        return 0;
    }
    if (args.size() >= 4 && args[0] == "sheet") {
        std::string error;
        const int columns = std::atoi(args[2].c_str());
        if (!ContactSheet::write({args.begin() + 3, args.end()}, columns, args[1], error)) {
            std::cerr << "lumeno-images: " << error << "\n";
            return 1;
        }
        return 0;
    }
    if (args.size() == 3 && args[0] == "pixels") {
        std::string error;
        if (!writeDecoded(args[1], args[2], error)) {
            std::cerr << "lumeno-images: " << error << "\n";
            return 1;
        }
        return 0;
    }
    std::cerr << "usage: lumeno-images names NAMES.txt FONT.ttf OUT_DIR\n"
                 "       lumeno-images signs CONTENT.db OUT_DIR\n"
                 "       lumeno-images sheet OUT.png COLUMNS IMAGE.png...\n"
                 "       lumeno-images pixels IN.png OUT.pixels\n";
    return 2;
}
