// Where the preview area puts its caption and how large it draws the captured picture.
#pragma once

#include <cstdint>

namespace kelvaro {

inline constexpr const char* kPreviewCaption = "Fenster Vorschau";
inline constexpr int kPreviewHeaderHeight = 20;
inline constexpr int kPreviewCaptionTop = 2;

struct RgbColour {
    std::uint8_t Red;
    std::uint8_t Green;
    std::uint8_t Blue;
};
inline constexpr RgbColour kPreviewHeaderColour = {205, 205, 205};
inline constexpr RgbColour kPreviewCaptionColour = {34, 34, 34};
inline constexpr RgbColour kPreviewBodyColour = {255, 255, 255};

// Left edge of the caption: area width / 2 - caption width / 2, both halvings truncating.
int PreviewCaptionLeft(int areaWidth, int captionWidth);

// Size of the captured picture for a window's outer rectangle; no picture when either
// side is 0 or less.
struct PictureSize {
    int Width = 0;
    int Height = 0;
    bool Exists() const { return Width > 0 && Height > 0; }
};
PictureSize CapturedPictureSize(std::int32_t left, std::int32_t top, std::int32_t right,
                                std::int32_t bottom);

// Where and how large the picture is drawn under the header.
struct PicturePlacement {
    bool Draw = false;  // false: the area shows the header only
    int Left = 0;
    int Top = kPreviewHeaderHeight;
    int Width = 0;
    int Height = 0;
};

// A picture that fits below the header is drawn at its own size; a larger one is shrunk
// uniformly by the smaller of W / w and (H - 20) / h (single precision, the first when
// equal), each side rounded to the nearest integer. Nothing is drawn when there is no
// picture or a side rounds to 0 or less.
// The header is 20 pixels at 96 DPI; `headerHeight` gives it at the preview's DPI.
PicturePlacement PlacePreviewPicture(int areaWidth, int areaHeight, PictureSize picture,
                                     int headerHeight = kPreviewHeaderHeight);

}  // namespace kelvaro
