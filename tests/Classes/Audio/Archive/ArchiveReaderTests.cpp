// gzip decompression and ustar extraction of chapter archives, including hostile and damaged ones.

#include "Classes/Audio/Archive/Gunzip.h"
#include "Classes/Audio/Archive/TarExtract.h"
#include "tests/Classes/Audio/ArchiveFixture.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "tests/support/FullDisk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using archive::Bytes;
using archive::Member;

namespace {

struct Extraction {
    int result = 0;
    std::vector<std::string> warnings;
};

// Writes the archive to a file, extracts it into <temp>/sandbox/out and reports what happened.
Extraction extract(const Bytes& tar) {
    const fs::path sandbox = fs::path(Paths::temp()) / "sandbox";
    fs::remove_all(sandbox);
    fs::create_directories(sandbox);
    const std::string tarPath = (sandbox / "2.tar").string();
    archive::write(tarPath, tar);
    archive::write((sandbox / "2.tar.gz").string(), archive::bytesOf("compressed"));
    LogCapture log;
    FILE* in = std::fopen(tarPath.c_str(), "rb");
    Extraction e;
    e.result = tar_extract(in, (sandbox / "2.tar.gz").string(), (sandbox / "out").string());
    std::fclose(in);
    e.warnings = log.lines();
    return e;
}

fs::path outFolder() { return fs::path(Paths::temp()) / "sandbox" / "out"; }

Bytes contents(const fs::path& path) {
    Bytes data;
    EXPECT_TRUE(archive::read(path.string(), &data)) << path;
    return data;
}

// Every regular file below the sandbox other than the archive files, relative to it.
std::vector<std::string> writtenFiles() {
    std::vector<std::string> files;
    const fs::path sandbox = fs::path(Paths::temp()) / "sandbox";
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(Paths::temp())))
        if (entry.is_regular_file() && entry.path().parent_path() != sandbox)
            files.push_back(fs::relative(entry.path(), sandbox).string());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(TarExtract, MembersOfEverySizeComeOutWholeAndTheArchiveIsDeleted) {
    const std::vector<Member> members = {
        {"002000.mp3", archive::pattern(1, 1)},    {"002001.mp3", archive::pattern(512, 2)},
        {"002002.mp3", archive::pattern(513, 3)},  {"002003.mp3", archive::pattern(70000, 4)},
        {"002004.mp3", {}},                         {"sub/", {}, '5'},
        {"sub/002005.mp3", archive::pattern(9, 5)}, {"name with space.mp3", archive::pattern(10, 6)},
    };
    Extraction e = extract(archive::tar(members));
    ASSERT_EQ(e.result, 0);
    EXPECT_TRUE(e.warnings.empty()) << e.warnings.front();
    for (const Member& m : members) {
        if (m.typeflag == '5') {
            EXPECT_TRUE(fs::is_directory(outFolder() / m.name));
        } else if (m.name.find(' ') == std::string::npos) {
            EXPECT_EQ(contents(outFolder() / m.name), m.data) << m.name;
            EXPECT_EQ(fs::status(outFolder() / m.name).permissions() & fs::perms::all,
                      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
        }
    }
    EXPECT_EQ(contents(outFolder() / "name"), archive::pattern(10, 6));  // cut at the space
    EXPECT_FALSE(fs::exists(fs::path(Paths::temp()) / "sandbox" / "2.tar.gz"));
}

TEST(TarExtract, EndOfArchiveChecksWarnOrFail) {
    const Bytes whole = archive::tar({{"001001.mp3", archive::pattern(100, 1)}});
    ASSERT_EQ(whole.size(), 10240u);

    Extraction unpadded = extract(archive::tar({{"001001.mp3", archive::pattern(100, 1)}}, 2, false));
    EXPECT_EQ(unpadded.result, 0);
    EXPECT_EQ(unpadded.warnings, std::vector<std::string>{"tar: not eough padding blocks at the end"});

    Bytes oneEndBlockThenData = whole;
    oneEndBlockThenData[1024 + 512] = 1;  // the second end block is not empty
    Extraction dirty = extract(oneEndBlockThenData);
    EXPECT_EQ(dirty.result, 0);
    EXPECT_EQ(dirty.warnings, std::vector<std::string>{"tar: not enough zero blocks"});

    Extraction cutAfterFirstEnd = extract(Bytes(whole.begin(), whole.begin() + 1024 + 512));
    EXPECT_EQ(cutAfterFirstEnd.result, -1);
    EXPECT_EQ(cutAfterFirstEnd.warnings, std::vector<std::string>{"tar: zero blocks not found"});

    Extraction noEndBlock = extract(Bytes(whole.begin(), whole.begin() + 1024));
    EXPECT_EQ(noEndBlock.result, -1);
    EXPECT_EQ(contents(outFolder() / "001001.mp3"), archive::pattern(100, 1));  // written before the end
}

TEST(TarExtract, DamagedOrHostileArchivesFailAndWriteNothingOutsideTheFolder) {
    struct Case {
        const char* what;
        std::function<Bytes()> build;
    };
    const Bytes clip = archive::pattern(700, 9);
    auto single = [&](Member m) { return archive::tar({{"001000.mp3", clip}, m}); };
    const std::vector<Case> cases = {
        {"unknown type '1'", [&] { return single({"001001.mp3", clip, '1'}); }},
        {"symbolic link", [&] { return single({"001001.mp3", clip, '2'}); }},
        {"old-style NUL type", [&] { return single({"001001.mp3", clip, '\0'}); }},
        {"bad checksum", [&] { return single({"001001.mp3", clip, '0', "", 1}); }},
        {"name with ../", [&] { return single({"../escaped.mp3", clip}); }},
        {"name with inner ..", [&] { return single({"sub/../../escaped.mp3", clip}); }},
        {"absolute name", [&] {
             return single({(fs::path(Paths::temp()) / "escaped.mp3").string(), clip});
         }},
        {"100-byte name without NUL", [&] { return single({"", clip, '0', "", 0, true}); }},
        {"size beyond the file", [&] { return single({"001001.mp3", clip, '0', "00000077777"}); }},
        {"size beyond the cap", [&] { return single({"001001.mp3", clip, '0', "77777777777"}); }},
        {"size that is not octal", [&] { return single({"001001.mp3", clip, '0', "0000000128"}); }},
        {"size in base 256", [&] { return single({"001001.mp3", clip, '0', "\x80\0\0\0\0\0\0\0\0\0\x02\0"}); }},
        {"truncated last block", [&] {
             Bytes t = single({"001001.mp3", clip});
             t.resize(512 * 4 + 100);  // inside the second member's data
             return t;
         }},
    };
    for (const Case& c : cases) {
        Extraction e = extract(c.build());
        EXPECT_EQ(e.result, -1) << c.what;
        for (const std::string& file : writtenFiles())
            EXPECT_EQ(file.rfind("out/", 0), 0u) << c.what << ": " << file;
        EXPECT_FALSE(fs::exists(fs::path(Paths::temp()) / "escaped.mp3")) << c.what;
        // The archive is kept when the extraction failed.
        EXPECT_TRUE(fs::exists(fs::path(Paths::temp()) / "sandbox" / "2.tar.gz")) << c.what;
    }
}

TEST(TarExtract, ChecksumFieldMayEndInSpacesOrNuls) {
    Bytes tar = archive::tar({{"001001.mp3", archive::pattern(5, 1)}});
    // "006543\0 " -> "006543  " and "006543\0\0": the value is unchanged.
    tar[154] = ' ';
    EXPECT_EQ(extract(tar).result, 0);
    tar[154] = 0;
    tar[155] = 0;
    // The checksum counts the field as spaces, so changing its padding changes nothing else.
    EXPECT_EQ(extract(tar).result, 0);
    tar[10] = 'x';  // any other byte altered
    EXPECT_EQ(extract(tar).result, -1);
}

namespace {

struct GzipFiles {
    fs::path folder = fs::path(Paths::temp()) / "gz";
    GzipFiles() {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    std::string path(const char* name) const { return (folder / name).string(); }
};

}  // namespace

TEST(Gunzip, DecompressesInPlaceByEitherName) {
    GzipFiles files;
    const Bytes tar = archive::tar({{"002001.mp3", archive::pattern(40000, 1)}});
    archive::write(files.path("2.tar.gz"), archive::gzip(tar));
    ASSERT_TRUE(gunzip_file(files.path("2.tar.gz")));
    EXPECT_EQ(contents(files.path("2.tar")), tar);
    EXPECT_FALSE(fs::exists(files.path("2.tar.gz")));

    archive::write(files.path("3.tar.gz"), archive::gzip(archive::pattern(100000, 2), 1));
    ASSERT_TRUE(gunzip_file(files.path("3.tar")));
    EXPECT_EQ(contents(files.path("3.tar")), archive::pattern(100000, 2));
    EXPECT_FALSE(fs::exists(files.path("3.tar.gz")));
}

TEST(Gunzip, DamagedInputFailsAndKeepsTheCompressedFile) {
    const Bytes good = archive::gzip(archive::pattern(200000, 3));
    struct Case {
        const char* what;
        Bytes input;
        const char* message;
    };
    Bytes corrupt = good;
    for (size_t i = 100; i < 160; ++i) corrupt[i] ^= 0x5a;
    Bytes badCrc = good;
    badCrc[badCrc.size() - 6] ^= 1;
    const std::vector<Case> cases = {
        {"corrupt", corrupt, "gunzip: "},
        {"truncated", Bytes(good.begin(), good.begin() + good.size() / 2), "gunzip: "},
        {"truncated trailer", Bytes(good.begin(), good.end() - 3), "gunzip: "},
        {"bad check value", badCrc, "gunzip: "},
        {"not gzip", archive::bytesOf("<html>404 Not Found</html>"), "gunzip: not in gzip format"},
    };
    for (const Case& c : cases) {
        GzipFiles files;
        archive::write(files.path("2.tar.gz"), c.input);
        LogCapture log;
        EXPECT_FALSE(gunzip_file(files.path("2.tar.gz"))) << c.what;
        EXPECT_TRUE(log.contains(c.message)) << c.what;
        EXPECT_TRUE(fs::exists(files.path("2.tar.gz"))) << c.what;
        EXPECT_FALSE(fs::exists(files.path("2.tar"))) << c.what;  // no partial output stays
    }
    GzipFiles files;
    LogCapture log;
    EXPECT_FALSE(gunzip_file(files.path("9.tar.gz")));
    EXPECT_TRUE(log.contains("gunzip: can't gzopen " + files.path("9.tar.gz")));
}

TEST(Gunzip, ABombStopsAtItsBoundAndLeavesNoOutput) {
    constexpr long long kBound = 1024 * 1024;
    // 64 MB of zeros in about 64 kB.
    const Bytes bomb = archive::gzip(Bytes(64 * 1024 * 1024, 0), 9);
    ASSERT_LT(bomb.size(), 100u * 1024);

    // The stream copies no byte past the bound.
    GzipFiles files;
    archive::write(files.path("2.tar.gz"), bomb);
    const int out = memfd_create("gunzip-output", MFD_CLOEXEC);
    ASSERT_GE(out, 0);
    const int copy = dup(out);  // the stream closes its own
    ArchiveError why = ArchiveError::none;
    EXPECT_FALSE(gunzip_stream(gzopen(files.path("2.tar.gz").c_str(), "rb"), out, kBound, &why));
    EXPECT_EQ(why, ArchiveError::tooLarge);
    struct stat copied {};
    ASSERT_EQ(fstat(copy, &copied), 0);
    EXPECT_LE(copied.st_size, kBound);
    close(copy);

    LogCapture log;
    EXPECT_FALSE(gunzip_file(files.path("2.tar.gz"), kBound, &why));
    EXPECT_EQ(why, ArchiveError::tooLarge);
    EXPECT_TRUE(log.contains("gunzip: the output passes 1048576 bytes"));
    EXPECT_FALSE(fs::exists(files.path("2.tar")));
    EXPECT_TRUE(fs::exists(files.path("2.tar.gz")));

    // Within the bound the same file decompresses.
    const Bytes small = archive::gzip(Bytes(kBound, 0), 9);
    archive::write(files.path("3.tar.gz"), small);
    EXPECT_TRUE(gunzip_file(files.path("3.tar.gz"), kBound, &why));
    EXPECT_EQ(why, ArchiveError::none);
}

TEST(ArchiveWrites, AFullDiskIsToldApartFromADamagedArchive) {
    GzipFiles files;
    const Bytes tar = archive::tar({{"002001.mp3", archive::pattern(400000, 1)}});
    archive::write(files.path("2.tar.gz"), archive::gzip(tar));
    ArchiveError why = ArchiveError::none;
    {
        FullDisk full(files.folder.string());
        EXPECT_FALSE(gunzip_file(files.path("2.tar.gz"), kGunzipUnbounded, &why));
        EXPECT_GT(full.refusedWrites(), 0);
    }
    EXPECT_EQ(why, ArchiveError::diskFull);
    EXPECT_FALSE(fs::exists(files.path("2.tar")));

    archive::write(files.path("2.tar"), tar);
    FILE* in = std::fopen(files.path("2.tar").c_str(), "rb");
    {
        FullDisk full((files.folder / "out").string());
        fs::create_directories(files.folder / "out");
        EXPECT_EQ(tar_extract(in, "", (files.folder / "out").string(), &why), -1);
    }
    std::fclose(in);
    EXPECT_EQ(why, ArchiveError::diskFull);

    // A short archive is damaged, not a full disk.
    archive::write(files.path("2.tar"), Bytes(tar.begin(), tar.begin() + 4096));
    in = std::fopen(files.path("2.tar").c_str(), "rb");
    EXPECT_EQ(tar_extract(in, "", (files.folder / "out").string(), &why), -1);
    std::fclose(in);
    EXPECT_EQ(why, ArchiveError::damaged);
}
