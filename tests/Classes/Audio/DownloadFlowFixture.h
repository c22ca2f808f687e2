#pragma once
// The launched program with the real chapter index and reading screen, headless on the virtual
// clock, fetching from a demo mirror this fixture starts on loopback; fresh settings, user
// database and caches for every test. Records the download notifications.

#include <memory>
#include <string>
#include <vector>

#include "Classes/Index/IndexViewController.h"
#include "Classes/Reading/SurahViewController.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "tests/Classes/App/ShellFixture.h"
#include "tests/support/DemoMirrorProcess.h"

class DownloadFlowTest : public ShellTest {
public:
    static constexpr int kReciter = 2;

protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a mirror with the failure switch and points every mirror setting at it.
    void startMirror(const std::string& failure = "none");
    // Launches the program and lets its first screens settle.
    void launchProgram();
    void settle(double ms = 700);
    // Runs the loop (real waits for the transfer and the installer) until the condition holds.
    bool waitFor(const std::function<bool()>& condition, double realSeconds = 90);
    // Until no download runs and the installer's worker has reported its end.
    bool waitForDownloadEnd();

    IndexViewController& indexScreen() const;
    SurahViewController& reading() const { return *indexScreen().thisSurahController(); }
    // The visible action sheet with the tag, or null.
    UIActionSheet* sheet(long tag) const;
    // A finger on a button of a sheet, or in the middle of a view.
    void tapSheetButton(UIActionSheet& sheet, int index, bool settleAfter = true);
    void tapView(UIView& view);
    // Marks chapters installed for a reciter without audio (the run over all chapters skips them).
    void markInstalled(int from, int to, int reciter);
    int count(const std::string& notification) const;
    // Chapters the download notifications announced, in order.
    const std::vector<int>& begun() const { return begun_; }
    // The mirror number each of them used.
    const std::vector<int>& servers() const { return servers_; }

    std::unique_ptr<DemoMirrorProcess> mirror;

private:
    std::vector<std::string> posted_;
    std::vector<int> begun_, servers_;
};
