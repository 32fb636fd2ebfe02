// The drawing surface the control paints on: fills, one-pixel frames, dotted frames and the
// platform's focus rectangle, lines, a filled triangle, pixel inversion, pictures, text in
// code page 932 with measuring and rotated fonts, and clipping. The window-system layer
// implements it; tests use a recording surface.
#pragma once

#include "control/core/Geometry.h"
#include "platform/automation/FontObject.h"
#include "platform/automation/Picture.h"

#include <string_view>

namespace vantil {

// A font to draw with: the font object's description, turned by `angle` degrees clockwise
// (0, or 270 for the glyphs of vertical writing).
struct FontRequest {
    plat::automation::FontDesc desc;
    int angle = 0;
    friend bool operator==(const FontRequest&, const FontRequest&) = default;
};

class Surface {
public:
    virtual ~Surface() = default;

    virtual void fillRect(const Rect& r, Rgb colour) = 0;
    // One-pixel frame on the outermost pixels of `r`: top and left edges in `topLeft`, bottom
    // and right edges in `bottomRight`.
    virtual void frameRect(const Rect& r, Rgb topLeft, Rgb bottomRight) = 0;
    void frameRect(const Rect& r, Rgb colour) { frameRect(r, colour, colour); }
    // One-pixel frame of alternate pixels in `colour`.
    virtual void dottedFrame(const Rect& r, Rgb colour) = 0;
    // The platform's own dotted focus rectangle.
    virtual void focusRect(const Rect& r) = 0;
    // A one-pixel line from `from` to `to`, both ends included.
    virtual void line(Point from, Point to, Rgb colour) = 0;
    // Triangle filled with `fill`, its edges drawn in `outline`.
    virtual void triangle(Point a, Point b, Point c, Rgb outline, Rgb fill) = 0;
    // Inverts every pixel of `r`.
    virtual void invertRect(const Rect& r) = 0;
    // `picture` scaled into `square`; a picture the platform cannot decode draws nothing.
    virtual void drawPicture(const Rect& square, const plat::automation::Picture& picture) = 0;

    virtual void setFont(const FontRequest& font) = 0;
    // Advance width of `text` (code page 932) in the current font, unturned.
    virtual int textWidth(std::string_view text) = 0;
    // Height of one line of the current font.
    virtual int lineHeight() = 0;
    // Draws `text` with a transparent background. `origin` is the top-left corner of the
    // text's cell before the font's turn; a font turned by 270 degrees writes downwards from
    // there with the glyphs' tops facing right.
    virtual void drawText(Point origin, std::string_view text, Rgb colour) = 0;

    // Restricts drawing to `r` until clearClip().
    virtual void setClip(const Rect& r) = 0;
    virtual void clearClip() = 0;
};

} // namespace vantil
