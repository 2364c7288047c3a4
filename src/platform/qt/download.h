#pragma once
// Fetching a small file over HTTP.

#include <cstdint>
#include <string>

namespace lumivane {

// The most a download may bring; anything larger is refused.
inline constexpr std::int64_t download_limit = 1 << 20;

// Fetches url into data, asking every cache and proxy on the way for a fresh copy.
// Waits at most timeout milliseconds in a local event loop that keeps windows painting
// and timers running, but holds back the user's input until it ends. True on failure:
// no connection, no answer in time, an error status, a redirect to another server, or
// more than download_limit bytes.
[[nodiscard]] bool download(const std::u16string& url, std::string& data, std::int32_t timeout_milliseconds);

}  // namespace lumivane
