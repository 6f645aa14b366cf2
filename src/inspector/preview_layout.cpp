// Caption position and picture scaling of the preview area.
#include "inspector/preview_layout.h"

#include <cmath>
#include <limits>

namespace kelvaro {

int PreviewCaptionLeft(int areaWidth, int captionWidth) {
    return areaWidth / 2 - captionWidth / 2;
}

PictureSize CapturedPictureSize(std::int32_t left, std::int32_t top, std::int32_t right,
                                std::int32_t bottom) {
    const std::int64_t width = std::int64_t{right} - left;
    const std::int64_t height = std::int64_t{bottom} - top;
    // A side beyond the int range could not become a bitmap anyway.
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    if (width <= 0 || height <= 0 || width > kMax || height > kMax) return {};
    return {static_cast<int>(width), static_cast<int>(height)};
}

PicturePlacement PlacePreviewPicture(int areaWidth, int areaHeight, PictureSize picture,
                                     int headerHeight) {
    PicturePlacement placement;
    placement.Top = headerHeight;
    if (!picture.Exists()) return placement;

    const int bodyHeight = areaHeight - headerHeight;
    float scale = 1.0f;
    if (areaWidth < picture.Width || bodyHeight < picture.Height) {
        const float byWidth = static_cast<float>(areaWidth) / static_cast<float>(picture.Width);
        const float byHeight = static_cast<float>(bodyHeight) / static_cast<float>(picture.Height);
        scale = byHeight < byWidth ? byHeight : byWidth;
    }
    const long width = std::lround(static_cast<float>(picture.Width) * scale);
    const long height = std::lround(static_cast<float>(picture.Height) * scale);
    if (width <= 0 || height <= 0) return placement;

    placement.Draw = true;
    placement.Width = static_cast<int>(width);
    placement.Height = static_cast<int>(height);
    return placement;
}

}  // namespace kelvaro
