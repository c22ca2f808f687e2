// The paths the demo mirror answers, and the requests it refuses.
#include "tools/mirror/MirrorRequest.h"

#include <gtest/gtest.h>

TEST(MirrorRequest, ArchivePathsNameAKindAFolderWithRecitationsAndAChapter)
{
    using Kind = RecitationArchiver::Kind;
    const struct {
        const char* path;
        Kind kind;
        int folder;
        int surah;
    } archives[] = {
        {"/downloads/iphone/audioCont/7/002.tar.gz", Kind::Continuous, 7, 2},
        {"/downloads/iphone/audiov2.2/0/114.tar.gz", Kind::PerVerse, 0, 114},
    };
    for (const auto& c : archives) {
        const auto parsed = MirrorRequest::parseArchivePath(c.path);
        ASSERT_TRUE(parsed.has_value()) << c.path;
        EXPECT_EQ(parsed->kind, c.kind) << c.path;
        EXPECT_EQ(parsed->folder, c.folder) << c.path;
        EXPECT_EQ(parsed->surah, c.surah) << c.path;
    }
    for (const char* path : {
             "/downloads/iphone/audioCont/1/002.tar.gz",  // reciter 1's archives live in folder 7
             "/downloads/iphone/audioCont/9/002.tar.gz",
             "/downloads/iphone/audioCont/7/000.tar.gz",
             "/downloads/iphone/audioCont/7/115.tar.gz",
             "/downloads/iphone/audioCont/7/2.tar.gz",
             "/downloads/iphone/audioCont/7/002.tar",
             "/downloads/iphone/audioCont/7/002.tar.gz?x=1",
             "/downloads/iphone/audio/7/002.tar.gz",
             "/downloads/iphone/audioCont/07/002.tar.gz",
             "/downloads/iphone/audioCont/7/../002.tar.gz",
             "/downloads/iphone/audioCont/7",
             "/",
         })
        EXPECT_FALSE(MirrorRequest::parseArchivePath(path).has_value()) << path;
}

TEST(MirrorRequest, RequestLinesNeedAMethodAnAbsolutePathAndTheProtocol)
{
    auto line = MirrorRequest::parseRequestLine("GET /a/b HTTP/1.1\r\nHost: x\r\n\r\n");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->method, "GET");
    EXPECT_EQ(line->path, "/a/b");
    for (const char* bad : {"", "GET", "GET /a", "GET  HTTP/1.1", " /a HTTP/1.1", "GET a HTTP/1.1", "GET /a FTP/1"})
        EXPECT_FALSE(MirrorRequest::parseRequestLine(bad)) << bad;
}
