#pragma once
// Fetches one URL into one file over the platform's URL connection (callbacks on the main run
// loop), reporting the expected size, each received chunk and the outcome to its delegate.
// The transfer ends in exactly one of: finished, failed, or cancelled (no delegate call).

#include "platform/net/NSURLConnection.h"

#include <memory>
#include <string>

// Unretained by the downloader; told, in this order: the expected size, every chunk, then
// either the failure or the finish.
class DownloaderDelegate {
public:
    virtual ~DownloaderDelegate() = default;
    virtual void setCorrectTotal(int bytes) = 0;
    virtual void setUpgradeProgress(int bytes) = 0;
    virtual void downloadFailed() = 0;
    virtual void downloadFinished() = 0;
};

class Downloader : public NSURLConnectionDelegate, public std::enable_shared_from_this<Downloader> {
public:
    // How long the transfer may go without progress before it fails (8 s; tests shorten it).
    static double timeoutInterval();
    static void setTimeoutInterval(double seconds);

    // Starts fetching `url` into `file` (replaced). Null, with no file left behind, when the
    // file cannot be created (its errno in *fileError) or no connection results (*fileError 0).
    // The caller keeps the result alive for the transfer's life.
    static std::shared_ptr<Downloader> downloadURL(const std::string& url, const std::string& file,
                                                   DownloaderDelegate* delegate, int totalSize,
                                                   int* fileError = nullptr);
    ~Downloader() override;
    Downloader(const Downloader&) = delete;
    Downloader& operator=(const Downloader&) = delete;

    // Stops the transfer; no delegate call follows and the partial file stays.
    void cancelDownload();

    bool cancelled() const { return cancelled_; }
    bool finished() const { return finished_; }
    bool failed() const { return failed_; }
    // The transfer failed because the disk holding its file is full.
    bool diskFull() const { return diskFull_; }
    // Expected size: the value given, raised to the server's announced length when larger.
    int totalSize() const { return totalSize_; }
    int loadedBytes() const { return loadedBytes_; }
    int loadercycle() const { return loadercycle_; }

    void connectionDidReceiveResponse(NSURLConnection& connection, const NSHTTPURLResponse& response) override;
    void connectionDidReceiveData(NSURLConnection& connection, const std::vector<uint8_t>& data) override;
    void connectionDidFinishLoading(NSURLConnection& connection) override;
    void connectionDidFailWithError(NSURLConnection& connection, const NSError& error) override;

private:
    Downloader(const std::string& file, DownloaderDelegate* delegate, int totalSize);
    void closeOutput();
    // Ends the transfer as failed after a write to its file failed.
    void writeFailed();
    // Ends the transfer as failed: the connection stops, the file goes, the delegate is told.
    void fail();

    int totalSize_;
    std::string file_;
    DownloaderDelegate* app_;  // unretained
    int output_ = -1;
    bool finished_ = false;
    bool failed_ = false;
    bool cancelled_ = false;
    bool diskFull_ = false;
    int loadercycle_ = 0;
    int loadedBytes_ = 0;
    std::shared_ptr<NSURLConnection> urlConnection_;
};
