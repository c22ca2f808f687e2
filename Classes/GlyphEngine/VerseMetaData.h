#pragma once
// Line layout of one verse at one width.

#include <cstdint>
#include <vector>

class VerseMetaData {
public:
    VerseMetaData(int verse, int width);

    // Clears the lines and labels the record again.
    void Init(int verse, int width);

    long lastAccessTime() const { return lastAccessTime_; }
    int lastWidthCalculated() const { return lastWidthCalculated_; }
    int verse() const { return verse_; }

    struct Line {
        int start = 0;          // index of the line's first byte
        int length = 0;         // index of its last byte minus start
        int kashidaCount = 0;   // kashida places the line offers
        int actualWidth = 0;    // width of its glyphs, with the 5-point lead-in
        int startY = 0;         // top of its letters, from the top of the verse image
    };

    // The lines; grows as layout needs, so no verse can overrun it.
    std::vector<Line>& lines() { return lines_; }
    const std::vector<Line>& lines() const { return lines_; }
    int lineCount() const { return static_cast<int>(lines_.size()); }

    // The packed form of a line entry: (start << 10) | length.
    static int32_t packedIndex(const Line& line) { return (line.start << 10) | (line.length & 0x3ff); }

private:
    long lastAccessTime_ = 0;
    int lastWidthCalculated_ = 0;
    int verse_ = 0;
    std::vector<Line> lines_;
};
