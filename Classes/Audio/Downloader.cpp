#include "Classes/Audio/Downloader.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <cstdlib>

namespace {

double transferTimeout = 8.0;

// The announced length: the response's, else a readable "Content-Length" header, else -1.
long long announcedLength(const NSHTTPURLResponse& response) {
    long long length = response.expectedContentLength();
    if (length > 0) return length;
    const std::string header = response.valueForHTTPHeaderField("Content-Length");
    if (header.empty()) return length;
    char* end = nullptr;
    long long value = std::strtoll(header.c_str(), &end, 10);
    return end && *end == '\0' ? value : length;
}

}  // namespace

double Downloader::timeoutInterval() { return transferTimeout; }

void Downloader::setTimeoutInterval(double seconds) { transferTimeout = seconds; }

Downloader::Downloader(const std::string& file, DownloaderDelegate* delegate, int totalSize)
    : totalSize_(totalSize), file_(file), app_(delegate) {}

Downloader::~Downloader() {
    if (urlConnection_) urlConnection_->cancel();
    closeOutput();
}

std::shared_ptr<Downloader> Downloader::downloadURL(const std::string& url, const std::string& file,
                                                    DownloaderDelegate* delegate, int totalSize, int* fileError) {
    if (fileError) *fileError = 0;
    std::shared_ptr<Downloader> downloader(new Downloader(file, delegate, totalSize));
    downloader->output_ = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (downloader->output_ < 0) {
        const int code = errno;
        NSLog("download cannot create %@: %s", file, std::strerror(code));
        if (fileError) *fileError = code;
        downloader->failed_ = downloader->finished_ = true;
        return nullptr;
    }
    NSURLRequest request(url, NSURLRequestCachePolicy::ReloadIgnoringLocalCacheData, transferTimeout);
    downloader->urlConnection_ = NSURLConnection::connectionWithRequest(request, downloader.get());
    if (!downloader->urlConnection_) {
        downloader->closeOutput();
        std::remove(file.c_str());
        downloader->failed_ = downloader->finished_ = true;
        return nullptr;
    }
    return downloader;
}

void Downloader::closeOutput() {
    if (output_ >= 0) close(output_);
    output_ = -1;
}

void Downloader::writeFailed() {
    diskFull_ = isNoSpaceError(errno);
    NSLog("download didFailWithError: cannot write %@: %@", file_, std::strerror(errno));
    fail();
}

void Downloader::fail() {
    if (urlConnection_) urlConnection_->cancel();
    urlConnection_.reset();
    closeOutput();
    std::remove(file_.c_str());
    failed_ = finished_ = true;
    if (app_) app_->downloadFailed();
}

void Downloader::connectionDidReceiveResponse(NSURLConnection&, const NSHTTPURLResponse& response) {
    auto self = shared_from_this();
    // Only the archive itself counts: an error page is never taken as data.
    if (response.statusCode() != 200) {
        NSLog("download didFailWithError: HTTP status %d for %@", response.statusCode(), response.URL());
        fail();
        return;
    }
    const long long length = announcedLength(response);
    if (length > totalSize_) totalSize_ = length > INT_MAX ? INT_MAX : static_cast<int>(length);
    if (app_) app_->setCorrectTotal(totalSize_);
}

void Downloader::connectionDidReceiveData(NSURLConnection&, const std::vector<uint8_t>& data) {
    auto self = shared_from_this();
    if (finished_) return;
    if (data.size() > static_cast<size_t>(INT_MAX - loadedBytes_)) {
        NSLog("download didFailWithError: %@ is larger than 2 GB", file_);
        fail();
        return;
    }
    if (output_ < 0 || !writeAll(output_, data.data(), data.size())) {
        writeFailed();
        return;
    }
    loadedBytes_ += static_cast<int>(data.size());
    ++loadercycle_;
    if (app_) app_->setUpgradeProgress(static_cast<int>(data.size()));
}

void Downloader::connectionDidFinishLoading(NSURLConnection&) {
    auto self = shared_from_this();
    if (finished_) return;
    closeOutput();
    urlConnection_.reset();
    finished_ = true;
    if (static_cast<long long>(loadedBytes_) < static_cast<long long>(totalSize_) - 1024) {
        std::remove(file_.c_str());
        failed_ = true;
        if (app_) app_->downloadFailed();
        return;
    }
    if (app_) app_->downloadFinished();
}

void Downloader::connectionDidFailWithError(NSURLConnection&, const NSError& error) {
    auto self = shared_from_this();
    if (finished_) return;
    NSLog("download didFailWithError: %@", describe(error));
    fail();
}

void Downloader::cancelDownload() {
    if (urlConnection_) urlConnection_->cancel();
    urlConnection_.reset();
    closeOutput();
    cancelled_ = finished_ = true;
}
