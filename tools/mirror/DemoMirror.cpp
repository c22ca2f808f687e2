#include "tools/mirror/DemoMirror.h"

#include "tools/mirror/MirrorRequest.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr size_t kMaxHead = 16384;
constexpr int kHeadTimeoutMs = 10000;
constexpr size_t kStallPrefix = 4096;

const char* reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 500: return "Internal Server Error";
    default: return "Bad Request";
    }
}

bool readFile(const std::string& path, std::vector<uint8_t>& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

std::optional<MirrorFailure> mirrorFailureNamed(const std::string& name)
{
    static const std::pair<const char*, MirrorFailure> names[] = {
        {"none", MirrorFailure::None},
        {"not-found", MirrorFailure::NotFound},
        {"truncated", MirrorFailure::Truncated},
        {"stall", MirrorFailure::Stall},
        {"wrong-length", MirrorFailure::WrongLength},
        {"corrupt-gzip", MirrorFailure::CorruptGzip},
        {"bad-tar", MirrorFailure::BadTar},
        {"escaping-tar", MirrorFailure::EscapingTar},
        {"cut-in-padding", MirrorFailure::CutInPadding},
    };
    for (const auto& [n, f] : names)
        if (name == n)
            return f;
    return std::nullopt;
}

DemoMirror::DemoMirror(RecitationArchiver& archiver, MirrorOptions options)
    : archiver_(archiver), options_(options)
{
    if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0)
        wake_[0] = wake_[1] = -1;
}

DemoMirror::~DemoMirror()
{
    for (auto& c : connections_)
        c.thread.join();
    for (int fd : {listener_, wake_[0], wake_[1]})
        if (fd >= 0)
            close(fd);
}

bool DemoMirror::listen(int port, std::string& error)
{
    if (wake_[0] < 0) {
        error = "cannot make the stop pipe";
        return false;
    }
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int yes = 1;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(port));
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listener_, 16) != 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    socklen_t len = sizeof addr;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    return true;
}

void DemoMirror::requestStop()
{
    char byte = 1;
    [[maybe_unused]] ssize_t n = write(wake_[1], &byte, 1);
}

void DemoMirror::run()
{
    while (!stopping_) {
        pollfd fds[2] = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[1].revents)
            break;
        if (fds[0].revents & POLLIN) {
            std::erase_if(connections_, [](Connection& c) {
                if (!*c.done)
                    return false;
                c.thread.join();
                return true;
            });
            int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) {
                auto done = std::make_shared<std::atomic<bool>>(false);
                connections_.push_back({std::thread([this, client, done] {
                                            serve(client);
                                            *done = true;
                                        }),
                                        done});
            }
        }
    }
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
    }
    stopped_.notify_all();
    for (auto& c : connections_)
        c.thread.join();
    connections_.clear();
}

void DemoMirror::log(const std::string& line)
{
    if (!options_.quiet)
        std::fprintf(stderr, "lumeno-mirror: %s\n", line.c_str());
}

