#pragma once
// The reading screen on a headless phone with the content database and a fresh user
// database, the virtual clock and synthetic touches.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reading/SurahVerseView.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/ui/UIWindow.h"

// Counts what the verse options panel would be asked to show.
class CountingSurahViewController : public SurahViewController {
public:
    void showDialControlForVerseCell(SurahViewCell* cell, SurahVerseView* row, UITableView* table, int verse,
                                     int surah) override {
        ++dialRequests;
        lastDialVerse = verse;
        SurahViewController::showDialControlForVerseCell(cell, row, table, verse, surah);
    }
    void showNotesViewForVerse(int verse) override { notesRequests.push_back(verse); }
    int dialRequests = 0;
    std::vector<int> notesRequests;
    int lastDialVerse = 0;
};

class ReadingTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual double scale() const { return 1; }
    // Turns the device into a tablet with a new window (the phone comes back at tear-down).
    void useTablet();

    // Chooses the translation and opens the chapter at the verse as the chapter index does.
    void open(int surah, int verse, int translation);
    // The row view shown for a verse's Arabic row (null when it is off screen).
    SurahVerseView* arabicRow(int verse);
    SurahVerseView* translationRow(int verse);
    // The verse whose row is at the top of the table's visible area.
    int topVerse();
    // A point in display coordinates inside the Arabic row of a visible verse.
    CGPoint pointInRow(int verse, double dx = 200, double dy = 20);

    HeadlessBackend backend;
    std::shared_ptr<UIWindow> window;
    std::unique_ptr<LumenoSDKAppDelegate> app;
    std::shared_ptr<CountingSurahViewController> screen;
};

// Colour components 0..255 of a view's background.
struct RGBA {
    int r, g, b;
    double a;
};
RGBA backgroundOf(const UIView& view);
