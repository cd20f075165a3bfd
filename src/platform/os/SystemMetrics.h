#pragma once
// Stand-in for the platform's GetSystemMetrics: the size of the primary
// screen in pixels. Only the two indices the program asks for are known;
// every other index answers 0, as the platform does for unknown indices.

#include <optional>

namespace os {

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;

int GetSystemMetrics(int index);

// Replaces the primary screen's size for the lifetime of the guard, so that
// code measuring the screen can be checked against screens of any size on a
// headless platform. Guards nest; the innermost wins. GUI thread only.
class ScreenSizeOverride {
  public:
    ScreenSizeOverride(int width, int height);
    ~ScreenSizeOverride();
    ScreenSizeOverride(const ScreenSizeOverride&) = delete;
    ScreenSizeOverride& operator=(const ScreenSizeOverride&) = delete;

  private:
    struct Size {
        int width;
        int height;
    };
    std::optional<Size> previous_;
    friend int GetSystemMetrics(int index);
};

}  // namespace os
