// The standard picture object: image headers, HIMETRIC sizes and the persisted bytes.
#include "platform/automation/Picture.h"

#include "platform/automation/Texts.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace plat::automation {

namespace {

constexpr int kFileNotFound = 53;
constexpr int kInvalidPicture = 481;
// Larger images are refused: no real picture of a combo box comes near, and a header claiming
// more is damaged.
constexpr int kMaxSide = 65535;

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t be32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (static_cast<std::uint32_t>(b[at]) << 24) |
           (static_cast<std::uint32_t>(b[at + 1]) << 16) |
           (static_cast<std::uint32_t>(b[at + 2]) << 8) | static_cast<std::uint32_t>(b[at + 3]);
}
std::uint16_t be16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>((b[at] << 8) | b[at + 1]);
}

std::optional<ImageHeader> checked(ImageFormat f, std::int64_t w, std::int64_t h) {
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide)
        return std::nullopt;
    return ImageHeader{f, static_cast<int>(w), static_cast<int>(h)};
}

std::optional<ImageHeader> jpegHeader(const std::vector<std::uint8_t>& b) {
    std::size_t i = 2;
    while (i + 4 <= b.size()) {
        if (b[i] != 0xFF)
            return std::nullopt;
        const std::uint8_t marker = b[i + 1];
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            i += 2;
            continue;
        }
        const std::size_t len = be16(b, i + 2);
        if (len < 2)
            return std::nullopt;
        const bool sof =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof) {
            if (i + 9 > b.size())
                return std::nullopt;
            return checked(ImageFormat::Jpeg, be16(b, i + 7), be16(b, i + 5));
        }
        i += 2 + len;
    }
    return std::nullopt;
}

} // namespace

std::optional<ImageHeader> readImageHeader(const std::vector<std::uint8_t>& b) {
    if (b.size() >= 26 && b[0] == 'B' && b[1] == 'M') {
        const std::uint32_t headerSize = le32(b, 14);
        if (headerSize == 12) // the old core header: 16-bit sizes
            return checked(ImageFormat::Bmp, le16(b, 18), le16(b, 20));
        const auto w = static_cast<std::int32_t>(le32(b, 18));
        const auto h = static_cast<std::int32_t>(le32(b, 22));
        // A negative height marks a top-down bitmap.
        return checked(ImageFormat::Bmp, w, h < 0 ? -static_cast<std::int64_t>(h) : h);
    }
    static const std::uint8_t pngSig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (b.size() >= 24 && std::equal(pngSig, pngSig + 8, b.begin()) && b[12] == 'I' &&
        b[13] == 'H' && b[14] == 'D' && b[15] == 'R')
        return checked(ImageFormat::Png, be32(b, 16), be32(b, 20));
    if (b.size() >= 10 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8')
        return checked(ImageFormat::Gif, le16(b, 6), le16(b, 8));
    if (b.size() >= 4 && b[0] == 0xFF && b[1] == 0xD8)
        return jpegHeader(b);
    // Icon (type 1) and cursor (type 2) directories: the first image's size, 0 meaning 256.
    if (b.size() >= 22 && b[0] == 0 && b[1] == 0 && (b[2] == 1 || b[2] == 2) && b[3] == 0 &&
        le16(b, 4) >= 1) {
        const int w = b[6] == 0 ? 256 : b[6];
        const int h = b[7] == 0 ? 256 : b[7];
        return checked(b[2] == 1 ? ImageFormat::Icon : ImageFormat::Cursor, w, h);
    }
    return std::nullopt;
}

std::int32_t pixelsToHimetric(int px) {
    return static_cast<std::int32_t>(std::lround(px * 2540.0 / 96.0));
}

int himetricToPixels(std::int32_t himetric) {
    return static_cast<int>(std::lround(himetric * 96.0 / 2540.0));
}

Picture::Picture() : DispatchObject(u"Picture") {
    defineMembers();
}

void Picture::defineMembers() {
    auto prop = [](DispId id, std::u16string name, VarType t) {
        MemberInfo m;
        m.id = id;
        m.name = std::move(name);
        m.type = t;
        return m;
    };
    // The handle has no meaning outside the window-system layer; it reads as 0 when empty and
    // as 1 when a picture is loaded, which is what hosts test it for.
    addProperty(prop(kHandle, u"Handle", VarType::Long),
                [this](auto) { return Variant(std::int32_t{isEmpty() ? 0 : 1}); });
    addProperty(prop(kType, u"Type", VarType::Short),
                [this](auto) { return Variant(static_cast<std::int16_t>(type_)); });
    addProperty(prop(kWidth, u"Width", VarType::Long), [this](auto) { return Variant(width()); });
    addProperty(prop(kHeight, u"Height", VarType::Long),
                [this](auto) { return Variant(height()); });
}

std::shared_ptr<Picture> Picture::fromBytes(std::vector<std::uint8_t> bytes) {
    const auto header = readImageHeader(bytes);
    if (!header)
        return nullptr;
    auto p = std::make_shared<Picture>();
    p->header_ = *header;
    p->type_ = (header->format == ImageFormat::Icon || header->format == ImageFormat::Cursor)
                   ? PictureType::Icon
                   : PictureType::Bitmap;
    p->bytes_ = std::move(bytes);
    return p;
}

std::shared_ptr<Picture> Picture::loadFile(const std::string& path, AutomationError* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error)
            *error = AutomationError::fromNumber(kFileNotFound, texts::kFileNotFound);
        return nullptr;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    auto p = fromBytes(std::move(bytes));
    if (!p && error)
        *error = AutomationError::fromNumber(kInvalidPicture, texts::kInvalidPicture);
    return p;
}

void Picture::save(PropertyBag& bag, std::u16string_view name) const {
    bag.writeBytes(name, bytes_);
}

std::shared_ptr<Picture> Picture::load(const PropertyBag& bag, std::u16string_view name) {
    auto bytes = bag.readBytes(name);
    if (!bytes || bytes->empty())
        return nullptr;
    return fromBytes(std::move(*bytes));
}

void Picture::save(StreamStore& s) const {
    s.writeBytes(bytes_);
}

std::shared_ptr<Picture> Picture::load(StreamStore& s) {
    std::vector<std::uint8_t> bytes;
    if (!s.readBytes(bytes) || bytes.empty())
        return nullptr;
    return fromBytes(std::move(bytes));
}

} // namespace plat::automation
