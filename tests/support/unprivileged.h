#pragma once

#include <filesystem>
#include <functional>

// Permission bits do not bind root, so a test of a read-only folder or an
// unreadable file means nothing there. Run as root, this hands the folder (and
// everything in it) to the user "nobody" and runs body in a forked child with
// that user's ids; otherwise it runs body directly. A failure inside the child
// fails the calling test.
void AsUnprivilegedUser(const std::filesystem::path& folder, const std::function<void()>& body);
