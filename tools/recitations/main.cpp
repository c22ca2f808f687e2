// lumeno-recitations: makes one chapter archive of the synthetic recitations, or recordings of
// single verses (the Tajweed rules' examples).
#include "tools/recitations/RecitationArchiver.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: lumeno-recitations --content lumeno.db --cache DIR --kind audioCont|audiov2.2\n"
                 "                          --folder 0|2-8 --chapter 1-114\n"
                 "Prints the path of the chapter's archive, made in the cache folder when missing.\n"
                 "       lumeno-recitations --content lumeno.db --examples DIR NAME:CHAPTER:VERSE...\n"
                 "Writes DIR/NAME.mp3 for each verse, recited alone in the second reciter's voice.\n");
    return 2;
}

// Recordings of single verses, each "name:chapter:verse", into a folder.
int recordExamples(const std::string& content, const std::string& dir, char** specs, int count)
{
    std::string error;
    auto archiver = RecitationArchiver::open(content, dir, error);
    if (!archiver) {
        std::fprintf(stderr, "lumeno-recitations: error: %s\n", error.c_str());
        return 1;
    }
    constexpr int kExampleFolder = 2;
    for (int i = 0; i < count; ++i) {
        char name[64] = {};
        int chapter = 0, verse = 0;
        if (std::sscanf(specs[i], "%63[^:]:%d:%d", name, &chapter, &verse) != 3)
            return usage();
        if (!archiver->recordVerse(kExampleFolder, chapter, verse, dir + "/" + name + ".mp3", error)) {
            std::fprintf(stderr, "lumeno-recitations: error: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 6 && std::string(argv[1]) == "--content" && std::string(argv[3]) == "--examples")
        return recordExamples(argv[2], argv[4], argv + 5, argc - 5);
    std::map<std::string, std::string> args;
    for (int i = 1; i + 1 < argc; i += 2)
        args[argv[i]] = argv[i + 1];
    if (argc % 2 == 0 || args.size() != 5 || !args.count("--content") || !args.count("--cache") ||
        !args.count("--kind") || !args.count("--folder") || !args.count("--chapter"))
        return usage();
    auto kind = RecitationArchiver::kindNamed(args["--kind"]);
    const int folder = std::atoi(args["--folder"].c_str());
    const int chapter = std::atoi(args["--chapter"].c_str());
    if (!kind || folder < 0 || folder > 8 || folder == 1)
        return usage();
    std::string error;
    auto archiver = RecitationArchiver::open(args["--content"], args["--cache"], error);
    std::string path = archiver ? archiver->archivePath(*kind, folder, chapter, error) : std::string();
    if (path.empty()) {
        std::fprintf(stderr, "lumeno-recitations: error: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", path.c_str());
    return 0;
}
