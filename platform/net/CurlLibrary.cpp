// libcurl is opened on the first call into it rather than when the program starts: with
// the libraries it brings (TLS, Kerberos, LDAP, SSH, ...) it was a good part of the time
// the dynamic loader spends before a reader can see the first screen. These definitions
// take the place of libcurl's own, which is not linked; each forwards to the loaded library.

#include <curl/curl.h>
#include <dlfcn.h>

#include <cstdarg>
#include <mutex>

#include "platform/foundation/Log.h"

namespace {

struct Curl {
    decltype(&curl_global_init) global_init = nullptr;
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_easy_strerror) easy_strerror = nullptr;
    decltype(&curl_slist_append) slist_append = nullptr;
    decltype(&curl_slist_free_all) slist_free_all = nullptr;
    decltype(&curl_multi_init) multi_init = nullptr;
    decltype(&curl_multi_cleanup) multi_cleanup = nullptr;
    decltype(&curl_multi_add_handle) multi_add_handle = nullptr;
    decltype(&curl_multi_remove_handle) multi_remove_handle = nullptr;
    decltype(&curl_multi_perform) multi_perform = nullptr;
    decltype(&curl_multi_info_read) multi_info_read = nullptr;
    decltype(&curl_multi_poll) multi_poll = nullptr;
    decltype(&curl_multi_wakeup) multi_wakeup = nullptr;
    bool loaded = false;
};

template <class F>
bool bindSymbol(void* library, F& slot, const char* name) {
    slot = reinterpret_cast<F>(dlsym(library, name));
    return slot != nullptr;
}

// The library's functions, or one with loaded false (every call then fails) when it cannot be opened.
const Curl& loadedCurl() {
    static Curl functions;
    static std::once_flag once;
    std::call_once(once, [] {
        void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        Curl c;
        const bool ok = library && bindSymbol(library, c.global_init, "curl_global_init") &&
                        bindSymbol(library, c.easy_init, "curl_easy_init") &&
                        bindSymbol(library, c.easy_cleanup, "curl_easy_cleanup") &&
                        bindSymbol(library, c.easy_setopt, "curl_easy_setopt") &&
                        bindSymbol(library, c.easy_getinfo, "curl_easy_getinfo") &&
                        bindSymbol(library, c.easy_strerror, "curl_easy_strerror") &&
                        bindSymbol(library, c.slist_append, "curl_slist_append") &&
                        bindSymbol(library, c.slist_free_all, "curl_slist_free_all") &&
                        bindSymbol(library, c.multi_init, "curl_multi_init") &&
                        bindSymbol(library, c.multi_cleanup, "curl_multi_cleanup") &&
                        bindSymbol(library, c.multi_add_handle, "curl_multi_add_handle") &&
                        bindSymbol(library, c.multi_remove_handle, "curl_multi_remove_handle") &&
                        bindSymbol(library, c.multi_perform, "curl_multi_perform") &&
                        bindSymbol(library, c.multi_info_read, "curl_multi_info_read") &&
                        bindSymbol(library, c.multi_poll, "curl_multi_poll") &&
                        bindSymbol(library, c.multi_wakeup, "curl_multi_wakeup");
        if (ok) {
            c.loaded = true;
            functions = c;
        } else {
            NSLog("Network: libcurl could not be loaded (%s)", library ? "a function is missing" : dlerror());
        }
    });
    return functions;
}

}  // namespace

extern "C" {

CURLcode curl_global_init(long flags) { return loadedCurl().loaded ? loadedCurl().global_init(flags) : CURLE_FAILED_INIT; }

CURL* curl_easy_init() { return loadedCurl().loaded ? loadedCurl().easy_init() : nullptr; }

void curl_easy_cleanup(CURL* easy) {
    if (easy && loadedCurl().loaded) loadedCurl().easy_cleanup(easy);
}

// The one value after the option is read with the type the option's number range gives it.
CURLcode curl_easy_setopt(CURL* easy, CURLoption option, ...) {
    if (!loadedCurl().loaded) return CURLE_FAILED_INIT;
    va_list args;
    va_start(args, option);
    CURLcode result;
    if (option < CURLOPTTYPE_OBJECTPOINT) {
        result = loadedCurl().easy_setopt(easy, option, va_arg(args, long));
    } else if (option < CURLOPTTYPE_FUNCTIONPOINT) {
        result = loadedCurl().easy_setopt(easy, option, va_arg(args, void*));
    } else if (option < CURLOPTTYPE_OFF_T) {
        // Function pointers travel as themselves; any function pointer type round-trips.
        result = loadedCurl().easy_setopt(easy, option, va_arg(args, void (*)()));
    } else if (option < CURLOPTTYPE_BLOB) {
        result = loadedCurl().easy_setopt(easy, option, va_arg(args, curl_off_t));
    } else {
        result = loadedCurl().easy_setopt(easy, option, va_arg(args, void*));
    }
    va_end(args);
    return result;
}

// Every kind of information is written through a pointer.
CURLcode curl_easy_getinfo(CURL* easy, CURLINFO info, ...) {
    if (!loadedCurl().loaded) return CURLE_FAILED_INIT;
    va_list args;
    va_start(args, info);
    void* into = va_arg(args, void*);
    va_end(args);
    return loadedCurl().easy_getinfo(easy, info, into);
}

const char* curl_easy_strerror(CURLcode code) {
    return loadedCurl().loaded ? loadedCurl().easy_strerror(code) : "the network library could not be loaded";
}

curl_slist* curl_slist_append(curl_slist* list, const char* text) {
    return loadedCurl().loaded ? loadedCurl().slist_append(list, text) : nullptr;
}

void curl_slist_free_all(curl_slist* list) {
    if (list && loadedCurl().loaded) loadedCurl().slist_free_all(list);
}

CURLM* curl_multi_init() { return loadedCurl().loaded ? loadedCurl().multi_init() : nullptr; }

CURLMcode curl_multi_cleanup(CURLM* multi) {
    return loadedCurl().loaded ? loadedCurl().multi_cleanup(multi) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_add_handle(CURLM* multi, CURL* easy) {
    return loadedCurl().loaded ? loadedCurl().multi_add_handle(multi, easy) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_remove_handle(CURLM* multi, CURL* easy) {
    return loadedCurl().loaded ? loadedCurl().multi_remove_handle(multi, easy) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_perform(CURLM* multi, int* running) {
    return loadedCurl().loaded ? loadedCurl().multi_perform(multi, running) : CURLM_BAD_HANDLE;
}

CURLMsg* curl_multi_info_read(CURLM* multi, int* left) {
    return loadedCurl().loaded ? loadedCurl().multi_info_read(multi, left) : nullptr;
}

CURLMcode curl_multi_poll(CURLM* multi, curl_waitfd* extra, unsigned int count, int timeoutMs, int* ready) {
    return loadedCurl().loaded ? loadedCurl().multi_poll(multi, extra, count, timeoutMs, ready) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_wakeup(CURLM* multi) { return loadedCurl().loaded ? loadedCurl().multi_wakeup(multi) : CURLM_BAD_HANDLE; }

}  // extern "C"
