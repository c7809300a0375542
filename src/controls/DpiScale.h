#pragma once
// Pixel sizes on a scaled screen. Sizes are designed at 96 DPI (100 %);
// pictures are drawn at a fixed set of sizes and the nearest one is shown at
// its own size, since a stretched picture blurs. Portable: no window needed.

#include <array>
#include <cstddef>

inline constexpr unsigned kDesignDpi = 96;

// Every size the program's icons and toolbar pictures are drawn at: 100 %,
// 125 %, 150 % and 200 % of the 16- and 32-pixel designs.
inline constexpr std::array<int, 7> kDrawnSizes = {16, 20, 24, 32, 40, 48, 64};

// A length designed at 96 DPI, at `dpi`, rounded to the nearest pixel.
constexpr int ScaleForDpi(int pixels, unsigned dpi)
{
    const long long scaled = static_cast<long long>(pixels) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi : -((-scaled + half) / kDesignDpi));
}

// The index in kDrawnSizes of the drawn size nearest to `wanted` pixels; of
// two as near, the smaller, which is shown whole rather than cut.
constexpr std::size_t NearestDrawnSizeIndex(int wanted)
{
    std::size_t best = 0;
    for (std::size_t i = 1; i < kDrawnSizes.size(); ++i) {
        const int distance = kDrawnSizes[i] > wanted ? kDrawnSizes[i] - wanted : wanted - kDrawnSizes[i];
        const int bestDistance =
            kDrawnSizes[best] > wanted ? kDrawnSizes[best] - wanted : wanted - kDrawnSizes[best];
        if (distance < bestDistance)
            best = i;
    }
    return best;
}

constexpr int NearestDrawnSize(int wanted)
{
    return kDrawnSizes[NearestDrawnSizeIndex(wanted)];
}

// A picture designed at `pixels` for 96 DPI, as drawn for `dpi`.
constexpr int DrawnSizeForDpi(int pixels, unsigned dpi)
{
    return NearestDrawnSize(ScaleForDpi(pixels, dpi));
}
