// The standard picture object: type, width and height in HIMETRIC (0.01 mm), made from an
// image file's bytes. The size is read from the file's header (BMP, PNG, GIF, JPEG, icon,
// cursor); the bytes are kept so a window-system layer can decode and draw them.
#pragma once

#include "platform/automation/DispatchObject.h"
#include "platform/automation/PropertyBag.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plat::automation {

enum class PictureType : std::int16_t {
    None = 0,
    Bitmap = 1, // BMP, PNG, GIF, JPEG
    Metafile = 2,
    Icon = 3, // icon and cursor files
    EnhMetafile = 4,
};

enum class ImageFormat : std::uint8_t { Unknown, Bmp, Png, Gif, Jpeg, Icon, Cursor };

struct ImageHeader {
    ImageFormat format = ImageFormat::Unknown;
    int widthPx = 0;
    int heightPx = 0;
};

// Reads the format and pixel size from the first bytes of an image file; nullopt when the
// bytes are no known image or are cut short.
std::optional<ImageHeader> readImageHeader(const std::vector<std::uint8_t>& bytes);

// Pixels at 96 per inch to HIMETRIC and back, rounded to the nearest.
std::int32_t pixelsToHimetric(int px);
int himetricToPixels(std::int32_t himetric);

class Picture : public DispatchObject {
public:
    static constexpr DispId kHandle = 0;
    static constexpr DispId kType = 3;
    static constexpr DispId kWidth = 4;
    static constexpr DispId kHeight = 5;

    Picture(); // an empty picture (type None, size 0)
    // nullptr when the bytes are not an image this object understands.
    static std::shared_ptr<Picture> fromBytes(std::vector<std::uint8_t> bytes);
    // nullptr and `error` (file not found 53, or invalid picture 481) when the file cannot be
    // read or is no image.
    static std::shared_ptr<Picture> loadFile(const std::string& path, AutomationError* error);

    PictureType type() const { return type_; }
    ImageFormat format() const { return header_.format; }
    bool isEmpty() const { return type_ == PictureType::None; }
    // Icons and cursors can serve as a mouse pointer.
    bool usableAsPointer() const { return type_ == PictureType::Icon; }
    int widthPx() const { return header_.widthPx; }
    int heightPx() const { return header_.heightPx; }
    std::int32_t width() const { return pixelsToHimetric(header_.widthPx); }
    std::int32_t height() const { return pixelsToHimetric(header_.heightPx); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    // Persisted as the file bytes (an empty picture as no bytes).
    void save(PropertyBag& bag, std::u16string_view name) const;
    static std::shared_ptr<Picture> load(const PropertyBag& bag, std::u16string_view name);
    void save(StreamStore& s) const;
    static std::shared_ptr<Picture> load(StreamStore& s);

private:
    void defineMembers();
    PictureType type_ = PictureType::None;
    ImageHeader header_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace plat::automation