bool DemoMirror::sendAll(int client, const void* data, size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = send(client, p, size, MSG_NOSIGNAL);
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                continue;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void DemoMirror::respond(int client, int status, const std::vector<uint8_t>& body, size_t announced, size_t sent)
{
    std::string head = "HTTP/1.1 " + std::to_string(status) + " " + reason(status) +
                       "\r\nContent-Type: " + (status == 200 ? "application/x-gzip" : "text/plain") +
                       "\r\nContent-Length: " + std::to_string(announced) + "\r\nConnection: close\r\n\r\n";
    if (sendAll(client, head.data(), head.size()))
        sendAll(client, body.data(), std::min(sent, body.size()));
}

std::vector<uint8_t> DemoMirror::damaged(const std::vector<uint8_t>& archive, MirrorFailure failure)
{
    std::vector<uint8_t> out = archive;
    if (failure == MirrorFailure::CorruptGzip) {
        if (out.size() > 13)
            out[13] ^= 0xFF;  // the first stored block's inverted length no longer matches
        return out;
    }
    if (failure != MirrorFailure::BadTar && failure != MirrorFailure::EscapingTar &&
        failure != MirrorFailure::CutInPadding)
        return out;
    std::vector<uint8_t> tar;
    if (!ChapterArchive::gunzip(archive, tar) || tar.size() < ChapterArchive::kBlock)
        return out;
    if (failure == MirrorFailure::CutInPadding) {
        size_t end = 0;  // after the last member
        while (end + ChapterArchive::kBlock <= tar.size() && tar[end] != 0) {
            const size_t size = std::strtoull(std::string(reinterpret_cast<const char*>(&tar[end + 124]), 12).c_str(),
                                              nullptr, 8);
            end += ChapterArchive::kBlock + (size + ChapterArchive::kBlock - 1) / ChapterArchive::kBlock * ChapterArchive::kBlock;
        }
        const size_t keep = std::min(end + 2 * ChapterArchive::kBlock, tar.size() - 1);
        // the stored stream holds the tar byte for byte after a 10-byte header and 5 bytes per block
        out = ChapterArchive::gzipStored(tar);
        out.resize(10 + keep + 5 * (keep / 65535 + 1));
        return out;
    }
    if (failure == MirrorFailure::BadTar) {
        tar[0] ^= 0x01;  // a name byte changes; the checksum is left as it was
    } else {
        char name[100] = {};
        std::snprintf(name, sizeof name, "../%.96s", reinterpret_cast<const char*>(tar.data()));
        std::memcpy(tar.data(), name, sizeof name);
        ChapterArchive::setHeaderChecksum(tar.data());
    }
    return ChapterArchive::gzipStored(tar);
}

void DemoMirror::serve(int client)
{
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxHead) {
        pollfd pfd{client, POLLIN, 0};
        if (poll(&pfd, 1, kHeadTimeoutMs) <= 0)
            break;
        ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        head.append(buffer, static_cast<size_t>(n));
    }
    if (options_.answerDelaySeconds > 0) {
        std::unique_lock<std::mutex> guard(lock_);
        stopped_.wait_for(guard, std::chrono::seconds(options_.answerDelaySeconds), [this] { return stopping_.load(); });
    }
    static const std::vector<uint8_t> notFound = {'n', 'o', 't', ' ', 'f', 'o', 'u', 'n', 'd', '\n'};
    std::string error;
    const auto line = MirrorRequest::parseRequestLine(head);
    const auto request = line ? MirrorRequest::parseArchivePath(line->path) : std::nullopt;
    if (!line) {
        respond(client, 400, notFound, notFound.size(), notFound.size());
    } else if (line->method != "GET") {
        respond(client, 405, notFound, notFound.size(), notFound.size());
    } else if (!request || options_.failure == MirrorFailure::NotFound) {
        log("GET " + line->path + " -> 404");
        respond(client, 404, notFound, notFound.size(), notFound.size());
    } else if (long long size = 0; options_.failure == MirrorFailure::None &&
               archiver_.cachedArchive(request->kind, request->folder, request->surah).empty() &&
               archiver_.archiveSize(request->kind, request->folder, request->surah, size, error)) {
        // Sent while it is made: a large chapter takes longer to make than a client waits.
        log("GET " + line->path + " -> 200 (" + std::to_string(size) + " bytes, made now)");
        respond(client, 200, {}, static_cast<size_t>(size), 0);
        size_t sent = 0;
        const std::string path = archiver_.archivePath(request->kind, request->folder, request->surah, error,
                                                       [&](const uint8_t* data, size_t n) {
                                                           sent += n;
                                                           return sendAll(client, data, n);
                                                       });
        std::vector<uint8_t> body;
        if (path.empty())
            log("making " + line->path + " failed: " + error);
        else if (sent == 0 && readFile(path, body))  // another request made it meanwhile
            sendAll(client, body.data(), body.size());
    } else {
        std::vector<uint8_t> body;
        const std::string path = archiver_.archivePath(request->kind, request->folder, request->surah, error);
        if (path.empty() || !readFile(path, body)) {
            log("GET " + line->path + " -> 500: " + (error.empty() ? "cannot read " + path : error));
            respond(client, 500, notFound, notFound.size(), notFound.size());
        } else {
            body = damaged(body, options_.failure);
            const size_t size = body.size();
            log("GET " + line->path + " -> 200 (" + std::to_string(size) + " bytes)");
            switch (options_.failure) {
            case MirrorFailure::Truncated: respond(client, 200, body, size, size / 2); break;
            case MirrorFailure::WrongLength: respond(client, 200, body, size / 2, size / 2); break;
            case MirrorFailure::Stall: {
                respond(client, 200, body, size, std::min(kStallPrefix, size / 2));
                std::unique_lock<std::mutex> guard(lock_);
                stopped_.wait_for(guard, std::chrono::seconds(options_.stallSeconds), [this] { return stopping_.load(); });
                break;
            }
            default: respond(client, 200, body, size, size); break;
            }
        }
    }
    shutdown(client, SHUT_RDWR);
    close(client);
}
