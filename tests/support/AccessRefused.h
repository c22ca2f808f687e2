#pragma once
// Runs work while a file or folder is closed to it by the path's own mode bits, so the kernel
// refuses the access with EACCES as it does to a user without the permission. The mode
// should take away from the owner what the work needs; it is set for the work and the old
// one put back after. Root passes every mode check, so as root the work runs on a thread
// whose file accesses are an unprivileged user's, and the test fails if that switch did not
// happen.

#include <filesystem>
#include <functional>
#include <string>

void runWithAccessRefused(const std::string& path, std::filesystem::perms mode, const std::function<void()>& work);
