// lumeno-recitations: makes one chapter archive of the synthetic recitations.
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
                 "Prints the path of the chapter's archive, made in the cache folder when missing.\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
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
